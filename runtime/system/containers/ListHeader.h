#pragma once

#include "runtime/system/containers/ElementPool.h"

#include <cstdint>

namespace nevalon::system {

// The two words that start every list element.
struct ListLink {
    ListLink* next;
    ListLink* prev;
};

// The type-independent part of a list: its links, count, cursor and pool.
class ListHeader {
public:
    ListHeader(const ListHeader&) = delete;
    ListHeader& operator=(const ListHeader&) = delete;

    // Number of elements, kept up to date by every operation.
    int64_t CountElements() const { return count_; }

    // Leaves no current element, so that the next MoveNext or InsertElement starts at the head.
    void RewindList()
    {
        current_ = nullptr;
        staleIndex_ = true;
    }

    // The element kind given at creation.
    int32_t Kind() const { return kind_; }

    // Bytes of one element: the data plus the two link words.
    int64_t ElementSize() const { return elementSize_; }

    // The shared pool the elements come from; null when none could be had.
    ElementPool* Pool() const { return pool_; }

protected:
    ListHeader(int64_t elementSize, int32_t kind);
    ~ListHeader();

    void* AllocateLink() { return pool_ ? pool_->AllocateElement() : nullptr; }
    void FreeLink(ListLink* link) { pool_->FreeElement(link); }

    ListLink* FirstLink() const { return first_; }
    ListLink* CurrentLink() const { return current_; }

    // Links a new element after the current one, or at the head when there is none; it becomes current.
    void LinkAfterCurrent(ListLink* link);

    // Unlinks the current element and returns it (null when there is none); the cursor moves back.
    ListLink* UnlinkCurrent(int64_t flags);

    ListLink* NextLink()
    {
        if (current_) {
            if (!current_->next) return nullptr;
            current_ = current_->next;
            ++index_;
        } else {
            if (!first_) return nullptr;
            current_ = first_;
            index_ = 0;
            staleIndex_ = false;
        }
        return current_;
    }

    // The element at `index` by the shortest walk, made current; null (and no current) when out of range.
    ListLink* SelectLink(int64_t index);

    // Leaves the list empty and returns its former chain, first to last.
    ListLink* DetachAll();

    // Stable top-down merge sort of `n` elements from `from` on; only links change.
    template <typename InOrder> void SortLinks(ListLink* from, int64_t n, InOrder& inOrder)
    {
        ListLink* before = from->prev;
        ListLink* cursor = from;
        ListLink* last = nullptr;
        ListLink* head = MergeSort(cursor, n, inOrder, last);
        LinkBack(before, head, last, cursor);
    }

    void Swap(ListHeader& other);

private:
    // Consumes `n` elements from `cursor` on and returns them sorted, setting every back link but the first.
    template <typename InOrder>
    static ListLink* MergeSort(ListLink*& cursor, int64_t n, InOrder& inOrder, ListLink*& last)
    {
        if (n == 1) {
            ListLink* one = cursor;
            cursor = cursor->next;
            one->next = nullptr;
            last = one;
            return one;
        }
        ListLink* leftLast = nullptr;
        ListLink* rightLast = nullptr;
        ListLink* left = MergeSort(cursor, n / 2, inOrder, leftLast);
        ListLink* right = MergeSort(cursor, n - n / 2, inOrder, rightLast);
        ListLink head;
        ListLink* tail = &head;
        while (left && right) {
            ListLink* taken = nullptr;
            // One of the two successors is compared next: fetching both while this comparison runs hides
            // most of a cache miss per step on lists larger than the cache.
            __builtin_prefetch(left->next);
            __builtin_prefetch(right->next);
            if (inOrder(left, right)) {
                taken = left;
                left = left->next;
            } else {
                taken = right;
                right = right->next;
            }
            tail->next = taken;
            taken->prev = tail;
            tail = taken;
        }
        tail->next = left ? left : right;
        tail->next->prev = tail;
        last = left ? leftLast : rightLast;
        return head.next;
    }

    // Splices a sorted chain, whose back links are set except the first, between `before` and `after`.
    void LinkBack(ListLink* before, ListLink* head, ListLink* last, ListLink* after);

    ListLink* first_ = nullptr;
    ListLink* last_ = nullptr;
    ListLink* current_ = nullptr;
    int64_t count_ = 0;
    int64_t index_ = 0;
    ElementPool* pool_ = nullptr;
    int64_t elementSize_;
    int32_t kind_;
    bool staleIndex_ = true;
};

} // namespace nevalon::system
