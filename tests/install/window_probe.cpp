// Rides along in the installed editor through Qt's generic plugin hook
// (QT_QPA_GENERIC_PLUGINS=quilmarkprobe): once the main window is up it
// presses F1, waits for the help window to show a page, prints what it found
// and ends the program; exit status 0 only when the help opened. The program
// itself carries nothing for this.
#include <QApplication>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <cstdio>

namespace {

void Say(const QString& line) {
  std::fputs(qPrintable(line + u'\n'), stdout);
  std::fflush(stdout);
}

QWidget* Shown(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->objectName() == QLatin1String(name)) return w;
  return nullptr;
}

class WindowProbe : public QObject {
 public:
  WindowProbe() {
    connect(&tick_, &QTimer::timeout, this, [this] { Step(); });
    tick_.start(50);
  }

 private:
  void Step() {
    // A message box is the help not opening (and nothing at all, the time
    // limit the install test runs the window under).
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      Say("message: " + box->text());
      return Finish(1);
    }
    QWidget* main = Shown("TFormQUILMARKMain");
    if (main == nullptr) return;
    if (!pressed_) {
      pressed_ = true;
      Say(QStringLiteral("window icon sizes: %1").arg(main->windowIcon().availableSizes().size()));
      Say("cancel button: " + QCoreApplication::translate("QPlatformTheme", "Cancel"));
      main->activateWindow();
      // Queued: a help that fails shows a modal box, and this tick must not be
      // the one waiting under it.
      QTimer::singleShot(0, main, [main] { QTest::keyClick(main, Qt::Key_F1); });
      return;
    }
    QWidget* help = Shown("quilmarkHelpWindow");
    auto* page = help ? help->findChild<QTextBrowser*>("helpBrowser") : nullptr;
    if (page == nullptr || page->toPlainText().isEmpty()) return;
    for (const QObject* child : help->children()) {
      if (child->inherits("QHelpEngineCore"))
        Say("help collection: " + child->property("collectionFile").toString());
    }
    Finish(0);
  }
  void Finish(int status) {
    tick_.stop();
    QApplication::exit(status);
  }

  QTimer tick_;
  bool pressed_ = false;
};

}  // namespace

class WindowProbePlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "window_probe.json")

 public:
  QObject* create(const QString& key, const QString&) override {
    return key.compare(QLatin1String("quilmarkprobe"), Qt::CaseInsensitive) == 0 ? new WindowProbe
                                                                                 : nullptr;
  }
};

#include "window_probe.moc"
