#include "support/TestPortal.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "support/EucJp.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr auto ReadyBound = std::chrono::seconds(30);
constexpr auto StopBound = std::chrono::seconds(5);

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// Binds a loopback socket to a free port; the caller owns the descriptor.
int BindLoopback(int& port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(fd);
    throw std::runtime_error("bind failed");
  }
  port = ntohs(address.sin_port);
  return fd;
}

// Reads the portal's ready line, giving up after the bound or when the portal exits.
std::string ReadReadyLine(int fd) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + ReadyBound;
  while (line.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) throw std::runtime_error("test portal did not report ready");
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[256];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) throw std::runtime_error("test portal ended before it was ready");
    line.append(buffer, static_cast<size_t>(n));
  }
  return line.substr(0, line.find('\n'));
}

int PortFromReadyLine(const std::string& line) {
  const auto key = line.find("\"port\":");
  if (key == std::string::npos) throw std::runtime_error("bad ready line: " + line);
  return std::atoi(line.c_str() + key + 7);
}

}  // namespace

TestPortal::TestPortal(TContent content) {
  char pattern[] = "/tmp/mirvaso-portal-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  FWorkDir = pattern;
  FSiteDir = FWorkDir + "/site";
  FLogFile = FWorkDir + "/requests.log";
  FCaFile = FWorkDir + "/cert/cert.pem";
  try {
    Start(content);
  } catch (...) {
    Stop();
    throw;
  }
}

TestPortal::~TestPortal() { Stop(); }

void TestPortal::Start(TContent content) {
  fs::create_directories(FSiteDir);
  std::vector<std::string> args = {
      MIRVASO_PYTHON, MIRVASO_PORTAL_SCRIPT, "--site",          FSiteDir, "--log",
      FLogFile,       "--cert-dir",          FWorkDir + "/cert"};
  if (content == TContent::Sample) args.push_back("--sample");
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  // Only the ready pipe is shared; stderr goes to a file so that a portal outliving a
  // crashed test never keeps the test runner's output open.
  const std::string errorLog = FWorkDir + "/portal.stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, errorLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    throw std::runtime_error("cannot start " + args[0]);
  }
  FPid = pid;
  try {
    FPort = PortFromReadyLine(ReadReadyLine(pipeFds[0]));
  } catch (...) {
    close(pipeFds[0]);
    throw;
  }
  close(pipeFds[0]);
}

void TestPortal::Stop() {
  if (FPid > 0) {
    kill(FPid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + StopBound;
    int status = 0;
    while (waitpid(FPid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(FPid, SIGKILL);
        waitpid(FPid, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    FPid = 0;
  }
  if (FSilentSocket >= 0) {
    close(FSilentSocket);
    FSilentSocket = -1;
  }
  std::error_code ignored;
  if (!FWorkDir.empty()) fs::remove_all(FWorkDir, ignored);
}

std::string TestPortal::BaseUrl() const { return "https://127.0.0.1:" + std::to_string(FPort); }

std::string TestPortal::SitePath(const std::string& path) const {
  const auto start = path.find_first_not_of('/');
  return FSiteDir + "/" + (start == std::string::npos ? "" : path.substr(start));
}

void TestPortal::Put(const std::string& path, const std::string& bytes, int status) {
  const std::string file = SitePath(path);
  WriteFile(file, bytes);
  if (status == 200)
    fs::remove(file + ".status");
  else
    WriteFile(file + ".status", std::to_string(status));
}

void TestPortal::PutUtf8(const std::string& path, const std::string& utf8, int status) {
  Put(path, Utf8ToEucJp(utf8), status);
}

void TestPortal::SetMode(const std::string& path, const std::string& mode) {
  const std::string file = SitePath(path) + ".mode";
  if (mode.empty())
    fs::remove(file);
  else
    WriteFile(file, mode);
}

void TestPortal::SetRedirect(const std::string& path, const std::string& target, int status) {
  const std::string file = SitePath(path);
  WriteFile(file + ".location", target);
  WriteFile(file + ".status", std::to_string(status));
}

std::vector<TPortalRequest> TestPortal::Requests() const {
  std::vector<TPortalRequest> requests;
  std::ifstream log(FLogFile, std::ios::binary);
  std::string line;
  TPortalRequest* current = nullptr;
  while (std::getline(log, line)) {
    if (line.empty()) {
      current = nullptr;
    } else if (!current) {
      current = &requests.emplace_back();
      const auto space = line.find(' ');
      current->method = line.substr(0, space);
      current->path = space == std::string::npos ? "" : line.substr(space + 1);
    } else {
      const auto colon = line.find(": ");
      std::string name = line.substr(0, colon);
      std::string value = colon == std::string::npos ? "" : line.substr(colon + 2);
      current->headers[name] = value;
      current->headerLines.emplace_back(std::move(name), std::move(value));
    }
  }
  return requests;
}

void TestPortal::ClearRequests() { std::ofstream(FLogFile, std::ios::trunc); }

std::string TestPortal::UnreachableBaseUrl() {
  int port = 0;
  close(BindLoopback(port));
  return "https://127.0.0.1:" + std::to_string(port);
}

std::string TestPortal::SilentBaseUrl() {
  int port = 0;
  if (FSilentSocket < 0) {
    FSilentSocket = BindLoopback(port);
    // Listening without ever accepting: the kernel completes the TCP handshake and
    // then nothing more is said.
    if (listen(FSilentSocket, 8) != 0) throw std::runtime_error("listen failed");
  }
  sockaddr_in address{};
  socklen_t length = sizeof address;
  getsockname(FSilentSocket, reinterpret_cast<sockaddr*>(&address), &length);
  return "https://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
}
