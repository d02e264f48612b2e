#include "win32/wide_text.h"

#include <gtest/gtest.h>

namespace sallowmere::win32 {
namespace {

// Table bytes show one byte per character and come back so; paths, UTF-8 on Windows, show as the
// file system names them.
TEST(WideTextTest, EachPieceInItsEncoding) {
  EXPECT_EQ(ToWide(MessageText().Path("C:\\m\xC3\xA9\\").Table("\xE9 \x80")),
            L"C:\\m\u00E9\\\u00E9 \u0080");
  EXPECT_EQ(CodeBytes(L"\u00E9t\u00E9"), std::optional<std::string>("\xE9t\xE9"));
  EXPECT_EQ(CodeBytes(L"a\u20ACb"), std::nullopt);
  EXPECT_EQ(PathBytes(PathText("C:\\Caf\xC3\xA9\\\xE5\x85\xB1")), "C:\\Caf\xC3\xA9\\\xE5\x85\xB1");
}

}  // namespace
}  // namespace sallowmere::win32
