// The lenient number rule on arbitrary text: never NaN, and every width's result in its range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tables/numeric.h"

using sallowmere::Width;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = sallowmere::Val(text);
  if (std::isnan(value)) std::abort();
  if (const auto byte = sallowmere::RoundToWidth(value, Width::kByte)) {
    if (*byte < 0 || *byte > 255) std::abort();
  }
  if (const auto integer = sallowmere::RoundToWidth(value, Width::kInteger)) {
    if (*integer < -32768 || *integer > 32767) std::abort();
  }
  sallowmere::RoundToWidth(value, Width::kLong);
  return 0;
}
