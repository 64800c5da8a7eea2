#include "runtime/system/containers/ListHeader.h"

#include <utility>

namespace nevalon::system {

ListHeader::ListHeader(int64_t elementSize, int32_t kind)
    : pool_(ElementPool::AcquireSharedPool(static_cast<size_t>(elementSize))), elementSize_(elementSize),
      kind_(kind)
{
}

ListHeader::~ListHeader()
{
    ElementPool::ReleaseSharedPool(pool_);
}

void ListHeader::LinkAfterCurrent(ListLink* link)
{
    ++count_;
    if (current_) {
        link->prev = current_;
        link->next = current_->next;
        if (current_->next)
            current_->next->prev = link;
        else
            last_ = link;
        current_->next = link;
        ++index_;
    } else {
        link->prev = nullptr;
        link->next = first_;
        if (first_)
            first_->prev = link;
        else
            last_ = link;
        first_ = link;
        index_ = 0;
        staleIndex_ = false;
    }
    current_ = link;
}

ListLink* ListHeader::UnlinkCurrent(int64_t flags)
{
    ListLink* removed = current_;
    if (!removed) return nullptr;
    --count_;
    if (removed->next)
        removed->next->prev = removed->prev;
    else
        last_ = removed->prev;
    if (removed->prev) {
        removed->prev->next = removed->next;
        current_ = removed->prev;
        --index_;
    } else {
        first_ = removed->next;
        if (first_ && (flags & 1)) {
            current_ = first_;
            index_ = 0;
            staleIndex_ = false;
        } else {
            current_ = nullptr;
            staleIndex_ = true;
        }
    }
    return removed;
}

ListLink* ListHeader::SelectLink(int64_t index)
{
    if (index < 0 || index >= count_) {
        current_ = nullptr;
        staleIndex_ = true;
        return nullptr;
    }
    ListLink* link = nullptr;
    int64_t fromTail = count_ - 1 - index;
    int64_t fromCurrent =
        current_ && !staleIndex_ ? (index > index_ ? index - index_ : index_ - index) : count_;
    if (fromCurrent < index && fromCurrent < fromTail) {
        link = current_;
        for (int64_t i = index_; i < index; ++i)
            link = link->next;
        for (int64_t i = index_; i > index; --i)
            link = link->prev;
    } else if (index <= fromTail) {
        link = first_;
        for (int64_t i = 0; i < index; ++i)
            link = link->next;
    } else {
        link = last_;
        for (int64_t i = 0; i < fromTail; ++i)
            link = link->prev;
    }
    current_ = link;
    index_ = index;
    staleIndex_ = false;
    return link;
}

ListLink* ListHeader::DetachAll()
{
    ListLink* chain = first_;
    first_ = last_ = current_ = nullptr;
    count_ = 0;
    staleIndex_ = true;
    return chain;
}

void ListHeader::LinkBack(ListLink* before, ListLink* head, ListLink* last, ListLink* after)
{
    head->prev = before;
    if (before)
        before->next = head;
    else
        first_ = head;
    last->next = after;
    if (after)
        after->prev = last;
    else
        last_ = last;
    staleIndex_ = true;
}

void ListHeader::Swap(ListHeader& other)
{
    std::swap(first_, other.first_);
    std::swap(last_, other.last_);
    std::swap(current_, other.current_);
    std::swap(count_, other.count_);
    std::swap(index_, other.index_);
    std::swap(pool_, other.pool_);
    std::swap(elementSize_, other.elementSize_);
    std::swap(kind_, other.kind_);
    std::swap(staleIndex_, other.staleIndex_);
}

} // namespace nevalon::system
