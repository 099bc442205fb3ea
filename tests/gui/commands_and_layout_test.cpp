// The commands as the user reaches them: actions, shortcuts and the pop-up
// menu; sorting from the pop-up; columns hidden, shown and dragged, and the
// layout found again after a restart; saving with Ctrl+S.
#include <QHeaderView>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

#include "app/command_table.h"
#include "app/grid_view.h"
#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class CommandsAndLayoutTest : public QObject {
  Q_OBJECT
 private slots:
  void everyCommandIsBoundToAnAction();
  void alternativeShortcutsWorkInTheEditor();
  void popupFollowsTheClickedCellAndSorts();
  void layoutAndBarsSurviveARestart();
  void ctrlSWritesTheFilesAndClearsTheMarks();
};

void CommandsAndLayoutTest::everyCommandIsBoundToAnAction() {
  GuiTestFolder folder;
  RunningWindow w;
  for (const CommandEntry& entry : CommandTable()) {
    QAction* a = w->Action(entry.name);
    QVERIFY2(a != nullptr && !a->text().isEmpty(), entry.name.c_str());
    QVERIFY2(entry.run != nullptr || entry.field >= 0 || entry.conversion >= 0, entry.name.c_str());
  }
}

void CommandsAndLayoutTest::alternativeShortcutsWorkInTheEditor() {
  GuiTestFolder folder;
  RunningWindow w(WriteSongs(folder, {"abc"}));
  QVERIFY(ShowActive(*w));
  QVERIFY(TypeIntoCell(*w, colTitle, 1, QStringLiteral("xy")));
  QLineEdit* editor = w->View().InPlaceEditor();
  editor->selectAll();
  QTest::keyClick(editor, Qt::Key_Insert, Qt::ControlModifier);
  QTest::keyClick(editor, Qt::Key_Delete, Qt::ShiftModifier);
  QCOMPARE(editor->text(), QString());
  QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
  QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
  QCOMPARE(w->Grid().FieldCell(colTitle, 1), std::string("xyxy"));  // reached the cell as typed
}

void CommandsAndLayoutTest::popupFollowsTheClickedCellAndSorts() {
  GuiTestFolder folder;
  {
    RunningWindow empty;  // nothing to cut or fill in an empty list
    empty->pmPopup(empty->Grid().Layout().Position(colTitle), 1);
    for (PopupItem item : {pmCut, pmCopy, pmPaste, pmDeleteCell, pmFillCol}) {
      QVERIFY(!empty->PopupAction(item)->isEnabled());
    }
  }
  RunningWindow w(WriteSongs(folder, {"b", "A", "c"}));
  QVERIFY(ShowActive(*w));
  TrackGrid& grid = w->Grid();
  w->pmPopup(colRowNo, 2);  // a row number selects that row
  QCOMPARE(w->View().CurrentRow(), 2);
  QVERIFY(w->PopupAction(pmDeleteRow)->isEnabled() && !w->PopupAction(pmCut)->isVisible());

  grid.MarkRowChanged(1);  // "b" is changed: the mark travels with it
  w->pmPopup(grid.Layout().Position(colTitle), 0);
  QVERIFY(w->PopupAction(pmSort)->isVisible() && w->PopupAction(pmSort)->isEnabled());
  w->PopupAction(pmSort)->trigger();
  for (int row = 1; row <= 3; ++row) {
    QCOMPARE(grid.FieldCell(colTitle, row), std::string(1, "Abc"[row - 1]));
  }
  QVERIFY(grid.IsRowChanged(2) && !grid.IsRowChanged(1));
  const QAbstractItemModel* model = w->View().model();
  QCOMPARE(model->data(model->index(0, grid.Layout().Position(colTitle))).toString(),
           QStringLiteral("A"));
  QVERIFY(model->headerData(1, Qt::Vertical, Qt::ForegroundRole).isValid());
}

