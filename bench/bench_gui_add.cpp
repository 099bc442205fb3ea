// The window with a long list: starting it with 10,000 tagged files (as the
// command line hands them over, through one M3U list) against
// `quilmark-cli export` of the same list, which reads the same files without
// a window. Also the per-file cost at 10,000 files against 1,000, which
// stays near 1 when no step (fitting widths, numbering, the duplicate
// test, the view's rows) grows faster than the number of rows.
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
// usage: bench_gui_add [path to quilmark-cli]
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/app_setup.h"
#include "app/main_window.h"
#include "platform/user_registry.h"
#include "support/bench_files.h"

namespace {

using namespace quilmark;

using bench::Best;
using bench::Timing;

std::string WriteList(const std::string& folder, const std::vector<std::string>& files,
                      std::size_t count) {
  const std::string path = folder + "list" + std::to_string(count) + ".m3u";
  std::ofstream out(path, std::ios::binary);
  for (std::size_t i = 0; i < count; ++i) out << files[i] << "\r\n";
  return path;
}

// Start-up with the list, up to the first paint of the window.
void StartWindow(const std::string& list, int expectedRows) {
  platform::UserRegistry hkcu(platform::UserRegistry::DefaultPath());
  MainWindow window(hkcu, {list});
  window.show();
  QApplication::processEvents();
  if (window.Grid().FileRowCount() != expectedRows) {
    std::fprintf(stderr, "expected %d rows, got %d\n", expectedRows, window.Grid().FileRowCount());
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  bench::ScratchDir scratch;
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(scratch.Path() + "config"));
  QApplication app(argc, argv);
  SetUpApplication(app);

  const std::vector<std::string> files = bench::MakeTaggedFiles(scratch.Path(), 10000);
  const std::string list1k = WriteList(scratch.Path(), files, 1000);
  const std::string list10k = WriteList(scratch.Path(), files, 10000);

  const Timing window1k = Best(3, [&] { StartWindow(list1k, 1000); });
  const Timing window10k = Best(3, [&] { StartWindow(list10k, 10000); });
  std::printf("window start with 1000 files: %.3f s CPU, %.3f s wall\n", window1k.cpu,
              window1k.wall);
  std::printf("window start with 10000 files: %.3f s CPU, %.3f s wall\n", window10k.cpu,
              window10k.wall);
  std::printf("per-file cost 10000/1000: %.2f\n", (window10k.cpu / 10000) / (window1k.cpu / 1000));

  const std::string cli = argc > 1 ? argv[1] : QUILMARK_CLI_PATH;
  if (access(cli.c_str(), X_OK) != 0) {
    std::fprintf(stderr, "quilmark-cli not found at %s\n", cli.c_str());
    return 1;
  }
  const std::string command = "XDG_CONFIG_HOME='" + scratch.Path() + "config' '" + cli +
                              "' export -o '" + scratch.Path() + "out.csv' '" + list10k + "'";
  const Timing exported = Best(3, [&] {
    if (std::system(command.c_str()) != 0) std::exit(1);
  });
  std::printf("quilmark-cli export 10000 files: %.3f s CPU, %.3f s wall\n", exported.cpu,
              exported.wall);
  std::printf("ratio %.2f\n", window10k.cpu / exported.cpu);
  return 0;
}
