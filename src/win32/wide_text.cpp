#include "win32/wide_text.h"

#include "tables/utf16.h"

namespace sallowmere::win32 {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Windows API's wide strings are UTF-16");

std::wstring Wide(const std::u16string& units) { return {units.begin(), units.end()}; }

}  // namespace

std::wstring TableText(std::string_view bytes) { return Wide(TableUnits(bytes)); }

std::optional<std::string> CodeBytes(std::wstring_view text) {
  return TableBytes(std::u16string(text.begin(), text.end()));
}

std::wstring PathText(std::string_view bytes) { return Wide(PathUnits(bytes)); }

std::wstring ToWide(const MessageText& text) { return Wide(MessageUnits(text)); }

}  // namespace sallowmere::win32
