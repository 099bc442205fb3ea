// Adding files must stay linear: the per-file cost of adding 10,000 files
// (directly, through one M3U, through one CSV) against that of 1,000, and
// of a CSV that updates 10,000 rows already listed against one of 1,000.
// Also: quilmark-cli export of 10,000 files against a bare loop that opens
// each file and reads its head, tag and tail.
//
// usage: bench_add [path to quilmark-cli]   (default: the one in this build)
#include <fcntl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bridge/add_files.h"
#include "lists/list_text.h"
#include "support/bench_files.h"
#include "support/bench_grid.h"
#include "tracklist/track_grid.h"
#include "ui/msgbox.h"

namespace {

using namespace quilmark;
using bench::AddSeconds;
using bench::Best;
using bench::Timing;

struct Mode {
  const char* name;
  double seconds1k = 0;
  double seconds10k = 0;
};

// A CSV read back over the files it names, listed already: only the CSV is
// timed. Its one message is the count of rows it updated.
double UpdateSeconds(const std::vector<std::string>& names, const std::string& csv, int runs) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const bool questions = false;
    bench::SilentPresenter presenter;
    Messages messages(questions, presenter);
    TrackGrid grid;
    AddFiles(grid, names, messages);
    const double start = bench::CpuSeconds();
    AddFiles(grid, {csv}, messages);
    best = std::min(best, bench::CpuSeconds() - start);
    if (grid.ChangedRowCount() != static_cast<int>(names.size()) || presenter.shown != 1) {
      std::fprintf(stderr, "updated %d of %zu\n", grid.ChangedRowCount(), names.size());
      std::exit(1);
    }
  }
  return best;
}

void WriteList(const std::string& path, const std::vector<std::string>& lines) {
  const ListWriteResult written = WriteListFile(path, lines);
  if (!written.written) {
    std::fprintf(stderr, "%s\n", written.error.c_str());
    std::exit(1);
  }
}

// What any reader of these files must at least do.
Timing BareLoop(const std::vector<std::string>& files) {
  return Best(3, [&] {
    char head[10], tail[128];
    std::vector<char> tag;
    long sum = 0;
    for (const std::string& path : files) {
      const int fd = open(path.c_str(), O_RDONLY);
      if (fd < 0) std::exit(1);
      if (pread(fd, head, sizeof head, 0) == 10 && head[0] == 'I' && head[1] == 'D' &&
          head[2] == '3') {
        const std::size_t size = (std::size_t(head[6] & 0x7F) << 21) |
                                 (std::size_t(head[7] & 0x7F) << 14) |
                                 (std::size_t(head[8] & 0x7F) << 7) | std::size_t(head[9] & 0x7F);
        tag.resize(size);
        sum += pread(fd, tag.data(), size, 10);
      }
      const off_t end = lseek(fd, 0, SEEK_END);
      sum += pread(fd, tail, sizeof tail, end - 128);
      close(fd);
    }
    if (sum == 0) std::exit(1);
  });
}

std::string DefaultCli() {
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return {};
  std::string path(self, static_cast<std::size_t>(n));
  path.resize(path.rfind('/'));
  return path + "/../src/cli/quilmark-cli";
}

}  // namespace

int main(int argc, char** argv) {
  bench::ScratchDir scratch;
  const std::vector<std::string> files = bench::MakeTaggedFiles(scratch.Path(), 10000);

  std::vector<Mode> modes = {{"direct"}, {"m3u"}, {"csv"}, {"update"}};
  for (int count : {1000, 10000}) {
    const std::vector<std::string> names(files.begin(), files.begin() + count);
    std::vector<std::string> m3u, csv{"File,Title,Artist"};
    for (int i = 0; i < count; ++i) {
      const std::string name = names[static_cast<std::size_t>(i)].substr(scratch.Path().size());
      m3u.push_back(name);
      csv.push_back(name + ",New title " + std::to_string(i) + ",\"An Artist\"");
    }
    const std::string m3uPath = scratch.Path() + "list" + std::to_string(count) + ".m3u";
    const std::string csvPath = scratch.Path() + "list" + std::to_string(count) + ".csv";
    WriteList(m3uPath, m3u);
    WriteList(csvPath, csv);

    const int runs = count == 1000 ? 7 : 3;
    const double direct = AddSeconds(names, count, runs);
    const double viaM3u = AddSeconds({m3uPath}, count, runs);
    const double viaCsv = AddSeconds({csvPath}, count, runs);
    const double update = UpdateSeconds(names, csvPath, runs);
    const double seconds[] = {direct, viaM3u, viaCsv, update};
    for (Mode& m : modes) {
      const double s = seconds[&m - modes.data()];
      (count == 1000 ? m.seconds1k : m.seconds10k) = s;
      std::printf("add %-6s %5d files: %10.0f files/s (CPU time)\n", m.name, count, count / s);
    }
  }

  double worst = 0, total1k = 0, total10k = 0;
  for (const Mode& m : modes) {
    const double ratio = (m.seconds10k / 10000) / (m.seconds1k / 1000);
    worst = std::max(worst, ratio);
    total1k += m.seconds1k;
    total10k += m.seconds10k;
    std::printf("per-file cost 10000/1000 %-6s %.3f\n", m.name, ratio);
  }

  const std::string cli = argc > 1 ? argv[1] : DefaultCli();
  if (!cli.empty() && access(cli.c_str(), X_OK) == 0) {
    const Timing bare = BareLoop(files);
    const std::string command = "XDG_CONFIG_HOME='" + scratch.Path() + "' '" + cli +
                                "' export -o '" + scratch.Path() + "out.csv' '" + scratch.Path() +
                                "list10000.m3u'";
    const Timing exported = Best(3, [&] {
      if (std::system(command.c_str()) != 0) std::exit(1);
    });
    std::printf("bare loop (open, head, tag, tail) 10000 files: %.3f s CPU, %.3f s wall\n",
                bare.cpu, bare.wall);
    std::printf("quilmark-cli export 10000 files: %.3f s CPU, %.3f s wall\n", exported.cpu,
                exported.wall);
    std::printf("cli export / bare loop: %.2f CPU, %.2f wall\n", exported.cpu / bare.cpu,
                exported.wall / bare.wall);
  } else {
    std::printf("quilmark-cli not found; export not measured\n");
  }

  std::printf("ratio %.3f\n", (total10k / 10000) / (total1k / 1000));
  return 0;
}
