// A whole table read from arbitrary bytes with the loaders' own code, for the record type chosen
// at build time (FUZZ_RECORD). Either every row converts, or one LoadError says why not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tables/load_error.h"
#include "tables/table_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const auto table = sallowmere::ParseTable<sallowmere::FUZZ_RECORD>(text, "fuzz.txt");
    const int max_rows =
        table.by_header ? sallowmere::kMaxHeaderDataRows : sallowmere::kMaxDataRows;
    if (table.LastRow() >= max_rows) std::abort();
    const auto& layout = table.Layout();
    for (int row = 0; row <= table.LastRow(); ++row) {
      if (table.Line(row) < 2) std::abort();
      for (int column = 0; column < layout.ColumnCount(); ++column) table.Value(row, column);
      table.Code(row);
    }
  } catch (const sallowmere::LoadError& error) {
    if (error.File() != "fuzz.txt" || std::string(error.what()).empty()) std::abort();
  }
  return 0;
}
