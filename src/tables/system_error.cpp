#include "tables/system_error.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include "tables/utf16.h"
#endif

namespace sallowmere {

std::string ErrnoText(int error) { return std::generic_category().message(error); }

#ifdef _WIN32
std::string WindowsErrorText(unsigned long error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string units;
  if (length > 0 && text != nullptr) units.assign(text, text + length);
  LocalFree(text);
  while (!units.empty() && (units.back() == u'\r' || units.back() == u'\n' ||
                            units.back() == u' ' || units.back() == u'.')) {
    units.pop_back();
  }
  if (units.empty()) return "error " + std::to_string(error);
  return Utf8OfUtf16(units);
}

std::string LastWindowsErrorText() { return WindowsErrorText(GetLastError()); }
#endif

}  // namespace sallowmere
