#include "tables/width.h"

namespace sallowmere {

std::string_view WidthName(Width width) {
  switch (width) {
    case Width::kByte: return "a byte";
    case Width::kInteger: return "an integer";
    case Width::kLong: return "a long";
    case Width::kString: return "a string";
  }
  return "a value";
}

}  // namespace sallowmere
