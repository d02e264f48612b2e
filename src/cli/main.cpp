#include <iostream>

#include "cli/arguments.h"
#include "cli/cli.h"

int main(int argc, char** argv) {
  return sallowmere::RunCli(sallowmere::CommandLineArguments(argc, argv), std::cout, std::cerr);
}
