#include "platform/qt/QtFont.h"

#include "platform/Application.h"
#include "platform/qt/QtDrivers.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>

namespace nevalon::platform {

QFont ToQFont(const Font& font)
{
    QFont qfont(QString::fromStdU16String(font.Family()));
    // A point is the unit of every position and size in a window, so a font of 24 points is 24 units
    // high, as the layouts that place text expect; Qt's points would be a third larger at 96 dpi.
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.PointSize()))));
    qfont.setWeight(font.Bold() ? QFont::Bold : QFont::Normal);
    qfont.setItalic(font.Italic());
    return qfont;
}

Font* QtTextDriver::CreateFont(const std::u16string& family, double pointSize, bool bold, bool italic)
{
    // The font database needs the application; a size of 0 or less names no font.
    if (!ApplicationStarted() || !std::isfinite(pointSize) || pointSize <= 0) return nullptr;
    QString name = QString::fromStdU16String(family);
    // Only the family's own name counts: fontconfig would quietly substitute a look-alike for any other.
    // Listing the families costs more than everything else here, and the program asks for few names.
    static std::map<QString, bool> installed;
    auto known = installed.find(name);
    if (known == installed.end())
        known = installed.emplace(name, QFontDatabase::families().contains(name)).first;
    if (!known->second) name = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return new Font(name.toStdU16String(), pointSize, bold, italic);
}

} // namespace nevalon::platform
