#include "runtime/system/drawing/ImageTable.h"

#include <algorithm>

namespace nevalon::system {
namespace {

int64_t HandleOf(const ImageRecord* record)
{
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(record));
}

} // namespace

ImageRecord* ImageTable::Find(int64_t number) const
{
    ImageRecord* record = nullptr;
    if (number >= 0 && number < static_cast<int64_t>(slots_.size())) {
        record = slots_[static_cast<size_t>(number)].get();
    } else {
        auto it = std::find_if(dynamic_.begin(), dynamic_.end(), [number](const auto& candidate) {
            return HandleOf(candidate.get()) == number;
        });
        if (it != dynamic_.end()) record = it->get();
    }
    return record && record->image ? record : nullptr;
}

ImageRecord* ImageTable::Claim(int64_t number)
{
    if (number == -1) return dynamic_.emplace_back(std::make_unique<ImageRecord>()).get();
    if (number < 0 || number >= kFixedNumberLimit) return nullptr;
    if (number >= static_cast<int64_t>(slots_.size()))
        slots_.resize(static_cast<size_t>(number + kGrowthStep));
    auto& slot = slots_[static_cast<size_t>(number)];
    slot = std::make_unique<ImageRecord>();
    return slot.get();
}

int64_t ImageTable::NumberOf(const ImageRecord* record) const
{
    for (size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].get() == record) return static_cast<int64_t>(i);
    return HandleOf(record);
}

void ImageTable::Release(int64_t number)
{
    if (number >= 0 && number < static_cast<int64_t>(slots_.size())) {
        slots_[static_cast<size_t>(number)].reset();
        return;
    }
    std::erase_if(dynamic_, [number](const auto& candidate) { return HandleOf(candidate.get()) == number; });
}

void ImageTable::ReleaseAll()
{
    for (auto& slot : slots_)
        slot.reset();
    dynamic_.clear();
}

ImageTable& Images()
{
    static ImageTable table;
    return table;
}

} // namespace nevalon::system
