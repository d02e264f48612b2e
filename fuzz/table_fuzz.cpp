// A whole table read from arbitrary bytes with the loaders' own code, for the record type chosen
// at build time (FUZZ_RECORD). Either every row converts, or one Error says why not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tables/error.h"
#include "tables/table_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parsed = sallowmere::ParseTable<sallowmere::FUZZ_RECORD>(text, "fuzz.txt");
  if (const sallowmere::Error* error = parsed.Error()) {
    if (error->File() != "fuzz.txt" || error->Description().empty()) std::abort();
    return 0;
  }
  const sallowmere::Table& table = *parsed;
  const int max_rows = table.by_header ? sallowmere::kMaxHeaderDataRows : sallowmere::kMaxDataRows;
  if (table.LastRow() >= max_rows) std::abort();
  const auto& layout = table.Layout();
  for (int row = 0; row <= table.LastRow(); ++row) {
    if (table.Line(row) < 2) std::abort();
    for (int column = 0; column < layout.ColumnCount(); ++column) table.Value(row, column);
    table.Code(row);
  }
  return 0;
}
