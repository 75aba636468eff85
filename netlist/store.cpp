#include "netlist/store.h"

namespace veltrax {

char NO_TEXT[1] = "";

}  // namespace veltrax
