// Commands over many cells in the real window: blocks selected with
// Shift+arrows, Shift+click and "select all", spreadsheet lines pasted,
// Ctrl+Enter after typing; find and replace, numbering, and tags from file
// names and file names from tags with their preview, from their menu items
// and dialogs. What each command makes of the cells, and which files a
// rename moves, the core's tests decide.

#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class CommandsOverManyCellsTest : public WindowFixture {
  Q_OBJECT
 private slots:
  // Lines as a spreadsheet puts three rows of two cells on the clipboard;
  // a right-click inside a block keeps it.
  void blocksFromKeysAndClicksArePastedFilledAndCopied() {
    QVERIFY(Open(Songs({"s1", "s2", "s3", "s4"})));
    QVERIFY(View().SelectCell(Pos(colArtist), 1));
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(View().SelectedBlock(), (CellBlock{Pos(colArtist), 1, Pos(colTitle), 3}));
    QGuiApplication::clipboard()->setText(QStringLiteral("B1\t題1\r\nB2\tT2\r\nB3\tT3\r\n"));
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Column(colArtist) + Column(colTitle), std::string("B1|B2|B3||題1|T2|T3|s4|"));

    QVERIFY(View().SelectCell(Pos(colAlbum), 1));
    const QRect third = View().visualRect(View().Model().index(2, Pos(colAlbum)));
    QTest::mouseClick(View().viewport(), Qt::LeftButton, Qt::ShiftModifier, third.center());
    W().pmPopup(colRowNo, 2);
    TypeText(&View(), QStringLiteral("LP"));
    Key(Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(!View().IsEditorOpen());
    QCOMPARE(Column(colAlbum), std::string("LP|LP|LP||"));

    Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
    QVERIFY(lines.size() == 4 && lines[3].contains(QStringLiteral("s4.mp3\t")));
  }

  void replaceAndNumberThroughTheirDialogs() {
    QVERIFY(Open(Songs({"s1", "s2", "s3", "s4"})));
    QVERIFY(View().SelectCell(Pos(colTitle), 1));
    {
      ModalScript script({[](QWidget* dialog) {
        Child<QLineEdit>(dialog, "edFind")->setText(QStringLiteral("s"));
        Child<QLineEdit>(dialog, "edReplace")->setText(QStringLiteral("Song "));
        Child<QPushButton>(dialog, "btnReplace")->click();
      }});
      Key(Qt::Key_H, Qt::ControlModifier);
    }
    QCOMPARE(W().statusBar()->currentMessage(), QStringLiteral("4 件置換しました。"));

    {
      ModalScript script({[](QWidget* dialog) {
        Child<QCheckBox>(dialog, "cbTotal")->setChecked(true);
        Child<QRadioButton>(dialog, "rbAll")->setChecked(true);
        Child<QPushButton>(dialog, "btnOK")->click();
      }});
      W().Action("actEditNumberTracks")->trigger();
    }
    QCOMPARE(Column(colNo), std::string("1/4|2/4|3/4|4/4|"));
  }

  // Both from the Tool menu, each through its dialog and preview.
  void tagsFromNamesAndNamesFromTagsThroughTheToolMenu() {
    QVERIFY(Open(Songs({"01 - Aa - 春", "02 - Bb - 夏"})));
    QVERIFY(
        W().findChild<QMenu*>("mmTool")->actions().contains(W().Action("actToolTagsFromNames")));
    Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    const QStringList lines =
        RunWithPattern("actToolTagsFromNames", QStringLiteral("%track% - %artist% - %title%"));
    QCOMPARE(lines, QStringList({QStringLiteral("01 - Aa - 春.mp3/01/Aa/春/変更します"),
                                 QStringLiteral("02 - Bb - 夏.mp3/02/Bb/夏/変更します")}));

    QVERIFY(View().SelectCell(Pos(colTitle), 1));
    QCOMPARE(RunWithPattern("actToolNamesFromTags", QStringLiteral("%artist%")),
             QStringList({QStringLiteral("01 - Aa - 春.mp3/Aa.mp3/変更します")}));
    QVERIFY(Exists(folder_->File("Aa.mp3")));
  }

 private:
  // Runs a Tool menu command with `pattern` typed into its dialog; the
  // preview's lines come back, cells joined by "/".
  QStringList RunWithPattern(const char* action, const QString& pattern) {
    QStringList lines;
    ModalScript script({[&](QWidget* dialog) {
      Child<QComboBox>(dialog, "cmbPattern")->lineEdit()->setText(pattern);
      auto* ok = Child<QPushButton>(dialog, "btnOK");
      QTRY_VERIFY(ok->isEnabled());
      const QAbstractItemModel* model = Child<QTableView>(dialog, "lvPreview")->model();
      for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
          cells << model->index(r, c).data().toString();
        lines << cells.join(u'/');
      }
      ok->click();
    }});
    W().Action(action)->trigger();
    // Offscreen, nothing gives the window back its activation.
    if (!ShowActive(W())) lines << QStringLiteral("(window not active)");
    return lines;
  }
};

QTEST_MAIN(CommandsOverManyCellsTest)
#include "commands_over_many_cells_test.moc"
