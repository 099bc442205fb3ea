// The picture panel beside the grid: an image dropped onto it becomes the
// front cover of the selected rows as one undoable step, the panel shows
// what a save will write, and the save writes it.
#include "app/picture_panel.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "app/grid_view.h"
#include "support/gui_test_support.h"
#include "tag/picture_frame.h"
#include "tracklist/track_editor.h"

using namespace quilmark;
using namespace quilmark::testing;

namespace {

// Drags a file over the panel and lets go.
void DropFile(QWidget* panel, const std::string& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  const QPoint at = panel->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(panel, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(panel, &drop);
}

QStringList Shown(PicturePanel& panel) {
  QApplication::processEvents();  // the panel reads at the next turn
  QStringList texts;
  auto* list = panel.findChild<QListWidget*>("lvPictures");
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text().replace('\n', ' ');
  return texts;
}

}  // namespace

class PicturePanelTest : public QObject, WindowFixture {
  Q_OBJECT
 private slots:
  void init() { Reset(); }
  void cleanup() { Close(); }

  // What a save writes and how it reads back, the picture frames' own tests
  // decide; here, the drop, the panel and the actions.
  void aDroppedImageCoversTheSelectedRowsUndoablyUntilSaved() {
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(QString::fromStdString(folder_->File("cover.png"))));
    WriteBytes(folder_->File("notes.txt"), "not a picture");
    QVERIFY(Open(WriteSongs(*folder_, {QStringLiteral("One"), QStringLiteral("Two")})));
    PicturePanel& panel = W().Pictures();
    QCOMPARE(Shown(panel), QStringList());

    // Something that is no JPEG or PNG is refused, and nothing changes.
    {
      MessageBoxAnswers answers({QMessageBox::Ok});
      DropFile(&panel, folder_->File("notes.txt"));
      QCOMPARE(answers.Seen().size(), 1);
      QVERIFY(answers.Seen()[0].contains("PNG"));
    }
    QCOMPARE(Grid().ChangedRowCount(), 0);

    W().Editor().actEditSelectAllExecute();
    DropFile(&panel, folder_->File("cover.png"));
    QCOMPARE(Grid().ChangedRowCount(), 2);
    const QString cover = QStringLiteral("表紙 PNG 30×20, 1 KB");
    QCOMPARE(Shown(panel), QStringList{cover});

    // One step for both rows, back and forth.
    W().Action("actEditUndo")->trigger();
    QCOMPARE(Shown(panel), QStringList());
    W().Action("actEditRedo")->trigger();
    QCOMPARE(Shown(panel), QStringList{cover});

    W().Action("actFileSaveMP3")->trigger();
    QCOMPARE(Grid().ChangedRowCount(), 0);
    const auto pictures = ReadPictures(Grid().FullPathOf(2));
    QVERIFY(pictures && pictures->size() == 1);
    QCOMPARE(Shown(panel), QStringList{cover});  // now from the file

    // Removing takes the chosen kind from the selected rows.
    W().Action("actPictureRemove")->trigger();
    QCOMPARE(Shown(panel), QStringList());
    QCOMPARE(Grid().ChangedRowCount(), 2);
  }
};

QTEST_MAIN(PicturePanelTest)
#include "picture_panel_test.moc"
