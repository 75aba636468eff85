// Formats whose readers are not built yet: every file of theirs is a format error.
#include "netlist/readers/readers.h"

namespace veltrax {

namespace {
int read_unbuilt(InputFile&, NetlistStore& store, int&, int) {
  store.part_overflow = 0;
  return READ_NOTHING;
}
}  // namespace

int read_cadvance(InputFile& in, NetlistStore& s, int& n, int o) {
  return read_unbuilt(in, s, n, o);
}
int read_mm2(InputFile& in, NetlistStore& s, int& n, int o) {
  return read_unbuilt(in, s, n, o);
}
int read_cadlus(InputFile& in, NetlistStore& s, int& n, int o) {
  return read_unbuilt(in, s, n, o);
}

}  // namespace veltrax
