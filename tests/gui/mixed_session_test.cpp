// One session in the real window that mixes the features, as a user mixes
// them: open, edit, hide a column, drag a column, sort with an edit still
// open, undo, save. Every file must end with exactly what the grid showed.

#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class MixedSessionTest : public WindowFixture {
  Q_OBJECT
 private slots:
  void everyFileEndsWithWhatTheUserLastSaw() {
    const std::vector<std::string> files = Songs({"Alpha", "Bravo", "Charlie"});
    QVERIFY(Open(files));

    QVERIFY(TypeIntoCell(colTitle, 1, QStringLiteral("zulu")));
    Key(Qt::Key_Return);
    QVERIFY(TypeIntoCell(colArtist, 2, QStringLiteral("bb")));
    Key(Qt::Key_Return);
    W().Action("actShowColArtist")->trigger();  // hidden, not forgotten
    View().horizontalHeader()->moveSection(Pos(colTitle), kFirstFieldPosition);
    QVERIFY(TypeIntoCell(colTitle, 3, QStringLiteral("echo")));
    W().pmPopup(Pos(colTitle), 0);  // the header's menu: sort
    W().PopupAction(pmSort)->trigger();
    Key(Qt::Key_Up);  // undo is offered from the next selection on
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_S, Qt::ControlModifier);

    // In the sorted order, c's title and b's artist undone, a's title kept.
    QCOMPARE(Column(colTitle) + Column(colArtist), std::string("Bravo|Charlie|zulu||||"));
    QCOMPARE(FieldOnDisk(files[0], colTitle) + "/" + FieldOnDisk(files[1], colArtist) + "/" +
                 FieldOnDisk(files[2], colTitle),
             std::string("zulu//Charlie"));
  }
};

QTEST_MAIN(MixedSessionTest)
#include "mixed_session_test.moc"
