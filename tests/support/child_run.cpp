#include "support/child_run.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace quilmark::testing {

namespace {

long PeakKiB() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

ChildRun RunInChild(const std::function<bool()>& body, std::chrono::milliseconds limit) {
  ChildRun run;
  int grown[2];
  if (pipe(grown) != 0) return run;
  const pid_t child = fork();
  if (child < 0) return run;
  if (child == 0) {
    // A fork starts with the test program's resident pages: what the body
    // takes is what comes on top of them (a sanitizer's parent holds
    // hundreds of megabytes).
    const long before = PeakKiB();
    const bool passed = body();
    const long more = PeakKiB() - before;
    static_cast<void>(write(grown[1], &more, sizeof more));
    _exit(passed ? 0 : 1);
  }
  close(grown[1]);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  struct rusage usage {};
  for (;;) {
    const pid_t done = wait4(child, &status, WNOHANG, &usage);
    if (done == child) {
      run.finished = true;
      break;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      wait4(child, &status, 0, &usage);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  run.passed = run.finished && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  // Without the child's word (killed at the limit), all it ever held.
  run.peakKiB = usage.ru_maxrss;
  if (long more = 0; read(grown[0], &more, sizeof more) == sizeof more) run.peakKiB = more;
  close(grown[0]);
  return run;
}

}  // namespace quilmark::testing
