// How fast a mod folder loads, against the floor of reading its three files.
//   sallowmere-bench [FOLDER] [benchmark options]
//   sallowmere-bench --write FOLDER | --write-real FOLDER | --write-real-folder FOLDER
// Without FOLDER it measures the largest tables the format allows, written to a temporary folder,
// beside the largest later-layout tables (9,999 rows each, read by their header rows) and tables
// shaped like the largest real mods; --write writes the largest tables into FOLDER, --write-real
// the real-shaped ones (for timing other programs on them), --write-real-folder those beside
// the other tables of a real-shaped mod folder, and ends.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "index/load_folder.h"
#include "index/reference_scan.h"
#include "index/sorted_codes.h"
#include "table_text.h"

namespace {

std::string g_folder;        // set once in main, before any benchmark runs
std::string g_later_folder;  // the largest later-layout tables, likewise
std::string g_real_folder;   // tables shaped like the largest real mods, likewise
std::string g_whole_folder;  // those beside the other tables of a real-shaped folder, likewise

std::int64_t FolderBytes(const std::string& folder) {
  std::int64_t bytes = 0;
  for (const char* name : {"armor.txt", "weapons.txt", "misc.txt"}) {
    bytes += static_cast<std::int64_t>(std::filesystem::file_size(folder + "/" + name));
  }
  return bytes;
}

// Loads `folder` as often as the benchmark asks; counts its bytes and codes.
void LoadRepeatedly(benchmark::State& state, const std::string& folder) {
  sallowmere::Module1 module;
  std::size_t entries = 0;
  for (auto _ : state) {
    const sallowmere::LoadOutcome outcome = sallowmere::LoadFolder(module, folder);
    const auto* index = (outcome ? &*outcome : nullptr);
    if (index == nullptr) {
      state.SkipWithError("the folder does not load");
      return;
    }
    entries = index->Entries().size();
  }
  state.SetBytesProcessed(state.iterations() * FolderBytes(folder));
  state.counters["codes"] = static_cast<double>(entries);
}

// Reads each table of `folder` in one go and touches every byte once: no loader can do less.
void ReadFloor(benchmark::State& state, const std::string& folder) {
  std::vector<char> buffer;
  for (auto _ : state) {
    unsigned sum = 0;
    for (const char* name : {"armor.txt", "weapons.txt", "misc.txt"}) {
      std::FILE* file = std::fopen((folder + "/" + name).c_str(), "rb");
      if (file == nullptr) {
        state.SkipWithError("a table cannot be opened");
        return;
      }
      std::fseek(file, 0, SEEK_END);
      buffer.resize(static_cast<std::size_t>(std::ftell(file)));
      std::fseek(file, 0, SEEK_SET);
      const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
      std::fclose(file);
      for (std::size_t i = 0; i < got; ++i) sum += static_cast<unsigned char>(buffer[i]);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * FolderBytes(folder));
}

void BM_Floor(benchmark::State& state) { ReadFloor(state, g_folder); }
BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond);

// The whole load request short of the window.
void BM_LoadFolder(benchmark::State& state) { LoadRepeatedly(state, g_folder); }
BENCHMARK(BM_LoadFolder)->Unit(benchmark::kMicrosecond);

// The same for three later-layout tables of 9,999 rows each, read by their header rows.
void BM_LoadLaterLayout(benchmark::State& state) { LoadRepeatedly(state, g_later_folder); }
BENCHMARK(BM_LoadLaterLayout)->Unit(benchmark::kMicrosecond);

// The same for tables shaped like the largest real mods (later layouts, short fields).
void BM_LoadRealShape(benchmark::State& state) { LoadRepeatedly(state, g_real_folder); }
BENCHMARK(BM_LoadRealShape)->Unit(benchmark::kMicrosecond);

// The floor of the real-shaped tables.
void BM_FloorRealShape(benchmark::State& state) { ReadFloor(state, g_real_folder); }
BENCHMARK(BM_FloorRealShape)->Unit(benchmark::kMicrosecond);

// One lookup of a used and one of a free code, as the window and the CLI look codes up.
void BM_Lookup(benchmark::State& state) {
  sallowmere::Module1 module;
  const sallowmere::LoadOutcome outcome = sallowmere::LoadFolder(module, g_folder);
  const auto* index = (outcome ? &*outcome : nullptr);
  if (index == nullptr || index->Entries().empty()) {
    state.SkipWithError("the folder has no codes");
    return;
  }
  const sallowmere::SortedCodes codes(*index);
  const std::string used(index->Entries()[index->Entries().size() / 2].code);
  const std::string free = used + "~free";
  for (auto _ : state) {
    benchmark::DoNotOptimize(codes.Lookup(used));
    benchmark::DoNotOptimize(codes.Lookup(free));
  }
}
BENCHMARK(BM_Lookup)->Unit(benchmark::kNanosecond);

// Scans the whole real-shaped folder as refs does (`wanted`) or as the window does (every key,
// the first 20 places of each).
void ScanRepeatedly(benchmark::State& state, const sallowmere::WantedKeys& wanted) {
  sallowmere::Module1 module;
  const sallowmere::LoadOutcome outcome = sallowmere::LoadFolder(module, g_whole_folder);
  const auto* index = (outcome ? &*outcome : nullptr);
  if (index == nullptr) {
    state.SkipWithError("the folder does not load");
    return;
  }
  const sallowmere::ItemCodes codes(index->Entries());
  const auto item_tables = sallowmere::ItemTableColumns(module);
  const std::string folder = g_whole_folder + "/";
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        sallowmere::ScanFolder(folder, codes, item_tables, wanted, wanted ? SIZE_MAX : 20));
  }
}

