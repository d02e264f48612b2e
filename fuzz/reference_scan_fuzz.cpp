// One table's scan for the places that name item codes, over arbitrary bytes: it never fails, and
// every place it finds stands in a data row, in one of the reference columns it reports, in order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "index/reference_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const sallowmere::ItemCodes codes(std::vector<std::string>{
      "r0c", "sp02", "tk05", "a", "hm01", "\"q\"", "x,y", "long code 1", "m2s", "w0d"});
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The first byte, when there is one, chooses the column an item table's own codes stand in.
  const int code_column = size > 0 ? data[0] % 4 - 1 : -1;
  const sallowmere::TextScan scan = sallowmere::ScanTableText(text, codes, code_column);
  int previous = 0;
  for (const sallowmere::ReferenceColumn& reference : scan.reference_columns) {
    if (reference.column <= previous || reference.column == code_column + 1) std::abort();
    previous = reference.column;
  }
  std::pair<int, int> last{0, 0};
  for (const auto& [key, place] : scan.places) {
    if (key.empty() || place.line < 2 || place.table != 0) std::abort();
    if (std::pair(place.line, place.column) <= last) std::abort();
    last = {place.line, place.column};
    bool in_reference = false;
    for (const sallowmere::ReferenceColumn& reference : scan.reference_columns) {
      in_reference = in_reference || reference.column == place.column;
    }
    if (!in_reference) std::abort();
  }
  return 0;
}
