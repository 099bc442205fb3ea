// The commands as the user reaches them: menus, tool bar, shortcuts and the
// pop-up menu; sorting from the pop-up; columns hidden, shown and dragged,
// and the layout found again after a restart; saving with Ctrl+S.
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "app/command_table.h"
#include "app/grid_view.h"
#include "support/gui_test_support.h"
#include "tag/read_file_tags.h"

using namespace quilmark;
using namespace quilmark::testing;

namespace {

QStringList Entries(const QList<QAction*>& actions) {
  QStringList names;
  for (QAction* a : actions) names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
  return names;
}

QStringList VisiblePopupItems(MainWindow& w) {
  QStringList names;
  for (int i = 0; i < kPopupItemCount; ++i) {
    if (w.PopupAction(static_cast<PopupItem>(i))->isVisible()) {
      names << w.PopupAction(static_cast<PopupItem>(i))->objectName();
    }
  }
  return names;
}

class SilentPresenter : public MessagePresenter {
 public:
  int Show(const std::string&, const std::string&, unsigned) override { return IDOK; }
};

}  // namespace

class CommandsAndLayoutTest : public QObject {
  Q_OBJECT
 private slots:
  void menusAndToolBarFollowTheCommandTable();
  void hiddenShortcutsWorkInTheEditor();
  void popupShowsWhatTheClickedCellAllows();
  void sortFromThePopupOrdersTheRows();
  void columnLayoutSurvivesARestart();
  void ctrlSWritesTheFilesAndClearsTheMarks();
  void setCellMovesColumnThenRow();
};

