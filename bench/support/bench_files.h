// Shared pieces of the benchmark programs: a stopwatch, a scratch folder
// and tagged MP3 files to work on.
#pragma once

#include <chrono>
#include <string>
#include <vector>

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

// Writes `count` MP3 files named 00000.mp3... into `folder`, each with an
// ID3v2.3 tag (title, artist, album in Shift-JIS) and `audioBytes` of audio.
std::vector<std::string> MakeTaggedFiles(const std::string& folder, int count,
                                         std::size_t audioBytes = 4096);

}  // namespace quilmark::bench
