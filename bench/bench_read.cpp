// Reading the tags of many small files, against a loop that only opens each
// file and reads its first 10 and last 128 bytes. The ratio is that of the
// tag read itself (what ReadFileTags does with the file); the whole of
// ReadFileTags, rows of the grid included, is printed beside it.
#include <cstdio>
#include <string>
#include <vector>

#include "bridge/read_file_tags.h"
#include "platform/file.h"
#include "support/bench_files.h"
#include "tag/tag_file.h"
#include "tracklist/track_grid.h"
#include "ui/msgbox.h"

using namespace quilmark;

namespace {

double TimeHeadAndTail(const std::vector<std::string>& paths, std::size_t& checksum) {
  bench::Stopwatch watch;
  char head[10], tail[128];
  for (const std::string& path : paths) {
    auto file = platform::File::Open(path, platform::File::Mode::Read);
    if (!file) continue;
    auto size = file->Size();
    if (!size || *size < 128) continue;
    if (!file->ReadAt(0, head, sizeof head) || !file->ReadAt(*size - 128, tail, sizeof tail)) {
      continue;
    }
    checksum += static_cast<unsigned char>(head[3]) + static_cast<unsigned char>(tail[0]);
  }
  return watch.Seconds();
}

double TimeTagReads(const std::vector<std::string>& paths, std::size_t& checksum) {
  bench::Stopwatch watch;
  for (const std::string& path : paths) {
    platform::IoResult<TagValues> values = ReadTagValues(path);
    if (!values) std::fprintf(stderr, "not read: %s\n", path.c_str());
    checksum += values ? values->Count() : 0;
  }
  return watch.Seconds();
}

double TimeReadFileTags(const std::vector<std::string>& paths, std::size_t& checksum) {
  TrackGrid grid;
  bench::Stopwatch watch;
  for (const std::string& path : paths) {
    if (ReadFileTags(grid, path).status != RowAddResult::Status::Added)
      std::fprintf(stderr, "not added: %s\n", path.c_str());
  }
  double seconds = watch.Seconds();
  checksum += static_cast<std::size_t>(grid.FileRowCount());
  return seconds;
}

}  // namespace

int main() {
  constexpr int kFiles = 10000;
  bench::ScratchDir dir;
  std::vector<std::string> paths = bench::MakeTaggedFiles(dir.Path(), kFiles, 4096);

  std::size_t checksum = 0;
  double baseline = 1e9, tags = 1e9, rows = 1e9;
  for (int round = 0; round < 5; ++round) {
    baseline = std::min(baseline, TimeHeadAndTail(paths, checksum));
    tags = std::min(tags, TimeTagReads(paths, checksum));
    rows = std::min(rows, TimeReadFileTags(paths, checksum));
  }
  std::printf("files %d (checksum %zu)\n", kFiles, checksum);
  std::printf("open + head + tail        %.3f s  %.0f files/s\n", baseline, kFiles / baseline);
  std::printf("ReadFileTags, into rows   %.3f s  %.0f files/s  (%.2fx)\n", rows, kFiles / rows,
              rows / baseline);
  std::printf("tag read                  %.3f s  %.0f files/s\n", tags, kFiles / tags);
  std::printf("ratio %.2f\n", tags / baseline);
  return 0;
}
