// A thousand loads of the largest tables in one process: the same result every time and no
// memory kept from one load to the next.
#include <gtest/gtest.h>

#include <fstream>

#include "index/load_request.h"
#include "table_text.h"

namespace sallowmere {
namespace {

// The resident memory of this process in bytes, or -1 where /proc does not tell.
long long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long long pages = 0, resident = -1;
  if (!(statm >> pages >> resident)) return -1;
  return resident * 4096;
}

TEST(EnduranceTest, ThousandLoadsOfTheLargestTables) {
  testing::TempFolder folder;
  testing::WriteLargestMod(folder);
  Module1 module;
  long long settled = -1;
  for (int load = 1; load <= 1000; ++load) {
    const LoadOutcome outcome = LoadFolder(module, folder.PathText());
    ASSERT_EQ(outcome.kind, LoadOutcome::Kind::kLoaded);
    ASSERT_EQ(outcome.index.Entries().size(), 1503u);
    ASSERT_TRUE(outcome.index.Duplicates().empty());
    if (load == 50) settled = ResidentBytes();
  }
  const long long end = ResidentBytes();
  if (settled < 0 || end < 0) GTEST_SKIP() << "no /proc/self/statm to read memory from";
  // After the first loads have sized the allocator's pools, a load must not need more.
  EXPECT_LT(end - settled, 4 << 20) << "grew from " << settled << " to " << end << " bytes";
}

}  // namespace
}  // namespace sallowmere
