#pragma once

#include "runtime/system/containers/ElementKind.h"
#include "runtime/system/containers/ListHeader.h"

#include <cstddef>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <utility>

namespace nevalon::system {

// A doubly linked list of T with a cursor (the current element), drawing its elements from a shared pool.
// Records release and copy their strings through their own constructors, destructors and assignment,
// so no record layout is walked.
template <typename T> class List : public ListHeader {
    struct Node : ListLink {
        T data;
    };
    static_assert(alignof(Node) <= 8, "list elements are aligned to 8 bytes");

public:
    // An empty list with no current element; `kind` is what a sort with key kind -1 compares by.
    explicit List(int32_t kind = KindOf<T>()) : ListHeader(sizeof(Node), kind) {}
    ~List() { EmptyList(); }

    // Takes over the elements and the cursor of `other`, which is left empty.
    List(List&& other) noexcept : ListHeader(sizeof(Node), other.Kind()) { Swap(other); }
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    List& operator=(List&& other) noexcept
    {
        if (this != &other) {
            Swap(other);
            other.EmptyList();
        }
        return *this;
    }

    // Reads the elements first to last without touching the cursor, so that a walk that only reads never
    // moves another's position. Inserting or removing elements ends the walk's validity.
    class ConstIterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        ConstIterator() = default;
        reference operator*() const { return static_cast<const Node*>(link_)->data; }
        pointer operator->() const { return &**this; }
        ConstIterator& operator++()
        {
            link_ = link_->next;
            return *this;
        }
        ConstIterator operator++(int)
        {
            ConstIterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const ConstIterator&) const = default;

    private:
        friend class List;
        explicit ConstIterator(const ListLink* link) : link_(link) {}
        const ListLink* link_ = nullptr;
    };
    ConstIterator begin() const { return ConstIterator(FirstLink()); }
    ConstIterator end() const { return ConstIterator(nullptr); }

    // The current element's data, or null when there is none.
    T* Current() const { return DataOf(CurrentLink()); }

    // A zero-filled element after the current one (at the head when there is none), made current;
    // null when memory ran out.
    T* InsertElement()
    {
        void* memory = AllocateLink();
        if (!memory) return nullptr;
        std::memset(memory, 0, sizeof(Node));
        Node* node = nullptr;
        try {
            node = new (memory) Node();
        } catch (...) {
            FreeLink(static_cast<ListLink*>(memory));
            return nullptr;
        }
        LinkAfterCurrent(node);
        return &node->data;
    }

    // Removes the current element; its predecessor becomes current, or with flags bit 0 set the new first
    // element when the first was removed. Returns the new current element, null when there is none.
    T* RemoveElement(int64_t flags = 0)
    {
        ListLink* removed = UnlinkCurrent(flags);
        if (!removed) return nullptr;
        Release(removed);
        return Current();
    }

    // The next element (the first when there is no current one), made current; null past the end, where
    // the cursor stays on the last element.
    T* MoveNext() { return DataOf(NextLink()); }

    // The element at the 0-based `index`, made current; null and no current element when out of range.
    T* SelectElement(int64_t index) { return DataOf(SelectLink(index)); }

    // Releases every element, first to last; the list is left empty with no current element.
    void EmptyList()
    {
        ListLink* link = DetachAll();
        while (link) {
            ListLink* next = link->next;
            Release(link);
            link = next;
        }
    }

    // Stable sort of the elements at indices first..last (both -1: all of them) by `inOrder(a, b)`, which
    // tells whether `a` may stay before `b`. Elements are re-linked, never copied. A range is found with
    // SelectElement, which leaves its last element current; nothing happens when it does not exist.
    template <typename InOrder> void SortElements(int64_t first, int64_t last, InOrder inOrder)
    {
        if (CountElements() == 0) return;
        ListLink* from = nullptr;
        int64_t n = 0;
        if (first == -1 && last == -1) {
            from = FirstLink();
            n = CountElements();
        } else {
            from = SelectLink(first);
            if (!from || !SelectLink(last) || last < first) return;
            n = last - first + 1;
        }
        auto linksInOrder = [&inOrder](ListLink* a, ListLink* b) {
            return inOrder(static_cast<Node*>(a)->data, static_cast<Node*>(b)->data);
        };
        SortLinks(from, n, linksInOrder);
    }

private:
    static T* DataOf(ListLink* link) { return link ? &static_cast<Node*>(link)->data : nullptr; }

    void Release(ListLink* link)
    {
        static_cast<Node*>(link)->~Node();
        FreeLink(link);
    }
};

// A new empty list on the heap; null when memory ran out.
template <typename T> std::unique_ptr<List<T>> CreateList(int32_t kind = KindOf<T>())
{
    return std::unique_ptr<List<T>>(new (std::nothrow) List<T>(kind));
}

// Empties and releases the list, leaving the variable null.
template <typename T> void DestroyList(std::unique_ptr<List<T>>& list)
{
    list.reset();
}

// Element count; -1 when there is no list.
template <typename T> int64_t CountElements(const List<T>* list)
{
    return list ? list->CountElements() : -1;
}

// Copies the record `source` into `target` (strings duplicated); nothing when they are the same or null.
template <typename T> void CopyRecord(const T* source, T* target)
{
    if (!source || !target || source == target) return;
    try {
        *target = *source;
    } catch (...) {
    }
}

} // namespace nevalon::system
