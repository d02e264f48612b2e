#pragma once

// Splitting a table's text into lines and a line into fields, and the reading frame the loaders
// run: header skipped, limits checked.

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "tables/result.h"

namespace sallowmere {

// Splits a table's text into lines. A line ends at CR, CRLF or a lone LF; the end is not part of
// the line. Text after the last line end forms a last line only when it is not empty.
class LineReader {
 public:
  // Reads `text`, whose first line is line `lines_before` + 1 of the table.
  explicit LineReader(std::string_view text, int lines_before = 0)
      : begin_(text.data()), end_(text.data() + text.size()), line_number_(lines_before) {}

  // Stores the next line in `line` and returns true; returns false at the end of the text.
  bool Next(std::string_view& line);

  // The 1-based number of the line returned last (0 before the first).
  int LineNumber() const { return line_number_; }

 private:
  // The next `byte` at or after `from`, or end_ when there is none; `known` keeps the last
  // answer, which stays right while it lies at or after `from`.
  const char* NextOf(char byte, const char* from, const char*& known) const;

  const char* begin_;  // the rest of the text
  const char* end_;
  const char* next_cr_ = nullptr;
  const char* next_lf_ = nullptr;
  int line_number_;
};

// The fields of one row, as views into the row's text. Positions past Count() read as empty, so a
// short row never shows an earlier row's values.
class RowFields {
 public:
  static constexpr int kCapacity = 501;

  std::string_view operator[](int column) const {
    return column >= 0 && column < count_ ? fields_[column] : std::string_view{};
  }
  int Count() const { return count_; }

 private:
  friend bool SplitRow(std::string_view line, RowFields& fields);
  std::array<std::string_view, kCapacity> fields_{};
  int count_ = 0;
};

// `line` as its fields are read: one trailing tab ends the last field without adding an empty one,
// so it is dropped; a line without one is read as it is.
std::string_view WithoutTrailingTab(std::string_view line);

// Splits a line at its tabs into `fields`, replacing what they held. One trailing tab ends the
// last field without adding an empty one; two add one empty field. Each field loses its leading
// and trailing spaces (code 32 only). Returns false, leaving `fields` undefined, when the line has
// more than RowFields::kCapacity fields.
bool SplitRow(std::string_view line, RowFields& fields);

// The fields at `columns` (each counted from 0, in either order; -1 for none, which reads as
// empty) of `line`, as SplitRow would give them, found without splitting the rest: the line is
// only searched for its tabs. Returns false, leaving `fields` undefined, when the line has more
// than RowFields::kCapacity fields.
bool FieldsOfRow(std::string_view line, std::array<int, 2> columns,
                 std::array<std::string_view, 2>& fields);

// The field at `column` of `line`, as FieldsOfRow finds it.
bool FieldOfRow(std::string_view line, int column, std::string_view& field);

// Whether a table's text that begins with `start` is UTF-16: it begins with a UTF-16 byte-order
// mark. Such a table is no table of bytes, and is read as none.
constexpr bool IsUtf16Text(std::string_view start) {
  return start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF");
}

// Why a UTF-16 table is not read, as a Error's detail.
inline constexpr std::string_view kUtf16Detail = "the file is UTF-16 text; save it as 8-bit text";

// The most data rows a table of a fixed record layout may hold.
inline constexpr int kMaxDataRows = 501;

// The reading frame of a table whose text comes in pieces: the header line goes to `on_header`,
// each data row, split, to `on_row` with its 1-based line number; empty lines are skipped. Each
// piece ends just after a line end, or at the end of the table.
class RowStream {
 public:
  using HeaderHandler = std::function<void(std::string_view header)>;
  using RowHandler = std::function<Result<void>(int line, const RowFields& fields)>;
  using FieldsHandler =
      std::function<void(int line, std::string_view first, std::string_view second)>;

  // `on_header` may be empty.
  RowStream(std::string_view file_name, HeaderHandler on_header, RowHandler on_row);

  // Reads the next piece. Fails, naming the file and the line, when a row has more than
  // RowFields::kCapacity fields (checked first) or the table more data rows than allowed, with a
  // read error at line 1 for UTF-16 text (which has a NUL byte in every other place, so no field
  // of it could mean what it shows), or as the row handler failed, at once.
  Result<void> Feed(std::string_view piece);

  // The most data rows the table may hold: kMaxDataRows until set.
  void SetMaxRows(int max_rows) { max_rows_ = max_rows; }

  // From the next row on, gives `on_fields` only the fields at `first` and `second` of each data
  // row (as FieldsOfRow finds them; -1 for an empty one) instead of the split row to the row
  // handler. The limits stay.
  void KeepOnlyFields(int first, int second, FieldsHandler on_fields) {
    keep_fields_ = true;
    kept_columns_ = {first, second};
    on_fields_ = std::move(on_fields);
  }

 private:
  std::string file_name_;
  HeaderHandler on_header_;
  RowHandler on_row_;
  FieldsHandler on_fields_;
  bool keep_fields_ = false;  // set once KeepOnlyFields is called
  std::array<int, 2> kept_columns_{};
  RowFields fields_;
  int lines_ = 0;  // lines read so far, the header included
  int rows_ = 0;   // data rows read so far
  int max_rows_ = kMaxDataRows;
};

}  // namespace sallowmere
