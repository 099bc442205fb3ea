// Tags from file names and file names from tags in the real window: the
// Tool menu's dialog with its preview, the files renamed on disk, Undo and
// Redo from their keys, and an edit made before the rename saved into the
// renamed file. (Which names and tags come out, the patterns decide.)
#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "app/grid_view.h"
#include "dialogs/modal_script.h"
#include "support/gui_test_support.h"

using namespace quilmark;
using namespace quilmark::testing;

class FileNamesTest : public QObject, WindowFixture {
  Q_OBJECT
 private slots:
  void init() {
    Reset();
    WriteTaggedMp3(folder_->File("01 - Aa - 春.mp3"), "x", "y");
    WriteTaggedMp3(folder_->File("02 - Bb - 夏.mp3"), "s2", "A2");
    QVERIFY(Open({folder_->File("01 - Aa - 春.mp3"), folder_->File("02 - Bb - 夏.mp3")}));
  }
  void cleanup() { Close(); }
  void tagsFromNamesThroughTheToolMenu();
  void renameUndoRedoAndAnEditSavedIntoTheRenamedFile();

 private:
  // Runs a Tool menu command with `pattern` typed into its dialog; the
  // preview's lines come back, cells joined by "/".
  QStringList RunWithPattern(const char* action, const QString& pattern);
};

QStringList FileNamesTest::RunWithPattern(const char* action, const QString& pattern) {
  QStringList lines;
  ModalScript script({[&](QWidget* dialog) {
    Child<QComboBox>(dialog, "cmbPattern")->lineEdit()->setText(pattern);
    auto* ok = Child<QPushButton>(dialog, "btnOK");
    QTRY_VERIFY(ok->isEnabled());
    const QAbstractItemModel* model = Child<QTableView>(dialog, "lvPreview")->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < model->columnCount(); ++c) cells << model->index(r, c).data().toString();
      lines << cells.join(u'/');
    }
    ok->click();
  }});
  W().Action(action)->trigger();
  // Offscreen, nothing gives the window back its activation.
  if (!ShowActive(W())) lines << QStringLiteral("(window not active)");
  return lines;
}

void FileNamesTest::tagsFromNamesThroughTheToolMenu() {
  QVERIFY(W().findChild<QMenu*>("mmTool")->actions().contains(W().Action("actToolTagsFromNames")));
  Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  const QStringList lines =
      RunWithPattern("actToolTagsFromNames", QStringLiteral("%track% - %artist% - %title%"));
  QCOMPARE(lines, QStringList({QStringLiteral("01 - Aa - 春.mp3/01/Aa/春/変更します"),
                               QStringLiteral("02 - Bb - 夏.mp3/02/Bb/夏/変更します")}));
  QCOMPARE(Column(colNo) + Column(colArtist) + Column(colTitle), std::string("01|02|Aa|Bb|春|夏|"));
}

// The edit is a step of its own before the rename: Ctrl+Z takes back the
// rename only, Ctrl+Y does it again, and Ctrl+S writes the renamed file.
void FileNamesTest::renameUndoRedoAndAnEditSavedIntoTheRenamedFile() {
  QVERIFY(TypeIntoCell(W(), colTitle, 1, QStringLiteral("秋")));
  Key(Qt::Key_Return);
  QTRY_VERIFY(!W().View().IsEditorOpen());
  const std::string before = folder_->File("01 - Aa - 春.mp3");
  const std::string after = folder_->File("y - 秋.mp3");
  const QStringList lines =
      RunWithPattern("actToolNamesFromTags", QStringLiteral("%artist% - %title%"));
  QCOMPARE(lines, QStringList({QStringLiteral("01 - Aa - 春.mp3/y - 秋.mp3/変更します")}));
  QVERIFY(Exists(after) && !Exists(before));
  QCOMPARE(Cell(colFile, 1), std::string("y - 秋.mp3"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  QVERIFY(Exists(before) && !Exists(after));
  QCOMPARE(Cell(colTitle, 1), std::string("秋"));
  Key(Qt::Key_Y, Qt::ControlModifier);
  Key(Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(W().Grid().ChangedRowCount(), 0);
  QCOMPARE(FieldOnDisk(after, colTitle), std::string("秋"));
}

QTEST_MAIN(FileNamesTest)
#include "file_names_test.moc"
