// Folders dropped onto the window and offered by the File menu and the
// tool bar; the progress window of a long run, whose cancel button stops
// a save between two files.
#include <sys/stat.h>

#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/grid_view.h"
#include "support/gui_test_support.h"
#include "support/mp3_maker.h"

using namespace quilmark;
using namespace quilmark::testing;

class FoldersAndProgressTest : public QObject {
  Q_OBJECT
 private slots:
  void aDroppedFolderAddsItsTreeInPathOrder();
  void cancelInTheProgressWindowStopsASaveBetweenFiles();
};

void FoldersAndProgressTest::aDroppedFolderAddsItsTreeInPathOrder() {
  GuiTestFolder folder;
  for (const char* name : {"music", "music/Artist", "music/Artist/Album", "music/.cache"})
    QVERIFY(mkdir(folder.File(name).c_str(), 0700) == 0);
  const std::vector<std::string> songs = {folder.File("music/Artist/Album/01 one.mp3"),
                                          folder.File("music/Artist/Album/02 two.mp3"),
                                          folder.File("music/single.mp3")};
  for (const std::string& song : {songs[2], songs[1], songs[0]}) WriteTaggedMp3(song, "t");
  WriteTaggedMp3(folder.File("music/.cache/hidden.mp3"), "t");
  RunningWindow w;
  QVERIFY(ShowActive(*w));
  QAction* addFolder = w->Action("actFileAddFolder");
  QVERIFY(w->menuBar()->actions().front()->menu()->actions().contains(addFolder));
  QVERIFY(w->findChild<QToolBar*>("tb")->actions().contains(addFolder));

  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder.File("music")))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w.get(), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w.get(), &drop);
  QTRY_COMPARE(w->Grid().FileRowCount(), 3);
  for (int row = 1; row <= 3; ++row)
    QCOMPARE(w->Grid().FullPathOf(row), songs[static_cast<std::size_t>(row - 1)]);
  QCOMPARE(w->View().model()->rowCount(), 3);
}

void FoldersAndProgressTest::cancelInTheProgressWindowStopsASaveBetweenFiles() {
  GuiTestFolder folder;
  QStringList titles;
  for (int i = 0; i < 20; ++i) titles << QStringLiteral("old%1").arg(i);
  const std::vector<std::string> songs = WriteSongs(folder, titles);
  RunningWindow w(songs);
  QVERIFY(ShowActive(*w));
  for (int row = 1; row <= 20; ++row) {
    w->Grid().SetFieldCell(colTitle, row, "new");
    w->Grid().MarkRowChanged(row);
  }
  // The window at once, so that a short run shows it too.
  w->Busy().SetProgressPace(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
  bool seen = false;
  QTimer press;
  QObject::connect(&press, &QTimer::timeout, [&] {
    QProgressDialog* progress = w->Busy().ProgressWindow();
    if (progress == nullptr || !progress->isVisible() || progress->value() < 3) return;
    seen = true;
    progress->findChild<QPushButton*>()->click();
  });
  press.start(0);
  MessageBoxAnswers answers({QMessageBox::Ok});
  w->Action("actFileSaveMP3")->trigger();
  QTRY_COMPARE(answers.Seen().size(), 1);
  QVERIFY(seen);
  QVERIFY(w->Busy().ProgressWindow() == nullptr);

  const int marked = w->Grid().ChangedRowCount();
  const int written = 20 - marked;
  QVERIFY2(written >= 3 && written < 20, qPrintable(QString::number(written)));
  for (int i = 0; i < 20; ++i) {
    QCOMPARE(FieldOnDisk(songs[static_cast<std::size_t>(i)], colTitle),
             i < written ? std::string("new") : "old" + std::to_string(i));
    QCOMPARE(w->Grid().IsRowChanged(i + 1), i >= written);
  }
  QCOMPARE(answers.Seen().front(),
           QStringLiteral("%1 個のファイルに書き込みました。\n途中で中止しました。"
                          "書き込んでいない %2 行は変更済みのままです。")
               .arg(written)
               .arg(marked));
}

QTEST_MAIN(FoldersAndProgressTest)
#include "folders_and_progress_test.moc"
