// Reading the tags of many small files, against a loop that only opens each
// file and reads its first 10 and last 128 bytes: the tag read itself (what
// ReadFileTags does with the file), the whole of ReadFileTags with rows of
// the grid, and `quilmark-cli export` of the files to a CSV file, whole
// process included. The ratio is the export's, in CPU time (the floor's
// loop against the process and its start), as the machine may be busy.
//
// usage: bench_read [path to quilmark-cli]   (default: the one in this build)
#include <cstdio>
#include <cstdlib>
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

int main(int argc, char** argv) {
  constexpr int kFiles = 10000;
  bench::ScratchDir dir;
  std::vector<std::string> paths = bench::MakeTaggedFiles(dir.Path(), kFiles, 4096);
  const std::string cli = argc > 1 ? argv[1] : bench::CliPath();
  if (cli.empty()) {
    std::fprintf(stderr, "quilmark-cli not found\n");
    return 1;
  }
  // No stored settings of the user's: the program's defaults.
  setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);

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
  std::printf("tag read                  %.3f s  %.0f files/s  (%.2fx)\n", tags, kFiles / tags,
              tags / baseline);

  std::vector<std::string> args{"export", "-o", dir.Path() + "out.csv"};
  args.insert(args.end(), paths.begin(), paths.end());
  std::size_t unused = 0;
  const bench::Timing floor = bench::Best(5, [&] { TimeHeadAndTail(paths, unused); });
  const bench::Timing exported = bench::Best(5, [&] {
    if (!bench::RunProgram(cli, args)) {
      std::fprintf(stderr, "export failed\n");
      std::exit(1);
    }
  });
  std::printf("floor: %.3f s CPU, %.3f s wall\n", floor.cpu, floor.wall);
  std::printf("quilmark-cli export: %.3f s CPU, %.3f s wall (%.2fx wall)\n", exported.cpu,
              exported.wall, exported.wall / floor.wall);
  std::printf("ratio %.2f\n", exported.cpu / floor.cpu);
  return 0;
}
