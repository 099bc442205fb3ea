// Typing into the grid through its in-place editor, with the rules of the
// editing object: the numeric check that holds the selection, Tab, the
// year's digits and the system clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "app/grid_view.h"
#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class CellEditingTest : public QObject, WindowFixture {
  Q_OBJECT
 private slots:
  void init() {
    Reset();
    WriteTaggedMp3(folder_->File("1.mp3"), QStringLiteral("one"), QStringLiteral("A"));
    WriteTaggedMp3(folder_->File("2.mp3"), QStringLiteral("two"), QStringLiteral("B"));
    QVERIFY(Open({folder_->File("1.mp3"), folder_->File("2.mp3")}));
  }
  void cleanup() { Close(); }
  void badBpmHoldsTheSelectionUntilCorrected();
  void tabLeavesTheCellAndYearTakesFourDigits();
  void cutAndPasteGoThroughTheSystemClipboard();

 private:
  QLineEdit* Editor() { return View().InPlaceEditor(); }
  void Type(Field f, int row, const QString& text) { QVERIFY(TypeIntoCell(W(), f, row, text)); }
};

void CellEditingTest::badBpmHoldsTheSelectionUntilCorrected() {
  Type(colBPM, 1, QStringLiteral("12a"));
  Key(Qt::Key_Down);
  QCOMPARE(View().CurrentRow(), 1);
  QVERIFY(View().IsEditorOpen());
  QVERIFY(!View().SelectCell(Pos(colTitle), 2));  // a click elsewhere is refused too

  Key(Qt::Key_Backspace);
  TypeText(Editor(), QStringLiteral("0"));
  Key(Qt::Key_Down);
  QTRY_COMPARE(View().CurrentRow(), 2);
  QCOMPARE(Grid().FieldCell(colBPM, 1), std::string("120"));
  QCOMPARE(W().Undo().Count(), std::size_t{1});  // one record, not one per try
}

void CellEditingTest::tabLeavesTheCellAndYearTakesFourDigits() {
  Type(colArtist, 1, QStringLiteral("Z"));
  Key(Qt::Key_Tab);
  QTRY_COMPARE(View().CurrentColumn(), Pos(colTitle));
  QVERIFY(!View().IsEditorOpen());  // moved on, not editing the next cell
  QCOMPARE(Grid().FieldCell(colArtist, 1), std::string("Z"));

  Type(colYear, 2, QStringLiteral("2a0b0123"));
  QCOMPARE(Editor()->text(), QStringLiteral("2001"));
  Key(Qt::Key_Backspace);  // fewer than four digits may be left
  Key(Qt::Key_Return);
  QTRY_COMPARE(Grid().FieldCell(colYear, 2), std::string("200"));
}

void CellEditingTest::cutAndPasteGoThroughTheSystemClipboard() {
  QVERIFY(View().SelectCell(Pos(colTitle), 1));
  Key(Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("one"));
  QCOMPARE(Grid().FieldCell(colTitle, 1), std::string());
  QVERIFY(Grid().IsRowChanged(1));

  QGuiApplication::clipboard()->setText(QStringLiteral("貼り付けた"));
  QVERIFY(View().SelectCell(Pos(colArtist), 2));
  Key(Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(QString::fromStdString(Grid().FieldCell(colArtist, 2)), QStringLiteral("貼り付けた"));
}

QTEST_MAIN(CellEditingTest)
#include "cell_editing_test.moc"
