// How long the Win32 window takes from "Open" to the search panel with both lists filled and
// drawn, on tables shaped like the largest real mods (about ten thousand codes), beside the
// command line's "list" of the same folder in the same process. Run under Wine:
//   scripts/wine-run.sh build/windows-cross/bin/win32-open-bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sstream>
#include <vector>

#include "cli/cli.h"
#include "table_text.h"
#include "win32/form1_window.h"

namespace {

using sallowmere::window::Control;

// The median of `runs` timings of `step`, in milliseconds.
double MedianMs(int runs, const std::function<void()>& step) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    step();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  return times[static_cast<std::size_t>(runs / 2)];
}

}  // namespace

int wmain() {
  sallowmere::testing::TempFolder folder;
  sallowmere::testing::WriteRealShapedMod(folder);
  auto form = sallowmere::win32::Form1Window::Create(GetModuleHandleW(nullptr));
  if (!form) return 1;
  form->Start(folder.Path());
  ShowWindow(form->Handle(), SW_SHOW);
  UpdateWindow(form->Handle());
  const auto click = [&](Control button) {
    SendMessageW(form->ControlHandle(button), BM_CLICK, 0, 0);
  };
  const double open = MedianMs(15, [&] {
    click(Control::kCommand2);
    click(Control::kCommand1);
    UpdateWindow(form->Handle());  // drawn, not only filled
  });
  const LRESULT count = SendMessageW(form->ControlHandle(Control::kList1), LB_GETCOUNT, 0, 0);

  const std::vector<std::string> args = {"list", folder.PathText()};
  const double list = MedianMs(15, [&] {
    std::ostringstream out, err;
    sallowmere::RunCli(args, out, err);
  });
  std::printf(
      "codes in List1: %ld\nOpen to the filled search panel: %.2f ms (median of 15)\n"
      "sallowmere-cli list, in process: %.2f ms\nOpen / list: %.2f\n",
      static_cast<long>(count), open, list, open / list);
  return 0;
}
