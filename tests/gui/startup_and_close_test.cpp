// Start-up with files on the command line, the application set up as the
// program sets it up (Qt's texts in Japanese, its icon), and the close
// question: asked whenever rows are changed, after any edit still open has
// been finished.
#include <sys/stat.h>

#include <memory>

#include "app/app_setup.h"
#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class StartupAndCloseTest : public WindowFixture {
  Q_OBJECT
 private slots:
  // Asked even with confirmations switched off: answering "No" unasked would
  // throw the edits away. An edit still open is finished first when files are
  // added or the window closes, or its row would go unmarked and unwritten.
  void closeAsksWhenRowsChangedAndHonoursTheAnswer() {
    const std::vector<std::string> files = Songs({"a", "b"});
    QVERIFY(Open({files[0]}));
    W().CurrentSettings().WriteConfirm = false;
    QVERIFY(TypeIntoCell(colTitle, 1, QStringLiteral("typed")));
    W().AddFilesFromUser({files[1]});
    QVERIFY(!View().IsEditorOpen() && Grid().IsRowChanged(1));
    Key(Qt::Key_S, Qt::ControlModifier);  // nothing marked but the edit below
    QVERIFY(TypeIntoCell(colTitle, 2, QStringLiteral("also")));
    for (QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::No}) {
      MessageBoxAnswers answers({answer});
      QCOMPARE(W().close(), answer == QMessageBox::No);
      QCOMPARE(answers.Seen().size(), 1);
      QVERIFY(answers.Seen().front().contains(QStringLiteral("保存しますか？")));
      QCOMPARE(FieldOnDisk(files[1], colTitle), std::string("b"));  // neither writes
      QVERIFY(ShowActive(W()));
    }
    {
      MessageBoxAnswers answers({QMessageBox::Yes});
      QVERIFY(W().close());
    }
    QCOMPARE(FieldOnDisk(files[1], colTitle), std::string("also"));
  }

  // Files a save could not write are one message, not one box per file to
  // click away, each with its reason; how files are grouped the core decides.
  void filesASaveCannotWriteMakeOneMessage() {
    const std::vector<std::string> songs = Songs({"1", "2"});
    QVERIFY(Open(songs));
    for (int row : {1, 2}) Grid().MarkRowChanged(row);
    for (const std::string& song : songs) QVERIFY(chmod(song.c_str(), 0444) == 0);
    MessageBoxAnswers answers({QMessageBox::Ok, QMessageBox::Ok});
    W().Action("actFileSaveMP3")->trigger();
    QTRY_COMPARE(answers.Seen().size(), 1);
    // The account first, then the files by kind.
    QVERIFY(answers.Seen().front().startsWith(
        QStringLiteral("2 個のファイルには書き込めませんでした。\n\n"
                       "次の 2 個のファイルに対して書き込めません。\n") +
        QString::fromStdString(songs[0]) + QStringLiteral(" (the file is read-only)\n")));
  }

  // Started as the program starts, with two songs: their order kept, widths
  // fitted to what was added, not only to the headers; what a playlist among
  // them adds, the adding's own tests decide. Whatever the session's
  // language, the texts Qt itself supplies come from its Japanese catalogues.
  void startupAddsTheCommandLineAndSetsUpTheApplication() {
    SetUpApplication(*qApp);
    QVERIFY(Open(Songs({"二番目の曲", "First"})));
    QCOMPARE(QString::fromStdString(Column(colTitle)), QStringLiteral("二番目の曲|First|"));
    QVERIFY(View().columnWidth(Pos(colTitle)) >=
            QFontMetrics(View().font()).horizontalAdvance(QStringLiteral("二番目の曲")));
    QVERIFY(View().isColumnHidden(colWork));

    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, &W());
    QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));

    // The icon, at the sizes a window and the version dialog ask for.
    for (int size : {16, 32}) {
      QCOMPARE(W().windowIcon().pixmap(size, size).size(), QSize(size, size));
    }
  }
};

QTEST_MAIN(StartupAndCloseTest)
#include "startup_and_close_test.moc"
