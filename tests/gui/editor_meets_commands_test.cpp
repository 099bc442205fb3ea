// Typing in the real window and what meets it: the numeric check that holds
// the selection against keys, clicks and commands but not a number the
// file gave, Tab, the year's digits and cutting to the system clipboard.

#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class EditorMeetsCommandsTest : public WindowFixture {
  Q_OBJECT
 private slots:
  void init() {
    Reset();
    files_ = Songs({"b", "a"});
    QVERIFY(Open(files_));
  }

  // "12a" typed into BPM reached the file when Ctrl+S or a close with Yes
  // came while the editor was open; once good, the open edit is what Ctrl+S
  // writes.
  void aBadNumberHoldsTheSelectionSaveAndClose() {
    QVERIFY(TypeIntoCell(colBPM, 2, QStringLiteral("12a")));
    Key(Qt::Key_Up);
    QVERIFY(!View().SelectCell(Pos(colTitle), 1));  // a click elsewhere is refused too
    Key(Qt::Key_S, Qt::ControlModifier);
    {
      MessageBoxAnswers answers({QMessageBox::Yes});
      QVERIFY(!W().close());
      QVERIFY(answers.Seen().isEmpty());
    }
    QCOMPARE(FieldOnDisk(files_[1], colBPM), std::string());
    QVERIFY(View().IsEditorOpen() && View().CurrentRow() == 2);

    Key(Qt::Key_Backspace);
    Key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(FieldOnDisk(files_[1], colBPM), std::string("12"));
    QCOMPARE(W().Undo().Count(), std::size_t{1});  // one record, not one per try

    // A number the file gave is not held against the user once the typing
    // into it is taken back.
    Grid().SetFieldCell(colBPM, 1, "fast");
    QVERIFY(TypeIntoCell(colBPM, 1, QStringLiteral("1")));
    Key(Qt::Key_Escape);
    Key(Qt::Key_Down);
    QCOMPARE(View().CurrentRow(), 2);
  }

  void tabLeavesTheCellAndYearTakesFourDigits() {
    QVERIFY(TypeIntoCell(colArtist, 1, QStringLiteral("Z")));
    Key(Qt::Key_Tab);
    QTRY_COMPARE(View().CurrentColumn(), Pos(colTitle));
    // Moved on with the cell written, not editing the next cell.
    QVERIFY(!View().IsEditorOpen() && Cell(colArtist, 1) == "Z");

    QVERIFY(TypeIntoCell(colYear, 2, QStringLiteral("2a0b0123")));
    QCOMPARE(View().InPlaceEditor()->text(), QStringLiteral("2001"));
    Key(Qt::Key_Backspace);  // fewer than four digits may be left
    Key(Qt::Key_Return);
    QTRY_COMPARE(Cell(colYear, 2), std::string("200"));
  }

  // Pasting from it, the block test shows.
  void cutGoesThroughTheSystemClipboard() {
    QVERIFY(View().SelectCell(Pos(colTitle), 1));
    Key(Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("b"));
    QVERIFY(Cell(colTitle, 1).empty() && Grid().IsRowChanged(1));
  }

 private:
  std::vector<std::string> files_;
};

QTEST_MAIN(EditorMeetsCommandsTest)
#include "editor_meets_commands_test.moc"
