// Start-up with files on the command line, the application set up as the
// program sets it up (Qt's texts in Japanese, its icon), and the close
// question: asked whenever rows are changed, after any edit still open has
// been finished.
#include <sys/stat.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/app_setup.h"
#include "app/grid_view.h"
#include "support/gui_test_support.h"
#include "support/mp3_maker.h"

using namespace quilmark;
using namespace quilmark::testing;

class StartupAndCloseTest : public QObject {
  Q_OBJECT
 private slots:
  void commandLineAddsFilesAndListsInOrder();
  void closeAsksWhenRowsChangedAndHonoursTheAnswer();
  void anOpenEditIsFinishedBeforeAddAndClose();
  void manyFilesThatCannotBeReadOrWrittenMakeOneMessageEachWay();
  void qtsOwnTextsAreJapaneseAndTheProgramHasItsIcon();
};

void StartupAndCloseTest::commandLineAddsFilesAndListsInOrder() {
  GuiTestFolder folder;
  const std::string b = folder.File("b.mp3");
  WriteTaggedMp3(b, QStringLiteral("二番目の曲"), QStringLiteral("歌手"));
  const std::vector<std::string> ac = WriteSongs(folder, {"First", "Third"});
  WriteBytes(folder.File("list.m3u"), ac[1] + "\r\n#comment\r\n" + b + "\r\n");

  // b, then First, then a playlist naming Third and (again) b.
  RunningWindow w({b, ac[0], folder.File("list.m3u")});
  TrackGrid& grid = w->Grid();
  QCOMPARE(grid.FileRowCount(), 3);
  QCOMPARE(QString::fromStdString(grid.FieldCell(colTitle, 1)), QStringLiteral("二番目の曲"));
  QCOMPARE(QString::fromStdString(grid.FieldCell(colArtist, 1)), QStringLiteral("歌手"));
  QCOMPARE(grid.FieldCell(colTitle, 2), std::string("First"));
  QCOMPARE(grid.FieldCell(colTitle, 3), std::string("Third"));

  GridView& view = w->View();
  QCOMPARE(view.model()->rowCount(), 3);
  QVERIFY(!view.model()->headerData(0, Qt::Vertical, Qt::ForegroundRole).isValid());
  // Widths are fitted to what was added, not only to the headers.
  QVERIFY(view.columnWidth(grid.Layout().Position(colTitle)) >=
          QFontMetrics(view.font()).horizontalAdvance(QStringLiteral("二番目の曲")));
  QVERIFY(view.isColumnHidden(colWork));
}

// Asked even with confirmations switched off: answering "No" unasked would
// throw the edits away.
void StartupAndCloseTest::closeAsksWhenRowsChangedAndHonoursTheAnswer() {
  GuiTestFolder folder;
  const std::string path = WriteSongs(folder, {"old"}).front();
  const std::string original = ReadBytes(path);
  RunningWindow w({path});
  w->CurrentSettings().WriteConfirm = false;
  QVERIFY(ShowActive(*w));
  w->Grid().SetFieldCell(colTitle, 1, "new");
  w->Grid().MarkRowChanged(1);

  for (QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::No}) {
    MessageBoxAnswers answers({answer});
    QCOMPARE(w->close(), answer == QMessageBox::No);
    QCOMPARE(answers.Seen().size(), 1);
    QVERIFY(answers.Seen().front().contains(QStringLiteral("保存しますか？")));
    QCOMPARE(ReadBytes(path), original);  // neither writes
  }
  QVERIFY(ShowActive(*w));
  {
    MessageBoxAnswers answers({QMessageBox::Yes});
    QVERIFY(w->close());
  }
  QVERIFY(ReadBytes(path) != original);

  QVERIFY(ShowActive(*w));  // saved: nothing left to ask about
  MessageBoxAnswers none({QMessageBox::Cancel});
  QVERIFY(w->close());
  QVERIFY(none.Seen().isEmpty());
}

