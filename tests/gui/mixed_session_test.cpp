// One session in the real window that mixes the features, as a user mixes
// them: open, edit, hide a column, drag a column, sort with an edit still
// open, undo, save. Every file must end with exactly what the grid showed.
#include <QHeaderView>
#include <QTest>

#include "app/grid_view.h"
#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class MixedSessionTest : public QObject {
  Q_OBJECT
 private slots:
  void everyFileEndsWithWhatTheUserLastSaw();
};

void MixedSessionTest::everyFileEndsWithWhatTheUserLastSaw() {
  GuiTestFolder folder;
  const std::vector<std::string> files = {folder.File("a.mp3"), folder.File("b.mp3"),
                                          folder.File("c.mp3")};
  WriteTaggedMp3(files[0], QStringLiteral("Alpha"), QStringLiteral("A1"));
  WriteTaggedMp3(files[1], QStringLiteral("Bravo"), QStringLiteral("B1"));
  WriteTaggedMp3(files[2], QStringLiteral("Charlie"), QStringLiteral("C1"));
  RunningWindow w(files);
  QVERIFY(ShowActive(*w));
  GridView& view = w->View();
  TrackGrid& grid = w->Grid();
  auto key = [&w](Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    PressKey(*w, k, mods);
  };

  QVERIFY(TypeIntoCell(*w, colTitle, 1, QStringLiteral("zulu")));
  key(Qt::Key_Return);
  QVERIFY(TypeIntoCell(*w, colArtist, 2, QStringLiteral("bb")));
  key(Qt::Key_Return);
  w->Action("actShowColArtist")->trigger();  // hidden, not forgotten
  view.horizontalHeader()->moveSection(grid.Layout().Position(colTitle), kFirstFieldPosition);
  QVERIFY(TypeIntoCell(*w, colTitle, 3, QStringLiteral("echo")));
  w->pmPopup(grid.Layout().Position(colTitle), 0);  // the header's menu: sort
  w->PopupAction(pmSort)->trigger();
  key(Qt::Key_Up);  // undo is offered from the next selection on
  key(Qt::Key_Z, Qt::ControlModifier);
  key(Qt::Key_Z, Qt::ControlModifier);
  key(Qt::Key_S, Qt::ControlModifier);

  // What the grid shows, file by file: c's title and b's artist undone,
  // a's title kept.
  QCOMPARE(grid.ChangedRowCount(), 0);
  std::map<std::string, std::string> shown;
  for (int row = 1; row <= grid.FileRowCount(); ++row) {
    shown[grid.FullPathOf(row)] =
        grid.FieldCell(colTitle, row) + "/" + grid.FieldCell(colArtist, row);
  }
  const std::map<std::string, std::string> expected = {
      {files[0], "zulu/A1"}, {files[1], "Bravo/B1"}, {files[2], "Charlie/C1"}};
  QCOMPARE(shown, expected);
  for (const std::string& file : files) {
    QCOMPARE(FieldOnDisk(file, colTitle) + "/" + FieldOnDisk(file, colArtist), shown[file]);
  }
}

QTEST_MAIN(MixedSessionTest)
#include "mixed_session_test.moc"
