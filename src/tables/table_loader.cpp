#include "tables/table_loader.h"

#include "tables/load_error.h"
#include "tables/numeric.h"

namespace sallowmere {

namespace {

// Kept out of line: building a message is rare, and the conversion loop stays small without it.
[[noreturn, gnu::cold, gnu::noinline]] void FailConversion(LoadCause cause, std::string_view what,
                                                           std::string_view text,
                                                           std::string_view file_name, int line,
                                                           int column) {
  throw LoadError(
      std::string(file_name), line, cause,
      "column " + std::to_string(column) + " \"" + ShortenField(text) + "\" " + std::string(what),
      column, std::string(text));
}

std::int32_t ConvertNumber(const ColumnSlot& at, std::string_view text, std::string_view file_name,
                           int line, int column) {
  std::optional<std::int32_t> value;
  if (at.rule == Rule::kStrict) {
    const std::optional<double> strict = ParseStrictNumber(text);
    if (!strict)
      FailConversion(LoadCause::kTypeMismatch, "is not a number", text, file_name, line, column);
    value = RoundToWidth(*strict, at.width);
  } else {
    value = RoundToWidth(Val(text), at.width);
  }
  if (!value) {
    FailConversion(LoadCause::kOverflow, "does not fit " + std::string(WidthName(at.width)), text,
                   file_name, line, column);
  }
  return *value;
}

}  // namespace

namespace {

// Converts columns `range.first` to `range.last` of a numeric range into `out`, one value per
// column. A plain decimal integer that fits (nearly every field of a real table) is read here,
// inline; anything else takes the full rule, which reads such integers alike.
template <class T>
void ConvertRange(const ColumnRange& range, const ColumnSlot& at, const RowFields& fields,
                  std::string_view file_name, int line, std::vector<T>& out) {
  const WidthRange bounds = RangeOf(at.width);
  for (int column = range.first; column <= range.last; ++column) {
    const std::string_view text = fields[column];
    const std::optional<std::int32_t> plain =
        at.rule == Rule::kVal ? PlainInteger(text) : std::nullopt;
    const std::int32_t value = plain && *plain >= bounds.low && *plain <= bounds.high
                                   ? *plain
                                   : ConvertNumber(at, text, file_name, line, column);
    out.push_back(static_cast<T>(value));
  }
}

}  // namespace

void ConvertRow(const RecordLayout& layout, const RowFields& fields, std::string_view file_name,
                int line, TableValues& out) {
  out.lines.push_back(line);
  // Range by range, so the width is settled once per range rather than once per column.
  for (const ColumnRange& range : layout.Ranges()) {
    const ColumnSlot& at = layout.Column(range.first);
    switch (range.width) {
      case Width::kString:
        for (int column = range.first; column <= range.last; ++column) {
          out.AddString(fields[column]);
        }
        break;
      case Width::kByte: ConvertRange(range, at, fields, file_name, line, out.bytes); break;
      case Width::kInteger: ConvertRange(range, at, fields, file_name, line, out.integers); break;
      case Width::kLong: ConvertRange(range, at, fields, file_name, line, out.longs); break;
    }
  }
}

void ReadCodeColumn(std::string_view text, std::string_view file_name, int code_column,
                    TableValues& out) {
  ReadRows(
      text, file_name,
      [&](int line, const RowFields& fields) {
        out.lines.push_back(line);
        out.AddString(fields[code_column]);
      },
      kMaxHeaderDataRows);
}

Table<ArmorRecord> LoadArmorTable(const std::string& table_folder, const std::string& file_name,
                                  std::string& buffer) {
  return LoadTable<ArmorRecord>(table_folder, file_name, buffer);
}

Table<WeaponRecord> LoadWeaponTable(const std::string& table_folder, const std::string& file_name,
                                    std::string& buffer) {
  return LoadTable<WeaponRecord>(table_folder, file_name, buffer);
}

Table<MiscRecord> LoadMiscTable(const std::string& table_folder, const std::string& file_name,
                                std::string& buffer) {
  return LoadTable<MiscRecord>(table_folder, file_name, buffer);
}

}  // namespace sallowmere
