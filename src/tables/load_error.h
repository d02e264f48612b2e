#pragma once

// The one error a load request ends in: cause, file, line, column, field and the message made of
// them. Given back by the reader and the loaders, shown by both front ends.

#include <string>
#include <string_view>

#include "tables/message_text.h"

namespace sallowmere {

// What went wrong while reading a table.
enum class LoadCause {
  kReadError,
  kFileTooLarge,
  kTooManyFields,
  kTooManyRows,
  kOverflow,
  kTypeMismatch,
  kMissingTable,
};

// The cause as scripts read it: "read error", "file too large", "too many fields",
// "too many rows", "overflow", "type mismatch", "missing table".
std::string_view CauseName(LoadCause cause);

// The one error the reader and the loaders give back. It names the file (as found in the folder),
// the 1-based physical line (0 when the fault concerns the whole file), the column (-1 when none
// applies), the field text (shortened when long) and the cause; the column counts from 0 here and
// from 1 in the text. Description() reads "FILE:LINE: CAUSE: DETAIL", or "FILE: CAUSE: DETAIL" when
// there is no line, or for a missing table "FILE was not found".
class LoadError {
 public:
  LoadError(std::string file, int line, LoadCause cause, std::string detail);

  // A fault in one field, whose detail reads `column K "FIELD" REASON`, or `column K ("NAME")
  // "FIELD" REASON` when the header names the column: K counts from 1, as a spreadsheet counts;
  // `column` counts from 0, as the layouts do.
  static LoadError InField(std::string file, int line, LoadCause cause, int column,
                           std::string_view field_text, std::string reason,
                           std::string column_name = {});

  // The item table `path` (its folder and the name it was looked for under) is not in the folder.
  static LoadError MissingTable(std::string path);

  // The same fault in a field, with the name the header gives its column.
  LoadError WithColumnName(std::string_view name) const;

  const std::string& File() const { return file_; }
  int Line() const { return line_; }
  int Column() const { return column_; }
  const std::string& FieldText() const { return field_text_; }
  LoadCause Cause() const { return cause_; }
  const std::string& Detail() const { return detail_; }
  const std::string& Description() const { return description_; }

  // Description() in pieces: the file's name a path, the rest, which may quote a field, table
  // bytes.
  MessageText Text() const;

  // The error as a sentence for a message box: "The tables could not be read: FILE, line LINE:
  // CAUSE: DETAIL." (without ", line LINE" when there is no line), the file name a path and the
  // rest, which may quote a field, table bytes; for a missing table "FILE was not found".
  MessageText UserMessage() const;

 private:
  std::string file_;
  int line_;
  int column_ = -1;
  std::string field_text_;
  std::string reason_;
  LoadCause cause_;
  std::string detail_;
  std::string description_;
};

// A field's text as a message shows it: its first 40 bytes followed by "..." when longer.
std::string ShortenField(std::string_view text);

}  // namespace sallowmere
