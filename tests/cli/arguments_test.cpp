#include "cli/arguments.h"

#include <gtest/gtest.h>

namespace sallowmere {
namespace {

TEST(ArgumentsTest, AFolderAQuoteClosedTooEarlyIsMended) {
  struct Case {
    std::vector<std::string> given;
    std::vector<std::string> mended;
  };
  const std::vector<Case> cases = {
      // `"C:\my mod\excel\"` and `"C:\my mod\" r0c  w0d`, as the command line's rules read them
      {{"check", "C:\\my mod\\excel\""}, {"check", "C:\\my mod\\excel"}},
      {{"refs", "C:\\my mod\" r0c  w0d"}, {"refs", "C:\\my mod", "r0c", "w0d"}},
      {{"lookup", "C:\\mod", "a\"b"}, {"lookup", "C:\\mod", "a\"b"}},  // only the folder
      {{"list"}, {"list"}},
  };
  for (Case c : cases) {
    MendFolderArgument(c.given, 1);
    EXPECT_EQ(c.given, c.mended);
  }
}

}  // namespace
}  // namespace sallowmere
