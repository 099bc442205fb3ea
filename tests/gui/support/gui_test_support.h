// What the window tests share: a private settings folder per test, tagged
// MP3 files, a running main window that can be restarted on the same
// settings, typing of any text, and answers to message boxes.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/user_registry.h"
#include "support/temp_dir.h"

namespace quilmark::testing {

// Points XDG_CONFIG_HOME and XDG_DATA_HOME at folders of its own, so the
// settings of one test never meet another's.
class GuiTestFolder {
 public:
  GuiTestFolder();
  std::string File(std::string_view name) const { return dir_.File(name); }

 private:
  TempDir dir_;
};

// An MP3 file with an ID3v2.3 tag whose texts are UTF-16 (so any text
// survives); empty texts are left out.
void WriteTaggedMp3(const std::string& path, const QString& title, const QString& artist = {},
                    const QString& bpm = {});

// A field as the file holds it now, read back as adding the file reads it.
std::string FieldOnDisk(const std::string& path, Field field);

// One tagged file per title, named "<title>.mp3"; their paths in order.
std::vector<std::string> WriteSongs(const GuiTestFolder& folder, const QStringList& titles);

// A main window started as the program starts it, on the settings in the
// current XDG_CONFIG_HOME.
class RunningWindow {
 public:
  explicit RunningWindow(const std::vector<std::string>& files = {});
  MainWindow& operator*() { return *window_; }
  MainWindow* operator->() { return window_.get(); }
  MainWindow* get() { return window_.get(); }

 private:
  // Declared first: the window stores its settings into it when destroyed.
  std::unique_ptr<platform::UserRegistry> hkcu_;
  std::unique_ptr<MainWindow> window_;
};

// Shows the window and makes it the active one (offscreen and Xvfb alike).
bool ShowActive(QWidget& window);

// Sends each character as its own key event with its text: works for any
// script, where QTest::keyClicks takes Latin-1 only.
void TypeText(QWidget* target, const QString& text);

// A key to the grid's in-place editor while it is open, else to the grid
// (given the focus first).
void PressKey(MainWindow& window, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier);

// Selects a field's cell in the window's grid and types into it, as a user
// who clicks a cell and starts typing; false when the cell was refused.
bool TypeIntoCell(MainWindow& window, Field field, int row, const QString& text);

// A window test's fixture: Open() starts the window on files written into
// folder_ (made fresh by Reset(), which a test's init calls first), and
// the accessors reach its grid; Close() ends both before the next test.
class WindowFixture {
 protected:
  void Reset() {
    Close();
    folder_ = std::make_unique<GuiTestFolder>();
  }
  // A window open before is closed first, so that it stores its settings
  // before the next one reads them.
  bool Open(const std::vector<std::string>& files) {
    window_.reset();
    window_ = std::make_unique<RunningWindow>(files);
    return ShowActive(W());
  }
  void Close() {
    window_.reset();
    folder_.reset();
  }
  MainWindow& W() { return **window_; }
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
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { PressKey(W(), key, mods); }

  std::unique_ptr<GuiTestFolder> folder_;
  std::unique_ptr<RunningWindow> window_;
};

// Answers the next message boxes, in order, by pressing the given buttons;
// the texts they showed are collected in Seen().
class MessageBoxAnswers {
 public:
  explicit MessageBoxAnswers(std::vector<QMessageBox::StandardButton> answers);
  ~MessageBoxAnswers();
  const QStringList& Seen() const { return seen_; }

 private:
  void Poll();
  std::vector<QMessageBox::StandardButton> answers_;
  QStringList seen_;
  std::shared_ptr<bool> alive_;
};

}  // namespace quilmark::testing
