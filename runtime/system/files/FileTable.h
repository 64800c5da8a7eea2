#pragma once

#include "runtime/system/files/FileObject.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace nevalon::system {

// Files by number: fixed numbers in slots grown by a growth step, and dynamic records whose address is
// their handle. A record is live while its stream is open.
class FileTable {
public:
    static constexpr int64_t kGrowthStep = 16;
    // Fixed numbers are small; anything larger must be a live handle.
    static constexpr int64_t kFixedNumberLimit = 65536;

    FileTable();
    ~FileTable();
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;

    // The live record named by a fixed number or a handle; null otherwise.
    FileObject* Find(int64_t number) const;

    // A closed record for opening under `number` (-1: a new dynamic one); a live record is closed first.
    // Null for a number that can name nothing.
    FileObject* Claim(int64_t number);

    // Closes the file and frees its number; false if the number names nothing or the close failed.
    bool Release(int64_t number);

    // Closes every file, fixed numbers in order first; false if any close failed.
    bool ReleaseAll();

private:
    std::vector<std::unique_ptr<FileObject>> slots_;
    std::vector<std::unique_ptr<FileObject>> dynamic_;
};

// The handle of a dynamic record: its address.
int64_t HandleOf(const FileObject* record);

// The process-wide table of open files.
FileTable& OpenFiles();

} // namespace nevalon::system
