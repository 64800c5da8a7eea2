#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

namespace nevalon::system {

// Fixed-size element slots handed out from blocks, so that list elements are not allocated one by one.
class ElementPool {
public:
    enum Option : int32_t { PoolThreadSafe = 1 };

    // An empty pool for elements of `elementSize` bytes; PoolThreadSafe gives it a mutex of its own.
    explicit ElementPool(size_t elementSize, int32_t options = 0);
    ~ElementPool();
    ElementPool(const ElementPool&) = delete;
    ElementPool& operator=(const ElementPool&) = delete;

    // A reference to the process-wide pool for this slot size and options; null if none can be made.
    [[nodiscard]] static ElementPool* AcquireSharedPool(size_t elementSize, int32_t options = 0);

    // Drops a reference taken by AcquireSharedPool; the last one releases the pool.
    static void ReleaseSharedPool(ElementPool* pool);

    // Number of shared pools alive in the process.
    static int64_t SharedPoolCount();

    // An uninitialised element of the pool's size, aligned to 8 bytes; null when memory ran out.
    [[nodiscard]] void* AllocateElement() { return mutex_ ? AllocateLocked() : AllocateUnlocked(); }

    // Returns an element obtained from this pool; null does nothing.
    void FreeElement(void* element)
    {
        if (!element) return;
        if (mutex_)
            FreeLocked(element);
        else
            FreeUnlocked(element);
    }

    // Bytes of one slot: the element size rounded up to 8, plus the word that points back to its block.
    size_t SlotSize() const { return slotSize_; }

    // Slots in all blocks the pool holds, used or not.
    int64_t SlotCount() const { return slotCount_; }

    // Blocks the pool holds.
    int64_t BlockCount() const { return blockCount_; }

    // References taken on a shared pool.
    int64_t References() const { return references_; }

private:
    // A block header is followed by its slots; each slot starts with the address of its block, and a free
    // slot's element holds the next free element of the block.
    struct Block {
        ElementPool* owner;
        Block* next;
        Block* prev;
        void* freeChain;
        int64_t capacity;
        int64_t nextUnused;
        int64_t used;
        bool full;
    };
    static constexpr size_t kBlockHeader = (sizeof(Block) + 15) / 16 * 16;

    void* AllocateUnlocked()
    {
        Block* block = roomBlocks_ ? roomBlocks_ : AddBlock();
        if (!block) return nullptr;
        void* element = nullptr;
        if (block->freeChain) {
            element = block->freeChain;
            block->freeChain = *static_cast<void**>(element);
        } else {
            char* slot = reinterpret_cast<char*>(block) + kBlockHeader + block->nextUnused++ * slotSize_;
            *reinterpret_cast<Block**>(slot) = block;
            // NOLINTNEXTLINE(bugprone-sizeof-expression): a slot starts with its block's address
            element = slot + sizeof(Block*);
        }
        if (++block->used == block->capacity) MoveToFull(block);
        return element;
    }

    void FreeUnlocked(void* element)
    {
        // NOLINTNEXTLINE(bugprone-sizeof-expression): a slot starts with its block's address
        Block* block = *reinterpret_cast<Block**>(static_cast<char*>(element) - sizeof(Block*));
        assert(block->owner == this && block->used > 0 && "a freed element is one this pool handed out");
        *static_cast<void**>(element) = block->freeChain;
        block->freeChain = element;
        if (block->full || --block->used == 0) FreeSlow(block);
    }

    void* AllocateLocked();
    void FreeLocked(void* element);
    void FreeSlow(Block* block);
    Block* AddBlock();
    void MoveToFull(Block* block);
    static void Unlink(Block*& head, Block* block);
    static void PushFront(Block*& head, Block* block);

    size_t slotSize_;
    int32_t options_;
    Block* roomBlocks_ = nullptr;
    Block* fullBlocks_ = nullptr;
    int64_t slotCount_ = 0;
    int64_t blockCount_ = 0;
    int64_t references_ = 0;
    std::unique_ptr<std::recursive_mutex> mutex_;
};

} // namespace nevalon::system
