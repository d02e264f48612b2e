#pragma once

// The command line front end: sallowmere-cli's commands over the core, with their output and
// exit status. Used by the CLI's main and its tests.

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace sallowmere {

// Runs the command line `args` (without the program name) of sallowmere-cli, writing results to
// `out` and errors to `err`. Returns the exit status: 0 success, 1 a finding (a repeated code,
// no free code), 2 a usage error, a missing table or a load error.
int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// What the program says when it is started with no terminal around it (a double-click on
// Windows): what it is, and how to run it from a terminal.
extern const std::string_view kStartedFromExplorer;

}  // namespace sallowmere
