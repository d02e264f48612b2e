#include "index/reference_scan.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "tables/ascii.h"
#include "tables/load_error.h"
#include "tables/row_reader.h"
#include "tables/tab_search.h"
#include "tables/table_file.h"
#include "tables/table_folder.h"

namespace sallowmere {

std::string_view FieldKey(std::string_view field) {
  std::string_view key = TrimSpaces(field);
  if (key.size() >= 2 && key.front() == '"' && key.back() == '"') {
    key = key.substr(1, key.size() - 2);
  }
  return TrimSpaces(key.substr(0, key.find(',')));
}

std::optional<std::string> KeyProblem(std::string_view text) {
  if (text.empty()) return "is empty, and no field names the empty text";
  if (const std::optional<std::string> problem = CodeProblem(text)) return problem;
  if (text.starts_with(' ') || text.ends_with(' ')) {
    return "begins or ends with a space, which a field's key never keeps";
  }
  return std::nullopt;
}

ItemCodes::ItemCodes(const CodeIndex& index) {
  codes_.reserve(index.Entries().size());
  for (const IndexEntry& entry : index.Entries()) Add(entry.code);
}

ItemCodes::ItemCodes(const std::vector<std::string>& codes) {
  for (const std::string& code : codes) Add(code);
}

void ItemCodes::Add(std::string_view code) {
  if (code.empty() || !codes_.emplace(code).second) return;
  shortest_ = codes_.size() == 1 ? code.size() : std::min(shortest_, code.size());
  longest_ = std::max(longest_, code.size());
}

bool ItemCodes::Contains(std::string_view key) const { return codes_.find(key) != codes_.end(); }

bool ItemCodes::Shaped(std::string_view key) const {
  return key.size() >= shortest_ && key.size() <= longest_ && !key.empty() &&
         key.find(' ') == std::string_view::npos;
}

std::string_view ScannedTable::HeaderOf(int column) const {
  for (const ReferenceColumn& reference : reference_columns) {
    if (reference.column == column) return reference.header;
  }
  return {};
}

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A code-shaped key as a number, exact: its bytes when it has at most eight, else its position
// among the longer keys of the table, marked by a length no short key has.
struct PackedKey {
  std::uint64_t bits = 0;
  std::uint32_t length = 0;  // kLong for a longer key
  static constexpr std::uint32_t kLong = 0xFFFFFFFF;
  bool operator==(const PackedKey&) const = default;
};

// The distinct (column, key) pairs of one table: an open-addressing set of packed keys that
// holds no copy of a short key and allocates only as it doubles.
class PairSet {
 public:
  // Adds the pair; false when it was there already.
  bool Insert(std::uint32_t column, const PackedKey& key) {
    if ((used_ + 1) * 2 > slots_.size()) Grow();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = HashOf(column, key) & mask;; at = (at + 1) & mask) {
      Slot& slot = slots_[at];
      if (slot.column == 0) {
        slot = {key, column};
        ++used_;
        return true;
      }
      if (slot.column == column && slot.key == key) return false;
    }
  }

 private:
  struct Slot {
    PackedKey key;
    std::uint32_t column = 0;  // 0 for an empty slot: columns count from 1
  };

  static std::size_t HashOf(std::uint32_t column, const PackedKey& key) {
    std::uint64_t h = key.bits ^ ((std::uint64_t{column} << 32 | key.length) * 0x9E3779B97F4A7C15u);
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDu;
    h ^= h >> 33;
    return static_cast<std::size_t>(h);
  }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(1024, old.size() * 2), Slot{});
    used_ = 0;
    for (const Slot& slot : old) {
      if (slot.column != 0) Insert(slot.column, slot.key);
    }
  }

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

// What one column's data rows gave so far: its distinct code-shaped keys that are item codes and
// those that are not, and the last key met, which most columns repeat row after row.
struct ColumnCounts {
  std::uint32_t items = 0;
  std::uint32_t others = 0;
  PackedKey last;
  // Set once the column can no longer become a reference column: even if every item code came
  // up in it, they would be fewer than three times the other keys.
  bool hopeless = false;
};