void BM_ScanOneCode(benchmark::State& state) {
  ScanRepeatedly(state, std::vector<std::string>{"xxx"});
}
BENCHMARK(BM_ScanOneCode)->Unit(benchmark::kMillisecond);

void BM_ScanEveryKey(benchmark::State& state) { ScanRepeatedly(state, std::nullopt); }
BENCHMARK(BM_ScanEveryKey)->Unit(benchmark::kMillisecond);

// Shows the results as usual and keeps each benchmark's time per iteration for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        seconds_[run.run_name.function_name] = run.real_accumulated_time / run.iterations;
      }
    }
  }
  double Seconds(const std::string& name) const {
    const auto at = seconds_.find(name);
    return at == seconds_.end() ? 0 : at->second;
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string write = argc == 3 ? argv[1] : "";
  if (write == "--write" || write == "--write-real" || write == "--write-real-folder") {
    sallowmere::testing::TempFolder folder;
    if (write == "--write-real") {
      sallowmere::testing::WriteRealShapedMod(folder);
    } else if (write == "--write-real-folder") {
      sallowmere::testing::WriteRealShapedFolder(folder);
    } else {
      sallowmere::testing::WriteLargestMod(folder);
    }
    std::filesystem::create_directories(argv[2]);
    for (const auto& table : std::filesystem::directory_iterator(folder.Path())) {
      std::filesystem::copy_file(table.path(), argv[2] / table.path().filename(),
                                 std::filesystem::copy_options::overwrite_existing);
    }
    std::printf("Wrote the tables into %s\n", argv[2]);
    return 0;
  }
  std::unique_ptr<sallowmere::testing::TempFolder> largest;
  if (argc > 1 && argv[1][0] != '-') {
    g_folder = argv[1];
    for (int i = 1; i + 1 < argc; ++i) argv[i] = argv[i + 1];
    --argc;
  } else {
    largest = std::make_unique<sallowmere::testing::TempFolder>();
    sallowmere::testing::WriteLargestMod(*largest);
    g_folder = largest->PathText();
  }
  sallowmere::testing::TempFolder later_tables;
  sallowmere::testing::WriteLargestLaterMod(later_tables);
  g_later_folder = later_tables.PathText();
  sallowmere::testing::TempFolder real_tables;
  sallowmere::testing::WriteRealShapedMod(real_tables);
  g_real_folder = real_tables.PathText();
  sallowmere::testing::TempFolder whole_folder;
  sallowmere::testing::WriteRealShapedFolder(whole_folder);
  g_whole_folder = whole_folder.PathText();
  benchmark::Initialize(&argc, argv);
  std::printf("Folder: %s\n", g_folder.c_str());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double floor = reporter.Seconds("BM_Floor");
  const double load = reporter.Seconds("BM_LoadFolder");
  if (floor > 0 && load > 0) std::printf("BM_LoadFolder / BM_Floor: %.2f\n", load / floor);
  const double later = reporter.Seconds("BM_LoadLaterLayout");
  if (load > 0 && later > 0) {
    const double per_byte = (later / static_cast<double>(FolderBytes(g_later_folder))) /
                            (load / static_cast<double>(FolderBytes(g_folder)));
    std::printf("BM_LoadLaterLayout / BM_LoadFolder, per byte: %.2f\n", per_byte);
  }
  const double real = reporter.Seconds("BM_LoadRealShape");
  const double real_floor = reporter.Seconds("BM_FloorRealShape");
  if (real > 0 && real_floor > 0) {
    std::printf("BM_LoadRealShape / BM_FloorRealShape: %.2f\n", real / real_floor);
  }
  benchmark::Shutdown();
  return 0;
}
