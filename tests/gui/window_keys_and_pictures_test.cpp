// What the window shows around the grid: the pop-up menu of the current
// cell from the keyboard, no stray menu on the bars, the "№" corner, and
// two write buttons that differ at a glance, whatever the desktop theme.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QTest>

#include "app/grid_view.h"
#include "support/gui_test_support.h"
#include "support/mp3_maker.h"

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

class WindowKeysAndPicturesTest : public QObject, WindowFixture {
  Q_OBJECT
 private slots:
  void init() { Reset(); }
  void cleanup() { Close(); }

  // The Menu key showed the header's menu (hide column) for a cell.
  void menuKeyOpensTheCurrentCellsMenu() {
    QVERIFY(Open(WriteSongs(*folder_, {"a", "b"})));
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

  // Drawn whole, and as dark as the row numbers (the corner button itself is
  // disabled, which would grey it out).
  void cornerSaysNumberAndTheBarsHaveNoMenu() {
    QVERIFY(Open(WriteSongs(*folder_, {"a"})));
    auto* corner = View().findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(corner != nullptr);
    QCOMPARE(corner->text(), QStringLiteral("№"));
    QVERIFY(corner->width() >= corner->fontMetrics().horizontalAdvance(corner->text()));
    const QImage shot = corner->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) darkest = std::min(darkest, qGray(shot.pixel(x, y)));
    }
    QVERIFY2(darkest < 120, qPrintable(QString::number(darkest)));
    QVERIFY(W().createPopupMenu() == nullptr);
  }

  // A desktop theme draws the save and save-as pictures alike (here: one
  // red square for both); the tool bar's two writes must still differ.
  void theTwoWriteButtonsDifferEvenUnderATheme() {
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
    window_ = std::make_unique<RunningWindow>();
    QIcon::setThemeName(QString());

    const QImage tags = W().Action("actFileSaveMP3")->icon().pixmap(16, 16).toImage();
    const QImage list = W().Action("actFileSavePlaylist")->icon().pixmap(16, 16).toImage();
    QCOMPARE(tags.size(), QSize(16, 16));
    QVERIFY2(DifferingPixels(tags, list) >= 16 * 16 / 4,
             qPrintable(QString::number(DifferingPixels(tags, list))));
    QVERIFY(DifferingPixels(tags, red) >= 16 * 16 / 4);
  }
};

QTEST_MAIN(WindowKeysAndPicturesTest)
#include "window_keys_and_pictures_test.moc"
