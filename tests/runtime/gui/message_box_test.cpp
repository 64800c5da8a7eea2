#include "ToolkitFixture.h"
#include "platform/Alert.h"
#include "platform/testing/TestSeams.h"
#include "runtime/gui/MessageBox.h"

#include <optional>

namespace nevalon::gui {
namespace {

using platform::AlertIcon;
using Titles = std::vector<std::u16string>;

class MessageBoxTest : public testing::ToolkitTest {
protected:
    // Shows the box, answering with the button at `press`; returns what ShowMessageBox returned.
    int64_t Show(int64_t flags, int press = 0, std::u16string title = u"Title", std::u16string text = u"Text")
    {
        shown.reset();
        platform::SetAlertResponderForTests([this, press](const platform::AlertRequest& request) {
            shown = request;
            return press;
        });
        return ShowMessageBox(title, text, flags);
    }
    std::optional<platform::AlertRequest> shown;
};

TEST_F(MessageBoxTest, WithoutYesOrNoThereIsOneButtonAndTheAnswerIsZero)
{
    EXPECT_EQ(Show(0, 0, u"Error!", u"The title is too long."), 0);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->messageText, u"Error!");
    EXPECT_EQ(shown->informativeText, u"The title is too long.");
    EXPECT_TRUE(shown->buttons.empty());
    EXPECT_EQ(shown->icon, AlertIcon::Informational);
    // Whatever closed the box.
    EXPECT_EQ(Show(0, 3), 0);
    // Absent strings show as empty.
    EXPECT_EQ(Show(0, 0, u"", u""), 0);
    EXPECT_EQ(shown->messageText, u"");
}

TEST_F(MessageBoxTest, IconFlagsChooseOneIconCautionThenNoteThenStop)
{
    struct Case {
        int64_t flags;
        AlertIcon icon;
    };
    for (Case c : {Case{8, AlertIcon::Stop}, Case{4, AlertIcon::Note}, Case{16, AlertIcon::Caution},
                   Case{4 + 8, AlertIcon::Note}, Case{8 + 16, AlertIcon::Caution},
                   Case{4 + 8 + 16, AlertIcon::Caution}, Case{1 + 16, AlertIcon::Caution},
                   Case{1, AlertIcon::Informational}}) {
        Show(c.flags);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->icon, c.icon) << c.flags;
    }
    EXPECT_EQ(Show(8), 0);
    EXPECT_TRUE(shown->buttons.empty());
    Show(1 + 16);
    EXPECT_EQ(shown->buttons.size(), 2u);
}

TEST_F(MessageBoxTest, YesNoAndCancelAnswerSixSevenAndTwo)
{
    platform::SetPreferredLanguagesForTests(std::vector<std::string>{"en-GB"});
    EXPECT_EQ(Show(1, 0), 6);
    EXPECT_EQ(shown->buttons, (Titles{u"Yes", u"No"}));
    EXPECT_EQ(Show(1, 1), 7);
    EXPECT_EQ(Show(2, 0), 6);
    EXPECT_EQ(shown->buttons, (Titles{u"Yes", u"No", u"Cancel"}));
    EXPECT_EQ(Show(2, 1), 7);
    EXPECT_EQ(Show(2, 2), 2);
    // Closed without a button: No, or Cancel when offered.
    EXPECT_EQ(Show(1, platform::kAlertDismissed), 7);
    EXPECT_EQ(Show(2, platform::kAlertDismissed), 2);
    // Both flags: the fuller form.
    EXPECT_EQ(Show(3, 2), 2);
    EXPECT_EQ(shown->buttons.size(), 3u);
}

