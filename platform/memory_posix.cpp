#include <sys/mman.h>

#include <cstdint>

#include "platform/memory.h"

namespace veltrax {

void* allocate_lasting(std::size_t size) {
  constexpr std::size_t LARGE_PAGE = std::size_t{2} << 20;
  const std::size_t length = (size + LARGE_PAGE - 1) / LARGE_PAGE * LARGE_PAGE;
  void* block = mmap(nullptr, length + LARGE_PAGE, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
  // Align to a large page so that the whole block can be backed by them.
  const auto address = reinterpret_cast<std::uintptr_t>(block);
  void* aligned = reinterpret_cast<void*>((address + LARGE_PAGE - 1) & ~(LARGE_PAGE - 1));
#ifdef MADV_HUGEPAGE
  madvise(aligned, length, MADV_HUGEPAGE);
#endif
  return aligned;
}

}  // namespace veltrax
