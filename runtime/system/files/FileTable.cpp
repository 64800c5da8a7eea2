#include "runtime/system/files/FileTable.h"

#include <algorithm>

namespace nevalon::system {
int64_t HandleOf(const FileObject* record)
{
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(record));
}

FileTable::FileTable() : slots_(kGrowthStep) {}

// Files still open at program end are closed so that their buffered data reaches the disk.
FileTable::~FileTable()
{
    ReleaseAll();
}

FileObject* FileTable::Find(int64_t number) const
{
    FileObject* record = nullptr;
    if (number >= 0 && number < static_cast<int64_t>(slots_.size())) {
        record = slots_[number].get();
    } else {
        auto it = std::find_if(dynamic_.begin(), dynamic_.end(), [number](const auto& candidate) {
            return HandleOf(candidate.get()) == number;
        });
        if (it != dynamic_.end()) record = it->get();
    }
    return record && record->stream >= 0 ? record : nullptr;
}

FileObject* FileTable::Claim(int64_t number)
{
    if (number == -1) return dynamic_.emplace_back(std::make_unique<FileObject>()).get();
    if (FileObject* open = Find(number)) {
        CloseStream(*open);
        *open = FileObject();
        return open;
    }
    if (number < 0 || number >= kFixedNumberLimit) return nullptr;
    if (number >= static_cast<int64_t>(slots_.size())) slots_.resize(number + kGrowthStep);
    slots_[number] = std::make_unique<FileObject>();
    return slots_[number].get();
}

bool FileTable::Release(int64_t number)
{
    FileObject* record = Find(number);
    bool closed = record && CloseStream(*record);
    if (number >= 0 && number < static_cast<int64_t>(slots_.size())) {
        slots_[number].reset();
    } else {
        std::erase_if(dynamic_,
                      [number](const auto& candidate) { return HandleOf(candidate.get()) == number; });
    }
    return closed;
}

bool FileTable::ReleaseAll()
{
    bool ok = true;
    for (auto& slot : slots_) {
        if (slot && slot->stream >= 0) ok = CloseStream(*slot) && ok;
        slot.reset();
    }
    for (auto& record : dynamic_) {
        if (record->stream >= 0) ok = CloseStream(*record) && ok;
    }
    dynamic_.clear();
    return ok;
}

FileTable& OpenFiles()
{
    static FileTable table;
    return table;
}

} // namespace nevalon::system
