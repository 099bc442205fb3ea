// Blocks of cells in the real window: selected with Shift+arrows, Shift+click
// and "select all", spreadsheet lines pasted and saved into the files, Undo
// and Redo from their shortcuts, Ctrl+Enter after typing, and find and
// replace, a conversion and numbering from their menu items and dialogs.
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
    files_ = WriteSongs(*folder_, {"s1", "s2", "s3", "s4"});
    QVERIFY(Open(files_));
  }
  void cleanup() { Close(); }
  void keyboardBlockPasteIsSavedIntoTheFiles();
  void shiftClickCtrlEnterAndSelectAll();
  void replaceConvertAndNumberThroughTheirDialogs();

 private:
  std::vector<std::string> files_;
};

void BlockSelectionTest::keyboardBlockPasteIsSavedIntoTheFiles() {
  QVERIFY(View().SelectCell(Pos(colArtist), 1));
  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  QCOMPARE(View().SelectedBlock(), (CellBlock{Pos(colArtist), 1, Pos(colTitle), 3}));
  // As a spreadsheet puts three rows of two cells on the clipboard.
  QGuiApplication::clipboard()->setText(
      QStringLiteral("アーティスト1\t題1\r\nB2\tT2\r\nB3\tT3\r\n"));
  Key(Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(Cell(colArtist, 1) + Cell(colTitle, 3), std::string("アーティスト1T3"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Cell(colTitle, 1) + Cell(colTitle, 2) + Cell(colTitle, 3), std::string("s1s2s3"));
  Key(Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(Cell(colTitle, 1) + Cell(colTitle, 2) + Cell(colTitle, 3), std::string("題1T2T3"));
  Key(Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(W().Grid().ChangedRowCount(), 0);
  const std::pair<std::size_t, std::string> onDisk[] = {
      {0, "アーティスト1 題1"}, {1, "B2 T2"}, {2, "B3 T3"}, {3, " s4"}};
  for (const auto& [i, expected] : onDisk) {
    QCOMPARE(FieldOnDisk(files_[i], colArtist) + " " + FieldOnDisk(files_[i], colTitle), expected);
  }
}

void BlockSelectionTest::shiftClickCtrlEnterAndSelectAll() {
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
  QCOMPARE(Cell(colAlbum, 1) + Cell(colAlbum, 2) + Cell(colAlbum, 3) + Cell(colAlbum, 4),
           std::string("LPLPLP"));

  Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  Key(Qt::Key_C, Qt::ControlModifier);
  const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
  QCOMPARE(lines.size(), 4);
  QCOMPARE(lines[3].split(u'\t').size(), kFieldCount);
  QVERIFY(lines[3].contains(QStringLiteral("s4.mp3\t")));
}

void BlockSelectionTest::replaceConvertAndNumberThroughTheirDialogs() {
  auto titles = [this] {
    return Cell(colTitle, 1) + Cell(colTitle, 2) + Cell(colTitle, 3) + Cell(colTitle, 4);
  };
  QVERIFY(View().SelectCell(Pos(colTitle), 1));
  {
    ModalScript script({[](QWidget* dialog) {
      dialog->findChild<QLineEdit*>("edFind")->setText(QStringLiteral("s"));
      dialog->findChild<QLineEdit*>("edReplace")->setText(QStringLiteral("Song "));
      dialog->findChild<QPushButton*>("btnReplace")->click();
    }});
    Key(Qt::Key_H, Qt::ControlModifier);
  }
  QCOMPARE(titles(), std::string("Song 1Song 2Song 3Song 4"));
  QCOMPARE(W().statusBar()->currentMessage(), QStringLiteral("4 件置換しました。"));

  Key(Qt::Key_Down, Qt::ShiftModifier);
  W().Action("actConvUpper")->trigger();
  QCOMPARE(titles(), std::string("SONG 1SONG 2Song 3Song 4"));
  {
    ModalScript script({[](QWidget* dialog) {
      dialog->findChild<QCheckBox*>("cbTotal")->setChecked(true);
      QVERIFY(dialog->findChild<QRadioButton*>("rbSelected")->isChecked());
      dialog->findChild<QRadioButton*>("rbAll")->setChecked(true);
      dialog->findChild<QPushButton*>("btnOK")->click();
    }});
    W().Action("actEditNumberTracks")->trigger();
  }
  QCOMPARE(Cell(colNo, 1) + " " + Cell(colNo, 4), std::string("1/4 4/4"));
  QVERIFY(ShowActive(W()));  // offscreen, nothing gives it back after a dialog
  Key(Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Cell(colNo, 1), std::string());
}

QTEST_MAIN(BlockSelectionTest)
#include "block_selection_test.moc"
