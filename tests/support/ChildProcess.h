#pragma once
// Runs a program as a child process with its standard error captured, for tests of the
// headless command.
#include <string>
#include <vector>

class TChildProcess {
 public:
  // Starts program with args; extraEnv entries ("NAME=value") are added to the environment.
  TChildProcess(const std::string& program, const std::vector<std::string>& args,
                const std::vector<std::string>& extraEnv = {});
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  // Reads standard error until text appears in it (true) or the child closes it.
  bool WaitForOutput(const std::string& text);
  void Signal(int signalNumber);
  // Reads the rest of standard error and returns the exit code (128 + n for a signal).
  int Wait();
  const std::string& Stderr() const { return FStderr; }

 private:
  bool ReadSome();
  int FPid = -1;
  int FStderrFd = -1;
  int FExitCode = -1;
  std::string FStderr;
};
