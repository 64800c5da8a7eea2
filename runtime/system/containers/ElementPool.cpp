#include "runtime/system/containers/ElementPool.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

namespace nevalon::system {

namespace {

constexpr size_t kWord = 8;
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
    return (std::max<size_t>(elementSize, kWord) + kWord - 1) / kWord * kWord + kWord;
}

std::unique_lock<std::recursive_mutex> LockIf(const std::unique_ptr<std::recursive_mutex>& mutex)
{
    return mutex ? std::unique_lock(*mutex) : std::unique_lock<std::recursive_mutex>();
}

} // namespace

// A block header is followed by its slots; each slot starts with the address of its block.
struct ElementPool::Block {
    Block* next;
    Block* prev;
    void* freeChain;
    int64_t capacity;
    int64_t nextUnused;
    int64_t used;
    bool full;
};

namespace {

constexpr size_t kBlockHeader = (sizeof(void*) * 3 + sizeof(int64_t) * 4 + 15) / 16 * 16;

} // namespace

ElementPool::ElementPool(size_t elementSize, int32_t options)
    : slotSize_(SlotSizeFor(elementSize)), options_(options)
{
    static_assert(sizeof(Block) <= kBlockHeader);
    if (options & PoolThreadSafe) mutex_ = std::make_unique<std::recursive_mutex>();
}

ElementPool::~ElementPool()
{
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

void* ElementPool::AllocateElement()
{
    auto lock = LockIf(mutex_);
    Block* block = roomBlocks_ ? roomBlocks_ : AddBlock();
    if (!block) return nullptr;
    void* element;
    if (block->freeChain) {
        element = block->freeChain;
        block->freeChain = *static_cast<void**>(element);
    } else {
        char* slot = reinterpret_cast<char*>(block) + kBlockHeader + block->nextUnused++ * slotSize_;
        *reinterpret_cast<Block**>(slot) = block;
        element = slot + kWord;
    }
    ++block->used;
    if (!block->freeChain && block->nextUnused == block->capacity) {
        Unlink(roomBlocks_, block);
        PushFront(fullBlocks_, block);
        block->full = true;
    }
    return element;
}

void ElementPool::FreeElement(void* element)
{
    if (!element) return;
    auto lock = LockIf(mutex_);
    Block* block = *reinterpret_cast<Block**>(static_cast<char*>(element) - kWord);
    *static_cast<void**>(element) = block->freeChain;
    block->freeChain = element;
    if (block->full) {
        Unlink(fullBlocks_, block);
        PushFront(roomBlocks_, block);
        block->full = false;
    }
    if (--block->used == 0) {
        Unlink(roomBlocks_, block);
        slotCount_ -= block->capacity;
        --blockCount_;
        std::free(block);
    }
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
    auto* block = new (memory) Block{nullptr, nullptr, nullptr, slots, 0, 0, false};
    PushFront(roomBlocks_, block);
    slotCount_ += slots;
    ++blockCount_;
    return block;
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
