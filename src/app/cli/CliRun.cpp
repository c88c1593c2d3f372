#include "app/cli/CliRun.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "Unithread/MyThread.h"
#include "app/cli/CliHost.h"
#include "app/cli/CliOptions.h"

namespace {

std::atomic<TMyThread*> gWorker{nullptr};
std::atomic<bool> gInterrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the stop request is set from a signal");

extern "C" void OnStopSignal(int) {
  gInterrupted = true;
  if (TMyThread* worker = gWorker.load()) worker->Terminate();
}

// A private Temporary page file, so that two runs at once never share one.
std::string MakeTempPageFile() {
  const char* dir = std::getenv("TMPDIR");
  std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/mirvaso-page-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return "";
  ::close(fd);
  return pattern;
}

int ExitCodeFor(int32_t workerResult) {
  // A failed write is reported even after Ctrl-C: records must never be lost in silence.
  if (workerResult == wrOutputFailed) return ceOutputFailed;
  if (gInterrupted) return ceInterrupted;
  switch (workerResult) {
    case wrRecordWritten:
      return ceRecordsWritten;
    case wrRunFailed:
      return ceRunFailed;
    case wrAccessFailed:
      return ceUnreachable;
    default:
      return ceNoShop;
  }
}

void ReportOutcome(int exitCode, const TCliOptions& options) {
  switch (exitCode) {
    case ceRecordsWritten:
      std::fprintf(stderr, "Saved the shops to %s\n", options.output.c_str());
      break;
    case ceNoShop:
      std::fprintf(stderr, "No shop found; %s holds the header line only\n",
                   options.output.c_str());
      break;
    case ceUnreachable:
      std::fprintf(stderr, "mirvaso-cli: the portal could not be reached (%s)\n",
                   options.baseUrl.c_str());
      break;
    case ceOutputFailed:
      std::fprintf(stderr, "mirvaso-cli: cannot write %s\n", options.output.c_str());
      break;
    case ceRunFailed:
      std::fprintf(stderr,
                   "mirvaso-cli: the run broke off (no temporary page file could be written, "
                   "or an unexpected error); %s keeps the shops read so far\n",
                   options.output.c_str());
      break;
    case ceInterrupted:
      std::fprintf(stderr, "Stopped; %s keeps the shops read so far\n", options.output.c_str());
      break;
  }
}

}  // namespace

int RunCli(const std::vector<std::string>& args) {
  TCliParse parse = ParseCliOptions(args);
  if (parse.options.help) {
    std::fputs(CliUsage().c_str(), stdout);
    return ceRecordsWritten;
  }
  if (!parse.error.empty()) {
    std::fprintf(stderr, "mirvaso-cli: %s\nTry 'mirvaso-cli --help'.\n", parse.error.c_str());
    return ceBadArguments;
  }
  TCliOptions& options = parse.options;
  if (options.baseUrl.empty()) options.baseUrl = DefaultPortalBaseUrl();

  TRunConfig config;
  config.areas = options.areas;
  config.saveFileName = options.output;
  config.baseUrl = options.baseUrl;
  config.caFile = options.caFile;
  config.tempFile = MakeTempPageFile();
  if (config.tempFile.empty()) {
    std::fprintf(stderr, "mirvaso-cli: cannot create a temporary file\n");
    return ceOutputFailed;
  }

  TCliHost host(stderr, ::isatty(STDERR_FILENO) == 1);
  TMyThread worker(true, host, config);

  gInterrupted = false;
  struct sigaction action = {};
  struct sigaction oldInt = {}, oldTerm = {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  gWorker = &worker;
  sigaction(SIGINT, &action, &oldInt);
  sigaction(SIGTERM, &action, &oldTerm);

  worker.Resume();
  worker.WaitFor();

  sigaction(SIGINT, &oldInt, nullptr);
  sigaction(SIGTERM, &oldTerm, nullptr);
  gWorker = nullptr;

  const int exitCode = ExitCodeFor(host.FWorkerResult);
  ReportOutcome(exitCode, options);
  return exitCode;
}
