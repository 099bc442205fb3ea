#include "app/picture_panel.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "bridge/row_pictures.h"
#include "tracklist/edit_commands.h"

namespace quilmark {

namespace {

constexpr int kShownSize = 200;  // the chosen picture, at most this wide and high
constexpr int kIconSize = 48;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

QImage ImageOf(const Picture& picture) {
  QImage image;
  image.loadFromData(reinterpret_cast<const uchar*>(picture.Bytes().data()),
                     static_cast<int>(picture.Bytes().size()));
  return image;
}

// "表紙" (with its description, if any) on one line, "JPEG 600×600, 52 KB"
// on the next.
QString Caption(const Picture& picture, const QImage& image) {
  QString size = QString::number((picture.Bytes().size() + 1023) / 1024) + " KB";
  if (!image.isNull()) {
    size = QString("%1×%2, ").arg(image.width()).arg(image.height()) + size;
  }
  QString kind = Q(PictureKindName(picture.kind));
  if (!picture.description.empty()) kind += "「" + Q(picture.description) + "」";
  return kind + "\n" + Q(PictureFormatName(picture.mime)) + " " + size;
}

// A local file dropped or dragged over the panel.
QString DroppedFile(const QMimeData* data) {
  if (!data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

PicturePanel::PicturePanel(TrackGrid& grid, std::function<int()> currentRow, QWidget* parent)
    : QWidget(parent),
      grid_(grid),
      currentRow_(std::move(currentRow)),
      image_(new QLabel(this)),
      note_(new QLabel(this)),
      list_(new QListWidget(this)),
      refresh_(new QTimer(this)) {
  setObjectName("PicturePanel");
  setAcceptDrops(true);
  image_->setObjectName("imgPicture");
  image_->setAlignment(Qt::AlignCenter);
  // It asks for the picture's room but takes less in a small window.
  image_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  image_->setMinimumWidth(kShownSize / 2);
  image_->installEventFilter(this);
  image_->setFrameShape(QFrame::StyledPanel);
  image_->setToolTip("画像ファイル (JPEG, PNG) をここにドロップすると表紙にします。");
  note_->setObjectName("lblPictureNote");
  note_->setWordWrap(true);
  list_->setObjectName("lvPictures");
  list_->setIconSize(QSize(kIconSize, kIconSize));
  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowChosen(); });
  refresh_->setSingleShot(true);
  refresh_->setInterval(0);
  connect(refresh_, &QTimer::timeout, this, &PicturePanel::Read);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(image_, 2);
  layout->addWidget(note_);
  layout->addWidget(list_, 1);
  grid_.AddObserver(this);
}

PicturePanel::~PicturePanel() { grid_.RemoveObserver(this); }

void PicturePanel::SetActions(QAction* set, QAction* remove, QAction* save) {
  set_ = set;
  remove_ = remove;
  save_ = save;
  auto* buttons = new QVBoxLayout;
  for (QAction* action : {set, remove, save}) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setObjectName("btn" + action->objectName().mid(3));  // actPictureSet: btnPictureSet
    buttons->addWidget(button);
  }
  static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
  UpdateActions();
}

QSize PicturePanel::sizeHint() const {
  return {kShownSize + 2 * layout()->contentsMargins().left() + 4, QWidget::sizeHint().height()};
}

const Picture* PicturePanel::Chosen() const {
  const int i = list_->currentRow();
  return i >= 0 && i < static_cast<int>(pictures_.size()) ? &pictures_[static_cast<std::size_t>(i)]
                                                          : nullptr;
}

void PicturePanel::Refresh() { refresh_->start(); }

void PicturePanel::RowMarkChanged(int row) {
  if (row == shownRow_) Refresh();
}

void PicturePanel::PicturesChanged(int row) {
  if (row == shownRow_ || row == currentRow_()) Refresh();
}

void PicturePanel::Read() {
  shownRow_ = currentRow_();
  pictures_.clear();
  list_->clear();
  note_->clear();
  if (IsFileRow(grid_, shownRow_)) {
    platform::IoResult<std::vector<Picture>> read = RowPictures(grid_, shownRow_);
    if (read) {
      pictures_ = std::move(*read);
      if (pictures_.empty()) note_->setText("画像はありません。");
    } else {
      note_->setText("画像を読み込めません: " + Q(read.Error().Reason()));
    }
  }
  for (const Picture& picture : pictures_) {
    const QImage image = ImageOf(picture);
    auto* item = new QListWidgetItem(Caption(picture, image), list_);
    if (!image.isNull()) {
      item->setIcon(QPixmap::fromImage(
          image.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
  }
  note_->setVisible(!note_->text().isEmpty());
  // The front cover is what the user looks for first, wherever it stands.
  const auto front = std::find_if(pictures_.begin(), pictures_.end(),
                                  [](const Picture& p) { return p.kind == kFrontCover; });
  list_->setCurrentRow(pictures_.empty()          ? -1
                       : front == pictures_.end() ? 0
                                                  : static_cast<int>(front - pictures_.begin()));
  ShowChosen();
}

void PicturePanel::ShowChosen() {
  const Picture* picture = Chosen();
  chosenImage_ = picture ? ImageOf(*picture) : QImage();
  if (chosenImage_.isNull()) image_->setText(picture ? "(表示できない画像)" : QString());
  FitImage();
  UpdateActions();
}

// The chosen picture as large as the room allows, up to kShownSize.
void PicturePanel::FitImage() {
  if (chosenImage_.isNull()) {
    image_->setPixmap(QPixmap());
    return;
  }
  const QSize room = image_->contentsRect().size().boundedTo(QSize(kShownSize, kShownSize));
  image_->setPixmap(
      QPixmap::fromImage(chosenImage_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

bool PicturePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == image_ && event->type() == QEvent::Resize) FitImage();
  return QWidget::eventFilter(watched, event);
}

void PicturePanel::UpdateActions() {
  if (set_) set_->setEnabled(IsFileRow(grid_, currentRow_()));
  if (remove_) remove_->setEnabled(Chosen() != nullptr);
  if (save_) save_->setEnabled(Chosen() != nullptr);
}

void PicturePanel::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void PicturePanel::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  emit imageDropped(path);
}

}  // namespace quilmark
