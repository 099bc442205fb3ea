// The main window: the grid, every command in menus, tool bar, shortcuts and
// the grid's pop-up menu, start-up (settings, bounds, command-line files)
// and close (the unsaved-changes question, settings stored at the end).
// The rules live in the core; this class binds them to widgets.
#pragma once

#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/command_handlers.h"
#include "app/popup_rules.h"
#include "app/qt_busy_indicator.h"
#include "app/qt_clipboard.h"
#include "app/qt_edit_dialogs.h"
#include "app/qt_message_presenter.h"
#include "app/qt_name_dialogs.h"
#include "app/qt_text_width.h"
#include "platform/registry.h"
#include "settings/settings.h"
#include "tracklist/edit_actions.h"
#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"
#include "ui/msgbox.h"

class QStatusBar;

namespace quilmark {

class BulkCommands;
class GridView;
class NameCommands;
class PicturePanel;
class TrackEditor;
struct PictureCommandResult;

class MainWindow : public QMainWindow, private CommandHandlers {
  Q_OBJECT
 public:
  // Loads the settings from `hkcu` (a value of the wrong type throws
  // platform::RegistryError: start-up then ends), builds the window and
  // adds `files` as the command line names them. `hkcu` must outlive the
  // window; the settings are stored into it when the window is destroyed.
  MainWindow(platform::RegistryBackend& hkcu, const std::vector<std::string>& files,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  TrackGrid& Grid() { return grid_; }
  GridView& View() { return *gr_; }
  PicturePanel& Pictures() { return *pictures_; }
  TrackEditor& Editor() { return *editor_; }
  Settings& CurrentSettings() { return settings_; }
  const UndoList& Undo() const { return undo_; }
  QAction* Action(const std::string& name) const;
  QMenu& PopupMenu() { return *pm_; }
  QAction* PopupAction(PopupItem item) const { return pmItems_[item]; }
  QtBusyIndicator& Busy() { return busy_; }

  // Adds files and folders as the open dialogs do (hourglass and progress,
  // then the widths fitted).
  void AddFilesFromUser(const std::vector<std::string>& names);

  // Prepares the pop-up menu for the grid cell (column, row) as when the
  // user right-clicks it (see pmPopup); the caller shows it.
  void pmPopup(int column, int row);

  // No menu of bars to switch: the tool bar and status bar are switched in
  // 表示 only.
  QMenu* createPopupMenu() override { return nullptr; }

 public slots:
  // Moves the current cell: the column first, then the row, each only when
  // it differs from the current one; each move may be refused as a user's.
  void setCell(int column, int row);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createActions();
  void createMenus();
  void createToolBars();
  void createStatusBar();
  void createGridPopupMenu();
  void readSettings();
  void writeSettings();
  // True when the window may close (the unsaved-changes question).
  bool maybeSave();

  void FormCreate(const std::vector<std::string>& files);
  void FormActivate();
  void SyncColumnActions();
  void ApplyEditActions(const EditActions& actions);
  void ShowPopup(int column, int row, const QPoint& globalPos);
  void RunAddFiles(const std::vector<std::string>& names);
  // Saves the changed rows and shows what the save did.
  void SaveRows();
  // The picture commands: on the rows of the selected block.
  void SetPictureFromFile(const std::string& path);
  void FinishPictureCommand(const PictureCommandResult& result);

  // --- CommandHandlers
  void actFileAddExecute() override;
  void actFileAddFolderExecute() override;
  void actFileSaveMP3Execute() override;
  void actFileSavePlaylistExecute() override;
  void actFileExitExecute() override;
  void actEditUndoExecute() override;
  void actEditRedoExecute() override;
  void actEditSelectAllExecute() override;
  void actEditFillSelectionExecute() override;
  void actEditReplaceExecute() override;
  void actEditNumberTracksExecute() override;
  void ConvertSelection(int conversion) override;
  void actEditCutExecute() override;
  void actEditCopyExecute() override;
  void actEditPasteExecute() override;
  void actEditDeleteCellExecute() override;
  void actEditDeleteRowExecute() override;
  void actEditColFillExecute() override;
  void actEditGenreExecute() override;
  void actEditv2CommentExecute() override;
  void actEditEraseTagExecute() override;
  void actEditEraseTagAllExecute() override;
  void actEditSortExecute() override;
  void actEditClearExecute() override;
  void actPictureSetExecute() override;
  void actPictureRemoveExecute() override;
  void actPictureSaveExecute() override;
  void actShowToolbarExecute() override;
  void actShowStatusbarExecute() override;
  void ToggleColumnVisible(QAction* sender) override;
  void actShowColAllVisibleExecute() override;
  void actShowColAllInvisibleExecute() override;
  void actShowHideColExecute() override;
  void actToolPlayExecute() override;
  void actToolTagsFromNamesExecute() override;
  void actToolNamesFromTagsExecute() override;
  void actToolOptionExecute() override;
  void actHelpContentsExecute() override;
  void actHelpAboutExecute() override;
  void actEditUndoHiddenExecute() override;
  void actEditCutHiddenExecute() override;
  void actEditCopyHiddenExecute() override;
  void actEditPasteHiddenExecute() override;

  platform::RegistryBackend& hkcu_;
  Settings settings_;
  TrackGrid grid_;
  UndoList undo_;
  QtMessagePresenter presenter_;
  Messages messages_;
  QtClipboard clipboard_;
  QtBusyIndicator busy_;
  QtEditDialogs dialogs_;
  QtNameDialogs nameDialogs_;
  std::unique_ptr<QtTextWidth> measure_;

  GridView* gr_ = nullptr;
  PicturePanel* pictures_ = nullptr;
  std::unique_ptr<TrackEditor> editor_;
  std::unique_ptr<BulkCommands> bulk_;
  std::unique_ptr<NameCommands> names_;
  QToolBar* tb_ = nullptr;
  QStatusBar* ss1_ = nullptr;
  QMenu* pm_ = nullptr;
  std::map<std::string, QAction*> actions_;
  std::array<QAction*, kPopupItemCount> pmItems_{};
  std::array<QAction*, kFieldCount> showColumnActions_{};
  bool settingsStored_ = false;
};

}  // namespace quilmark