// A place of the current row whose key is to be checked against the row's own code.
struct RowPlace {
  std::string_view key;
  std::int32_t column;
};

}  // namespace

class TableScan::Impl {
 public:
  Impl(const ItemCodes& codes, int code_column, const WantedKeys& wanted)
      : codes_(codes), own_column_(code_column >= 0 ? code_column + 1 : 0) {
    if (!wanted) return;
    wanted_ = &*wanted;
    for (std::size_t i = 0; i < wanted->size(); ++i) {
      const std::string& key = (*wanted)[i];
      wanted_index_.emplace(key, static_cast<std::uint32_t>(i));
      if (key.size() < 64) {
        wanted_lengths_ |= std::uint64_t{1} << key.size();
      } else {
        wanted_long_ = true;
      }
    }
  }

  void Feed(std::string_view piece) {
    if (!started_ && piece.starts_with(kUtf8Mark)) piece.remove_prefix(kUtf8Mark.size());
    started_ = true;
    LineReader lines(piece, lines_);
    std::string_view line;
    while (lines.Next(line)) {
      if (lines.LineNumber() == 1) {
        header_ = line;
      } else if (!line.empty()) {
        ClassifyRow(lines.LineNumber(), line);
      }
    }
    lines_ = lines.LineNumber();
  }

