// Runs a piece of a test in a child process, so that a hang becomes a
// failure after a time limit instead of a stuck test run.
#pragma once

#include <chrono>
#include <functional>

namespace quilmark::testing {

struct ChildRun {
  bool finished = false;  // false: still running at the limit, and killed
  bool passed = false;    // finished, and `body` returned true
};

// `body` runs in a fork of the test program (which should have no other
// threads at that moment).
ChildRun RunInChild(const std::function<bool()>& body,
                    std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace quilmark::testing
