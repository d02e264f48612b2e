#include "index/reference_scan.h"

#include "index/packed_keys.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "tables/ascii.h"
#include "tables/error.h"
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

Result<void> CheckKey(std::string_view given) {
  if (TrimSpaces(given).empty()) {
    return Error::InArgument("code", given, "is empty, and no field names the empty text");
  }
  return CheckCode(given);
}

ItemCodes::ItemCodes(std::span<const IndexEntry> entries) {
  for (const IndexEntry& entry : entries) Add(entry.code);
}

ItemCodes::ItemCodes(const std::vector<std::string>& codes) {
  for (const std::string& code : codes) Add(code);
}

void ItemCodes::Add(std::string_view code) {
  if (code.empty()) return;
  if (code.size() <= kMostPackedBytes) {
    if (!short_codes_.Insert(PackShort(code))) return;
    ++count_;
  } else if (codes_.emplace(code).second) {
    ++count_;
  } else {
    return;
  }
  shortest_ = count_ == 1 ? code.size() : std::min(shortest_, code.size());
  longest_ = std::max(longest_, code.size());
}

bool ItemCodes::Contains(std::string_view key) const {
  if (key.empty()) return false;
  if (key.size() <= kMostPackedBytes) return short_codes_.Contains(PackShort(key));
  return codes_.find(key) != codes_.end();
}

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

// What one column's data rows gave so far: its distinct code-shaped keys that are item codes and
// those that are not, and the last key met, which most columns repeat row after row.
struct ColumnCounts {
  std::uint32_t items = 0;
  std::uint32_t others = 0;
  PackedKey last = 0;
  PackedKey first = 0;  // the first key met; a column of one key needs no sets
  bool first_is_item = false;
  // Set once the column can no longer become a reference column: even if every item code came
  // up in it, they would be fewer than three times the other keys.
  bool hopeless = false;
  // The keys met, once there are two: the short item codes as a bit per slot of ItemCodes' short
  // codes (a few kilobytes, where a set of them would take a hundred), the others in a set.
  struct Sets {
    std::vector<std::uint64_t> item_bits;
    KeySet keys;
  };
  std::unique_ptr<Sets> sets;
};

}  // namespace

class TableScan::Impl {
 public:
  Impl(const ItemCodes& codes, int code_column, const WantedKeys& wanted, std::uint32_t table,
       std::size_t most_places)
      : codes_(codes),
        own_column_(code_column >= 0 ? code_column + 1 : 0),
        table_(table),
        most_places_(most_places) {
    if (!wanted) return;
    wanted_ = &*wanted;
    for (const std::string& key : *wanted) {
      wanted_packed_.push_back(key.size() <= kMostPackedBytes ? PackShort(key) : 0);
    }
  }

  void Feed(std::string_view piece) {
    if (!started_) {
      started_ = true;
      header_ = piece.substr(0, piece.find_first_of("\r\n"));
    }
    WalkFields(
        piece.data(), piece.data() + piece.size(), lines_,
        [&](int line, int column, const char* begin, const char* end) {
          if (line > 1) Classify(line, column, begin, end);
        },
        [&](int) { EndRow(); });
  }

