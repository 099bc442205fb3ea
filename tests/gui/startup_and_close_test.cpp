// Start-up with files on the command line, the close question and the
// settings kept from one run to the next.
#include <QAction>
#include <QHeaderView>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/grid_view.h"
#include "support/gui_test_support.h"
#include "support/mp3_maker.h"

using namespace quilmark;
using namespace quilmark::testing;

class StartupAndCloseTest : public QObject {
  Q_OBJECT
 private slots:
  void commandLineAddsFilesAndListsInOrder();
  void closeWithChangesHonoursYesNoCancel();
  void closeWithoutChangesAsksNothing();
  void barsAndBoundsSurviveARestart();
  void typedTextIsNotLostByClosingWhileEditing();
};

void StartupAndCloseTest::commandLineAddsFilesAndListsInOrder() {
  GuiTestFolder folder;
  const std::string b = folder.File("b.mp3");
  const std::string a = folder.File("a.mp3");
  const std::string c = folder.File("c.mp3");
  WriteTaggedMp3(b, QStringLiteral("二番目の曲"), QStringLiteral("歌手"));
  WriteTaggedMp3(a, QStringLiteral("First"));
  WriteTaggedMp3(c, QStringLiteral("Third"));
  WriteBytes(folder.File("list.m3u"), c + "\r\n#comment\r\n" + b + "\r\n");

  // b first, then a, then a playlist naming c and (again) b.
  RunningWindow w({b, a, folder.File("list.m3u")});
  TrackGrid& grid = w->Grid();
  QCOMPARE(grid.FileRowCount(), 3);
  QCOMPARE(QString::fromStdString(grid.FieldCell(colTitle, 1)), QStringLiteral("二番目の曲"));
  QCOMPARE(QString::fromStdString(grid.FieldCell(colArtist, 1)), QStringLiteral("歌手"));
  QCOMPARE(grid.FieldCell(colTitle, 2), std::string("First"));
  QCOMPARE(grid.FieldCell(colTitle, 3), std::string("Third"));

  // The view shows every row, numbered, with no row marked.
  GridView& view = w->View();
  QCOMPARE(view.model()->rowCount(), 3);
  QCOMPARE(view.model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("3"));
  QVERIFY(!view.model()->headerData(0, Qt::Vertical, Qt::ForegroundRole).isValid());

  // Widths are fitted to what was added, not only to the headers; the work
  // and spare columns stay hidden.
  const int titleColumn = grid.Layout().Position(colTitle);
  QVERIFY(view.columnWidth(titleColumn) >=
          QFontMetrics(view.font()).horizontalAdvance(QStringLiteral("二番目の曲")));
  for (int hidden : {colWork, colChanged, colCommentLang, colCommentLong, 24, 31}) {
    QVERIFY2(view.isColumnHidden(hidden), qPrintable(QString::number(hidden)));
  }
  QVERIFY(!view.isColumnHidden(titleColumn));
}

void StartupAndCloseTest::closeWithChangesHonoursYesNoCancel() {
  GuiTestFolder folder;
  const std::string path = folder.File("song.mp3");
  WriteTaggedMp3(path, QStringLiteral("old"));
  const std::string original = ReadBytes(path);

  RunningWindow w({path});
  QVERIFY(ShowActive(*w));
  TrackGrid& grid = w->Grid();
  grid.SetFieldCell(colTitle, 1, "new");
  grid.MarkRowChanged(1);

  {
    MessageBoxAnswers answers({QMessageBox::Cancel});
    QVERIFY(!w->close());
    QCOMPARE(answers.Seen().size(), 1);
    QVERIFY(answers.Seen().front().contains(QStringLiteral("保存しますか？")));
  }
  QVERIFY(w->isVisible());
  QCOMPARE(ReadBytes(path), original);

  {
    MessageBoxAnswers answers({QMessageBox::No});
    QVERIFY(w->close());
    QCOMPARE(answers.Seen().size(), 1);
  }
  QCOMPARE(ReadBytes(path), original);  // No writes nothing

  QVERIFY(ShowActive(*w));
  {
    MessageBoxAnswers answers({QMessageBox::Yes});
    QVERIFY(w->close());
  }
  QVERIFY(ReadBytes(path) != original);
  QVERIFY(!grid.IsRowChanged(1));
}

void StartupAndCloseTest::closeWithoutChangesAsksNothing() {
  GuiTestFolder folder;
  const std::string path = folder.File("song.mp3");
  WriteTaggedMp3(path, QStringLiteral("title"));
  RunningWindow w({path});
  QVERIFY(ShowActive(*w));
  MessageBoxAnswers answers({QMessageBox::Cancel});
  QVERIFY(w->close());
  QVERIFY(answers.Seen().isEmpty());
}

void StartupAndCloseTest::barsAndBoundsSurviveARestart() {
  GuiTestFolder folder;
  {
    RunningWindow w;
    QVERIFY(ShowActive(*w));
    QToolBar* tb = w->findChild<QToolBar*>("tb");
    QVERIFY(tb != nullptr && tb->isVisible());
    w->Action("actShowToolbar")->trigger();
    QVERIFY(!tb->isVisible());
    w->Action("actShowStatusbar")->trigger();
    w->Action("actShowStatusbar")->trigger();  // twice: back on
    QVERIFY(w->statusBar()->isVisible());
    w->resize(640, 360);
  }
  RunningWindow again;
  QVERIFY(!again->Action("actShowToolbar")->isChecked());
  QVERIFY(again->Action("actShowStatusbar")->isChecked());
  QCOMPARE(again->size(), QSize(640, 360));
}

// Closing while the in-place editor is still open must not drop what was
// typed: the edit is finished first, so the question is asked.
void StartupAndCloseTest::typedTextIsNotLostByClosingWhileEditing() {
  GuiTestFolder folder;
  const std::string path = folder.File("song.mp3");
  WriteTaggedMp3(path, QStringLiteral("old"));
  RunningWindow w({path});
  QVERIFY(ShowActive(*w));
  GridView& view = w->View();
  QVERIFY(TypeIntoCell(*w, colTitle, 1, QStringLiteral("typed")));
  QVERIFY(view.IsEditorOpen());

  MessageBoxAnswers answers({QMessageBox::Cancel});
  QVERIFY(!w->close());
  QCOMPARE(answers.Seen().size(), 1);
  QVERIFY(w->Grid().IsRowChanged(1));
}

QTEST_MAIN(StartupAndCloseTest)
#include "startup_and_close_test.moc"
