#include "compare/result_model.h"

#include <map>

namespace veltrax {

std::vector<Net> nets_of(const NetlistStore& store, int pin_count) {
  std::map<std::string, std::vector<std::string>> by_name;
  for (int i = 0; i < pin_count; ++i) {
    const PinRecord& r = store.pins[i];
    by_name[r.net].push_back(std::string(r.designator) + "." + r.pin);
  }
  std::vector<Net> nets;
  nets.reserve(by_name.size());
  for (auto& [name, members] : by_name)
    nets.push_back({name, std::move(members)});
  return nets;
}

}  // namespace veltrax
