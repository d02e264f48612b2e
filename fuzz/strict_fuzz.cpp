// The strict number rule on arbitrary text. Where it accepts a number without a thousands comma,
// the lenient rule must read the same number: the two rules differ only in what they reject.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tables/numeric.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto strict = sallowmere::ParseStrictNumber(text);
  if (!strict) return 0;
  if (std::isnan(*strict)) std::abort();
  if (text.find(',') == std::string_view::npos) {
    const double lenient = sallowmere::Val(text);
    if (lenient != *strict) std::abort();
  }
  sallowmere::RoundToWidth(*strict, sallowmere::Width::kByte);
  return 0;
}
