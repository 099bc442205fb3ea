// The commands as the user reaches them: actions, shortcuts and the pop-up
// menu; columns hidden, shown and dragged, and the layout found again after
// a restart; saving with Ctrl+S.
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "app/command_table.h"
#include "app/grid_view.h"
#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class CommandsAndLayoutTest : public QObject, WindowFixture {
  Q_OBJECT
 private slots:
  void init() { Reset(); }
  void cleanup() { Close(); }

  void everyCommandIsBoundToAnAction() {
    QVERIFY(Open({}));
    for (const CommandEntry& entry : CommandTable()) {
      QAction* a = W().Action(entry.name);
      QVERIFY2(a != nullptr && !a->text().isEmpty(), entry.name.c_str());
      QVERIFY2(entry.run != nullptr || entry.field >= 0 || entry.conversion >= 0,
               entry.name.c_str());
    }
  }

  void alternativeShortcutsWorkInTheEditor() {
    QVERIFY(Open(WriteSongs(*folder_, {"abc"})));
    QVERIFY(TypeIntoCell(W(), colTitle, 1, QStringLiteral("xy")));
    QLineEdit* editor = View().InPlaceEditor();
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(editor->text(), QString());
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(Cell(colTitle, 1), std::string("xyxy"));  // reached the cell as typed
  }

  // What the pop-up offers follows the clicked cell: nothing to cut or fill
  // in an empty list, whole rows on a row number, the sort on a header.
  void popupFollowsTheClickedCell() {
    QVERIFY(Open({}));
    W().pmPopup(Pos(colTitle), 1);
    for (PopupItem item : {pmCut, pmCopy, pmPaste, pmDeleteCell, pmFillCol}) {
      QVERIFY(!W().PopupAction(item)->isEnabled());
    }
    QVERIFY(Open(WriteSongs(*folder_, {"b", "A", "c"})));
    W().pmPopup(colRowNo, 2);
    QCOMPARE(View().CurrentRow(), 2);
    QVERIFY(W().PopupAction(pmDeleteRow)->isEnabled() && !W().PopupAction(pmCut)->isVisible());
    W().pmPopup(Pos(colTitle), 0);
    QVERIFY(W().PopupAction(pmSort)->isVisible() && W().PopupAction(pmSort)->isEnabled());
  }

  void layoutAndBarsSurviveARestart() {
    const std::vector<std::string> files = WriteSongs(*folder_, {"題名"});
    QVERIFY(Open(files));
    W().Action("actShowColArtist")->trigger();
    QVERIFY(View().isColumnHidden(Pos(colArtist)));
    W().Action("actShowColAlbum")->trigger();
    W().Action("actShowColAlbum")->trigger();  // hidden and shown again
    QVERIFY(!View().isColumnHidden(Pos(colAlbum)));

    // Drag the title's header to the first field position: the document
    // moves, the header does not keep a visual shuffle of its own.
    QHeaderView* header = View().horizontalHeader();
    header->moveSection(Pos(colTitle), kFirstFieldPosition);
    QCOMPARE(header->visualIndex(kFirstFieldPosition), kFirstFieldPosition);
    QCOMPARE(QString::fromStdString(Grid().Cell(kFirstFieldPosition, 1)), QStringLiteral("題名"));
    QCOMPARE(W().Action("actShowColTitle")->data().toInt(), kFirstFieldPosition);
    header->moveSection(kFirstFieldPosition + 1, 26);  // outside the fields: undone
    QCOMPARE(header->visualIndex(26), 26);

    W().Action("actShowToolbar")->trigger();
    W().resize(640, 360);
    QVERIFY(W().close());
    QVERIFY(Open(files));
    QCOMPARE(Pos(colTitle), kFirstFieldPosition);
    QCOMPARE(Pos(colPath), kFirstFieldPosition + 1);
    QVERIFY(View().isColumnHidden(Pos(colArtist)));
    QVERIFY(!W().Action("actShowColArtist")->isChecked());
    QVERIFY(Grid().Layout().IsFieldShown(colAlbum));
    QVERIFY(!W().Action("actShowToolbar")->isChecked());
    QVERIFY(W().Action("actShowStatusbar")->isChecked());
    QCOMPARE(W().size(), QSize(640, 360));
  }

  // The second edit is still open when Ctrl+S comes: it is finished first and
  // written with the rest. Its text has no Shift-JIS form, so that file goes
  // into UTF-16, and one message names it.
  void ctrlSWritesTheFilesAndClearsTheMarks() {
    const std::vector<std::string> files = WriteSongs(*folder_, {"old1", "old2"});
    QVERIFY(Open(files));
    QVERIFY(TypeIntoCell(W(), colTitle, 1, QStringLiteral("新しい題名")));
    Key(Qt::Key_Return);
    const auto numberColour = [this](int row) {
      return View().model()->headerData(row - 1, Qt::Vertical, Qt::ForegroundRole);
    };
    QTRY_COMPARE(numberColour(1).value<QBrush>().color(), QColor(Qt::red));
    QVERIFY(!numberColour(2).isValid());
    QVERIFY(TypeIntoCell(W(), colTitle, 2, QStringLiteral("한국어")));

    MessageBoxAnswers answers({QMessageBox::Ok});
    Key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Grid().ChangedRowCount(), 0);
    QVERIFY(!numberColour(1).isValid());
    QCOMPARE(QString::fromStdString(FieldOnDisk(files[0], colTitle)), QStringLiteral("新しい題名"));
    QCOMPARE(QString::fromStdString(FieldOnDisk(files[1], colTitle)), QStringLiteral("한국어"));
    QCOMPARE(answers.Seen().size(), 1);
    QVERIFY(answers.Seen()[0].contains(QString::fromStdString(files[1])));
    QVERIFY(answers.Seen()[0].contains(QStringLiteral("UTF-16")));
    QVERIFY(!answers.Seen()[0].contains(QString::fromStdString(files[0])));
  }
};

QTEST_MAIN(CommandsAndLayoutTest)
#include "commands_and_layout_test.moc"
