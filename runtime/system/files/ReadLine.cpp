#include "runtime/system/files/ReadLine.h"

#include "runtime/system/files/FileTable.h"
#include "runtime/system/strings/Strings.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace nevalon::system {
namespace {

// One character as read: its bytes, and the unit that decides whether it ends the line.
struct Character {
    char bytes[4];
    int size;
    uint32_t unit;
};

// Bytes that need no look at their neighbours: they are copied in runs straight from the buffer.
constexpr std::array<bool, 256> PlainBytes(int last)
{
    std::array<bool, 256> plain{};
    for (int byte = 1; byte <= last; ++byte)
        plain[byte] = byte != '\n' && byte != '\r';
    return plain;
}
constexpr std::array<bool, 256> kPlainUtf8 = PlainBytes(0x7F);
constexpr std::array<bool, 256> kPlainSingleByte = PlainBytes(0xFF);

void SetQuestionMark(Character& character)
{
    character.bytes[0] = '?';
    character.size = 1;
    character.unit = '?';
}

// False at the end of the file, including a character cut short by it.
bool ReadCharacter(FileObject& file, StringFormat format, Character& character)
{
    const int lead = NextByte(file);
    if (lead < 0) return false;
    character.bytes[0] = static_cast<char>(lead);
    character.size = 1;
    character.unit = lead;
    if (format == FormatUtf16) {
        const int second = NextByte(file);
        if (second < 0) return false;
        character.bytes[1] = static_cast<char>(second);
        character.size = 2;
        char16_t unit = 0;
        std::memcpy(&unit, character.bytes, 2);
        character.unit = unit;
        return true;
    }
    if (format != FormatUtf8 || lead < 0x80) return true;
    const int length = Utf8SequenceLength(static_cast<unsigned char>(lead));
    if (length == 0) {
        SetQuestionMark(character);
        return true;
    }
    for (int at = 1; at < length; ++at) {
        const int next = NextByte(file);
        if (next < 0) return false;
        if ((next & 0xC0) != 0x80) {
            // A broken sequence must not swallow the byte after it, which may well be a line end.
            GiveBack(file, 1);
            SetQuestionMark(character);
            return true;
        }
        character.bytes[at] = static_cast<char>(next);
    }
    character.size = length;
    // Past U+10FFFF the decoder would stop and drop the rest of the line.
    if (length == 4 &&
        (lead > 0xF4 || (lead == 0xF4 && static_cast<unsigned char>(character.bytes[1]) >= 0x90)))
        SetQuestionMark(character);
    return true;
}

// After a carriage return: a line feed belongs to the same line end; anything else is given back.
void SkipLineFeed(FileObject& file, StringFormat format)
{
    const int unitSize = format == FormatUtf16 ? 2 : 1;
    char bytes[2] = {};
    const int64_t got = ReadBytes(file, bytes, unitSize);
    if (got == 0) return;
    char16_t unit = static_cast<unsigned char>(bytes[0]);
    if (got == 2) std::memcpy(&unit, bytes, 2);
    if (got < unitSize || unit != '\n') GiveBack(file, static_cast<int32_t>(got));
}

// Copies the run of plain bytes at the buffer's read position; the number of bytes taken.
int64_t TakePlainRun(FileObject& file, const std::array<bool, 256>& plain, int64_t limit, std::string& line)
{
    if (file.direction != 1 || file.remaining == 0) return 0;
    const unsigned char* start = file.buffer.get() + file.filled - file.remaining;
    const int64_t end = std::min<int64_t>(file.remaining, limit);
    int64_t run = 0;
    while (run < end && plain[start[run]])
        ++run;
    line.append(reinterpret_cast<const char*>(start), run);
    file.remaining -= static_cast<int32_t>(run);
    return run;
}

} // namespace

String ReadLine(int64_t number, int64_t flags, int64_t length)
{
    FileObject* file = OpenFiles().Find(number);
    if (!file) return String();
    StringFormat format = (flags & 31) ? (flags & 31) : file->format;
    if (format != FormatUtf8 && format != FormatUtf16) format = FormatAscii;
    const bool keepLineEnds = flags & ReadKeepLineEnds;
    const auto& plain = format == FormatUtf8 ? kPlainUtf8 : kPlainSingleByte;

    // Reused from line to line (files are used from the main thread only).
    static std::string line;
    line.clear();
    StartReading(*file);
    int64_t count = 0;
    while (length < 0 || count < length) {
        if (format != FormatUtf16) {
            const int64_t run = TakePlainRun(*file, plain, length < 0 ? INT64_MAX : length - count, line);
            count += run;
            if (run > 0) continue;
        }
        Character character;
        if (!ReadCharacter(*file, format, character) || character.unit == 0) break;
        if (!keepLineEnds && character.unit == '\n') break;
        if (!keepLineEnds && character.unit == '\r') {
            SkipLineFeed(*file, format);
            break;
        }
        line.append(character.bytes, character.size);
        ++count;
    }

    String result;
    if (format == FormatUtf8) {
        result = StringFromUtf8(line);
    } else {
        const int64_t size = static_cast<int64_t>(line.size());
        result = StringFromBytes(line.data(), format == FormatUtf16 ? size / 2 : size, format);
    }
    if (line.capacity() > (1 << 20)) std::string().swap(line);
    return result;
}

} // namespace nevalon::system
