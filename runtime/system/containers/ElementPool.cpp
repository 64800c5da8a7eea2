#include "runtime/system/containers/ElementPool.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <new>
#include <vector>

namespace nevalon::system {

namespace {

constexpr int64_t kMinimumBlockSlots = 16;
constexpr int64_t kMaximumBlockSlots = 65536;

struct Registry {
    std::recursive_mutex mutex;
    std::vector<ElementPool*> pools;
};

// Built on first use, so that it outlives every list created after it, globals included.
Registry& SharedRegistry()
{
    static Registry registry;
    return registry;
}

size_t SlotSizeFor(size_t elementSize)
{
    constexpr size_t word = 8;
    return (std::max(elementSize, word) + word - 1) / word * word + word;
}

} // namespace

ElementPool::ElementPool(size_t elementSize, int32_t options)
    : slotSize_(SlotSizeFor(elementSize)), options_(options)
{
    if (options & PoolThreadSafe) mutex_ = std::make_unique<std::recursive_mutex>();
}

ElementPool::~ElementPool()
{
    // An empty block is freed at once, so a block left means an element still in use.
    assert(blockCount_ == 0 && "a pool dies with no element in use");
    for (Block* head : {roomBlocks_, fullBlocks_}) {
        while (head) {
            Block* next = head->next;
            std::free(head);
            head = next;
        }
    }
}

ElementPool* ElementPool::AcquireSharedPool(size_t elementSize, int32_t options)
{
    Registry& registry = SharedRegistry();
    std::lock_guard lock(registry.mutex);
    for (ElementPool* pool : registry.pools) {
        if (pool->slotSize_ == SlotSizeFor(elementSize) && pool->options_ == options) {
            ++pool->references_;
            return pool;
        }
    }
    auto* pool = new (std::nothrow) ElementPool(elementSize, options);
    if (!pool) return nullptr;
    try {
        registry.pools.push_back(pool);
    } catch (...) {
        delete pool;
        return nullptr;
    }
    pool->references_ = 1;
    return pool;
}

void ElementPool::ReleaseSharedPool(ElementPool* pool)
{
    if (!pool) return;
    Registry& registry = SharedRegistry();
    std::lock_guard lock(registry.mutex);
    auto found = std::find(registry.pools.begin(), registry.pools.end(), pool);
    if (found == registry.pools.end() || --pool->references_ > 0) return;
    registry.pools.erase(found);
    delete pool;
}

int64_t ElementPool::SharedPoolCount()
{
    Registry& registry = SharedRegistry();
    std::lock_guard lock(registry.mutex);
    return static_cast<int64_t>(registry.pools.size());
}

void* ElementPool::AllocateLocked()
{
    std::lock_guard lock(*mutex_);
    return AllocateUnlocked();
}

void ElementPool::FreeLocked(void* element)
{
    std::lock_guard lock(*mutex_);
    FreeUnlocked(element);
}

// Called for a block that was full (it has room again) or whose last used slot was just freed.
void ElementPool::FreeSlow(Block* block)
{
    if (block->full) {
        Unlink(fullBlocks_, block);
        PushFront(roomBlocks_, block);
        block->full = false;
        if (--block->used > 0) return;
    }
    Unlink(roomBlocks_, block);
    slotCount_ -= block->capacity;
    --blockCount_;
    std::free(block);
}

ElementPool::Block* ElementPool::AddBlock()
{
    int64_t slots = std::clamp(slotCount_ / 16 / 16 * 16, kMinimumBlockSlots, kMaximumBlockSlots);
    void* memory = std::malloc(kBlockHeader + static_cast<size_t>(slots) * slotSize_);
    if (!memory) {
        slots = 1;
        memory = std::malloc(kBlockHeader + slotSize_);
        if (!memory) return nullptr;
    }
    auto* block = new (memory) Block{this, nullptr, nullptr, nullptr, slots, 0, 0, false};
    PushFront(roomBlocks_, block);
    slotCount_ += slots;
    ++blockCount_;
    return block;
}

void ElementPool::MoveToFull(Block* block)
{
    Unlink(roomBlocks_, block);
    PushFront(fullBlocks_, block);
    block->full = true;
}

void ElementPool::Unlink(Block*& head, Block* block)
{
    if (block->prev)
        block->prev->next = block->next;
    else
        head = block->next;
    if (block->next) block->next->prev = block->prev;
    block->next = block->prev = nullptr;
}

void ElementPool::PushFront(Block*& head, Block* block)
{
    block->prev = nullptr;
    block->next = head;
    if (head) head->prev = block;
    head = block;
}

} // namespace nevalon::system
