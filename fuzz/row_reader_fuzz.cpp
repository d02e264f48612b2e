// Splits arbitrary bytes into lines and rows; the fields must lie inside their line, and a field
// found alone must be the field the split gives.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tables/error.h"
#include "tables/row_reader.h"

using sallowmere::LineReader;
using sallowmere::RowFields;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  LineReader lines(text);
  std::string_view line;
  RowFields fields;
  while (lines.Next(line)) {
    if (line.find_first_of("\r\n") != std::string_view::npos) std::abort();
    const std::array<int, 2> columns = {size > 0 ? data[0] % 24 : 0,
                                        size > 1 ? data[1] % 24 - 1 : -1};
    std::array<std::string_view, 2> found;
    const bool split = sallowmere::SplitRow(line, fields);
    if (sallowmere::FieldsOfRow(line, columns, found) != split) std::abort();
    if (!split) continue;
    if (found[0] != fields[columns[0]] || found[1] != fields[columns[1]]) std::abort();
    for (int i = 0; i < fields.Count(); ++i) {
      const std::string_view field = fields[i];
      const bool inside =
          field.empty() ||
          (field.data() >= line.data() && field.data() + field.size() <= line.data() + line.size());
      if (!inside || field.find('\t') != std::string_view::npos) std::abort();
      if (!field.empty() && (field.front() == ' ' || field.back() == ' ')) std::abort();
    }
  }
  // Any text is read to its end or to the one error that stops it.
  sallowmere::RowStream stream("fuzz.txt", nullptr,
                               [](int, const RowFields&) { return sallowmere::Result<void>(); });
  const sallowmere::Result<void> read = stream.Feed(text);
  if (!read && read.Error()->File() != "fuzz.txt") std::abort();
  return 0;
}