  std::vector<ReferenceColumn> ReferenceColumns() const {
    std::vector<ReferenceColumn> references;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const auto column = static_cast<int>(i + 1);
      if (IsReference(column)) references.push_back({column, Header(column)});
    }
    return references;
  }

  void PlacesOfWanted(std::uint32_t table, const OnPlace& on_place) const {
    for (const Candidate& candidate : candidates_) {
      if (IsReference(candidate.column)) {
        on_place((*wanted_)[candidate.wanted], {table, candidate.line, candidate.column});
      }
    }
  }

  void Places(std::string_view piece, std::uint32_t table, const OnPlace& on_place) {
    if (!started_again_) {
      started_again_ = true;
      if (piece.starts_with(kUtf8Mark)) piece.remove_prefix(kUtf8Mark.size());
      last_reference_ = 0;
      for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (IsReference(static_cast<int>(i + 1))) last_reference_ = static_cast<int>(i + 1);
      }
    }
    LineReader lines(piece, again_lines_);
    std::string_view line;
    while (lines.Next(line)) {
      if (lines.LineNumber() == 1 || line.empty() || last_reference_ == 0) continue;
      PlacesOfRow(line, [&](const RowPlace& place) {
        on_place(place.key, {table, lines.LineNumber(), place.column});
      });
    }
    again_lines_ = lines.LineNumber();
  }

 private:
  struct Candidate {
    std::uint32_t wanted;
    std::int32_t line;
    std::int32_t column;
  };

  // Calls `on_field(column, field)` for each field of `line` (columns from 1) until it returns
  // false.
  template <class OnField>
  static void ForEachField(std::string_view line, OnField&& on_field) {
    const char* start = line.data();
    const char* const end = start + line.size();
    std::int32_t column = 1;
    const bool all = ForEachTab(start, end, [&](const char* tab) {
      const bool more = on_field(column++, start, tab);
      start = tab + 1;
      return more;
    });
    if (all) on_field(column, start, end);
  }

  void ClassifyRow(std::int32_t line, std::string_view text) {
    const std::size_t row_start = candidates_.size();
    std::string_view own_code;
    ForEachField(text, [&](std::int32_t column, const char* start, const char* stop) {
      if (start == stop) return true;
      const std::string_view field(start, static_cast<std::size_t>(stop - start));
      if (column == own_column_) own_code = TrimSpaces(field);
      const std::string_view key = FieldKey(field);
      if (key.empty()) return true;
      if (codes_.Shaped(key)) Count(column, key);
      if (wanted_ != nullptr) Keep(line, column, key);
      return true;
    });
    // An item table's row may name itself (another picture of the same item, say): that place
    // names nothing.
    if (own_code.empty() || row_start == candidates_.size()) return;
    const auto names_itself = [&](const Candidate& c) { return (*wanted_)[c.wanted] == own_code; };
    candidates_.erase(std::remove_if(candidates_.begin() + static_cast<std::ptrdiff_t>(row_start),
                                     candidates_.end(), names_itself),
                      candidates_.end());
  }

  void Count(std::int32_t column, std::string_view key) {
    if (static_cast<std::size_t>(column) > columns_.size())
      columns_.resize(static_cast<std::size_t>(column));
    ColumnCounts& counts = columns_[static_cast<std::size_t>(column - 1)];
    if (counts.hopeless) return;
    const PackedKey packed = Pack(key);
    if (packed == counts.last) return;
    counts.last = packed;
    if (!pairs_.Insert(static_cast<std::uint32_t>(column), packed)) return;
    if (codes_.Contains(key)) {
      ++counts.items;
    } else if (3 * std::uint64_t{++counts.others} > codes_.Count()) {
      counts.hopeless = true;
    }
  }

  PackedKey Pack(std::string_view key) {
    PackedKey packed;
    if (key.size() <= sizeof packed.bits) {
      std::memcpy(&packed.bits, key.data(), key.size());
      packed.length = static_cast<std::uint32_t>(key.size());
      return packed;
    }
    const auto [at, added] =
        long_keys_.try_emplace(std::string(key), static_cast<std::uint64_t>(long_keys_.size()));
    packed.bits = at->second;
    packed.length = PackedKey::kLong;
    return packed;
  }

  void Keep(std::int32_t line, std::int32_t column, std::string_view key) {
    if (key.size() < 64 ? (wanted_lengths_ >> key.size() & 1) == 0 : !wanted_long_) return;
    const auto found = wanted_index_.find(key);
    if (found != wanted_index_.end()) candidates_.push_back({found->second, line, column});
  }

  template <class OnRowPlace>
  void PlacesOfRow(std::string_view text, OnRowPlace&& on_row_place) {
    row_places_.clear();
    std::string_view own_code;
    const int last = std::max(last_reference_, own_column_);
    ForEachField(text, [&](std::int32_t column, const char* start, const char* stop) {
      const std::string_view field(start, static_cast<std::size_t>(stop - start));
      if (column == own_column_) own_code = TrimSpaces(field);
      if (IsReference(column)) {
        const std::string_view key = FieldKey(field);
        if (!key.empty()) row_places_.push_back({key, column});
      }
      return column < last;
    });
    for (const RowPlace& place : row_places_) {
      if (place.key != own_code) on_row_place(place);
    }
  }

  bool IsReference(int column) const {
    if (column < 1 || static_cast<std::size_t>(column) > columns_.size() || column == own_column_) {
      return false;
    }
    const ColumnCounts& counts = columns_[static_cast<std::size_t>(column - 1)];
    return !counts.hopeless && counts.items >= 5 &&
           counts.items >= 3 * std::uint64_t{counts.others};
  }

  std::string Header(int column) const {
    std::string_view name;
    ForEachField(header_, [&](std::int32_t field_column, const char* start, const char* stop) {
      if (field_column == column)
        name = std::string_view(start, static_cast<std::size_t>(stop - start));
      return field_column < column;
    });
    return std::string(TrimSpaces(name));
  }

  const ItemCodes& codes_;
  const int own_column_;  // from 1; 0 for a table of no items
  const std::vector<std::string>* wanted_ = nullptr;
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> wanted_index_;
  std::uint64_t wanted_lengths_ = 0;  // bit N set when a wanted key has N bytes, below 64
  bool wanted_long_ = false;          // a wanted key has 64 bytes or more
  std::unordered_map<std::string, std::uint64_t, Hash, std::equal_to<>> long_keys_;
  bool started_ = false;
  bool started_again_ = false;
  int lines_ = 0;
  int again_lines_ = 0;
  int last_reference_ = 0;
  std::string header_;
  std::vector<ColumnCounts> columns_;
  PairSet pairs_;
  std::vector<Candidate> candidates_;
  std::vector<RowPlace> row_places_;
};

