// Typing into the grid through its in-place editor, with the rules of the
// editing object: the changed mark, the numeric check that holds the
// selection, Escape, Tab, undo and the system clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "app/grid_view.h"
#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class CellEditingTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void typingJapaneseIntoTitleMarksTheRowRed();
  void badBpmHoldsTheSelectionUntilCorrected();
  void escapeRestoresAndCtrlZUndoes();
  void tabMovesToTheNextCellWithoutEditingIt();
  void yearTakesDigitsOnlyAndAtMostFour();
  void cutAndPasteGoThroughTheSystemClipboard();
  void pathCellsAreNotTypedInto();

 private:
  GridView& View() { return (*window_)->View(); }
  TrackGrid& Grid() { return (*window_)->Grid(); }
  int Pos(Field f) { return Grid().Layout().Position(f); }
  void Select(Field f, int row) {
    QVERIFY(View().SelectCell(Pos(f), row));
    View().setFocus();
  }
  QColor RowNumberColour(int row) {
    const QVariant v = View().model()->headerData(row - 1, Qt::Vertical, Qt::ForegroundRole);
    return v.isValid() ? v.value<QBrush>().color() : QColor();
  }

  std::unique_ptr<GuiTestFolder> folder_;
  std::unique_ptr<RunningWindow> window_;
};

void CellEditingTest::init() {
  folder_ = std::make_unique<GuiTestFolder>();
  WriteTaggedMp3(folder_->File("1.mp3"), QStringLiteral("one"), QStringLiteral("A"),
                 QStringLiteral("90"));
  WriteTaggedMp3(folder_->File("2.mp3"), QStringLiteral("two"), QStringLiteral("B"));
  window_ = std::make_unique<RunningWindow>(
      std::vector<std::string>{folder_->File("1.mp3"), folder_->File("2.mp3")});
  QVERIFY(ShowActive(**window_));
}

void CellEditingTest::cleanup() {
  window_.reset();
  folder_.reset();
}

void CellEditingTest::typingJapaneseIntoTitleMarksTheRowRed() {
  Select(colTitle, 1);
  TypeText(&View(), QStringLiteral("日本語の題名"));
  QVERIFY(View().IsEditorOpen());
  QVERIFY(!Grid().IsRowChanged(1));  // nothing counts until the edit ends
  QTest::keyClick(View().InPlaceEditor(), Qt::Key_Return);
  QTRY_VERIFY(!View().IsEditorOpen());

  QCOMPARE(QString::fromStdString(Grid().FieldCell(colTitle, 1)), QStringLiteral("日本語の題名"));
  QVERIFY(Grid().IsRowChanged(1));
  QCOMPARE(RowNumberColour(1), QColor(Qt::red));
  QVERIFY(!RowNumberColour(2).isValid());
  QCOMPARE(window_->get()->Undo().Count(), std::size_t{1});
}

void CellEditingTest::badBpmHoldsTheSelectionUntilCorrected() {
  Select(colBPM, 1);
  TypeText(&View(), QStringLiteral("12a"));
  QTest::keyClick(View().InPlaceEditor(), Qt::Key_Down);
  // The selection stays and the editor is open again on the cell.
  QCOMPARE(View().CurrentRow(), 1);
  QCOMPARE(View().CurrentColumn(), Pos(colBPM));
  QVERIFY(View().IsEditorOpen());
  QVERIFY(!View().SelectCell(Pos(colTitle), 2));  // a click elsewhere is refused too

  QTest::keyClick(View().InPlaceEditor(), Qt::Key_Backspace);
  TypeText(View().InPlaceEditor(), QStringLiteral("0"));
  QTest::keyClick(View().InPlaceEditor(), Qt::Key_Down);
  QTRY_COMPARE(View().CurrentRow(), 2);
  QCOMPARE(Grid().FieldCell(colBPM, 1), std::string("120"));
  QVERIFY(Grid().IsRowChanged(1));
  QCOMPARE(window_->get()->Undo().Count(), std::size_t{1});  // one record, not one per try
}

