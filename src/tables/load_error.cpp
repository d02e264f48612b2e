#include "tables/load_error.h"

#include <algorithm>

namespace sallowmere {
namespace {

std::string Describe(const std::string& file, int line, LoadCause cause,
                     const std::string& detail) {
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
  }
  return "error";
}

LoadError::LoadError(std::string file, int line, LoadCause cause, std::string detail, int column,
                     std::string field_text)
    : std::runtime_error(Describe(file, line, cause, detail)),
      file_(std::move(file)),
      line_(line),
      column_(column),
      field_text_(ShortenField(field_text)),
      cause_(cause),
      detail_(std::move(detail)) {}

std::string LoadError::UserMessage() const {
  std::string text = "The tables could not be read: " + file_;
  if (line_ > 0) text += ", line " + std::to_string(line_);
  return text + ": " + std::string(CauseName(cause_)) + ": " + detail_ + ".";
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
