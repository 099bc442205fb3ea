#include "app/command_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quilmark {

namespace {

const char* ThemeName(CommandImage image) {
  switch (image) {
    case CommandImage::Add:
      return "list-add";
    case CommandImage::AddFolder:
      return "folder-new";
    case CommandImage::Exit:
      return "application-exit";
    case CommandImage::DeleteRow:
      return "edit-delete";
    case CommandImage::Undo:
    case CommandImage::HiddenUndo:
      return "edit-undo";
    case CommandImage::Cut:
    case CommandImage::HiddenCut:
      return "edit-cut";
    case CommandImage::Copy:
    case CommandImage::HiddenCopy:
      return "edit-copy";
    case CommandImage::Paste:
    case CommandImage::HiddenPaste:
      return "edit-paste";
    case CommandImage::Sort:
      return "view-sort-ascending";
    case CommandImage::Play:
      return "media-playback-start";
    case CommandImage::WriteTags:
    case CommandImage::WriteList:
    case CommandImage::None:
      break;
  }
  return nullptr;
}

// A floppy disk in the top left 13 pixels, leaving the lower right for the
// picture that says what is written.
void DrawDisk(QPainter& p, const QColor& body) {
  p.setPen(QPen(body.darker(170), 1));
  p.setBrush(body);
  p.drawRect(QRectF(0.5, 0.5, 12, 12));
  p.setBrush(QColor(0xD0, 0xD0, 0xD0));  // the shutter
  p.drawRect(QRectF(3.5, 0.5, 6, 4));
  p.setBrush(Qt::white);  // the label
  p.drawRect(QRectF(2.5, 7.5, 8, 5));
}

void DrawPage(QPainter& p, QRectF r) {
  p.setBrush(Qt::white);
  p.drawRect(r);
  for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5) {
    p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
  }
}

// Simple line pictures on a 16 x 16 canvas.
QPixmap Draw(CommandImage image) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(0x20, 0x30, 0x60);
  p.setPen(QPen(ink, 1.2));
  switch (image) {
    case CommandImage::Add:
      DrawPage(p, QRectF(2.5, 1.5, 9, 12));
      p.setPen(QPen(QColor(0x00, 0x80, 0x00), 2.2));
      p.drawLine(QPointF(12, 9), QPointF(12, 15));
      p.drawLine(QPointF(9, 12), QPointF(15, 12));
      break;
    case CommandImage::AddFolder:
      // A folder with the same green cross as adding files.
      p.setBrush(QColor(0xF0, 0xC8, 0x50));
      p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(5.5, 3.5), QPointF(7, 5),
                               QPointF(12.5, 5), QPointF(12.5, 12.5), QPointF(1.5, 12.5)}));
      p.setPen(QPen(QColor(0x00, 0x80, 0x00), 2.2));
      p.drawLine(QPointF(12, 9), QPointF(12, 15));
      p.drawLine(QPointF(9, 12), QPointF(15, 12));
      break;
    case CommandImage::WriteTags:
      // A blue disk with an orange tag: the tags go into the files.
      DrawDisk(p, QColor(0x30, 0x58, 0xB0));
      p.setPen(QPen(QColor(0x90, 0x40, 0x00), 1));
      p.setBrush(QColor(0xF0, 0x90, 0x20));
      p.drawPolygon(QPolygonF({QPointF(6.5, 11.5), QPointF(9.5, 8.5), QPointF(15.5, 8.5),
                               QPointF(15.5, 14.5), QPointF(9.5, 14.5)}));
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(9.8, 11.5), 1.1, 1.1);
      break;
    case CommandImage::WriteList:
      // A green disk with a page of lines: the list goes into a file.
      DrawDisk(p, QColor(0x2A, 0x80, 0x38));
      p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(7.5, 6.5, 8, 9));
      for (qreal y = 8.5; y < 15; y += 2) p.drawLine(QPointF(9, y), QPointF(14, y));
      break;
    case CommandImage::Exit:
      p.drawRect(QRectF(2.5, 1.5, 7, 13));
      p.setPen(QPen(QColor(0xB0, 0x20, 0x20), 1.8));
      p.drawLine(QPointF(7, 8), QPointF(14.5, 8));
      p.drawLine(QPointF(12, 5.5), QPointF(14.5, 8));
      p.drawLine(QPointF(12, 10.5), QPointF(14.5, 8));
      break;
    case CommandImage::DeleteRow:
      p.setPen(QPen(QColor(0xB0, 0x20, 0x20), 2.2));
      p.drawLine(QPointF(3, 3), QPointF(13, 13));
      p.drawLine(QPointF(13, 3), QPointF(3, 13));
      break;
    case CommandImage::Undo:
    case CommandImage::HiddenUndo: {
      QPainterPath arc;
      arc.moveTo(4, 7);
      arc.cubicTo(7, 2, 14, 3, 13, 9);
      arc.cubicTo(12.5, 12, 10, 13, 8, 13);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(ink, 1.8));
      p.drawPath(arc);
      p.setBrush(ink);
      p.drawPolygon(QPolygonF({QPointF(1.5, 4), QPointF(6.5, 9), QPointF(1.5, 10)}));
      break;
    }
    case CommandImage::Cut:
    case CommandImage::HiddenCut:
      p.drawLine(QPointF(4, 1.5), QPointF(10.5, 10));
      p.drawLine(QPointF(12, 1.5), QPointF(5.5, 10));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
      p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
      break;
    case CommandImage::Copy:
    case CommandImage::HiddenCopy:
      DrawPage(p, QRectF(1.5, 1.5, 8, 10));
      DrawPage(p, QRectF(6.5, 4.5, 8, 10));
      break;
    case CommandImage::Paste:
    case CommandImage::HiddenPaste:
      p.setBrush(QColor(0xC0, 0x90, 0x50));
      p.drawRect(QRectF(1.5, 2.5, 10, 12));
      p.setBrush(QColor(0x90, 0x90, 0x90));
      p.drawRect(QRectF(4, 1, 5, 3));
      DrawPage(p, QRectF(7.5, 6.5, 7, 8.5));
      break;
    case CommandImage::Sort:
      p.setPen(QPen(ink, 1.6));
      p.drawLine(QPointF(4, 2), QPointF(4, 14));
      p.drawLine(QPointF(1.5, 11), QPointF(4, 14));
      p.drawLine(QPointF(6.5, 11), QPointF(4, 14));
      p.drawLine(QPointF(8, 4), QPointF(10, 4));
      p.drawLine(QPointF(8, 8), QPointF(12, 8));
      p.drawLine(QPointF(8, 12), QPointF(14.5, 12));
      break;
    case CommandImage::Play:
      p.setBrush(QColor(0x20, 0x90, 0x30));
      p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(14, 8), QPointF(4, 14)}));
      break;
    case CommandImage::None:
      break;
  }
  return pixmap;
}

}  // namespace

QIcon CommandIcon(CommandImage image) {
  if (image == CommandImage::None) return {};
  const QIcon drawn(Draw(image));
  // A theme draws both writes as the same disk; they must differ at a glance.
  if (image == CommandImage::WriteTags || image == CommandImage::WriteList) return drawn;
  return QIcon::fromTheme(QString::fromLatin1(ThemeName(image)), drawn);
}

}  // namespace quilmark
