// Reading a file line by line in any format, buffered or not, with any length limit: every line comes
// from the file's bytes and the reading always reaches the end.
#include "FuzzInput.h"
#include "ScratchFolder.h"
#include "runtime/system/files/Files.h"
#include "runtime/system/strings/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace nevalon::system;
    nevalon::fuzz::FuzzInput input(data, size);
    const uint8_t choice = input.Byte();
    const StringFormat formats[] = {0, FormatUtf8, FormatAscii, FormatUtf16};
    const int64_t openFlags = formats[choice & 3] | ((choice & 4) ? FileNoBuffering : 0);
    const int64_t readFlags = (choice & 8) ? ReadKeepLineEnds : 0;
    // A limit of 0 reads nothing, so the loop below would not move.
    const int64_t length = (choice & 16) ? 1 + (input.Byte() & 63) : -1;
    const std::string_view bytes = input.Rest();
    const std::string path = nevalon::fuzz::PutScratchFile("lines", bytes);

    const int64_t file = OpenFileReadOnly(-1, StringFromUtf8(path), openFlags);
    nevalon::fuzz::Require(file != 0);
    size_t lines = 0;
    while (!AtEndOfFile(file)) {
        const String line = ReadLine(file, 0, length);
        nevalon::fuzz::Require(line.size() <= bytes.size());
        nevalon::fuzz::Require(length < 0 || static_cast<int64_t>(line.size()) <= 2 * length);
        // Every line takes at least one byte: more lines than bytes means the reading stands still.
        nevalon::fuzz::Require(++lines <= bytes.size());
    }
    nevalon::fuzz::Require(ReadLine(file, readFlags).empty());
    nevalon::fuzz::Require(CloseFile(file) == 1);
    return 0;
}
