#include "tables/load_error.h"

#include <algorithm>

namespace sallowmere {
namespace {

std::string Describe(const std::string& file, int line, LoadCause cause,
                     const std::string& detail) {
  if (cause == LoadCause::kMissingTable) return file + " was not found";
  std::string text = file;
  if (line > 0) text += ":" + std::to_string(line);
  text += ": ";
  text += CauseName(cause);
  text += ": ";
  text += detail;
  return text;
}

}  // namespace

std::string_view CauseName(LoadCause cause) {
  switch (cause) {
    case LoadCause::kReadError: return "read error";
    case LoadCause::kFileTooLarge: return "file too large";
    case LoadCause::kTooManyFields: return "too many fields";
    case LoadCause::kTooManyRows: return "too many rows";
    case LoadCause::kOverflow: return "overflow";
    case LoadCause::kTypeMismatch: return "type mismatch";
    case LoadCause::kMissingTable: return "missing table";
  }
  return "error";
}

LoadError::LoadError(std::string file, int line, LoadCause cause, std::string detail)
    : file_(std::move(file)), line_(line), cause_(cause), detail_(std::move(detail)) {
  description_ = Describe(file_, line_, cause_, detail_);
}

LoadError LoadError::InField(std::string file, int line, LoadCause cause, int column,
                             std::string_view field_text, std::string reason,
                             std::string column_name) {
  std::string field = ShortenField(field_text);
  std::string detail = "column " + std::to_string(column + 1);
  if (!column_name.empty()) detail += " (\"" + ShortenField(column_name) + "\")";
  detail += " \"" + field + "\" " + reason;
  LoadError error(std::move(file), line, cause, std::move(detail));
  error.column_ = column;
  error.field_text_ = std::move(field);
  error.reason_ = std::move(reason);
  return error;
}

LoadError LoadError::MissingTable(std::string path) {
  return LoadError(std::move(path), 0, LoadCause::kMissingTable, "");
}

LoadError LoadError::WithColumnName(std::string_view name) const {
  return InField(file_, line_, cause_, column_, field_text_, reason_, std::string(name));
}

MessageText LoadError::Text() const {
  MessageText text;
  return text.Path(file_).Table(std::string(std::string_view(description_).substr(file_.size())));
}

MessageText LoadError::UserMessage() const {
  MessageText text;
  if (cause_ == LoadCause::kMissingTable) return text.Path(file_).Table(" was not found");
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
