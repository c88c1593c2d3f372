#include "support/ChildProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

TChildProcess::TChildProcess(const std::string& program, const std::vector<std::string>& args,
                             const std::vector<std::string>& extraEnv) {
  int fds[2];
  if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", 0, 0);

  std::vector<std::string> argStrings{program};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings;
  for (char** e = environ; *e != nullptr; e++) envStrings.emplace_back(*e);
  envStrings.insert(envStrings.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> envp;
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  const int rc = posix_spawn(&FPid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  FStderrFd = fds[0];
  if (rc != 0) {
    ::close(FStderrFd);
    throw std::runtime_error("cannot start " + program);
  }
}

TChildProcess::~TChildProcess() {
  if (FExitCode < 0 && FPid > 0) {
    ::kill(FPid, SIGKILL);
    Wait();
  }
  if (FStderrFd >= 0) ::close(FStderrFd);
}

bool TChildProcess::ReadSome() {
  char buffer[4096];
  const ssize_t n = ::read(FStderrFd, buffer, sizeof buffer);
  if (n <= 0) return false;
  FStderr.append(buffer, static_cast<size_t>(n));
  return true;
}

bool TChildProcess::WaitForOutput(const std::string& text) {
  while (FStderr.find(text) == std::string::npos) {
    if (!ReadSome()) return false;
  }
  return true;
}

void TChildProcess::Signal(int signalNumber) { ::kill(FPid, signalNumber); }

int TChildProcess::Wait() {
  if (FExitCode >= 0) return FExitCode;
  while (ReadSome()) {
  }
  int status = 0;
  ::waitpid(FPid, &status, 0);
  FExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return FExitCode;
}
