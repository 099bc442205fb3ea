#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <string>
#include <vector>

#include "app/app_setup.h"
#include "app/main_window.h"
#include "platform/user_registry.h"
#include "ui/msgbox.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quilmark::SetUpApplication(app);

  // The shell has already split the command line; each argument names an
  // MP3, M3U, PLS or CSV file, added in order.
  std::vector<std::string> files;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) files.push_back(arguments[i].toStdString());

  try {
    quilmark::platform::UserRegistry hkcu(quilmark::platform::UserRegistry::DefaultPath());
    quilmark::MainWindow window(hkcu, files);
    window.show();
    return QApplication::exec();
  } catch (const std::exception& error) {
    // A settings store that cannot be read ends the start-up, as any other
    // error before the window is up does.
    QMessageBox::critical(nullptr, QString::fromUtf8(quilmark::kApplicationTitle),
                          QString::fromUtf8(error.what()));
    return 1;
  }
}
