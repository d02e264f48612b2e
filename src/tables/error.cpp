#include "tables/error.h"

#include <algorithm>

#include "tables/table_file.h"

namespace sallowmere {
namespace {

// `text` in double quotes, with tab, CR and LF written as \t, \r and \n so it stays on one line.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\t') {
      quoted += "\\t";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\n') {
      quoted += "\\n";
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

}  // namespace

std::string_view CauseName(ErrorCause cause) {
  switch (cause) {
    case ErrorCause::kReadError: return "read error";
    case ErrorCause::kFileTooLarge: return "file too large";
    case ErrorCause::kTooManyFields: return "too many fields";
    case ErrorCause::kTooManyRows: return "too many rows";
    case ErrorCause::kOverflow: return "overflow";
    case ErrorCause::kTypeMismatch: return "type mismatch";
    case ErrorCause::kMissingTable: return "missing table";
    case ErrorCause::kUnreadableFolder: return "unreadable folder";
    case ErrorCause::kUsage: return "usage";
  }
  return "error";
}

Error::Error(std::string file, int line, ErrorCause cause, std::string detail)
    : file_(std::move(file)), line_(line), cause_(cause), detail_(std::move(detail)) {}

Error Error::InField(std::string file, int line, ErrorCause cause, int column,
                     std::string_view field_text, std::string reason, std::string column_name) {
  std::string field = ShortenField(field_text);
  std::string detail = "column " + std::to_string(column + 1);
  if (!column_name.empty()) detail += " (\"" + ShortenField(column_name) + "\")";
  detail += " \"" + field + "\" " + reason;
  Error error(std::move(file), line, cause, std::move(detail));
  error.column_ = column;
  error.field_text_ = std::move(field);
  error.reason_ = std::move(reason);
  return error;
}

Error Error::MissingTable(std::string path) {
  return Error(std::move(path), 0, ErrorCause::kMissingTable, "");
}

Error Error::UnreadableFolder(std::string_view folder) {
  return Error(BytesFromPath(PathFromBytes(folder).make_preferred()), 0,
               ErrorCause::kUnreadableFolder, "");
}

Error Error::Usage(std::string detail) {
  return Error("", 0, ErrorCause::kUsage, std::move(detail));
}

Error Error::InArgument(std::string_view role, std::string_view given, std::string_view reason) {
  Error error = Usage("the " + std::string(role) + " " + Quoted(given) + " " + std::string(reason));
  error.field_text_ = ShortenField(given);
  error.reason_ = reason;
  return error;
}

Error Error::WithColumnName(std::string_view name) const {
  return InField(file_, line_, cause_, column_, field_text_, reason_, std::string(name));
}

std::string Error::Description() const { return Text().Bytes(); }

MessageText Error::Text() const {
  MessageText text;
  switch (cause_) {
    case ErrorCause::kMissingTable: return text.Path(file_).Table(" was not found");
    case ErrorCause::kUnreadableFolder:
      if (file_.empty()) return text.Table(kStartFolderGone);
      return text.Table("The folder ").Path(file_).Table(" cannot be read.");
    case ErrorCause::kUsage: return text.Table(detail_);
    default: break;
  }
  const std::string line = line_ > 0 ? ":" + std::to_string(line_) : std::string();
  return text.Path(file_).Table(line + ": " + std::string(CauseName(cause_)) + ": " + detail_);
}

MessageText Error::UserMessage() const {
  switch (cause_) {
    case ErrorCause::kMissingTable:
    case ErrorCause::kUnreadableFolder:
    case ErrorCause::kUsage: return Text();
    default: break;
  }
  MessageText text;
  text.Table("The tables could not be read: ").Path(file_);
  std::string rest = line_ > 0 ? ", line " + std::to_string(line_) : std::string();
  return text.Table(rest + ": " + std::string(CauseName(cause_)) + ": " + detail_ + ".");
}

std::string ShortenField(std::string_view text) {
  // A field can be a megabyte long; a message only needs enough to find it in the file.
  constexpr std::size_t kShown = 40;
  if (text.size() <= kShown) return std::string(text);
  // Filled in place: GCC 12 with link-time optimisation misreads `substr + "..."` as reading past
  // a short string's inline buffer.
  std::string shortened(kShown + 3, '.');
  std::copy_n(text.data(), kShown, shortened.data());
  return shortened;
}

}  // namespace sallowmere
