#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

namespace nevalon::gui {

// Numbers for one kind of toolkit object: small fixed numbers chosen by the caller index a
// growable array of slots; -1 creates a dynamic object whose handle (its record's address)
// serves as its number. A record is live while Record::IsLive() says so.
template <typename Record> class ObjectTable {
public:
    // Fixed numbers are small, chosen by the program; anything from here on is not one.
    static constexpr int64_t kMaxFixedNumber = int64_t{1} << 20;

    using FreeRoutine = std::function<void(int64_t number)>;

    ObjectTable(int64_t growthStep, FreeRoutine freeRoutine)
        : growthStep_(growthStep), free_(std::move(freeRoutine)), slots_(static_cast<size_t>(growthStep))
    {
    }

    // A fresh record for `number` (-1: a new dynamic one). A live object under a fixed number is
    // freed through the kind's free routine first; its slot's record is then reused.
    [[nodiscard]] Record* Create(int64_t number)
    {
        if (number == -1) {
            dynamic_.push_back(std::make_unique<Record>());
            Record* record = dynamic_.back().get();
            dynamicIndex_[HandleOf(record)] = std::prev(dynamic_.end());
            return record;
        }
        // A number past any table a program keeps (a stale dynamic handle, say) is refused rather
        // than grown to.
        if (number < 0 || number >= kMaxFixedNumber) return nullptr;
        if (number >= Capacity()) slots_.resize(static_cast<size_t>(number + growthStep_));
        auto& slot = slots_[static_cast<size_t>(number)];
        if (slot && slot->IsLive()) {
            free_(number);
            if (slot->IsLive()) *slot = Record{};
        }
        if (slot)
            *slot = Record{};
        else
            slot = std::make_unique<Record>();
        return slot.get();
    }

    // The live record named by `number`, or null. Dynamic handles are checked, not trusted.
    Record* Find(int64_t number) const
    {
        if (number >= 0 && number < Capacity()) {
            Record* record = slots_[static_cast<size_t>(number)].get();
            return record && record->IsLive() ? record : nullptr;
        }
        auto it = dynamicIndex_.find(number);
        return it == dynamicIndex_.end() || !(*it->second)->IsLive() ? nullptr : it->second->get();
    }

    bool Exists(int64_t number) const { return Find(number) != nullptr; }

    // The number under which `record` lives: its slot index, or its handle when dynamic.
    int64_t NumberOf(const Record* record) const
    {
        for (size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].get() == record) return static_cast<int64_t>(i);
        return HandleOf(record);
    }

    // Gives the number back: a fixed slot keeps its (reset) record, a dynamic record is deleted.
    void Release(int64_t number)
    {
        if (number >= 0 && number < Capacity()) {
            if (auto& slot = slots_[static_cast<size_t>(number)]) *slot = Record{};
            return;
        }
        auto it = dynamicIndex_.find(number);
        if (it == dynamicIndex_.end()) return;
        dynamic_.erase(it->second);
        dynamicIndex_.erase(it);
    }

    // Calls the free routine for `number`, or for every live object when it is -1.
    void Free(int64_t number)
    {
        if (number != -1) {
            if (Exists(number)) free_(number);
            return;
        }
        for (int64_t n : LiveNumbers())
            free_(n);
    }

    // Live numbers: fixed slots in index order, then dynamic objects in creation order.
    std::vector<int64_t> LiveNumbers() const
    {
        std::vector<int64_t> numbers;
        for (size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i] && slots_[i]->IsLive()) numbers.push_back(static_cast<int64_t>(i));
        for (const auto& record : dynamic_)
            if (record->IsLive()) numbers.push_back(HandleOf(record.get()));
        return numbers;
    }

    int64_t Capacity() const { return static_cast<int64_t>(slots_.size()); }

private:
    static int64_t HandleOf(const Record* record)
    {
        return static_cast<int64_t>(reinterpret_cast<uintptr_t>(record));
    }

    int64_t growthStep_;
    FreeRoutine free_;
    std::vector<std::unique_ptr<Record>> slots_;
    std::list<std::unique_ptr<Record>> dynamic_;
    std::unordered_map<int64_t, typename std::list<std::unique_ptr<Record>>::iterator> dynamicIndex_;
};

} // namespace nevalon::gui