  std::vector<ReferenceColumn> ReferenceColumns() const {
    std::vector<ReferenceColumn> references;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const auto column = static_cast<int>(i + 1);
      if (IsReference(column)) references.push_back({column, Header(column)});
    }
    return references;
  }

  bool NeedsSecondReading() const {
    if (wanted_ != nullptr) return false;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const auto column = static_cast<int>(i + 1);
      if (IsReference(column) && Unkept(column)) return true;
    }
    return false;
  }

  std::vector<KeyPlaces> TakePlaces() {
    if (wanted_ != nullptr) {
      std::vector<KeyPlaces> found(wanted_->size());
      for (const Candidate& candidate : candidates_) {
        if (IsReference(candidate.column)) {
          Add(found[candidate.wanted], {table_, candidate.line, candidate.column});
        }
      }
      for (std::size_t i = 0; i < found.size(); ++i) found[i].key = (*wanted_)[i];
      std::erase_if(found, [](const KeyPlaces& places) { return places.count == 0; });
      return found;
    }
    // The first reading kept every place, unless a second one was needed to find them all.
    if (!started_again_) return KeptPlaces();
    std::vector<KeyPlaces> found;
    found.reserve(collected_.size() + collected_short_.size());
    for (auto& [packed, places] : collected_short_) {
      places.key = KeyOf(packed);
      found.push_back(std::move(places));
    }
    for (auto& [key, places] : collected_) {
      places.key = key;
      found.push_back(std::move(places));
    }
    collected_short_.clear();
    collected_.clear();
    return found;
  }

  void CollectPlaces(std::string_view piece) {
    if (!started_again_) {
      started_again_ = true;
      std::vector<KeptPlace>().swap(kept_places_);
      for (std::size_t i = 0; i < columns_.size(); ++i) {
        read_again_.push_back(IsReference(static_cast<int>(i + 1)));
      }
    }
    WalkFields(
        piece.data(), piece.data() + piece.size(), again_lines_,
        [&](int line, int column, const char* begin, const char* end) {
          if (line == 1) return;
          const std::string_view field(begin, static_cast<std::size_t>(end - begin));
          if (column == own_column_) own_code_ = TrimSpaces(field);
          if (static_cast<std::size_t>(column) > read_again_.size() || !read_again_[column - 1]) {
            return;
          }
          const std::string_view key = FieldKey(field);
          if (key.empty()) return;
          row_places_.push_back({key, {table_, line, column}});
        },
        [&](int) {
          // An item table's row may name itself (another picture of the same item, say): that
          // place names nothing.
          for (const auto& [key, place] : row_places_) {
            if (key == own_code_) continue;
            // Most keys are short: a number is their key here, with no text to hash or copy.
            if (key.size() <= kMostPackedBytes) {
              Add(collected_short_[PackShort(key)], place);
              continue;
            }
            auto found = collected_.find(key);
            if (found == collected_.end()) found = collected_.try_emplace(std::string(key)).first;
            Add(found->second, place);
          }
          row_places_.clear();
          own_code_ = {};
        });
  }

 private:
  void Add(KeyPlaces& places, const Place& place) const {
    ++places.count;
    if (places.first.size() < most_places_) places.first.push_back(place);
  }

  struct Candidate {
    std::uint32_t wanted;
    std::int32_t line;
    std::int32_t column;
  };
  struct KeptPlace {
    PackedKey key;
    std::int32_t line;
    std::int32_t column;
  };
  // The most places of any key one table keeps while it is first read, 16 bytes each.
  static constexpr std::size_t kMostKeptPlaces = std::size_t{1} << 20;

  // Counts the field [begin, end) (not empty) of a data row towards its column, and keeps it
  // when it names a wanted key.
  void Classify(int line, int column, const char* begin, const char* end) {
    const std::string_view field(begin, static_cast<std::size_t>(end - begin));
    // The column of an item table's own codes, and a column that can never name items, need no
    // counting and keep no places.
    if (column == own_column_) {
      own_code_ = TrimSpaces(field);
      return;
    }
    const auto at = static_cast<std::size_t>(column - 1);
    if (at < columns_.size() && columns_[at].hopeless) return;
    std::string_view key;
    PackedKey packed = 0;
    if (!PlainShortKey(field, packed)) {
      key = FieldKey(field);
      if (key.empty()) return;
      packed = key.size() <= kMostPackedBytes ? PackShort(key) : 0;
    } else {
      key = field;
    }
    // Only a column with code-shaped keys is counted, so a row of a million columns of text
    // costs no memory per column.
    const bool shaped = codes_.Shaped(key);
    if (shaped) {
      if (packed == 0) packed = Intern(key);
      if (at >= columns_.size()) columns_.resize(at + 1);
      Count(columns_[at], key, packed);
    }
    if (wanted_ != nullptr) {
      KeepPlace(line, column, key, packed);
    } else {
      KeepAny(line, at, shaped, packed);
    }
  }

  // Keeps the place of any key for the window, which wants them all, in a column that has named
  // an item code by then: most columns never do. Where a place is not kept (in a column that
  // named no item code yet, of a long key that is not code-shaped, or once the table kept too
  // many places), its column is marked for a second reading, which only a reference column gets.
  void KeepAny(int line, std::size_t at, bool shaped, PackedKey packed) {
    if (too_many_) return;
    const bool keep = at < columns_.size() && columns_[at].items > 0 && (shaped || packed != 0);
    if (!keep) {
      if (at >= unkept_.size()) unkept_.resize(at + 1);
      unkept_[at] = true;
      return;
    }
    if (kept_places_.size() == kMostKeptPlaces) {
      too_many_ = true;
      std::vector<KeptPlace>().swap(kept_places_);
      return;
    }
    kept_places_.push_back({packed, line, static_cast<std::int32_t>(at + 1)});
  }

  // The places kept on the first reading that stand in reference columns, key by key.
  std::vector<KeyPlaces> KeptPlaces() {
    std::erase_if(kept_places_, [&](const KeptPlace& kept) { return !IsReference(kept.column); });
    // Numbered and counted first, so that each key's places are allocated once.
    std::vector<KeyPlaces> found;
    KeyNumbers numbers;
    std::vector<std::uint32_t> number_of(kept_places_.size());
    for (std::size_t i = 0; i < kept_places_.size(); ++i) {
      const std::uint32_t number = number_of[i] = numbers.NumberOf(kept_places_[i].key);
      if (number == found.size()) found.push_back({KeyOf(kept_places_[i].key), 0, {}});
      ++found[number].count;
    }
    for (KeyPlaces& places : found) places.first.reserve(std::min(places.count, most_places_));
    for (std::size_t i = 0; i < kept_places_.size(); ++i) {
      std::vector<Place>& first = found[number_of[i]].first;
      if (first.size() < most_places_) {
        first.push_back({table_, kept_places_[i].line, kept_places_[i].column});
      }
    }
    return found;
  }

  // Whether the first reading may have missed a place of `column` (from 1).
  bool Unkept(int column) const {
    const auto at = static_cast<std::size_t>(column - 1);
    return too_many_ || (at < unkept_.size() && unkept_[at]);
  }

  // Whether `field` is its own key, short enough to pack and with no space, quote or comma:
  // most fields are. Packs it into `packed` when it is.
  static bool PlainShortKey(std::string_view field, PackedKey& packed) {
    if (field.size() > kMostPackedBytes) return false;
    // PackShort, with the test of each byte in the same loop: this runs for every field.
    PackedKey bits = PackedKey{field.size()} << 56;
    for (std::size_t i = 0; i < field.size(); ++i) {
      const char c = field[i];
      if (c == ' ' || c == '"' || c == ',') return false;
      bits |= PackedKey{static_cast<unsigned char>(c)} << (8 * i);
    }
    packed = bits;
    return true;
  }

  // The packed key of the code-shaped `key`, longer than kMostPackedBytes.
  PackedKey Intern(std::string_view key) {
    const auto [at, added] =
        long_keys_.try_emplace(std::string(key), static_cast<std::uint64_t>(long_names_.size()));
    if (added) long_names_.push_back(at->first);
    return kLongKey | at->second;
  }

  std::string KeyOf(PackedKey packed) const {
    return (packed & kLongKey) == kLongKey ? std::string(long_names_[packed & ~kLongKey])
                                           : UnpackShort(packed);
  }

  // Counts the code-shaped `key`, packed, once per column.
  void Count(ColumnCounts& counts, std::string_view key, PackedKey packed) {
    if (packed == counts.last) return;
    counts.last = packed;
    bool item = false;
    if (counts.first == 0) {
      counts.first = packed;
      item = counts.first_is_item = IsItem(key, packed);
    } else {
      if (packed == counts.first) return;
      if (!counts.sets) {
        counts.sets = std::make_unique<ColumnCounts::Sets>();
        Record(*counts.sets, counts.first, counts.first_is_item);
      }
      item = IsItem(key, packed);
      if (!Record(*counts.sets, packed, item)) return;
    }
    if (item) {
      ++counts.items;
    } else if (3 * std::uint64_t{++counts.others} > codes_.Count()) {
      counts.hopeless = true;
      counts.sets.reset();
    }
  }

  bool IsItem(std::string_view key, PackedKey packed) const {
    return (packed & kLongKey) == kLongKey ? codes_.Contains(key)
                                           : codes_.SlotOfShort(packed) != KeySet::kNone;
  }

  // Adds `packed` to the column's keys; false when it was there already.
  bool Record(ColumnCounts::Sets& sets, PackedKey packed, bool item) const {
    if (!item || (packed & kLongKey) == kLongKey) return sets.keys.Insert(packed);
    const std::size_t slot = codes_.SlotOfShort(packed);
    if (sets.item_bits.empty()) sets.item_bits.assign((codes_.ShortSlots() + 63) / 64, 0);
    std::uint64_t& word = sets.item_bits[slot / 64];
    const std::uint64_t bit = std::uint64_t{1} << (slot % 64);
    if ((word & bit) != 0) return false;
    word |= bit;
    return true;
  }

  void KeepPlace(int line, int column, std::string_view key, PackedKey packed) {
    for (std::size_t i = 0; i < wanted_packed_.size(); ++i) {
      if (packed != 0 ? wanted_packed_[i] == packed
                      : wanted_packed_[i] == 0 && (*wanted_)[i] == key) {
        candidates_.push_back({static_cast<std::uint32_t>(i), line, column});
        return;
      }
    }
  }

  // Ends a data row: its kept places that name the row's own code name nothing. A table that kept
  // too many places keeps none, whatever the row began with.
  void EndRow() {
    if (!too_many_ && !own_code_.empty() && kept_row_start_ != kept_places_.size()) {
      const PackedKey own = OwnPacked();
      const auto from = kept_places_.begin() + static_cast<std::ptrdiff_t>(kept_row_start_);
      kept_places_.erase(std::remove_if(from, kept_places_.end(),
                                        [own](const KeptPlace& c) { return c.key == own; }),
                         kept_places_.end());
    }
    kept_row_start_ = kept_places_.size();
    if (!own_code_.empty() && row_start_ != candidates_.size()) {
      const auto names_itself = [&](const Candidate& c) {
        return (*wanted_)[c.wanted] == own_code_;
      };
      candidates_.erase(
          std::remove_if(candidates_.begin() + static_cast<std::ptrdiff_t>(row_start_),
                         candidates_.end(), names_itself),
          candidates_.end());
    }
    row_start_ = candidates_.size();
    own_code_ = {};
  }

  // The row's own code packed as its places were; 0, which no place holds, when none can hold it.
  PackedKey OwnPacked() const {
    if (own_code_.size() <= kMostPackedBytes) return PackShort(own_code_);
    const auto found = long_keys_.find(own_code_);
    return found == long_keys_.end() ? 0 : kLongKey | found->second;
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
    int line = 1;
    WalkFields(
        header_.data(), header_.data() + header_.size(), line,
        [&](int, int at, const char* begin, const char* end) {
          if (at == column) name = std::string_view(begin, static_cast<std::size_t>(end - begin));
        },
        [](int) {});
    return std::string(TrimSpaces(name));
  }

  const ItemCodes& codes_;
  const int own_column_;  // from 1; 0 for a table of no items
  const std::uint32_t table_;
  const std::size_t most_places_;
  const std::vector<std::string>* wanted_ = nullptr;
  std::vector<PackedKey> wanted_packed_;  // per wanted key, packed; 0 for a longer one
  std::unordered_map<std::string, std::uint64_t, ItemCodes::Hash, std::equal_to<>> long_keys_;
  std::vector<std::string_view> long_names_;  // the keys of long_keys_, by their number
  // Without wanted keys: the places kept on the first reading, the current row's first, whether
  // there were too many to keep, and per column whether a place was not kept.
  std::vector<KeptPlace> kept_places_;
  std::size_t kept_row_start_ = 0;
  bool too_many_ = false;
  std::vector<bool> unkept_;
  bool started_ = false;
  bool started_again_ = false;
  int lines_ = 1;        // the line the next piece begins with
  int again_lines_ = 1;  // the same, reading again for places
  std::string header_;
  std::vector<ColumnCounts> columns_;
  std::vector<Candidate> candidates_;
  std::size_t row_start_ = 0;     // the current row's first kept place
  std::string_view own_code_;     // the current row's own code, in an item table
  std::vector<bool> read_again_;  // per column, whether the second reading gathers its places
  std::vector<std::pair<std::string_view, Place>> row_places_;
  std::unordered_map<PackedKey, KeyPlaces> collected_short_;
  std::unordered_map<std::string, KeyPlaces, ItemCodes::Hash, std::equal_to<>> collected_;
};

