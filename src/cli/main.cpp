#include <iostream>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/output_stream.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

namespace {

#ifdef _WIN32
// Whether this process is the only one on its console: Explorer started it for a double-click,
// and the console closes as soon as it ends.
bool AloneOnItsConsole() {
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
}

// Keeps the console open until a key is pressed.
void WaitForAKey(std::ostream& out) {
  out << "Press a key to close this window.\n" << std::flush;
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  FlushConsoleInputBuffer(input);
  INPUT_RECORD record;
  DWORD read = 0;
  while (ReadConsoleInputW(input, &record, 1, &read) && read == 1) {
    if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
  }
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
  // A reader that closes the pipe early (`| head`) makes writes fail with EPIPE, which the
  // output notices and stops at, instead of a signal ending the process.
  std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef _WIN32
  // A drive with no medium is a folder that cannot be read, never the system's box.
  SetErrorMode(SEM_FAILCRITICALERRORS);
#endif
  sallowmere::OutputBuffer out_buffer(sallowmere::StandardStream::kOutput);
  sallowmere::OutputBuffer err_buffer(sallowmere::StandardStream::kError);
  std::ostream out(&out_buffer);
  std::ostream err(&err_buffer);
  err << std::unitbuf;  // notes and errors show as they come, beside the output
  const std::vector<std::string> arguments = sallowmere::CommandLineArguments(argc, argv);
#ifdef _WIN32
  const bool alone = AloneOnItsConsole();
  if (alone && arguments.empty()) {
    out << sallowmere::kStartedFromExplorer;
    WaitForAKey(out);
    return 0;
  }
#endif
  int status = sallowmere::RunCli(arguments, out, err);
  out.flush();
  if (out_buffer.GetState() == sallowmere::OutputBuffer::State::kFailed) {
    err << "sallowmere-cli: cannot write the output: " << out_buffer.Failure() << "\n";
    status = 2;
  }
#ifdef _WIN32
  if (alone) WaitForAKey(err);
#endif
  return status;
}