void CellEditingTest::escapeRestoresAndCtrlZUndoes() {
  Select(colTitle, 1);
  TypeText(&View(), QStringLiteral("xyz"));
  QTest::keyClick(View().InPlaceEditor(), Qt::Key_Escape);
  QTRY_VERIFY(!View().IsEditorOpen());
  QCOMPARE(Grid().FieldCell(colTitle, 1), std::string("one"));
  QVERIFY(!Grid().IsRowChanged(1));
  QCOMPARE(window_->get()->Undo().Count(), std::size_t{0});

  TypeText(&View(), QStringLiteral("new"));
  QTest::keyClick(View().InPlaceEditor(), Qt::Key_Return);
  QTRY_COMPARE(Grid().FieldCell(colTitle, 1), std::string("new"));
  QTRY_VERIFY(!View().IsEditorOpen());
  // Undo is offered from the next selection on.
  QTest::keyClick(&View(), Qt::Key_Down);
  QVERIFY(window_->get()->Action("actEditUndo")->isEnabled());
  QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Grid().FieldCell(colTitle, 1), std::string("one"));
}

void CellEditingTest::tabMovesToTheNextCellWithoutEditingIt() {
  Select(colArtist, 1);
  TypeText(&View(), QStringLiteral("Z"));
  QTest::keyClick(View().InPlaceEditor(), Qt::Key_Tab);
  QTRY_COMPARE(View().CurrentColumn(), Pos(colTitle));
  QVERIFY(!View().IsEditorOpen());
  QCOMPARE(Grid().FieldCell(colArtist, 1), std::string("Z"));
  QVERIFY(Grid().IsRowChanged(1));
  QCOMPARE(Grid().FieldCell(colTitle, 1), std::string("one"));
}

void CellEditingTest::yearTakesDigitsOnlyAndAtMostFour() {
  Select(colYear, 2);
  TypeText(&View(), QStringLiteral("2a0b"));
  QCOMPARE(View().InPlaceEditor()->text(), QStringLiteral("20"));
  TypeText(View().InPlaceEditor(), QStringLiteral("0123"));
  QCOMPARE(View().InPlaceEditor()->text(), QStringLiteral("2001"));
  // Fewer than four digits may be left: the cell need not be filled.
  QTest::keyClick(View().InPlaceEditor(), Qt::Key_Backspace);
  QTest::keyClick(View().InPlaceEditor(), Qt::Key_Return);
  QTRY_VERIFY(!View().IsEditorOpen());
  QCOMPARE(Grid().FieldCell(colYear, 2), std::string("200"));
}

void CellEditingTest::cutAndPasteGoThroughTheSystemClipboard() {
  Select(colTitle, 1);
  QTest::keyClick(&View(), Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("one"));
  QCOMPARE(Grid().FieldCell(colTitle, 1), std::string());
  QVERIFY(Grid().IsRowChanged(1));

  QGuiApplication::clipboard()->setText(QStringLiteral("貼り付けた"));
  Select(colArtist, 2);
  QTest::keyClick(&View(), Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(QString::fromStdString(Grid().FieldCell(colArtist, 2)), QStringLiteral("貼り付けた"));
  QVERIFY(Grid().IsRowChanged(2));

  // Undo takes back the paste, then the cut.
  QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Grid().FieldCell(colArtist, 2), std::string("B"));
  QCOMPARE(Grid().FieldCell(colTitle, 1), std::string("one"));
}

void CellEditingTest::pathCellsAreNotTypedInto() {
  Select(colFile, 1);
  TypeText(&View(), QStringLiteral("x"));
  QVERIFY(!View().IsEditorOpen());
  QCOMPARE(Grid().FieldCell(colFile, 1), std::string("1.mp3"));
  // Only copy is offered there.
  QVERIFY(window_->get()->Action("actEditCopy")->isEnabled());
  QVERIFY(!window_->get()->Action("actEditCut")->isEnabled());
}

QTEST_MAIN(CellEditingTest)
#include "cell_editing_test.moc"
