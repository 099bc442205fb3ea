// The pictures of the grid's current row, beside the grid: each with its
// kind, format and size, the chosen one shown large, the picture commands
// as buttons. An image file dropped onto the panel asks the window to set
// it (imageDropped). What it shows is what a save would leave in the file.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "tag/picture.h"
#include "tracklist/track_grid.h"

class QAction;
class QLabel;
class QListWidget;
class QTimer;

namespace quilmark {

class PicturePanel : public QWidget, private GridObserver {
  Q_OBJECT
 public:
  // `currentRow` gives the grid's current row; the grid must outlive the
  // panel.
  PicturePanel(TrackGrid& grid, std::function<int()> currentRow, QWidget* parent = nullptr);
  ~PicturePanel() override;

  // The buttons run the window's actions: set, remove, save to a file.
  void SetActions(QAction* set, QAction* remove, QAction* save);
  // The picture chosen in the list, or null.
  const Picture* Chosen() const;
  // As wide as the picture it shows: the grid takes the rest.
  QSize sizeHint() const override;

 public slots:
  // Reads the current row's pictures again, at the next turn of the event
  // loop (changes that come together read the file once).
  void Refresh();

 signals:
  void imageDropped(const QString& path);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RowsReset() override { Refresh(); }
  void RowMarkChanged(int row) override;
  void PicturesChanged(int row) override;

  void Read();
  void ShowChosen();
  void FitImage();
  void UpdateActions();

  TrackGrid& grid_;
  std::function<int()> currentRow_;
  int shownRow_ = -1;
  std::vector<Picture> pictures_;
  QImage chosenImage_;
  QLabel* image_;
  QLabel* note_;
  QListWidget* list_;
  QTimer* refresh_;
  QAction* set_ = nullptr;
  QAction* remove_ = nullptr;
  QAction* save_ = nullptr;
};

}  // namespace quilmark