void CommandsAndLayoutTest::layoutAndBarsSurviveARestart() {
  GuiTestFolder folder;
  const std::vector<std::string> files = WriteSongs(folder, {"題名"});
  {
    RunningWindow w(files);
    QVERIFY(ShowActive(*w));
    GridView& view = w->View();
    w->Action("actShowColArtist")->trigger();
    QVERIFY(view.isColumnHidden(w->Grid().Layout().Position(colArtist)));
    w->Action("actShowColAlbum")->trigger();
    w->Action("actShowColAlbum")->trigger();  // hidden and shown again
    QVERIFY(!view.isColumnHidden(w->Grid().Layout().Position(colAlbum)));

    // Drag the title's header to the first field position: the document
    // moves, the header does not keep a visual shuffle of its own.
    QHeaderView* header = view.horizontalHeader();
    header->moveSection(w->Grid().Layout().Position(colTitle), kFirstFieldPosition);
    QCOMPARE(header->visualIndex(kFirstFieldPosition), kFirstFieldPosition);
    QCOMPARE(QString::fromStdString(w->Grid().Cell(kFirstFieldPosition, 1)),
             QStringLiteral("題名"));
    QCOMPARE(w->Action("actShowColTitle")->data().toInt(), kFirstFieldPosition);
    header->moveSection(kFirstFieldPosition + 1, 26);  // outside the fields: undone
    QCOMPARE(header->visualIndex(26), 26);

    w->Action("actShowToolbar")->trigger();
    w->resize(640, 360);
    QVERIFY(w->close());
  }
  RunningWindow again(files);
  const ColumnLayout& layout = again->Grid().Layout();
  QCOMPARE(layout.Position(colTitle), kFirstFieldPosition);
  QCOMPARE(layout.Position(colPath), kFirstFieldPosition + 1);
  QVERIFY(again->View().isColumnHidden(layout.Position(colArtist)));
  QVERIFY(!again->Action("actShowColArtist")->isChecked());
  QVERIFY(layout.IsFieldShown(colAlbum));
  QVERIFY(!again->Action("actShowToolbar")->isChecked());
  QVERIFY(again->Action("actShowStatusbar")->isChecked());
  QCOMPARE(again->size(), QSize(640, 360));
}

// The second edit is still open when Ctrl+S comes: it is finished first and
// written with the rest. Its text has no Shift-JIS form, so that file goes
// into UTF-16, and one message names it.
void CommandsAndLayoutTest::ctrlSWritesTheFilesAndClearsTheMarks() {
  GuiTestFolder folder;
  const std::vector<std::string> files = WriteSongs(folder, {"old1", "old2"});
  RunningWindow w(files);
  QVERIFY(ShowActive(*w));
  GridView& view = w->View();
  QVERIFY(TypeIntoCell(*w, colTitle, 1, QStringLiteral("新しい題名")));
  QVERIFY(!w->Grid().IsRowChanged(1));  // nothing counts until the edit ends
  QTest::keyClick(view.InPlaceEditor(), Qt::Key_Return);
  QTRY_VERIFY(w->Grid().IsRowChanged(1));
  const auto numberColour = [&view](int row) {
    return view.model()->headerData(row - 1, Qt::Vertical, Qt::ForegroundRole);
  };
  QCOMPARE(numberColour(1).value<QBrush>().color(), QColor(Qt::red));
  QVERIFY(!numberColour(2).isValid());
  QVERIFY(TypeIntoCell(*w, colTitle, 2, QStringLiteral("한국어")));

  MessageBoxAnswers answers({QMessageBox::Ok});
  QTest::keyClick(view.InPlaceEditor(), Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(w->Grid().ChangedRowCount(), 0);
  QVERIFY(!numberColour(1).isValid());
  QCOMPARE(QString::fromStdString(FieldOnDisk(files[0], colTitle)), QStringLiteral("新しい題名"));
  QCOMPARE(QString::fromStdString(FieldOnDisk(files[1], colTitle)), QStringLiteral("한국어"));
  QCOMPARE(answers.Seen().size(), 1);
  QVERIFY(answers.Seen()[0].contains(QString::fromStdString(files[1])));
  QVERIFY(answers.Seen()[0].contains(QStringLiteral("UTF-16")));
  QVERIFY(!answers.Seen()[0].contains(QString::fromStdString(files[0])));
}

QTEST_MAIN(CommandsAndLayoutTest)
#include "commands_and_layout_test.moc"