TEST_F(MessageBoxTest, ButtonTitlesFollowTheFirstPreferredLanguage)
{
    struct Case {
        std::vector<std::string> languages;
        Titles titles;
    };
    for (const Case& c :
         {Case{{"de-DE", "en-US"}, {u"Ja", u"Nein", u"Abbrechen"}},
          Case{{"de"}, {u"Ja", u"Nein", u"Abbrechen"}}, Case{{"fr-CA"}, {u"Oui", u"Non", u"Annuler"}},
          Case{{"it-IT"}, {u"S\u00cc", u"NO", u"Annulla"}},
          Case{{"es-419"}, {u"S\u00ed", u"No", u"Cancelar"}},
          Case{{"en-US", "de-DE"}, {u"Yes", u"No", u"Cancel"}}, Case{{"pt-BR"}, {u"Yes", u"No", u"Cancel"}},
          Case{{}, {u"Yes", u"No", u"Cancel"}}}) {
        platform::SetPreferredLanguagesForTests(c.languages);
        Show(2);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->buttons, c.titles) << (c.languages.empty() ? "" : c.languages.front());
    }
    platform::SetPreferredLanguagesForTests(std::vector<std::string>{"de-CH"});
    EXPECT_EQ(Show(1, 1), 7);
    EXPECT_EQ(shown->buttons, (Titles{u"Ja", u"Nein"}));
}

TEST_F(MessageBoxTest, TheWindowThatWasKeyIsKeyAgainAfterwards)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 300, 200, u"list"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(1); }));
    platform::SetAlertResponderForTests([](const platform::AlertRequest&) {
        // The alert takes the keyboard while it is up.
        CreateWindow(2, 0, 0, 100, 100, u"alert");
        EXPECT_TRUE(PumpUntil([] { return IsKey(2); }));
        return 1;
    });
    EXPECT_EQ(ShowMessageBox(u"Delete?", u"", MessageBoxYesNo), MessageBoxNo);
    EXPECT_TRUE(PumpUntil([] { return IsKey(1); }));
}

TEST_F(MessageBoxTest, TheDialogAnswersItsButtonsAndNoOrCancelWhenDismissed)
{
    using platform::AlertAction;
    platform::SetPreferredLanguagesForTests(std::vector<std::string>{"en"});
    ASSERT_NE(CreateWindow(1, 0, 0, 300, 200, u"list"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(1); }));
    struct Case {
        int64_t flags;
        AlertAction action;
        std::u16string button;
        int64_t answer;
    };
    for (const Case& c : {Case{MessageBoxYesNo, AlertAction::PressButton, u"Yes", MessageBoxYes},
                          Case{MessageBoxYesNo, AlertAction::PressButton, u"No", MessageBoxNo},
                          Case{MessageBoxYesNo, AlertAction::PressEscape, u"", MessageBoxNo},
                          Case{MessageBoxYesNo, AlertAction::CloseWindow, u"", MessageBoxNo},
                          Case{MessageBoxYesNoCancel, AlertAction::PressButton, u"Cancel", MessageBoxCancel},
                          Case{MessageBoxYesNoCancel, AlertAction::PressEscape, u"", MessageBoxCancel},
                          Case{MessageBoxYesNoCancel, AlertAction::CloseWindow, u"", MessageBoxCancel},
                          Case{MessageBoxStopIcon, AlertAction::CloseWindow, u"", MessageBoxOk}}) {
        platform::AnswerNextAlertForTests(c.action, c.button);
        EXPECT_EQ(ShowMessageBox(u"Delete?", u"", c.flags), c.answer)
            << c.flags << " " << static_cast<int>(c.action);
        EXPECT_TRUE(PumpUntil([] { return IsKey(1); }));
    }
}

TEST_F(MessageBoxTest, AKeyWindowClosedDuringTheAlertIsLeftClosed)
{
    ASSERT_NE(CreateWindow(1, 0, 0, 300, 200, u"list"), 0);
    ASSERT_TRUE(PumpUntil([] { return IsKey(1); }));
    platform::SetAlertResponderForTests([](const platform::AlertRequest&) {
        DestroyWindow(1);
        return 0;
    });
    EXPECT_EQ(ShowMessageBox(u"Bye", u""), 0);
    Drain();
    EXPECT_EQ(WindowExists(1), 0);
    EXPECT_EQ(platform::KeyWindow(), nullptr);
}

} // namespace
} // namespace nevalon::gui