TableScan::TableScan(const ItemCodes& codes, int code_column, const WantedKeys& wanted)
    : impl_(std::make_unique<Impl>(codes, code_column, wanted)) {}
TableScan::~TableScan() = default;
void TableScan::Feed(std::string_view piece) { impl_->Feed(piece); }
std::vector<ReferenceColumn> TableScan::ReferenceColumns() const {
  return impl_->ReferenceColumns();
}
void TableScan::PlacesOfWanted(std::uint32_t table, const OnPlace& on_place) const {
  impl_->PlacesOfWanted(table, on_place);
}
void TableScan::Places(std::string_view piece, std::uint32_t table, const OnPlace& on_place) {
  impl_->Places(piece, table, on_place);
}

TextScan ScanTableText(std::string_view text, const ItemCodes& codes, int code_column) {
  TextScan scanned;
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) return scanned;
  TableScan scan(codes, code_column, std::nullopt);
  scan.Feed(text);
  scanned.reference_columns = scan.ReferenceColumns();
  scan.Places(text, 0, [&](std::string_view key, const Place& place) {
    scanned.places.emplace_back(std::string(key), place);
  });
  return scanned;
}

std::array<ItemTableColumn, 3> ItemTableColumns(const Module1& module) {
  const auto column_of = [](const auto& table) {
    using Record = typename std::decay_t<decltype(table)>::Record;
    return ItemTableColumn{table.file_name, table.by_header ? table.by_header->code_column
                                                            : Record::Layout().CodeColumn()};
  };
  return {column_of(module.ArmorTable()), column_of(module.WeaponTable()),
          column_of(module.MiscTable())};
}

namespace {

// Reads the table `name` of `table_folder` through `buffer`, giving `scan` its text.
void ReadTable(const std::string& table_folder, const std::string& name, std::string& buffer,
               const std::function<void(std::string_view piece)>& on_piece) {
  TableFile file(TablePath(table_folder, name), name);
  bool first = true;
  file.ReadLines(buffer, [&](std::string_view piece) {
    if (first && (piece.starts_with("\xFF\xFE") || piece.starts_with("\xFE\xFF"))) {
      throw LoadError(name, 0, LoadCause::kReadError,
                      "the file is UTF-16 text; save it as 8-bit text");
    }
    first = false;
    on_piece(piece);
  });
}

}  // namespace

std::vector<ScannedTable> ScanFolder(const std::string& table_folder, const ItemCodes& codes,
                                     const std::array<ItemTableColumn, 3>& item_tables,
                                     const WantedKeys& wanted, const OnPlace& on_place) {
  std::vector<ScannedTable> tables;
  std::string buffer;
  for (std::string& name : FolderTableNames(table_folder)) {
    const auto table = static_cast<std::uint32_t>(tables.size());
    ScannedTable& scanned = tables.emplace_back();
    scanned.file_name = std::move(name);
    int code_column = -1;
    for (const ItemTableColumn& item_table : item_tables) {
      if (item_table.file_name == scanned.file_name) code_column = item_table.code_column;
    }
    // A table read again for its places may have changed meanwhile: its places are given only
    // once both readings went through.
    std::vector<std::pair<std::string, Place>> places;
    try {
      TableScan scan(codes, code_column, wanted);
      ReadTable(table_folder, scanned.file_name, buffer,
                [&](std::string_view piece) { scan.Feed(piece); });
      scanned.reference_columns = scan.ReferenceColumns();
      if (wanted) {
        scan.PlacesOfWanted(table, on_place);
      } else if (!scanned.reference_columns.empty()) {
        ReadTable(table_folder, scanned.file_name, buffer, [&](std::string_view piece) {
          scan.Places(piece, table, [&](std::string_view key, const Place& place) {
            places.emplace_back(std::string(key), place);
          });
        });
      }
    } catch (const LoadError& error) {
      scanned.reference_columns.clear();
      scanned.left_out = std::string(CauseName(error.Cause())) + ": " + error.Detail();
      continue;
    }
    for (const auto& [key, place] : places) on_place(key, place);
  }
  return tables;
}

}  // namespace sallowmere
