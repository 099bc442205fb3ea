// Adding files must stay linear: the per-file cost of adding 10,000 files
// (directly, through one M3U, through one CSV) against that of 1,000, and
// of a CSV that updates 10,000 rows already listed against one of 1,000.
// (bench_read times quilmark-cli export of the same files.)
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

}  // namespace

int main() {
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

  std::printf("ratio %.3f\n", (total10k / 10000) / (total1k / 1000));
  return 0;
}
