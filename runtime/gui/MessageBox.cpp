#include "runtime/gui/MessageBox.h"

#include "platform/Alert.h"
#include "platform/Window.h"

#include <vector>

namespace nevalon::gui {
namespace {

struct ButtonTitles {
    const char16_t* yes;
    const char16_t* no;
    const char16_t* cancel;
};

ButtonTitles TitlesFor(const std::string& language)
{
    if (language.starts_with("fr")) return {u"Oui", u"Non", u"Annuler"};
    if (language.starts_with("de")) return {u"Ja", u"Nein", u"Abbrechen"};
    if (language.starts_with("it")) return {u"SÌ", u"NO", u"Annulla"};
    if (language.starts_with("es")) return {u"Sí", u"No", u"Cancelar"};
    return {u"Yes", u"No", u"Cancel"};
}

} // namespace

int64_t ShowMessageBox(const std::u16string& title, const std::u16string& text, int64_t flags)
{
    platform::Ref<platform::Window> key(platform::KeyWindow());
    platform::AlertRequest request;
    request.messageText = title;
    request.informativeText = text;
    if (flags & MessageBoxCautionIcon)
        request.icon = platform::AlertIcon::Caution;
    else if (flags & MessageBoxNoteIcon)
        request.icon = platform::AlertIcon::Note;
    else if (flags & MessageBoxStopIcon)
        request.icon = platform::AlertIcon::Stop;

    std::vector<int64_t> tags;
    if (flags & (MessageBoxYesNo | MessageBoxYesNoCancel)) {
        std::vector<std::string> languages = platform::PreferredLanguages();
        ButtonTitles titles = TitlesFor(languages.empty() ? std::string() : languages.front());
        request.buttons = {titles.yes, titles.no};
        tags = {MessageBoxYes, MessageBoxNo};
        if (flags & MessageBoxYesNoCancel) {
            request.buttons.push_back(titles.cancel);
            tags.push_back(MessageBoxCancel);
        }
    }
    int pressed = platform::RunAlert(request);
    if (key && !key->IsClosed()) key->OrderFront(true);
    if (tags.empty()) return MessageBoxOk;
    // Closed without a button: the last button's answer (No or Cancel), so that a dismissed
    // question never confirms anything.
    return pressed >= 0 && pressed < static_cast<int>(tags.size()) ? tags[static_cast<size_t>(pressed)]
                                                                   : tags.back();
}

} // namespace nevalon::gui
