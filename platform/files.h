// File checks that the comparison run needs beyond the standard streams.
#pragma once

#include <cstdio>

namespace veltrax {

// Opens a netlist for reading in binary mode; a folder is refused (errno EISDIR) rather than
// opened, so that it reads as a file that cannot be opened on every platform.
std::FILE* open_netlist(const char* path);

// True when the path names the very file that is open as the stream (the same file reached by
// another name included). A path that names no existing file is never the same.
bool is_same_file(const char* path, std::FILE* open_file);

// Creates a new file for writing in binary mode. Fails (errno EEXIST) when anything of that name
// exists already, so that the file is never one that another program or run is using.
std::FILE* create_new_file(const char* path);

// Puts the file temporary in the place of target, replacing target in one step: a reader of
// target sees the old file or the new one, never a half-written one. False when it cannot (errno
// tells why).
bool replace_file(const char* temporary, const char* target);

}  // namespace veltrax
