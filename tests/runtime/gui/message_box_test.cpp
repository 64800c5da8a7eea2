#include "ToolkitFixture.h"
#include "runtime/gui/MessageBox.h"

#include <tuple>

namespace nevalon::gui {
namespace {

using platform::AlertAction;
using platform::AlertIcon;
using Titles = std::vector<std::u16string>;

class MessageBoxTest : public testing::ToolkitTest {
protected:
    // Shows the box and answers with the button at `press`; returns what ShowMessageBox returned.
    int64_t Show(int64_t flags, int press)
    {
        platform::SetAlertResponderForTests([this, press](const platform::AlertRequest& request) {
            shown = request;
            return press;
        });
        return ShowMessageBox(u"Error!", u"The title is too long.", flags);
    }
    platform::AlertRequest shown;
};

TEST_F(MessageBoxTest, IconFlagsChooseOneIconAndWithoutYesOrNoTheAnswerIsZero)
{
    for (auto [flags, icon, buttons] :
         {std::tuple{int64_t{0}, AlertIcon::Informational, 0u},
          std::tuple{int64_t{MessageBoxStopIcon}, AlertIcon::Stop, 0u},
          std::tuple{int64_t{MessageBoxNoteIcon | MessageBoxStopIcon}, AlertIcon::Note, 0u},
          std::tuple{int64_t{MessageBoxCautionIcon | MessageBoxNoteIcon | MessageBoxStopIcon},
                     AlertIcon::Caution, 0u},
          std::tuple{int64_t{MessageBoxYesNo | MessageBoxCautionIcon}, AlertIcon::Caution, 2u}}) {
        EXPECT_EQ(Show(flags, 1), buttons ? MessageBoxNo : MessageBoxOk) << flags;
        EXPECT_EQ(shown.icon, icon) << flags;
        EXPECT_EQ(shown.buttons.size(), buttons) << flags;
        EXPECT_EQ(shown.messageText + u"|" + shown.informativeText, u"Error!|The title is too long.");
    }
}

TEST_F(MessageBoxTest, ButtonTitlesFollowTheFirstPreferredLanguageAndAnswerInOrder)
{
    for (auto [language, yes, no, cancel] :
         {std::tuple{"de-DE", u"Ja", u"Nein", u"Abbrechen"}, std::tuple{"fr-CA", u"Oui", u"Non", u"Annuler"},
          std::tuple{"it-IT", u"S\u00cc", u"NO", u"Annulla"},
          std::tuple{"es-419", u"S\u00ed", u"No", u"Cancelar"}, std::tuple{"pt-BR", u"Yes", u"No", u"Cancel"},
          std::tuple{"", u"Yes", u"No", u"Cancel"}}) {
        platform::SetPreferredLanguagesForTests(*language ? std::vector<std::string>{language, "de-DE"}
                                                          : std::vector<std::string>{});
        EXPECT_EQ(Show(MessageBoxYesNoCancel, 2), MessageBoxCancel);
        EXPECT_EQ(shown.buttons, (Titles{yes, no, cancel})) << language;
        EXPECT_EQ(Show(MessageBoxYesNo, 1), MessageBoxNo);
        EXPECT_EQ(shown.buttons, (Titles{yes, no})) << language;
    }
    EXPECT_EQ(Show(MessageBoxYesNo, 0), MessageBoxYes);
    EXPECT_EQ(Show(MessageBoxYesNo | MessageBoxYesNoCancel, 2), MessageBoxCancel);
    // Closed without a button: No, or Cancel when offered.
    EXPECT_EQ(Show(MessageBoxYesNo, platform::kAlertDismissed), MessageBoxNo);
    EXPECT_EQ(Show(MessageBoxYesNoCancel, platform::kAlertDismissed), MessageBoxCancel);
}

TEST_F(MessageBoxTest, TheDialogAnswersItsButtonsAndNoOrCancelWhenDismissed)
{
    platform::SetPreferredLanguagesForTests(std::vector<std::string>{"en"});
    OpenKey(1);
    for (auto [flags, action, button, answer] :
         {std::tuple{MessageBoxYesNo, AlertAction::PressButton, u"Yes", MessageBoxYes},
          std::tuple{MessageBoxYesNo, AlertAction::PressButton, u"No", MessageBoxNo},
          std::tuple{MessageBoxYesNo, AlertAction::PressEscape, u"", MessageBoxNo},
          std::tuple{MessageBoxYesNo, AlertAction::CloseWindow, u"", MessageBoxNo},
          std::tuple{MessageBoxYesNoCancel, AlertAction::PressButton, u"Cancel", MessageBoxCancel},
          std::tuple{MessageBoxYesNoCancel, AlertAction::PressEscape, u"", MessageBoxCancel},
          std::tuple{MessageBoxYesNoCancel, AlertAction::CloseWindow, u"", MessageBoxCancel},
          std::tuple{MessageBoxStopIcon, AlertAction::CloseWindow, u"", MessageBoxOk}}) {
        platform::AnswerNextAlertForTests(action, button);
        EXPECT_EQ(ShowMessageBox(u"Delete?", u"", flags), answer) << flags << " " << static_cast<int>(action);
        // The window that was key before is key again.
        EXPECT_TRUE(PumpUntil([] { return IsKey(1); }));
    }
    // An alert may name the button that Escape and the close box press.
    for (AlertAction action : {AlertAction::PressEscape, AlertAction::CloseWindow}) {
        platform::AnswerNextAlertForTests(action);
        EXPECT_EQ(platform::RunAlert({u"About", u"", platform::AlertIcon::Note, {u"Ok", u"More"}, 0}), 0);
    }
}

} // namespace
} // namespace nevalon::gui
