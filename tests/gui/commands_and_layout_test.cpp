// The commands as the user reaches them and what the window shows around
// the grid: the pop-up menu by mouse or key, two write buttons that differ
// at a glance whatever the desktop theme, the "№" corner, no stray menu on
// the bars; columns hidden and dragged, and the layout found again after a
// restart; the editor's keys and saving with Ctrl+S.

#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

namespace {

// Pixels that differ clearly between two pictures of one size.
int DifferingPixels(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
      const int distance = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                           std::abs(p.blue() - q.blue()) + std::abs(p.alpha() - q.alpha());
      count += distance > 96 ? 1 : 0;
    }
  }
  return count;
}

}  // namespace

class CommandsAndLayoutTest : public WindowFixture {
  Q_OBJECT
 private slots:
  // What the pop-up offers follows the clicked cell: nothing to cut or fill
  // in an empty list, whole rows on a row number, the sort on a header. The
  // Menu key showed the header's menu (hide column) for a cell.
  void popupFollowsTheClickedCellOrTheMenuKey() {
    QVERIFY(Open({}));
    W().pmPopup(Pos(colTitle), 1);
    QVERIFY(!W().PopupAction(pmCut)->isEnabled());
    QVERIFY(Open(Songs({"b", "A", "c"})));
    W().pmPopup(colRowNo, 2);
    QCOMPARE(View().CurrentRow(), 2);
    QVERIFY(W().PopupAction(pmDeleteRow)->isEnabled() && !W().PopupAction(pmCut)->isVisible());
    W().pmPopup(Pos(colTitle), 0);
    QVERIFY(W().PopupAction(pmSort)->isVisible() && W().PopupAction(pmSort)->isEnabled());

    QMenu& menu = W().PopupMenu();
    for (const auto& [key, mods] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
      QVERIFY(View().SelectCell(Pos(colTitle), 2));
      Key(key, mods);
      QTRY_VERIFY(menu.isVisible());
      QVERIFY(W().PopupAction(pmCut)->isVisible() && W().PopupAction(pmCut)->isEnabled());
      QVERIFY(!W().PopupAction(pmHideCol)->isVisible());
      QCOMPARE(View().CurrentRow(), 2);
      QVERIFY(View().viewport()->rect().contains(
          View().viewport()->mapFromGlobal(menu.pos() - QPoint(0, 1))));
      menu.hide();
    }
  }

  // A desktop theme draws the save and save-as pictures alike (here: one
  // red square for both); the tool bar's two writes must still differ. The
  // corner says "№", drawn whole.
  void writeButtonsAndCornerReadAtAGlanceAndTheBarsHaveNoMenu() {
    const QString themes = QString::fromStdString(folder_->File("icons"));
    QVERIFY(QDir().mkpath(themes + "/same/16x16/actions"));
    WriteBytes((themes + "/same/index.theme").toStdString(),
               "[Icon Theme]\nName=same\nDirectories=16x16/actions\n\n"
               "[16x16/actions]\nSize=16\nType=Fixed\n");
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    for (const char* name : {"document-save", "document-save-as"}) {
      QVERIFY(red.save(themes + "/same/16x16/actions/" + name + ".png"));
    }
    QIcon::setThemeSearchPaths({themes});
    QIcon::setThemeName(QStringLiteral("same"));
    QVERIFY(Open(Songs({"a"})));
    QIcon::setThemeName(QString());
    const QImage tags = W().Action("actFileSaveMP3")->icon().pixmap(16, 16).toImage();
    const QImage list = W().Action("actFileSavePlaylist")->icon().pixmap(16, 16).toImage();
    QVERIFY(DifferingPixels(tags, list) >= 16 * 16 / 4);
    QVERIFY(DifferingPixels(tags, red) >= 16 * 16 / 4);

    auto* corner = View().findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(corner->text(), QStringLiteral("№"));
    QVERIFY(corner->width() >= corner->fontMetrics().horizontalAdvance(corner->text()));
    QVERIFY(W().createPopupMenu() == nullptr);
  }

  void layoutAndBarsSurviveARestart() {
    QVERIFY(Open({}));
    W().Action("actShowColArtist")->trigger();

    // Drag the title's header to the first field position: the document
    // moves, the header does not keep a visual shuffle of its own.
    QHeaderView* header = View().horizontalHeader();
    header->moveSection(Pos(colTitle), kFirstFieldPosition);
    QCOMPARE(header->visualIndex(kFirstFieldPosition), kFirstFieldPosition);
    QCOMPARE(W().Action("actShowColTitle")->data().toInt(), kFirstFieldPosition);
    header->moveSection(kFirstFieldPosition + 1, 26);  // outside the fields: undone
    QCOMPARE(header->visualIndex(26), 26);

    W().Action("actShowToolbar")->trigger();
    W().resize(640, 360);
    QVERIFY(W().close());
    QVERIFY(Open({}));
    QCOMPARE(Pos(colTitle), kFirstFieldPosition);
    QCOMPARE(Pos(colPath), kFirstFieldPosition + 1);
    QVERIFY(View().isColumnHidden(Pos(colArtist)));
    QVERIFY(!W().Action("actShowToolbar")->isChecked());
    QCOMPARE(W().size(), QSize(640, 360));
  }

  // The editor's other cut, copy and paste keys stay the editor's; the row's
  // number is red from the finished edit until Ctrl+S. The text has no
  // Shift-JIS form, so the file goes into UTF-16, and one message names it.
  // (An edit still open at Ctrl+S is written too: the editor's test.)
  void editorKeysAndCtrlSWriteTheFileAndClearTheMark() {
    const std::vector<std::string> files = Songs({"old1", "old2"});
    QVERIFY(Open(files));
    const auto numberColour = [this](int row) {
      return View().model()->headerData(row - 1, Qt::Vertical, Qt::ForegroundRole);
    };
    QVERIFY(TypeIntoCell(colTitle, 2, QStringLiteral("한국어")));
    QLineEdit* editor = View().InPlaceEditor();
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(editor->text(), QString());
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    Key(Qt::Key_Return);
    QTRY_COMPARE(numberColour(2).value<QBrush>().color(), QColor(Qt::red));
    QVERIFY(!numberColour(1).isValid());

    MessageBoxAnswers answers({QMessageBox::Ok});
    Key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!numberColour(2).isValid());
    QCOMPARE(QString::fromStdString(FieldOnDisk(files[1], colTitle)),
             QStringLiteral("한국어한국어"));
    QCOMPARE(answers.Seen().size(), 1);
    QVERIFY(answers.Seen()[0].contains(QString::fromStdString(files[1])));
  }
};

QTEST_MAIN(CommandsAndLayoutTest)
#include "commands_and_layout_test.moc"