void CommandsAndLayoutTest::menusAndToolBarFollowTheCommandTable() {
  GuiTestFolder folder;
  RunningWindow w;
  QList<QAction*> top = w->menuBar()->actions();
  QCOMPARE(top.size(), 6);
  QCOMPARE(Entries(top[0]->menu()->actions()),
           QStringList(
               {"actFileAdd", "-", "actFileSaveMP3", "actFileSavePlaylist", "-", "actFileExit"}));
  QCOMPARE(Entries(top[1]->menu()->actions()),
           QStringList({"actEditUndo", "-", "actEditCut", "actEditCopy", "actEditPaste", "-",
                        "actEditDeleteCell", "actEditDeleteRow", "actEditClear", "-",
                        "actEditEraseTagAll"}));
  const QList<QAction*> columns = top[2]->menu()->actions()[2]->menu()->actions();
  QCOMPARE(columns.size(), 19 + 2 + 2);
  QCOMPARE(Entries(columns.mid(0, 6)),
           QStringList({"actShowColPath", "actShowColFile", "-", "actShowColAllVisible",
                        "actShowColAllInvisible", "-"}));
  QVERIFY(top[5]->text() == QStringLiteral("（非表示）") && !top[5]->isVisible());

  QCOMPARE(Entries(w->findChild<QToolBar*>("tb")->actions()),
           QStringList({"-", "actFileAdd", "-", "actFileSaveMP3", "actFileSavePlaylist", "-",
                        "actFileExit", "-", "actEditUndo", "actEditCut", "actEditCopy",
                        "actEditPaste"}));

  // Every action has its caption, shortcut and the long hint for the status bar.
  QAction* add = w->Action("actFileAdd");
  QCOMPARE(add->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
  QCOMPARE(add->statusTip(),
           QStringLiteral(
               "MP3ファイルを追加します。プレイリストファイル、CSVファイルからも追加できます。"));
  QCOMPARE(w->Action("actEditDeleteCell")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
  QCOMPARE(w->Action("actEditPasteHidden")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Insert));
  for (const CommandEntry& entry : CommandTable()) {
    QAction* a = w->Action(entry.name);
    QVERIFY2(a != nullptr && !a->text().isEmpty(), entry.name.c_str());
    QVERIFY2(entry.run != nullptr || entry.field >= 0, entry.name.c_str());
  }
}

void CommandsAndLayoutTest::hiddenShortcutsWorkInTheEditor() {
  GuiTestFolder folder;
  WriteTaggedMp3(folder.File("a.mp3"), QStringLiteral("abc"));
  RunningWindow w({folder.File("a.mp3")});
  QVERIFY(ShowActive(*w));
  GridView& view = w->View();
  QVERIFY(TypeIntoCell(*w, colTitle, 1, QStringLiteral("xy")));
  QLineEdit* editor = view.InPlaceEditor();
  QVERIFY(editor != nullptr);
  editor->selectAll();
  QTest::keyClick(editor, Qt::Key_Insert, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("xy"));
  QTest::keyClick(editor, Qt::Key_Delete, Qt::ShiftModifier);
  QCOMPARE(editor->text(), QString());
  QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
  QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
  QCOMPARE(editor->text(), QStringLiteral("xyxy"));
  // Each change reached the cell as it was made.
  QCOMPARE(w->Grid().FieldCell(colTitle, 1), std::string("xyxy"));
}

void CommandsAndLayoutTest::popupShowsWhatTheClickedCellAllows() {
  GuiTestFolder folder;
  {
    RunningWindow empty;
    const int title = empty->Grid().Layout().Position(colTitle);
    empty->pmPopup(title, 1);  // a field cell of an empty list
    for (PopupItem item : {pmCut, pmCopy, pmPaste, pmDeleteCell, pmFillCol}) {
      QVERIFY(empty->PopupAction(item)->isVisible());
      QVERIFY(!empty->PopupAction(item)->isEnabled());
    }
  }
  WriteTaggedMp3(folder.File("a.mp3"), QStringLiteral("a"));
  WriteTaggedMp3(folder.File("b.mp3"), QStringLiteral("b"));
  RunningWindow w({folder.File("a.mp3"), folder.File("b.mp3")});
  QVERIFY(ShowActive(*w));
  const ColumnLayout& layout = w->Grid().Layout();

  w->pmPopup(layout.Position(colFile), 0);  // the file name's header
  QCOMPARE(VisiblePopupItems(*w),
           QStringList({"pmAdd", "pmSep1", "pmSort", "pmHideCol", "pmSep2", "pmSep3"}));
  QCOMPARE(w->View().CurrentColumn(), layout.Position(colFile));

  w->pmPopup(colRowNo, 2);  // a row number selects that row
  QCOMPARE(w->View().CurrentRow(), 2);
  QVERIFY(w->PopupAction(pmPlay)->isVisible() && w->PopupAction(pmPlay)->isEnabled());
  QVERIFY(w->PopupAction(pmDeleteRow)->isEnabled());
  QVERIFY(!w->PopupAction(pmCut)->isVisible());
  QVERIFY(!w->PopupAction(pmSelGenre)->isVisible());
}

void CommandsAndLayoutTest::sortFromThePopupOrdersTheRows() {
  GuiTestFolder folder;
  for (const char* title : {"b", "A", "c"}) {
    WriteTaggedMp3(folder.File(std::string(title) + "x.mp3"), QString::fromLatin1(title));
  }
  RunningWindow w({folder.File("bx.mp3"), folder.File("Ax.mp3"), folder.File("cx.mp3")});
  QVERIFY(ShowActive(*w));
  w->Grid().MarkRowChanged(1);  // "b" is changed: the mark travels with it
  w->pmPopup(w->Grid().Layout().Position(colTitle), 0);
  QVERIFY(w->PopupAction(pmSort)->isVisible() && w->PopupAction(pmSort)->isEnabled());
  w->PopupAction(pmSort)->trigger();

  QCOMPARE(w->Grid().FieldCell(colTitle, 1), std::string("A"));
  QCOMPARE(w->Grid().FieldCell(colTitle, 2), std::string("b"));
  QCOMPARE(w->Grid().FieldCell(colTitle, 3), std::string("c"));
  QVERIFY(w->Grid().IsRowChanged(2) && !w->Grid().IsRowChanged(1));
  const QAbstractItemModel* model = w->View().model();
  QCOMPARE(model->data(model->index(0, w->Grid().Layout().Position(colTitle))).toString(),
           QStringLiteral("A"));
  QVERIFY(model->headerData(1, Qt::Vertical, Qt::ForegroundRole).isValid());
}

void CommandsAndLayoutTest::columnLayoutSurvivesARestart() {
  GuiTestFolder folder;
  WriteTaggedMp3(folder.File("a.mp3"), QStringLiteral("題名"), QStringLiteral("歌手"));
  {
    RunningWindow w({folder.File("a.mp3")});
    QVERIFY(ShowActive(*w));
    GridView& view = w->View();
    // Hide the artist column from its show action, hide and show the album.
    const int artist = w->Grid().Layout().Position(colArtist);
    w->Action("actShowColArtist")->trigger();
    QVERIFY(view.isColumnHidden(artist));
    QVERIFY(!w->Action("actShowColArtist")->isChecked());
    w->Action("actShowColAlbum")->trigger();
    w->Action("actShowColAlbum")->trigger();
    QVERIFY(!view.isColumnHidden(w->Grid().Layout().Position(colAlbum)));

    // Drag the title's header to the first field position.
    QHeaderView* header = view.horizontalHeader();
    const int title = w->Grid().Layout().Position(colTitle);
    header->moveSection(title, kFirstFieldPosition);
    QCOMPARE(w->Grid().Layout().Position(colTitle), kFirstFieldPosition);
    QCOMPARE(header->visualIndex(kFirstFieldPosition), kFirstFieldPosition);  // no visual shuffle
    QCOMPARE(view.model()->headerData(kFirstFieldPosition, Qt::Horizontal).toString(),
             QStringLiteral("タイトル"));
    QCOMPARE(QString::fromStdString(w->Grid().Cell(kFirstFieldPosition, 1)),
             QStringLiteral("題名"));
    QCOMPARE(w->Action("actShowColTitle")->data().toInt(), kFirstFieldPosition);

    // A drop outside the field positions is undone.
    header->moveSection(kFirstFieldPosition + 1, 26);
    QCOMPARE(w->Grid().Layout().Position(colTitle), kFirstFieldPosition);
    QCOMPARE(header->visualIndex(26), 26);
    QVERIFY(w->close());
  }
  RunningWindow again({folder.File("a.mp3")});
  const ColumnLayout& layout = again->Grid().Layout();
  QCOMPARE(layout.Position(colTitle), kFirstFieldPosition);
  QCOMPARE(layout.Position(colPath), kFirstFieldPosition + 1);
  QVERIFY(!layout.IsFieldShown(colArtist));
  QVERIFY(again->View().isColumnHidden(layout.Position(colArtist)));
  QVERIFY(!again->Action("actShowColArtist")->isChecked());
  QCOMPARE(QString::fromStdString(again->Grid().FieldCell(colTitle, 1)), QStringLiteral("題名"));
}

void CommandsAndLayoutTest::ctrlSWritesTheFilesAndClearsTheMarks() {
  GuiTestFolder folder;
  const std::string path = folder.File("a.mp3");
  WriteTaggedMp3(path, QStringLiteral("old"));
  RunningWindow w({path});
  QVERIFY(ShowActive(*w));
  GridView& view = w->View();
  QVERIFY(TypeIntoCell(*w, colTitle, 1, QStringLiteral("新しい題名")));
  QTest::keyClick(view.InPlaceEditor(), Qt::Key_Return);
  QTRY_VERIFY(w->Grid().IsRowChanged(1));

  QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
  QVERIFY(!w->Grid().IsRowChanged(1));
  QVERIFY(!view.model()->headerData(0, Qt::Vertical, Qt::ForegroundRole).isValid());

  // The file now carries the new title.
  Settings settings;
  SilentPresenter presenter;
  Messages messages(settings, presenter);
  TrackGrid reread;
  QCOMPARE(ReadFileTags(reread, path, messages), 1);
  QCOMPARE(QString::fromStdString(reread.FieldCell(colTitle, 1)), QStringLiteral("新しい題名"));
}

void CommandsAndLayoutTest::setCellMovesColumnThenRow() {
  GuiTestFolder folder;
  WriteTaggedMp3(folder.File("a.mp3"), QStringLiteral("a"));
  WriteTaggedMp3(folder.File("b.mp3"), QStringLiteral("b"), QString(), QStringLiteral("1x"));
  RunningWindow w({folder.File("a.mp3"), folder.File("b.mp3")});
  QVERIFY(ShowActive(*w));
  const ColumnLayout& layout = w->Grid().Layout();
  w->setCell(layout.Position(colAlbum), 2);
  QCOMPARE(w->View().CurrentColumn(), layout.Position(colAlbum));
  QCOMPARE(w->View().CurrentRow(), 2);
  w->setCell(99, 1);  // out of the grid: nothing moves
  QCOMPARE(w->View().CurrentRow(), 2);
  w->setCell(colWork, 1);  // a hidden work column cannot be selected
  QCOMPARE(w->View().CurrentColumn(), layout.Position(colAlbum));
  QCOMPARE(w->View().CurrentRow(), 1);
}

QTEST_MAIN(CommandsAndLayoutTest)
#include "commands_and_layout_test.moc"
