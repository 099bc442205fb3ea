// Shared pieces of the benchmark programs: a stopwatch, a scratch folder
// and tagged MP3 files to work on.
#pragma once

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "ui/message_box.h"

namespace quilmark::bench {

class Stopwatch {
 public:
  Stopwatch() : start_(std::chrono::steady_clock::now()) {}
  double Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

// A scratch folder under $TMPDIR (or /tmp), removed on destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::string& Path() const { return path_; }  // trailing "/"

 private:
  std::string path_;
};

// CPU seconds of this process and its finished children: on a machine
// shared with other work, wall time measures the neighbours as much as the
// program.
double CpuSeconds();

struct Timing {
  double wall = 1e30;
  double cpu = 1e30;
};

// Best of a few runs: the files are in the page cache after the first.
template <typename F>
Timing Best(int runs, F&& f) {
  Timing best;
  for (int i = 0; i < runs; ++i) {
    const double cpu = CpuSeconds();
    Stopwatch watch;
    f();
    best.wall = std::min(best.wall, watch.Seconds());
    best.cpu = std::min(best.cpu, CpuSeconds() - cpu);
  }
  return best;
}

// Answers every question with its first button and counts what was shown;
// a benchmark that shows a message has measured something else.
class SilentPresenter : public MessagePresenter {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned style) override;
  int shown = 0;
};

// The quilmark-cli of this build (beside the benchmarks' folder), or empty.
std::string CliPath();

// Runs `program` with `args` (no shell, so the list may be long) and waits;
// true when it exited with status 0.
bool RunProgram(const std::string& program, const std::vector<std::string>& args);

// Writes `count` MP3 files named 00000.mp3... into `folder`, each with an
// ID3v2.3 tag (title, artist, album in Shift-JIS) and `audioBytes` of audio.
std::vector<std::string> MakeTaggedFiles(const std::string& folder, int count,
                                         std::size_t audioBytes = 4096);

}  // namespace quilmark::bench
