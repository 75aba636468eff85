#include "report/views.h"

namespace veltrax {

std::string review_listing(const Review&, const ListingStyle&) {
  return {};
}

}  // namespace veltrax
