// Rewriting the tags of many multi-megabyte files, against the physical
// floor of a safe rewrite: a plain copy of each file, flushed to disk.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/file_system.h"
#include "support/bench_files.h"
#include "tag/write_file_tags.h"
#include "ui/msgbox.h"

using namespace quilmark;

namespace {

bool CopyDurably(const std::string& from, const std::string& to) {
  auto in = platform::File::Open(from, platform::File::Mode::Read);
  auto out = platform::File::Open(to, platform::File::Mode::Truncate);
  if (!in || !out) return false;
  auto size = in->Size();
  return size && out->CopyFrom(*in, 0, *size) && out->Sync() && out->Close();
}

double TimeCopies(const std::vector<std::string>& paths) {
  bench::Stopwatch watch;
  for (const std::string& path : paths) {
    if (!CopyDurably(path, path + ".copy")) std::fprintf(stderr, "copy failed: %s\n", path.c_str());
  }
  double seconds = watch.Seconds();
  for (const std::string& path : paths) static_cast<void>(platform::RemoveFile(path + ".copy"));
  return seconds;
}

double TimeRewrites(const std::vector<std::string>& paths, int round) {
  const TagWriteOptions options;  // ID3v2.3, Shift-JIS
  bench::Stopwatch watch;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    TagValues values;
    values.Set("Title", "Title " + std::to_string(i) + " round " + std::to_string(round));
    values.Set("Artist", "Artist");
    values.Set("Comment", "   \\0written by the benchmark");
    if (!WriteFileTags(paths[i], values, options).Written()) {
      std::fprintf(stderr, "write failed: %s\n", paths[i].c_str());
    }
  }
  return watch.Seconds();
}

}  // namespace

int main() {
  constexpr int kFiles = 40;
  constexpr std::size_t kAudio = 4u << 20;
  bench::ScratchDir dir;
  std::vector<std::string> paths = bench::MakeTaggedFiles(dir.Path(), kFiles, kAudio);

  // Alternate the two and keep the best of each, so that neither pays for
  // a cold cache or a busy disk alone.
  double copy = 1e9, rewrite = 1e9;
  for (int round = 0; round < 3; ++round) {
    copy = std::min(copy, TimeCopies(paths));
    rewrite = std::min(rewrite, TimeRewrites(paths, round));
  }
  const double megabytes = kFiles * static_cast<double>(kAudio) / (1 << 20);
  std::printf("files %d of %.0f MB\n", kFiles, static_cast<double>(kAudio) / (1 << 20));
  std::printf("durable copy   %.3f s (%.0f MB/s)\n", copy, megabytes / copy);
  std::printf("tag rewrite    %.3f s (%.0f MB/s)\n", rewrite, megabytes / rewrite);
  std::printf("ratio %.2f\n", rewrite / copy);
  return 0;
}
