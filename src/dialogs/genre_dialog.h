// Genre selection: the numbered ID3v1 genre list and a free-text edit whose
// text is the result. Knows nothing about the grid.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quilmark {

// Runs the genre dialog once, modally. True when the user confirmed; `genre`
// then holds the edit's text exactly as it stood (no check, no trimming).
// False leaves `genre` untouched.
bool SelectGenre(QWidget* parent, std::string& genre);

// The dialog itself, public so that tests can reach its controls by name
// ("lv", "ed", "btnOK", "btnCancel").
class TFormQUILMARKv2Genre : public QDialog {
  Q_OBJECT
 public:
  explicit TFormQUILMARKv2Genre(QWidget* parent = nullptr);

  // The client size the controls are laid out for; also the minimum.
  static constexpr int kDesignWidth = 168;
  static constexpr int kDesignHeight = 200;
  static constexpr int kGenreCount = 126;  // 0..125; "No Genre" is not offered

  QString Text() const;
  void SetText(const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormResize();
  void lvSelectItem();
  void lvClick(QTreeWidgetItem* item);
  void lvDblClick();

  QTreeWidget* lv_;
  QLineEdit* ed_;
  QPushButton* btnOK_;
  QPushButton* btnCancel_;
};

}  // namespace quilmark
