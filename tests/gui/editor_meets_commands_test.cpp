// The real window when two features meet: an open editor and a command, a
// hidden or dragged current column, a number the file gave, a path cell,
// and names given in other spellings.
#include <sys/stat.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "app/grid_view.h"
#include "platform/paths.h"
#include "support/gui_test_support.h"
#include "support/mp3_maker.h"

using namespace quilmark;
using namespace quilmark::testing;

class EditorMeetsCommandsTest : public QObject, WindowFixture {
  Q_OBJECT
 private slots:
  void init() {
    Reset();
    files_ = {folder_->File("b.mp3"), folder_->File("a.mp3")};
    WriteTaggedMp3(files_[0], QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("fast"));
    WriteTaggedMp3(files_[1], QStringLiteral("a"), QStringLiteral("A"));
    QVERIFY(Open(files_));
  }
  void cleanup() { Close(); }
  void saveAndCloseWaitForABadNumber();
  void sortFinishesTheEditOnItsOwnRow();
  void typingNeverReachesAHiddenOrAPathCell();
  void aNumberTheFileGaveNeverHoldsTheSelection();
  void oneFileIsOneRowAndAFolderIsNamed();

 private:
  std::vector<std::string> files_;
};

// "12a" typed into BPM reached the file when Ctrl+S or a close with Yes
// came while the editor was open.
void EditorMeetsCommandsTest::saveAndCloseWaitForABadNumber() {
  const std::string before = ReadBytes(files_[1]);
  QVERIFY(TypeIntoCell(W(), colBPM, 2, QStringLiteral("12a")));
  Key(Qt::Key_S, Qt::ControlModifier);
  {
    MessageBoxAnswers answers({QMessageBox::Yes});
    QVERIFY(!W().close());
    QVERIFY(answers.Seen().isEmpty());
  }
  QCOMPARE(ReadBytes(files_[1]), before);
  QVERIFY(View().IsEditorOpen() && View().CurrentRow() == 2);

  Key(Qt::Key_Backspace);
  Key(Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(FieldOnDisk(files_[1], colBPM), std::string("12"));
}

// The typed title stayed unmarked in a row that moved; the save skipped it.
void EditorMeetsCommandsTest::sortFinishesTheEditOnItsOwnRow() {
  QVERIFY(TypeIntoCell(W(), colTitle, 1, QStringLiteral("c")));
  W().pmPopup(Pos(colTitle), 0);
  W().PopupAction(pmSort)->trigger();
  QVERIFY(!View().IsEditorOpen());
  QCOMPARE(Grid().FullPathOf(2), files_[0]);
  QCOMPARE(Grid().FieldCell(colTitle, 2), std::string("c"));
  QVERIFY(Grid().IsRowChanged(2) && !Grid().IsRowChanged(1));
}

// Hiding the current column or dragging another onto its place left the
// current cell where typing changed a hidden title or the path.
void EditorMeetsCommandsTest::typingNeverReachesAHiddenOrAPathCell() {
  QVERIFY(View().SelectCell(Pos(colTitle), 1));
  W().Action("actShowColTitle")->trigger();
  View().setFocus();
  TypeText(&View(), QStringLiteral("x"));
  Key(Qt::Key_Return);
  QCOMPARE(Grid().FieldCell(colTitle, 1), std::string("b"));

  QVERIFY(View().SelectCell(Pos(colArtist), 1));
  View().horizontalHeader()->moveSection(Pos(colPath), Pos(colArtist));
  View().setFocus();
  TypeText(&View(), QStringLiteral("y"));
  Key(Qt::Key_Return);
  QCOMPARE(Grid().FullPathOf(1), files_[0]);
  QCOMPARE(Grid().FieldCell(colArtist, 1), std::string("y"));

  QVERIFY(View().SelectCell(Pos(colFile), 2));
  Key(Qt::Key_Delete, Qt::ControlModifier);
  QCOMPARE(Grid().FullPathOf(2), files_[1]);
}

// b.mp3's BPM is "fast": passing through it after an edit elsewhere, or
// typing into it and taking the typing back, never traps the selection.
void EditorMeetsCommandsTest::aNumberTheFileGaveNeverHoldsTheSelection() {
  QVERIFY(TypeIntoCell(W(), colTitle, 1, QStringLiteral("new")));
  QVERIFY(View().SelectCell(Pos(colBPM), 1));
  Key(Qt::Key_Down);
  QCOMPARE(View().CurrentRow(), 2);
  QVERIFY(TypeIntoCell(W(), colBPM, 1, QStringLiteral("1")));
  Key(Qt::Key_Escape);
  Key(Qt::Key_Down);
  QCOMPARE(View().CurrentRow(), 2);
  QCOMPARE(Grid().FieldCell(colBPM, 1), std::string("fast"));
}

// Three spellings of one file made three rows whose edits were saved one
// over the other; a folder made a blank row or nothing at all.
void EditorMeetsCommandsTest::oneFileIsOneRowAndAFolderIsNamed() {
  window_.reset();
  QCOMPARE(mkdir(folder_->File("disc").c_str(), 0700), 0);
  const std::string start = platform::CurrentDirectory();
  QVERIFY(platform::SetCurrentDirectory(folder_->File("")));
  {
    MessageBoxAnswers answers({QMessageBox::Ok});
    window_ = std::make_unique<RunningWindow>(
        std::vector<std::string>{"a.mp3", "./a.mp3", folder_->File("/x/../a.mp3"), "disc"});
    QCOMPARE(answers.Seen().size(), 1);
    QVERIFY(answers.Seen().front().contains(QString::fromStdString(folder_->File("disc"))));
  }
  platform::SetCurrentDirectory(start);
  QCOMPARE(Grid().FileRowCount(), 1);
  QCOMPARE(Grid().FullPathOf(1), files_[1]);
}

QTEST_MAIN(EditorMeetsCommandsTest)
#include "editor_meets_commands_test.moc"
