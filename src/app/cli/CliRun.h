#pragma once
#include <string>
#include <vector>

// Exit codes of the headless command.
enum TCliExit : int {
  ceRecordsWritten = 0,
  ceNoShop = 1,
  ceBadArguments = 2,
  ceUnreachable = 3,
  ceOutputFailed = 4,
  ceRunFailed = 5,
  ceInterrupted = 130,
};

// Runs the headless command with its arguments (without the program name).
int RunCli(const std::vector<std::string>& args);
