// mirvaso-cli: collects the portal's shop information from a terminal.
#include <string>
#include <vector>

#include "app/cli/CliRun.h"

int main(int argc, char** argv) { return RunCli(std::vector<std::string>(argv + 1, argv + argc)); }
