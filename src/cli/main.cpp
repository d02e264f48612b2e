#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/arguments.h"
#include "cli/cli.h"

#ifndef _WIN32
#include <csignal>
#endif

int main(int argc, char** argv) {
#ifndef _WIN32
  // A reader that closes the pipe early (`| head`) makes writes fail with EPIPE, which the
  // commands notice and stop at, instead of a signal ending the process.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  const int status =
      sallowmere::RunCli(sallowmere::CommandLineArguments(argc, argv), std::cout, std::cerr);
  if (std::cout.flush()) return status;
  if (errno == EPIPE) return status;  // the reader has all it wanted
  std::cerr << "sallowmere-cli: cannot write the output: " << std::strerror(errno) << "\n";
  return 2;
}
