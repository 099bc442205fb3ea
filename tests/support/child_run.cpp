#include "support/child_run.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace quilmark::testing {

ChildRun RunInChild(const std::function<bool()>& body, std::chrono::milliseconds limit) {
  ChildRun run;
  const pid_t child = fork();
  if (child < 0) return run;
  if (child == 0) _exit(body() ? 0 : 1);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  for (;;) {
    if (waitpid(child, &status, WNOHANG) == child) {
      run.finished = true;
      break;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  run.passed = run.finished && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

}  // namespace quilmark::testing
