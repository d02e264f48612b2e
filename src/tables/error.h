#pragma once

// The one error a person can act on: cause, file, line, column, field and the message made of
// them. Given back by the reader, the loaders, the folder listings and the command line's checks;
// shown by both front ends.

#include <string>
#include <string_view>

#include "tables/message_text.h"

namespace sallowmere {

// What went wrong: while reading a table, listing a folder, or in the command line's words.
enum class ErrorCause {
  kReadError,
  kFileTooLarge,
  kTooManyFields,
  kTooManyRows,
  kOverflow,
  kTypeMismatch,
  kMissingTable,
  kUnreadableFolder,  // a folder that cannot be listed: gone, or not to be read
  kUsage,             // the command line asks for what the program does not take
};

// The cause as scripts read it: "read error", "file too large", "too many fields",
// "too many rows", "overflow", "type mismatch", "missing table", "unreadable folder", "usage".
std::string_view CauseName(ErrorCause cause);

// The one error the program gives back for what a person can mend. It names the file (as found in
// the folder; the folder itself for an unreadable folder; none for a usage error), the 1-based
// physical line (0 when the fault concerns the whole file), the column (-1 when none applies), the
// field text (shortened when long; the argument for a usage error) and the cause; the column
// counts from 0 here and from 1 in the text. Description() reads "FILE:LINE: CAUSE: DETAIL", or
// "FILE: CAUSE: DETAIL" when there is no line; for a missing table "FILE was not found", for an
// unreadable folder "The folder FILE cannot be read." (kStartFolderGone for a folder with no
// name), and for a usage error the detail alone.
class Error {
 public:
  Error(std::string file, int line, ErrorCause cause, std::string detail);

  // A fault in one field, whose detail reads `column K "FIELD" REASON`, or `column K ("NAME")
  // "FIELD" REASON` when the header names the column: K counts from 1, as a spreadsheet counts;
  // `column` counts from 0, as the layouts do.
  static Error InField(std::string file, int line, ErrorCause cause, int column,
                       std::string_view field_text, std::string reason,
                       std::string column_name = {});

  // The item table `path` (its folder and the name it was looked for under) is not in the folder.
  static Error MissingTable(std::string path);

  // The folder `folder` (as the core takes paths) cannot be listed. It is named with the
  // system's separators.
  static Error UnreadableFolder(std::string_view folder);

  // The command line is not what the program takes, for the reason `detail` ("unknown command
  // \"x\"", "check takes only a FOLDER", ...).
  static Error Usage(std::string detail);

  // The command line's `role` ("code", "pattern") `given` cannot be taken, for `reason`: the
  // detail reads `the ROLE "GIVEN" REASON`, with a tab, CR or LF in GIVEN written \t, \r, \n.
  static Error InArgument(std::string_view role, std::string_view given, std::string_view reason);

  // The same fault in a field, with the name the header gives its column.
  Error WithColumnName(std::string_view name) const;

  const std::string& File() const { return file_; }
  int Line() const { return line_; }
  int Column() const { return column_; }
  const std::string& FieldText() const { return field_text_; }
  ErrorCause Cause() const { return cause_; }
  const std::string& Detail() const { return detail_; }
  // Text() as one string.
  std::string Description() const;

  // The error as Description() reads, in pieces: the file's name a path, the rest, which may
  // quote a field, table bytes.
  MessageText Text() const;

  // The error as a sentence for a message box: "The tables could not be read: FILE, line LINE:
  // CAUSE: DETAIL." (without ", line LINE" when there is no line), the file name a path and the
  // rest, which may quote a field, table bytes; for a missing table "FILE was not found", and
  // for an unreadable folder or a usage error Text().
  MessageText UserMessage() const;

 private:
  std::string file_;
  int line_;
  int column_ = -1;
  std::string field_text_;
  std::string reason_;
  ErrorCause cause_;
  std::string detail_;
};

// Why the folder list is empty when the folder the program was started in has no name left.
inline constexpr std::string_view kStartFolderGone =
    "The folder this program was started in cannot be read: it may have been removed. Choose a "
    "drive, then the folder that holds the tables.";

// A field's text as a message shows it: its first 40 bytes followed by "..." when longer.
std::string ShortenField(std::string_view text);

}  // namespace sallowmere
