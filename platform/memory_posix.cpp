#include <sys/mman.h>

#include <cstdint>
#include <cstring>

#include "platform/memory.h"

namespace veltrax {

namespace {

constexpr std::size_t PAGE = 4096;
constexpr std::size_t LARGE_PAGE = std::size_t{2} << 20;
// From here on a block is made of whole large pages: faulting them in page by page would cost
// more than the comparison itself, and the memory taken beyond the need is at most a fraction.
constexpr std::size_t LARGE_BLOCK = LARGE_PAGE / 2;

std::size_t length_of(std::size_t size) {
  if (size == 0) size = 1;
  const std::size_t unit = size >= LARGE_BLOCK ? LARGE_PAGE : PAGE;
  return (size + unit - 1) / unit * unit;
}

// Small blocks are filled with pages at once, which costs a fraction of taking the same pages
// one fault at a time.
void* map(std::size_t length, int populate = MAP_POPULATE) {
  void* block =
      mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | populate, -1, 0);
  return block == MAP_FAILED ? nullptr : block;
}

// A block of whole large pages on a large-page boundary: more is mapped and the slack around the
// boundary given back.
void* map_large(std::size_t length) {
  char* raw = static_cast<char*>(map(length + LARGE_PAGE, 0));
  if (raw == nullptr) return nullptr;
  const auto address = reinterpret_cast<std::uintptr_t>(raw);
  char* aligned = raw + ((LARGE_PAGE - address % LARGE_PAGE) % LARGE_PAGE);
  if (aligned != raw) munmap(raw, static_cast<std::size_t>(aligned - raw));
  const std::size_t tail = static_cast<std::size_t>(raw + length + LARGE_PAGE - (aligned + length));
  if (tail > 0) munmap(aligned + length, tail);
#ifdef MADV_HUGEPAGE
  madvise(aligned, length, MADV_HUGEPAGE);
#endif
  return aligned;
}

}  // namespace

void* take_system_block(std::size_t size) {
  const std::size_t length = length_of(size);
  if (length < size) return nullptr;
  return length >= LARGE_BLOCK ? map_large(length) : map(length);
}

void give_back_system_block(void* block, std::size_t size) {
  if (block != nullptr) munmap(block, length_of(size));
}

void* resize_system_block(void* block, std::size_t old_size, std::size_t new_size) {
  if (block == nullptr) return take_system_block(new_size);
  const std::size_t old_length = length_of(old_size);
  const std::size_t new_length = length_of(new_size);
  if (new_length < new_size) return nullptr;
  if (new_length == old_length) return block;
#ifdef MREMAP_MAYMOVE
  // Small blocks move without a copy; large ones are copied onto large pages.
  if (new_length < LARGE_BLOCK) {
    void* moved = mremap(block, old_length, new_length, MREMAP_MAYMOVE);
    if (moved == MAP_FAILED) return nullptr;
#ifdef MADV_POPULATE_WRITE
    if (new_length > old_length) {
      madvise(static_cast<char*>(moved) + old_length, new_length - old_length, MADV_POPULATE_WRITE);
    }
#endif
    return moved;
  }
#endif
  void* fresh = take_system_block(new_size);
  if (fresh == nullptr) return nullptr;
  std::memcpy(fresh, block, old_size < new_size ? old_size : new_size);
  munmap(block, old_length);
  return fresh;
}

}  // namespace veltrax