TableScan::TableScan(const ItemCodes& codes, int code_column, const WantedKeys& wanted,
                     std::uint32_t table, std::size_t most_places)
    : impl_(std::make_unique<Impl>(codes, code_column, wanted, table, most_places)) {}
TableScan::~TableScan() = default;
void TableScan::Feed(std::string_view piece) { impl_->Feed(piece); }
std::vector<ReferenceColumn> TableScan::ReferenceColumns() const {
  return impl_->ReferenceColumns();
}
bool TableScan::NeedsSecondReading() const { return impl_->NeedsSecondReading(); }
void TableScan::CollectPlaces(std::string_view piece) { impl_->CollectPlaces(piece); }
std::vector<KeyPlaces> TableScan::TakePlaces() { return impl_->TakePlaces(); }

TextScan ScanTableText(std::string_view text, const ItemCodes& codes, int code_column) {
  TextScan scanned;
  if (IsUtf16Text(text)) return scanned;
  if (text.starts_with(kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
  TableScan scan(codes, code_column, std::nullopt, 0, SIZE_MAX);
  scan.Feed(text);
  scanned.reference_columns = scan.ReferenceColumns();
  if (scan.NeedsSecondReading()) scan.CollectPlaces(text);
  for (const KeyPlaces& places : scan.TakePlaces()) {
    for (const Place& place : places.first) scanned.places.emplace_back(places.key, place);
  }
  std::sort(scanned.places.begin(), scanned.places.end(), [](const auto& a, const auto& b) {
    return std::pair(a.second.line, a.second.column) < std::pair(b.second.line, b.second.column);
  });
  return scanned;
}

PerItemTable<ItemTableColumn> ItemTableColumns(const Module1& module) {
  PerItemTable<ItemTableColumn> columns;
  for (std::size_t table = 0; table < columns.size(); ++table) {
    columns[table] = {module.Tables()[table].file_name, module.Tables()[table].CodeColumnInFile()};
  }
  return columns;
}

namespace {

// Reads the table `name` of `table_folder` through `buffer`, giving `scan` its text.
Result<void> ReadTable(const std::string& table_folder, const std::string& name,
                       std::string& buffer,
                       const std::function<void(std::string_view piece)>& on_piece) {
  TableFile file;
  if (Result<void> opened = file.Open(TablePath(table_folder, name), name); !opened) {
    return opened;
  }
  bool first = true;
  return file.ReadLines(buffer, [&](std::string_view piece) -> Result<void> {
    if (first && IsUtf16Text(piece)) {
      return Error(name, 0, ErrorCause::kReadError, std::string(kUtf16Detail));
    }
    first = false;
    on_piece(piece);
    return {};
  });
}

}  // namespace

namespace {

// Scans the `table`-th table of `scan`, `name`, of `table_folder` through `buffer`, leaving what
// it found in `scan`'s entries for that table.
void ScanOneTable(const std::string& table_folder, const ItemCodes& codes,
                  const PerItemTable<ItemTableColumn>& item_tables, const WantedKeys& wanted,
                  std::size_t most_places, std::uint32_t table, std::string& buffer,
                  FolderScan& scan) {
  ScannedTable& scanned = scan.tables[table];
  int code_column = -1;
  for (const ItemTableColumn& item_table : item_tables) {
    if (item_table.file_name == scanned.file_name) code_column = item_table.code_column;
  }
  const auto leave_out = [&](const Error& error) {
    scanned.reference_columns.clear();
    scanned.left_out = std::string(CauseName(error.Cause())) + ": " + error.Detail();
  };
  try {
    TableScan table_scan(codes, code_column, wanted, table, most_places);
    Result<void> read = ReadTable(table_folder, scanned.file_name, buffer,
                                  [&](std::string_view piece) { table_scan.Feed(piece); });
    if (!read) return leave_out(*read.Error());
    scanned.reference_columns = table_scan.ReferenceColumns();
    if (table_scan.NeedsSecondReading()) {
      read = ReadTable(table_folder, scanned.file_name, buffer,
                       [&](std::string_view piece) { table_scan.CollectPlaces(piece); });
      if (!read) return leave_out(*read.Error());
    }
    // A table read again for its places may have changed meanwhile: its places count only once
    // both readings went through.
    scan.places[table] = table_scan.TakePlaces();
  } catch (const std::exception& error) {
    // What the standard library throws, memory running out above all, leaves the table out.
    scanned.reference_columns.clear();
    scanned.left_out = std::string(CauseName(ErrorCause::kReadError)) + ": " + error.what();
  }
}

}  // namespace

FolderScan ScanFolder(const std::string& table_folder, const ItemCodes& codes,
                      const PerItemTable<ItemTableColumn>& item_tables, const WantedKeys& wanted,
                      std::size_t most_places) {
  return ScanFolder(table_folder, FolderTableNames(table_folder), codes, item_tables, wanted,
                    most_places);
}

FolderScan ScanFolder(const std::string& table_folder, std::vector<std::string> table_names,
                      const ItemCodes& codes, const PerItemTable<ItemTableColumn>& item_tables,
                      const WantedKeys& wanted, std::size_t most_places) {
  FolderScan scan;
  std::vector<std::pair<std::uintmax_t, std::uint32_t>> by_size;  // largest first
  for (std::string& name : table_names) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(TablePath(table_folder, name), error);
    by_size.emplace_back(error ? 0 : size, static_cast<std::uint32_t>(scan.tables.size()));
    scan.tables.push_back({std::move(name), {}, {}});
  }
  scan.places.resize(scan.tables.size());
  std::sort(by_size.begin(), by_size.end(), std::greater<>());
  // Each worker takes the largest table left, so that the last to end ends soon after the other.
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    std::string buffer;
    for (std::size_t at; (at = next++) < by_size.size();) {
      ScanOneTable(table_folder, codes, item_tables, wanted, most_places, by_size[at].second,
                   buffer, scan);
    }
  };
  std::optional<std::thread> helper;
  if (std::thread::hardware_concurrency() > 1 && by_size.size() > 1) {
    try {
      helper.emplace(work);
    } catch (const std::system_error&) {
      // No thread to be had: this one reads every table.
    }
  }
  work();
  if (helper) helper->join();
  return scan;
}

}  // namespace sallowmere
