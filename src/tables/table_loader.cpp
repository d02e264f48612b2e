#include "tables/table_loader.h"

#include <cstring>

#include "tables/error.h"
#include "tables/numeric.h"

namespace sallowmere {

namespace {

// The value of a numeric field by its column's rule and width; nullopt when a strict field is no
// number or the value does not fit the width.
std::optional<std::int32_t> ConvertNumber(const ColumnSlot& at, std::string_view text) {
  if (at.rule == Rule::kStrict) {
    const std::optional<double> strict = ParseStrictNumber(text);
    return strict ? RoundToWidth(*strict, at.width) : std::nullopt;
  }
  return RoundToWidth(Val(text), at.width);
}

// Why the field `text` of `column`, which ConvertNumber refuses, cannot be read. Kept out of
// line: building a message is rare, and the conversion loop stays small without it.
[[gnu::cold, gnu::noinline]] Error ConversionError(const ColumnSlot& at, std::string_view text,
                                                   std::string_view file_name, int line,
                                                   int column) {
  const bool number = at.rule != Rule::kStrict || ParseStrictNumber(text);
  return Error::InField(
      std::string(file_name), line, number ? ErrorCause::kOverflow : ErrorCause::kTypeMismatch,
      column, text,
      number ? "does not fit " + std::string(WidthName(at.width)) : std::string("is not a number"));
}

// Converts columns `range.first` to `range.last` of a numeric range to `out`, one value per
// column, moving `out` past them. A plain decimal integer that fits (nearly every field of a real
// table) is read here, inline; anything else takes the full rule, which reads such integers
// alike. Returns the first column that cannot be converted, or -1 when every one is.
template <class T>
int ConvertRange(const ColumnRange& range, const RowFields& fields, T*& out) {
  const WidthRange bounds = RangeOf(range.width);
  const ColumnSlot at{range.width, range.rule, 0};
  for (int column = range.first; column <= range.last; ++column) {
    const std::string_view text = fields[column];
    if (range.rule == Rule::kVal) {
      // An empty field reads as 0, which every width holds.
      if (text.empty()) {
        *out++ = 0;
        continue;
      }
      const std::optional<std::int32_t> plain = PlainInteger(text);
      if (plain && *plain >= bounds.low && *plain <= bounds.high) {
        *out++ = static_cast<T>(*plain);
        continue;
      }
    }
    const std::optional<std::int32_t> value = ConvertNumber(at, text);
    if (!value) return column;
    *out++ = static_cast<T>(*value);
  }
  return -1;
}

// Makes room for `count` more values at the end of `values` and returns where they begin.
template <class T>
T* Extend(std::vector<T>& values, int count) {
  const std::size_t size = values.size();
  values.resize(size + static_cast<std::size_t>(count));
  return values.data() + size;
}

char* Extend(std::string& text, std::size_t count) {
  const std::size_t size = text.size();
  text.resize(size + count);
  return text.data() + size;
}

// Appends the string columns of `fields` to `out`, each followed by a tab.
void AddStrings(const RecordLayout& layout, const RowFields& fields, TableValues& out) {
  out.string_starts.push_back(static_cast<std::uint32_t>(out.strings.size()));
  for (const ColumnRange& range : layout.Ranges()) {
    if (range.width != Width::kString) continue;
    std::size_t size = 0;
    for (int column = range.first; column <= range.last; ++column)
      size += fields[column].size() + 1;
    char* to = Extend(out.strings, size);
    // When no field of the range lost spaces and the row reaches its end, the stored form is the
    // row's own text from the first field to the last, tabs included: one copy for the range.
    const std::string_view first = fields[range.first];
    const std::string_view last = fields[range.last];
    if (range.last < fields.Count() &&
        static_cast<std::size_t>(last.data() + last.size() - first.data()) + 1 == size) {
      std::memcpy(to, first.data(), size - 1);
      to[size - 1] = '\t';
      continue;
    }
    for (int column = range.first; column <= range.last; ++column) {
      for (const char c : fields[column]) *to++ = c;
      *to++ = '\t';
    }
  }
}

}  // namespace

Result<void> ConvertRow(const RecordLayout& layout, const RowFields& fields,
                        std::string_view file_name, int line, TableValues& out) {
  out.lines.push_back(line);
  std::uint8_t* bytes = Extend(out.bytes, layout.SlotCount(Width::kByte));
  std::int16_t* integers = Extend(out.integers, layout.SlotCount(Width::kInteger));
  std::int32_t* longs = Extend(out.longs, layout.SlotCount(Width::kLong));
  // Range by range, so the width is settled once per range rather than once per column.
  for (const ColumnRange& range : layout.Ranges()) {
    int refused = -1;
    switch (range.width) {
      case Width::kString: break;
      case Width::kByte: refused = ConvertRange(range, fields, bytes); break;
      case Width::kInteger: refused = ConvertRange(range, fields, integers); break;
      case Width::kLong: refused = ConvertRange(range, fields, longs); break;
    }
    if (refused >= 0) {
      return ConversionError(layout.Column(refused), fields[refused], file_name, line, refused);
    }
  }
  AddStrings(layout, fields, out);
  return {};
}

TableBuilder::TableBuilder(ItemTable table, std::string_view file_name, std::uintmax_t size,
                           ItemNames names)
    : table_(table),
      layout_(kItemTables[table].layout()),
      file_name_(file_name),
      size_(size),
      names_(names),
      rows_(
          file_name, [this](std::string_view header) { ReadHeader(header); },
          [this](int line, const RowFields& fields) { return ReadRow(line, fields); }) {}

void TableBuilder::ReadHeader(std::string_view header) {
  by_header_ = ReadingOf(header, layout_);
  if (by_header_) {
    if (names_ == ItemNames::kSkip) by_header_->name_column = -1;
    // Only each row's code and name are kept, so nothing else of the row need be split. A data row
    // takes at least two bytes, so room for that many rows' lines and offsets is never outgrown,
    // and pages never written are never touched. The codes' bytes grow as they come: room for the
    // whole file would be fresh pages on every load, since freed memory that large goes back to
    // the system.
    rows_.SetMaxRows(kMaxHeaderDataRows);
    values_.Reserve(CodeOnlyLayout(), static_cast<std::size_t>(std::min<std::uintmax_t>(
                                          kMaxHeaderDataRows, size_ / 2 + 1)));
    rows_.KeepOnlyFields(by_header_->code_column, by_header_->name_column,
                         [this](int line, std::string_view code, std::string_view name) {
                           AddRow(line, code, name);
                         });
    return;
  }
  header_ = header;
  // A full row has a tab per column, which bounds how many rows the text can hold; each string
  // value and the tab after it come from the text, so they need no more room than it has. Made
  // once, the arrays are never copied to larger ones while the table is read.
  values_.Reserve(layout_, static_cast<std::size_t>(std::min<std::uintmax_t>(
                               kMaxDataRows, size_ / layout_.ColumnCount() + 1)));
  values_.strings.reserve(static_cast<std::size_t>(size_));
}

Result<void> TableBuilder::ReadRow(int line, const RowFields& fields) {
  Result<void> converted = ConvertRow(layout_, fields, file_name_, line, values_);
  if (converted) return converted;
  // A field that cannot be converted is reported with its column's name, where the header gives
  // one.
  const std::string_view name = HeaderName(header_, converted.Error()->Column());
  if (name.empty()) return converted;
  return converted.Error()->WithColumnName(name);
}

void TableBuilder::AddRow(int line, std::string_view code, std::string_view name) {
  values_.lines.push_back(line);
  values_.string_starts.push_back(static_cast<std::uint32_t>(values_.strings.size()));
  values_.strings.append(code);
  values_.strings += '\t';
  if (by_header_->name_column < 0) return;
  values_.strings.append(name);
  values_.strings += '\t';
}

Result<Table> ParseTable(ItemTable table, std::string_view text, std::string_view file_name) {
  TableBuilder builder(table, file_name, text.size());
  if (Result<void> read = builder.Feed(text); !read) return *read.Error();
  return builder.Take();
}

Result<Table> LoadTable(ItemTable table, const std::string& table_folder,
                        const std::string& file_name, std::string& buffer, ItemNames names) {
  TableFile file;
  if (Result<void> opened = file.Open(TablePath(table_folder, file_name), file_name); !opened) {
    return *opened.Error();
  }
  TableBuilder builder(table, file_name, file.Size(), names);
  const Result<void> read =
      file.ReadLines(buffer, [&](std::string_view lines) { return builder.Feed(lines); });
  if (!read) return *read.Error();
  return builder.Take();
}

Result<Table> LoadArmorTable(const std::string& table_folder, const std::string& file_name,
                             std::string& buffer, ItemNames names) {
  return LoadTable(kArmor, table_folder, file_name, buffer, names);
}

Result<Table> LoadWeaponTable(const std::string& table_folder, const std::string& file_name,
                              std::string& buffer, ItemNames names) {
  return LoadTable(kWeapons, table_folder, file_name, buffer, names);
}

Result<Table> LoadMiscTable(const std::string& table_folder, const std::string& file_name,
                            std::string& buffer, ItemNames names) {
  return LoadTable(kMisc, table_folder, file_name, buffer, names);
}

}  // namespace sallowmere
