// Files dropped onto the window: a folder onto the grid adds its tree (the
// File menu and the tool bar offer the same), an image onto the picture
// panel becomes the front cover of the selected rows; and the progress window of a long run, whose
// cancel button stops a save between two files.
#include "app/picture_panel.h"
#include "support/gui_test_support.h"
#include "tracklist/track_editor.h"

using namespace quilmark;
using namespace quilmark::testing;

namespace {

// Drags a file over the widget and lets go.
void DropFile(QWidget* target, const std::string& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
}

QStringList Shown(PicturePanel& panel) {
  QApplication::processEvents();  // the panel reads at the next turn
  QStringList texts;
  auto* list = panel.findChild<QListWidget*>("lvPictures");
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text().replace('\n', ' ');
  return texts;
}

}  // namespace

class DropsAndProgressTest : public WindowFixture {
  Q_OBJECT
 private slots:
  // Which files a folder gives, and in what order, the adding itself decides.
  void aDroppedFolderAddsItsTree() {
    QVERIFY(QDir().mkpath(QString::fromStdString(folder_->File("music/Album"))));
    WriteTaggedMp3(folder_->File("music/Album/01 one.mp3"), "t");
    WriteTaggedMp3(folder_->File("music/single.mp3"), "t");
    QVERIFY(Open({}));
    QAction* addFolder = W().Action("actFileAddFolder");
    QVERIFY(W().menuBar()->actions().front()->menu()->actions().contains(addFolder));
    QVERIFY(W().findChild<QToolBar*>("tb")->actions().contains(addFolder));

    DropFile(&W(), folder_->File("music"));
    QTRY_COMPARE(View().model()->rowCount(), 2);
  }

  // What a save writes, how it reads back and its undo, the picture frames'
  // own tests decide; here, the drop, the panel and the actions.
  void aDroppedImageCoversTheSelectedRowsAndIsRemovedAgain() {
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(QString::fromStdString(folder_->File("cover.png"))));
    WriteBytes(folder_->File("notes.txt"), "not a picture");
    QVERIFY(Open(Songs({QStringLiteral("One"), QStringLiteral("Two")})));
    PicturePanel& panel = W().Pictures();

    // Something that is no JPEG or PNG is refused, and nothing changes.
    {
      MessageBoxAnswers answers({QMessageBox::Ok});
      DropFile(&panel, folder_->File("notes.txt"));
      QVERIFY(answers.Seen().size() == 1 && answers.Seen()[0].contains("PNG"));
    }
    QCOMPARE(Grid().ChangedRowCount(), 0);

    W().Editor().actEditSelectAllExecute();
    DropFile(&panel, folder_->File("cover.png"));
    QCOMPARE(Grid().ChangedRowCount(), 2);
    const QString cover = QStringLiteral("表紙 PNG 30×20, 1 KB");
    QCOMPARE(Shown(panel), QStringList{cover});

    W().Action("actFileSaveMP3")->trigger();
    QCOMPARE(Grid().ChangedRowCount(), 0);
    QCOMPARE(Shown(panel), QStringList{cover});  // now from the file

    // Removing takes the chosen kind from the selected rows.
    W().Action("actPictureRemove")->trigger();
    QCOMPARE(Shown(panel), QStringList());
  }

  // Which rows stay marked, and the account's words, the save run decides;
  // here, that the window shows its progress, stops and tells.
  void cancelInTheProgressWindowStopsASaveBetweenFiles() {
    QStringList titles;
    for (int i = 0; i < 20; ++i) titles << QStringLiteral("old%1").arg(i);
    QVERIFY(Open(Songs(titles)));
    for (int row = 1; row <= 20; ++row) {
      Grid().SetFieldCell(colTitle, row, "new");
      Grid().MarkRowChanged(row);
    }
    // The window at once, so that a short run shows it too.
    W().Busy().SetProgressPace(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
      QProgressDialog* progress = W().Busy().ProgressWindow();
      if (progress == nullptr || !progress->isVisible() || progress->value() < 3) return;
      progress->findChild<QPushButton*>()->click();
    });
    press.start(0);
    MessageBoxAnswers answers({QMessageBox::Ok});
    W().Action("actFileSaveMP3")->trigger();
    QTRY_COMPARE(answers.Seen().size(), 1);
    QVERIFY(W().Busy().ProgressWindow() == nullptr);
    QVERIFY(Grid().ChangedRowCount() > 0);
    QVERIFY(answers.Seen().front().contains(QStringLiteral("途中で中止しました。")));
  }
};

QTEST_MAIN(DropsAndProgressTest)
#include "drops_and_progress_test.moc"
