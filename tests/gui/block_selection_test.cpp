// Blocks of cells in the real window: selected with Shift+arrows, Shift+click
// and "select all", spreadsheet lines pasted, Ctrl+Enter after typing, and
// find and replace, a conversion and numbering from their menu items and
// dialogs, undone with Ctrl+Z.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "app/grid_view.h"
#include "dialogs/modal_script.h"
#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class BlockSelectionTest : public QObject, WindowFixture {
  Q_OBJECT
 private slots:
  void init() {
    Reset();
    QVERIFY(Open(WriteSongs(*folder_, {"s1", "s2", "s3", "s4"})));
  }
  void cleanup() { Close(); }

  // As a spreadsheet puts three rows of two cells on the clipboard.
  void shiftArrowsSelectTheBlockCtrlVFills() {
    QVERIFY(View().SelectCell(Pos(colArtist), 1));
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(View().SelectedBlock(), (CellBlock{Pos(colArtist), 1, Pos(colTitle), 3}));
    QGuiApplication::clipboard()->setText(QStringLiteral("B1\t題1\r\nB2\tT2\r\nB3\tT3\r\n"));
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Column(colArtist) + Column(colTitle), std::string("B1|B2|B3||題1|T2|T3|s4|"));
  }

  void shiftClickCtrlEnterAndSelectAll() {
    QVERIFY(View().SelectCell(Pos(colAlbum), 1));
    const QRect third = View().visualRect(View().Model().index(2, Pos(colAlbum)));
    QTest::mouseClick(View().viewport(), Qt::LeftButton, Qt::ShiftModifier, third.center());
    QCOMPARE(View().SelectedBlock(), (CellBlock{Pos(colAlbum), 1, Pos(colAlbum), 3}));
    W().pmPopup(colRowNo, 2);  // a right-click inside the block keeps it
    QCOMPARE(View().SelectedBlock(), (CellBlock{Pos(colAlbum), 1, Pos(colAlbum), 3}));
    TypeText(&View(), QStringLiteral("LP"));
    QVERIFY(View().IsEditorOpen());
    Key(Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(!View().IsEditorOpen());
    QCOMPARE(Column(colAlbum), std::string("LP|LP|LP||"));

    Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[3].contains(QStringLiteral("s4.mp3\t")));
  }

  void replaceConvertAndNumberThroughTheirDialogs() {
    QVERIFY(View().SelectCell(Pos(colTitle), 1));
    {
      ModalScript script({[](QWidget* dialog) {
        Child<QLineEdit>(dialog, "edFind")->setText(QStringLiteral("s"));
        Child<QLineEdit>(dialog, "edReplace")->setText(QStringLiteral("Song "));
        Child<QPushButton>(dialog, "btnReplace")->click();
      }});
      Key(Qt::Key_H, Qt::ControlModifier);
    }
    QCOMPARE(Column(colTitle), std::string("Song 1|Song 2|Song 3|Song 4|"));
    QCOMPARE(W().statusBar()->currentMessage(), QStringLiteral("4 件置換しました。"));

    Key(Qt::Key_Down, Qt::ShiftModifier);
    W().Action("actConvUpper")->trigger();
    QCOMPARE(Column(colTitle), std::string("SONG 1|SONG 2|Song 3|Song 4|"));
    {
      ModalScript script({[](QWidget* dialog) {
        Child<QCheckBox>(dialog, "cbTotal")->setChecked(true);
        QVERIFY(Child<QRadioButton>(dialog, "rbSelected")->isChecked());
        Child<QRadioButton>(dialog, "rbAll")->setChecked(true);
        Child<QPushButton>(dialog, "btnOK")->click();
      }});
      W().Action("actEditNumberTracks")->trigger();
    }
    QCOMPARE(Column(colNo), std::string("1/4|2/4|3/4|4/4|"));
    QVERIFY(ShowActive(W()));  // offscreen, nothing gives it back after a dialog
    Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Column(colNo), std::string("||||"));
  }
};

QTEST_MAIN(BlockSelectionTest)
#include "block_selection_test.moc"
