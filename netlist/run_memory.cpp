#include "netlist/run_memory.h"

#include <algorithm>
#include <cstring>

#include "platform/memory.h"

namespace veltrax {

namespace {

constexpr std::size_t FIRST_CHUNK = std::size_t{32} << 10;
constexpr std::size_t LARGEST_GROWTH = std::size_t{64} << 20;

// Once a run holds a few megabytes it is a large one: its blocks of a quarter megabyte and more
// grow to a megabyte, which the system backs by large pages (one fault where a small run would
// take hundreds). A small board stays in small pages, and small in memory.
constexpr std::size_t LARGE_RUN = std::size_t{2} << 20;
constexpr std::size_t LARGE_ENOUGH = std::size_t{128} << 10;
constexpr std::size_t LARGE_BLOCK = std::size_t{1} << 20;

std::size_t block_size(std::size_t size, std::size_t held) {
  return held >= LARGE_RUN && size >= LARGE_ENOUGH ? std::max(size, LARGE_BLOCK) : size;
}

std::size_t aligned_up(std::size_t n, std::size_t align) {
  return (n + align - 1) & ~(align - 1);
}

}  // namespace

struct alignas(std::max_align_t) RunMemory::OwnBlock {
  OwnBlock* prev;
  OwnBlock* next;
  std::size_t size;  // bytes after the header
};

void RunMemory::fail_after(long count) {
  fail_countdown_ = count < 0 ? -1 : count;
}

// Counts a request against the tests' seam; throws once the count has run out.
void RunMemory::count_request() {
  if (fail_countdown_ == 0) throw OutOfRunMemory();
  if (fail_countdown_ > 0) --fail_countdown_;
}

void RunMemory::note_held(std::size_t taken, std::size_t given_back) {
  held_ = held_ + taken - given_back;
  held_by_all_ = held_by_all_ + taken - given_back;
}

RunMemory::~RunMemory() {
  held_by_all_ -= held_;
  lasting_.give_back();
  work_.give_back();
  for (OwnBlock* b = own_; b != nullptr;) {
    OwnBlock* next = b->next;
    give_back_system_block(b, sizeof(OwnBlock) + b->size);
    b = next;
  }
}

void* RunMemory::system_block(std::size_t size) {
  void* block = take_system_block(size);
  if (block == nullptr) throw OutOfRunMemory();
  note_held(size, 0);
  return block;
}

void* RunMemory::Chunks::allocate_further(RunMemory& owner, std::size_t size, std::size_t align) {
  count_request();
  for (; current_ < count_; ++current_) {
    Chunk& c = items_[current_];
    const std::size_t start = aligned_up(c.used, align);
    if (start <= c.size && size <= c.size - start) {
      c.used = start + size;
      return c.bytes + start;
    }
    if (current_ + 1 == count_) break;
  }
  return fresh(owner, size, align);
}

void* RunMemory::Chunks::fresh(RunMemory& owner, std::size_t size, std::size_t align) {
  if (size > SIZE_MAX / 4) throw OutOfRunMemory();
  if (count_ == room_) {
    const std::size_t room = std::max<std::size_t>(16, room_ * 2);
    void* items = resize_system_block(items_, room_ * sizeof(Chunk), room * sizeof(Chunk));
    if (items == nullptr) throw OutOfRunMemory();
    owner.note_held(room * sizeof(Chunk), room_ * sizeof(Chunk));
    items_ = static_cast<Chunk*>(items);
    room_ = room;
  }
  // Each chunk is four times the one before (up to a growth of LARGEST_GROWTH), so that a run
  // takes few of them whatever its size.
  const std::size_t last = count_ == 0 ? FIRST_CHUNK / 4 : items_[count_ - 1].size;
  const std::size_t chunk_size = block_size(
      std::max(last + std::min(3 * last, LARGEST_GROWTH), aligned_up(size + align, FIRST_CHUNK)),
      owner.held_);
  char* bytes = static_cast<char*>(owner.system_block(chunk_size));
  current_ = count_++;
  items_[current_] = {bytes, chunk_size, size};
  return bytes;  // a system block is aligned for anything
}

void RunMemory::Chunks::release(Mark m) {
  if (count_ == 0) return;
  for (std::size_t k = m.chunk + 1; k < count_; ++k)
    items_[k].used = 0;
  // A mark names a chunk there was then, or chunk 0 from its start when there was none.
  current_ = m.chunk;
  items_[current_].used = m.used;
}

void RunMemory::Chunks::give_back() {
  for (std::size_t k = 0; k < count_; ++k)
    give_back_system_block(items_[k].bytes, items_[k].size);
  give_back_system_block(items_, room_ * sizeof(Chunk));
  items_ = nullptr;
  count_ = room_ = current_ = 0;
}

void* RunMemory::resize(void* block, std::size_t new_size) {
  count_request();
  if (new_size > SIZE_MAX / 2) throw OutOfRunMemory();
  new_size = block_size(new_size, held_);
  OwnBlock* old = block == nullptr ? nullptr : static_cast<OwnBlock*>(block) - 1;
  const std::size_t old_total = old == nullptr ? 0 : sizeof(OwnBlock) + old->size;
  void* moved = resize_system_block(old, old_total, sizeof(OwnBlock) + new_size);
  if (moved == nullptr) throw OutOfRunMemory();
  OwnBlock* b = static_cast<OwnBlock*>(moved);
  note_held(sizeof(OwnBlock) + new_size, old_total);
  if (old == nullptr) {
    b->prev = nullptr;
    b->next = own_;
    if (own_ != nullptr) own_->prev = b;
    own_ = b;
  } else {
    if (b->prev != nullptr) {
      b->prev->next = b;
    } else {
      own_ = b;
    }
    if (b->next != nullptr) b->next->prev = b;
  }
  b->size = new_size;
  return b + 1;
}

void RunMemory::give_back(void* block) {
  if (block == nullptr) return;
  OwnBlock* b = static_cast<OwnBlock*>(block) - 1;
  if (b->prev != nullptr) {
    b->prev->next = b->next;
  } else {
    own_ = b->next;
  }
  if (b->next != nullptr) b->next->prev = b->prev;
  note_held(0, sizeof(OwnBlock) + b->size);
  give_back_system_block(b, sizeof(OwnBlock) + b->size);
}

}  // namespace veltrax
