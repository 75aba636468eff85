// Large blocks of memory that live as long as the process.
#pragma once

#include <cstddef>

namespace veltrax {

// A zero-filled block of at least size bytes, never freed. Where the system allows, it is
// backed by large pages: the tables of a run are megabytes, and faulting them in page by page
// would cost more than the comparison itself. nullptr when no memory is left.
void* allocate_lasting(std::size_t size);

}  // namespace veltrax
