// Starts the main window with the given files and saves a picture of it:
//   quilmark_window_shot OUT.png [FILE...]
// Used by scripts/screenshot under a virtual X server.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/app_setup.h"
#include "app/grid_view.h"
#include "app/main_window.h"
#include "platform/user_registry.h"
#include "tracklist/columns.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quilmark::SetUpApplication(app);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.png [FILE...]\n", argv[0]);
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  std::vector<std::string> files(argv + 2, argv + argc);

  quilmark::platform::UserRegistry hkcu(quilmark::platform::UserRegistry::DefaultPath());
  quilmark::MainWindow window(hkcu, files);
  window.resize(1000, 400);
  window.show();
  window.activateWindow();
  // A changed row and a selected title, so the picture shows both colours.
  window.setCell(window.Grid().Layout().Position(quilmark::colTitle), 2);
  window.Grid().MarkRowChanged(3);

  int status = 1;
  QTimer::singleShot(800, &app, [&] {
    status = window.grab().save(out) ? 0 : 1;
    if (status != 0) std::fprintf(stderr, "could not write %s\n", argv[1]);
    QCoreApplication::exit(status);  // not quit(): that would ask about the changed row
  });
  app.exec();
  return status;
}
