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

class FoldersAndProgressTest : public QObject, WindowFixture {
  Q_OBJECT
 private slots:
  void init() { Reset(); }
  void cleanup() { Close(); }

  // Which files a folder gives, and in what order, the adding itself decides.
  void aDroppedFolderAddsItsTree() {
    QVERIFY(mkdir(folder_->File("music").c_str(), 0700) == 0);
    QVERIFY(mkdir(folder_->File("music/Album").c_str(), 0700) == 0);
    WriteTaggedMp3(folder_->File("music/Album/01 one.mp3"), "t");
    WriteTaggedMp3(folder_->File("music/single.mp3"), "t");
    QVERIFY(Open({}));
    QAction* addFolder = W().Action("actFileAddFolder");
    QVERIFY(W().menuBar()->actions().front()->menu()->actions().contains(addFolder));
    QVERIFY(W().findChild<QToolBar*>("tb")->actions().contains(addFolder));

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder_->File("music")))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&W(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&W(), &drop);
    QTRY_COMPARE(View().model()->rowCount(), 2);
    QCOMPARE(Grid().FullPathOf(2), folder_->File("music/single.mp3"));
  }

  // Which rows stay marked, and the account's words, the save run decides;
  // here, that the window shows its progress, stops and tells.
  void cancelInTheProgressWindowStopsASaveBetweenFiles() {
    QStringList titles;
    for (int i = 0; i < 20; ++i) titles << QStringLiteral("old%1").arg(i);
    QVERIFY(Open(WriteSongs(*folder_, titles)));
    for (int row = 1; row <= 20; ++row) {
      Grid().SetFieldCell(colTitle, row, "new");
      Grid().MarkRowChanged(row);
    }
    // The window at once, so that a short run shows it too.
    W().Busy().SetProgressPace(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
    bool seen = false;
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
      QProgressDialog* progress = W().Busy().ProgressWindow();
      if (progress == nullptr || !progress->isVisible() || progress->value() < 3) return;
      seen = true;
      progress->findChild<QPushButton*>()->click();
    });
    press.start(0);
    MessageBoxAnswers answers({QMessageBox::Ok});
    W().Action("actFileSaveMP3")->trigger();
    QTRY_COMPARE(answers.Seen().size(), 1);
    QVERIFY(seen);
    QVERIFY(W().Busy().ProgressWindow() == nullptr);
    const int marked = Grid().ChangedRowCount();
    QVERIFY2(marked > 0 && marked <= 17, qPrintable(QString::number(marked)));
    QCOMPARE(answers.Seen().front(),
             QStringLiteral("%1 個のファイルに書き込みました。\n途中で中止しました。"
                            "書き込んでいない %2 行は変更済みのままです。")
                 .arg(20 - marked)
                 .arg(marked));
  }
};

QTEST_MAIN(FoldersAndProgressTest)
#include "folders_and_progress_test.moc"
