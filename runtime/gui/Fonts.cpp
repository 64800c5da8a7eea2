#include "runtime/gui/Fonts.h"

#include "platform/Font.h"
#include "runtime/gui/ObjectTable.h"

namespace nevalon::gui {
namespace {

struct FontRecord {
    platform::Ref<platform::Font> font;
    bool IsLive() const { return static_cast<bool>(font); }
};

ObjectTable<FontRecord>& Fonts()
{
    // Never destroyed, like the other tables: a font may still be released while the process exits.
    static auto* table = new ObjectTable<FontRecord>(8, [](int64_t n) { DisposeFont(n); });
    return *table;
}

} // namespace

int64_t OpenFont(int64_t font, const std::u16string& family, double size, int64_t flags)
{
    FontRecord* record = Fonts().Create(font);
    if (!record) return 0;
    int64_t number = Fonts().NumberOf(record);
    record->font = platform::Ref<platform::Font>::Adopt(
        platform::CreateFont(family, size, (flags & FontBold) != 0, (flags & FontItalic) != 0));
    if (!record->font) {
        Fonts().Release(number);
        return 0;
    }
    return font == -1 ? number : record->font->Handle();
}

int64_t FontHandle(int64_t font)
{
    FontRecord* record = Fonts().Find(font);
    return record ? record->font->Handle() : 0;
}

int64_t FontExists(int64_t font)
{
    return Fonts().Exists(font) ? 1 : 0;
}

void DisposeFont(int64_t font)
{
    if (font == -1)
        Fonts().Free(-1);
    else if (Fonts().Exists(font))
        Fonts().Release(font);
}

} // namespace nevalon::gui
