#include "platform/memory.h"
#include "platform/win32.h"

namespace veltrax {

void* allocate_lasting(std::size_t size) {
  return VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

}  // namespace veltrax
