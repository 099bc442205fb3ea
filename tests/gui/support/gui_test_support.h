// What the window tests share: a private folder per test for its files and
// settings, tagged MP3 files, a running main window that can be restarted on
// the same settings, typing of any text, and answers to modal windows.
#pragma once

#include <QtTest>
#include <QtWidgets>
#include <memory>
#include <string>
#include <vector>

#include "app/grid_view.h"
#include "app/main_window.h"
#include "modal_script.h"
#include "platform/user_registry.h"
#include "support/temp_dir.h"

namespace quilmark::testing {

// An MP3 file with an ID3v2.3 tag whose title is UTF-16 (so any text
// survives).
void WriteTaggedMp3(const std::string& path, const QString& title);

// A field as the file holds it now, read back as adding the file reads it.
std::string FieldOnDisk(const std::string& path, Field field);

// Shows the window and makes it the active one (offscreen and Xvfb alike).
bool ShowActive(QWidget& window);

// Sends each character as its own key event with its text: works for any
// script, where QTest::keyClicks takes Latin-1 only.
void TypeText(QWidget* target, const QString& text);

// A window test's fixture, the base of its test class. Before each test,
// Reset() makes a fresh folder_ and points XDG_CONFIG_HOME and XDG_DATA_HOME
// into it, so that the settings of one test never meet another's; Open()
// starts the window as the program starts it, on those settings, closing any
// window open before so that it stores its settings first; after each test,
// Close() ends both.
class WindowFixture : public QObject {
  Q_OBJECT

 private slots:
  void init() { Reset(); }
  void cleanup() { Close(); }

 protected:
  void Reset();
  bool Open(const std::vector<std::string>& files);
  void Close();
  // One tagged file per title, named "<title>.mp3"; their paths in order.
  std::vector<std::string> Songs(const QStringList& titles);

  MainWindow& W() { return *window_; }
  GridView& View() { return W().View(); }
  TrackGrid& Grid() { return W().Grid(); }
  int Pos(Field f) { return Grid().Layout().Position(f); }
  std::string Cell(Field f, int row) { return Grid().FieldCell(f, row); }
  // A field's cells from the first row down, each followed by "|".
  std::string Column(Field f) {
    std::string cells;
    for (int row = 1; row <= Grid().FileRowCount(); ++row) cells += Cell(f, row) + "|";
    return cells;
  }
  // A key to the grid's in-place editor while it is open, else to the grid
  // (given the focus first).
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    if (View().IsEditorOpen()) return QTest::keyClick(View().InPlaceEditor(), key, mods);
    View().setFocus();
    QTest::keyClick(&View(), key, mods);
  }
  // Selects a field's cell and types into it, as a user who clicks a cell
  // and starts typing; false when the cell was refused.
  bool TypeIntoCell(Field field, int row, const QString& text) {
    if (!View().SelectCell(Pos(field), row)) return false;
    View().setFocus();
    TypeText(&View(), text);
    return true;
  }

  std::unique_ptr<TempDir> folder_;

 private:
  // Before the window: the window stores its settings into it when destroyed.
  std::unique_ptr<platform::UserRegistry> hkcu_;
  std::unique_ptr<MainWindow> window_;
};

// Answers the next message boxes, in order, by pressing the given buttons
// (none there: closing the box); the texts they showed are collected in
// Seen(). Answering ends with the scope.
class MessageBoxAnswers {
 public:
  explicit MessageBoxAnswers(const std::vector<QMessageBox::StandardButton>& answers);
  const QStringList& Seen() const { return *seen_; }

 private:
  std::shared_ptr<QStringList> seen_ = std::make_shared<QStringList>();
  ModalScript script_;
};

}  // namespace quilmark::testing
