#include "netlist/store.h"

namespace veltrax {

namespace {
// Net texts of records that indexing has not reached yet: an empty text, never a stale pointer.
char no_net_text[1] = "";
}  // namespace

void PartTable::bind_record(int i) {
  PartRecord& r = record[i];
  PartSlots& s = slot[i];
  r.designator = s.designator;
  r.value = s.value;
  r.footprint = s.footprint;
}

void PartTable::bind() {
  for (int i = 0; i <= PART_CAPACITY; ++i)
    bind_record(i);
}

void PinTable::bind_record(int i) {
  PinRecord& r = record[i];
  PinSlots& s = slot[i];
  r.designator = s.designator;
  r.pin = s.pin;
  r.net = s.net;
  r.work_designator = s.work_designator;
  r.work_pin = s.work_pin;
}

void PinTable::bind() {
  for (int i = 0; i <= PIN_CAPACITY; ++i) {
    bind_record(i);
    PinRecord& r = record[i];
    r.net_members_counted = no_net_text;
    r.net_members = no_net_text;
    r.net_parts = no_net_text;
  }
}

}  // namespace veltrax