// Otherwise the typed text would be in the cell but its row not marked,
// and the close question would pass it by.
void StartupAndCloseTest::anOpenEditIsFinishedBeforeAddAndClose() {
  GuiTestFolder folder;
  const std::vector<std::string> files = WriteSongs(folder, {"a", "b"});
  RunningWindow w({files[0]});
  QVERIFY(ShowActive(*w));
  QVERIFY(TypeIntoCell(*w, colTitle, 1, QStringLiteral("typed")));
  w->AddFilesFromUser({files[1]});
  QVERIFY(!w->View().IsEditorOpen());
  QVERIFY(w->Grid().IsRowChanged(1));
  QCOMPARE(w->Grid().FieldCell(colTitle, 1), std::string("typed"));

  QVERIFY(TypeIntoCell(*w, colTitle, 2, QStringLiteral("also")));
  MessageBoxAnswers answers({QMessageBox::Cancel});
  QVERIFY(!w->close());
  QCOMPARE(answers.Seen().size(), 1);
  QVERIFY(w->Grid().IsRowChanged(2));
}

// A list of fifty missing entries is one message, not fifty boxes to click
// away; so are fifty files a save could not write, each with its reason.
void StartupAndCloseTest::manyFilesThatCannotBeReadOrWrittenMakeOneMessageEachWay() {
  GuiTestFolder folder;
  std::string list;
  for (int i = 0; i < 50; ++i) list += folder.File("missing" + std::to_string(i) + ".mp3") + "\r\n";
  WriteBytes(folder.File("list.m3u"), list);
  RunningWindow w;
  QVERIFY(ShowActive(*w));
  const std::vector<QMessageBox::StandardButton> oks(60, QMessageBox::Ok);
  {
    MessageBoxAnswers answers(oks);
    w->AddFilesFromUser({folder.File("list.m3u")});
    QTRY_COMPARE(answers.Seen().size(), 1);
    QVERIFY(
        answers.Seen().front().startsWith(QStringLiteral("次の 50 個のファイルを開けません。\n")));
  }

  QStringList titles;
  for (int i = 0; i < 50; ++i) titles << QString::number(i);
  const std::vector<std::string> songs = WriteSongs(folder, titles);
  w->AddFilesFromUser(songs);
  for (int row = 1; row <= 50; ++row) {
    QVERIFY(chmod(songs[static_cast<std::size_t>(row - 1)].c_str(), 0444) == 0);
    w->Grid().MarkRowChanged(row);
  }
  MessageBoxAnswers answers(oks);
  w->Action("actFileSaveMP3")->trigger();
  QTRY_COMPARE(answers.Seen().size(), 1);
  // The account first, then the files by kind.
  QVERIFY(answers.Seen().front().startsWith(
      QStringLiteral("50 個のファイルには書き込めませんでした。\n\n"
                     "次の 50 個のファイルに対して書き込めません。\n") +
      QString::fromStdString(songs[0]) + QStringLiteral(" (the file is read-only)\n")));
}

// Whatever the session's language: the texts Qt itself supplies come from its
// Japanese catalogues.
void StartupAndCloseTest::qtsOwnTextsAreJapaneseAndTheProgramHasItsIcon() {
  SetUpApplication(*qApp);
  GuiTestFolder folder;
  RunningWindow w(WriteSongs(folder, {"song"}));
  QVERIFY(ShowActive(*w));

  QVERIFY(TypeIntoCell(*w, colTitle, 1, QStringLiteral("x")));
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  QVERIFY(editor != nullptr);
  const std::unique_ptr<QMenu> menu(editor->createStandardContextMenu());
  QVERIFY(menu->actions().front()->text().startsWith(QStringLiteral("元に戻す(&U)")));

  QMessageBox box(QMessageBox::Question, QString(), QString(),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, w.get());
  QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));

  // The icon, at the sizes a window and the version dialog ask for.
  for (const QIcon& icon : {QApplication::windowIcon(), w->windowIcon()}) {
    QCOMPARE(icon.pixmap(32, 32).size(), QSize(32, 32));
    QCOMPARE(icon.pixmap(16, 16).size(), QSize(16, 16));
  }
}

QTEST_MAIN(StartupAndCloseTest)
#include "startup_and_close_test.moc"
