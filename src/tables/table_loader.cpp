#include "tables/table_loader.h"

#include "tables/load_error.h"
#include "tables/numeric.h"

namespace sallowmere {

Cell CellOf(const Record& record, const RecordLayout& layout, int column) {
  const ColumnSlot& at = layout.Column(column);
  switch (at.width) {
    case Width::kByte: return record.bytes[at.slot];
    case Width::kInteger: return record.integers[at.slot];
    case Width::kLong: return record.longs[at.slot];
    case Width::kString: break;
  }
  return std::string_view(record.strings[at.slot]);
}

namespace {

std::int32_t ConvertNumber(const ColumnSlot& at, std::string_view text, std::string_view file_name,
                           int line, int column) {
  const auto fault = [&](LoadCause cause, std::string_view what) {
    return LoadError(
        std::string(file_name), line, cause,
        "column " + std::to_string(column) + " \"" + ShortenField(text) + "\" " + std::string(what),
        column, std::string(text));
  };
  double number = 0;
  if (at.rule == Rule::kStrict) {
    const std::optional<double> strict = ParseStrictNumber(text);
    if (!strict) throw fault(LoadCause::kTypeMismatch, "is not a number");
    number = *strict;
  } else {
    number = Val(text);
  }
  const std::optional<std::int32_t> value = RoundToWidth(number, at.width);
  if (!value) throw fault(LoadCause::kOverflow, "does not fit " + std::string(WidthName(at.width)));
  return *value;
}

}  // namespace

void ConvertRow(const RecordLayout& layout, const RowFields& fields, std::string_view file_name,
                int line, Record& out) {
  out.line = line;
  out.bytes.reserve(layout.SlotCount(Width::kByte));
  out.integers.reserve(layout.SlotCount(Width::kInteger));
  out.longs.reserve(layout.SlotCount(Width::kLong));
  out.strings.reserve(layout.SlotCount(Width::kString));
  for (int column = 0; column < layout.ColumnCount(); ++column) {
    const ColumnSlot& at = layout.Column(column);
    const std::string_view text = fields[column];
    switch (at.width) {
      case Width::kString: out.strings.emplace_back(text); break;
      case Width::kByte:
        out.bytes.push_back(
            static_cast<std::uint8_t>(ConvertNumber(at, text, file_name, line, column)));
        break;
      case Width::kInteger:
        out.integers.push_back(
            static_cast<std::int16_t>(ConvertNumber(at, text, file_name, line, column)));
        break;
      case Width::kLong:
        out.longs.push_back(ConvertNumber(at, text, file_name, line, column));
        break;
    }
  }
}

Table<ArmorRecord> LoadArmorTable(const std::string& table_folder, const std::string& file_name) {
  return LoadTable<ArmorRecord>(table_folder, file_name);
}

Table<WeaponRecord> LoadWeaponTable(const std::string& table_folder, const std::string& file_name) {
  return LoadTable<WeaponRecord>(table_folder, file_name);
}

Table<MiscRecord> LoadMiscTable(const std::string& table_folder, const std::string& file_name) {
  return LoadTable<MiscRecord>(table_folder, file_name);
}

}  // namespace sallowmere
