#include <sys/mman.h>

#include <cstdint>
#include <cstring>

#include "platform/memory.h"

namespace veltrax {

namespace {

constexpr std::size_t LARGE_PAGE = std::size_t{2} << 20;
constexpr std::size_t PAGE = 4096;

std::size_t whole_pages(std::size_t size) {
  return (size + PAGE - 1) / PAGE * PAGE;
}

// Large pages for the part of a block that they can cover.
void advise_large_pages([[maybe_unused]] void* block, [[maybe_unused]] std::size_t size) {
#ifdef MADV_HUGEPAGE
  if (size < 2 * LARGE_PAGE) return;
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t first = (start + LARGE_PAGE - 1) & ~(LARGE_PAGE - 1);
  const std::uintptr_t last = (start + size) & ~(LARGE_PAGE - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace

void* take_system_block(std::size_t size) {
  if (size == 0) size = 1;
  const std::size_t length = whole_pages(size);
  if (length < size) return nullptr;
  void* block = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
  advise_large_pages(block, length);
  return block;
}

void give_back_system_block(void* block, std::size_t size) {
  if (block != nullptr) munmap(block, whole_pages(size == 0 ? 1 : size));
}

void* resize_system_block(void* block, std::size_t old_size, std::size_t new_size) {
  if (block == nullptr) return take_system_block(new_size);
  const std::size_t old_length = whole_pages(old_size == 0 ? 1 : old_size);
  const std::size_t new_length = whole_pages(new_size == 0 ? 1 : new_size);
  if (new_length < new_size) return nullptr;
#ifdef MREMAP_MAYMOVE
  void* moved = mremap(block, old_length, new_length, MREMAP_MAYMOVE);
  if (moved == MAP_FAILED) return nullptr;
  advise_large_pages(moved, new_length);
  return moved;
#else
  void* fresh = take_system_block(new_size);
  if (fresh == nullptr) return nullptr;
  std::memcpy(fresh, block, old_size < new_size ? old_size : new_size);
  munmap(block, old_length);
  return fresh;
#endif
}

}  // namespace veltrax
