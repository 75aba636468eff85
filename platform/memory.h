// Blocks of memory straight from the system, for the run's memory (netlist/run_memory.h) and
// other large, long-lived blocks.
#pragma once

#include <cstddef>

namespace veltrax {

// A zero-filled block of at least size bytes, or nullptr when the system has none left. Blocks
// of a few megabytes and more are backed by large pages where the system allows: faulting in
// megabytes of tables page by page costs more than comparing them.
void* take_system_block(std::size_t size);

// Gives back a block of take_system_block with the size it was asked for.
void give_back_system_block(void* block, std::size_t size);

// The block grown (or shrunk) to new_size, its first min(old_size, new_size) bytes kept, maybe
// at another address; nullptr when that cannot be had, and then the old block stays as it was.
void* resize_system_block(void* block, std::size_t old_size, std::size_t new_size);

}  // namespace veltrax
