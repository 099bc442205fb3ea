#include "app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QUrl>

#include "app/command_icons.h"
#include "app/command_table.h"
#include "app/grid_view.h"
#include "app/help.h"
#include "app/picture_panel.h"
#include "app/play.h"
#include "app/show_save_report.h"
#include "bridge/add_files.h"
#include "bridge/name_commands.h"
#include "bridge/row_pictures.h"
#include "bridge/save_changed_rows.h"
#include "bulk/bulk_commands.h"
#include "dialogs/option_dialog.h"
#include "dialogs/version_dialog.h"
#include "lists/list_writer.h"
#include "platform/desktop_associations.h"
#include "platform/paths.h"
#include "platform/replacement.h"
#include "settings/settings_store.h"
#include "tracklist/cell_block.h"
#include "tracklist/track_editor.h"

namespace quilmark {

namespace {

Settings LoadInitialSettings(const platform::RegistryBackend& hkcu) {
  Settings settings;
  LoadSettings(hkcu, settings);
  return settings;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Restores the process's current directory when a file dialog is done.
class KeepCurrentDirectory {
 public:
  KeepCurrentDirectory() : saved_(platform::CurrentDirectory()) {}
  ~KeepCurrentDirectory() { platform::SetCurrentDirectory(saved_); }

 private:
  std::string saved_;
};

// Where the window goes when nothing is stored.
constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 480;

}  // namespace

MainWindow::MainWindow(platform::RegistryBackend& hkcu, const std::vector<std::string>& files,
                       QWidget* parent)
    : QMainWindow(parent),
      hkcu_(hkcu),
      settings_(LoadInitialSettings(hkcu)),
      grid_(settings_.Columns),
      presenter_(this),
      messages_(settings_.WriteConfirm, presenter_),
      dialogs_(this),
      nameDialogs_(this) {
  setObjectName("TFormQUILMARKMain");
  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  setAcceptDrops(true);

  gr_ = new GridView(grid_, this);
  pictures_ = new PicturePanel(
      grid_, [this] { return gr_->CurrentRow(); }, this);
  auto* split = new QSplitter(this);
  split->setObjectName("splitGridPictures");
  split->addWidget(gr_);
  split->addWidget(pictures_);
  split->setStretchFactor(0, 1);
  split->setCollapsible(0, false);
  setCentralWidget(split);
  // The grid's own cell margin beyond the +4 that fitting adds, so that the
  // header texts show whole.
  const int headerMargin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, gr_);
  measure_ = std::make_unique<QtTextWidth>(gr_->font(), std::max(0, 2 * headerMargin - 4));
  editor_ = std::make_unique<TrackEditor>(grid_, *gr_, messages_, clipboard_, dialogs_, busy_,
                                          *measure_, undo_);
  gr_->SetEditor(editor_.get());
  const GridSession session{*editor_, grid_, *gr_, undo_, messages_, busy_, *measure_};
  bulk_ = std::make_unique<BulkCommands>(session, dialogs_);
  names_ = std::make_unique<NameCommands>(session, nameDialogs_);

  createActions();
  createMenus();
  createToolBars();
  createStatusBar();
  createGridPopupMenu();
  busy_.SetStatusBar(ss1_);

  connect(gr_, &GridView::editActionsChanged, this, &MainWindow::ApplyEditActions);
  connect(gr_, &GridView::popupRequested, this, &MainWindow::ShowPopup);
  connect(gr_, &GridView::columnMoved, this, &MainWindow::SyncColumnActions);
  connect(gr_->selectionModel(), &QItemSelectionModel::currentRowChanged, pictures_,
          &PicturePanel::Refresh);
  connect(pictures_, &PicturePanel::imageDropped, this,
          [this](const QString& path) { SetPictureFromFile(path.toStdString()); });
  pictures_->SetActions(Action("actPictureSet"), Action("actPictureRemove"),
                        Action("actPictureSave"));
  // Text copied in another program makes Paste available at once, not at
  // the next move of the selection. (The open editor's states are its own.)
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
    if (!gr_->IsEditorOpen()) editor_->UpdateEditActions(gr_->CurrentColumn());
  });

  readSettings();
  FormCreate(files);
}

MainWindow::~MainWindow() {
  writeSettings();
  // The grid widget, its model and the picture panel refer to the document
  // and the editor, which are members: they go first, before QWidget's
  // destructor would delete them after the members are gone.
  bulk_.reset();
  names_.reset();
  gr_->SetEditor(nullptr);
  delete pictures_;
  pictures_ = nullptr;
  delete gr_;
  gr_ = nullptr;
  editor_.reset();
}

QAction* MainWindow::Action(const std::string& name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

// --- building the window

void MainWindow::createActions() {
  for (const CommandEntry& entry : CommandTable()) {
    auto* action = new QAction(Q(entry.caption), this);
    action->setObjectName(Q(entry.name));
    if (!entry.shortcut.empty()) {
      action->setShortcut(QKeySequence(Q(entry.shortcut), QKeySequence::PortableText));
    }
    action->setToolTip(Q(ShortHint(entry.hint)));
    action->setStatusTip(Q(LongHint(entry.hint)));
    action->setIcon(CommandIcon(entry.image));
    action->setIconVisibleInMenu(false);
    action->setCheckable(entry.checkable);
    if (entry.field >= 0) {
      showColumnActions_[static_cast<std::size_t>(entry.field)] = action;
      connect(action, &QAction::triggered, this, [this, action] { ToggleColumnVisible(action); });
    } else if (entry.conversion >= 0) {
      connect(action, &QAction::triggered, this,
              [this, c = entry.conversion] { ConvertSelection(c); });
    } else {
      connect(action, &QAction::triggered, this, [this, run = entry.run] { (this->*run)(); });
    }
    // On the window itself too, so that every shortcut works whatever menu
    // or bar is hidden.
    addAction(action);
    actions_[entry.name] = action;
  }
}

void MainWindow::createMenus() {
  const std::vector<MenuSpec>& menus = MenuTable();
  std::vector<QMenu*> built(menus.size(), nullptr);
  for (std::size_t i = 0; i < menus.size(); ++i) {
    auto* menu = new QMenu(Q(menus[i].caption), this);
    menu->setObjectName(Q(menus[i].name));
    if (!menus[i].hint.empty()) menu->menuAction()->setStatusTip(Q(LongHint(menus[i].hint)));
    built[i] = menu;
  }
  for (std::size_t i = 0; i < menus.size(); ++i) {
    for (const std::string& entry : menus[i].entries) {
      if (entry == "-") {
        built[i]->addSeparator();
      } else if (entry.front() == '>') {
        built[i]->addMenu(built[static_cast<std::size_t>(std::stoi(entry.substr(1)))]);
      } else if (QAction* action = Action(entry)) {
        built[i]->addAction(action);
      }
    }
    if (menus[i].topLevel) {
      menuBar()->addMenu(built[i]);
      built[i]->menuAction()->setVisible(menus[i].visible);
    }
  }
}

void MainWindow::createToolBars() {
  tb_ = addToolBar(QStringLiteral("tb"));
  tb_->setObjectName("tb");
  tb_->setMovable(false);
  tb_->setFloatable(false);
  tb_->setIconSize(QSize(16, 16));
  tb_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  tb_->toggleViewAction()->setEnabled(false);  // only actShowToolbar toggles it
  for (const std::string& entry : ToolBarEntries()) {
    if (entry == "-") {
      tb_->addSeparator();
    } else if (QAction* action = Action(entry)) {
      tb_->addAction(action);
    }
  }
}

void MainWindow::createStatusBar() {
  ss1_ = statusBar();
  ss1_->setObjectName("ss1");
  ss1_->setSizeGripEnabled(true);
}

void MainWindow::createGridPopupMenu() {
  pm_ = new QMenu(this);
  pm_->setObjectName("pm");
  const std::vector<PopupSpec>& items = PopupTable();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const PopupSpec& item = items[i];
    QAction* entry = nullptr;
    if (item.command.empty()) {
      entry = pm_->addSeparator();
    } else {
      const CommandEntry* command = FindCommand(item.command);
      entry = pm_->addAction(Q(item.caption.empty() ? command->caption : item.caption));
      entry->setToolTip(Q(ShortHint(command->hint)));
      entry->setStatusTip(Q(LongHint(command->hint)));
      // Not bound to the action: its state is the pop-up's own.
      connect(entry, &QAction::triggered, this, [this, run = command->run] { (this->*run)(); });
    }
    entry->setObjectName(Q(item.name));
    pmItems_[i] = entry;
  }
}

void MainWindow::readSettings() {
  Action("actShowToolbar")->setChecked(settings_.ShowToolbar);
  tb_->setVisible(settings_.ShowToolbar);
  Action("actShowStatusbar")->setChecked(settings_.ShowStatusbar);
  ss1_->setVisible(settings_.ShowStatusbar);

  const WindowBounds& b = settings_.WinSize;
  resize(kDefaultWidth, kDefaultHeight);
  if (b.width != -1 && b.width > 0 && b.height > 0) {
    // Stored bounds that no screen shows any more (a monitor taken away)
    // would put the window out of reach: the system places it instead.
    const QRect stored(b.left, b.top, b.width, b.height);
    bool onScreen = false;
    for (QScreen* screen : QGuiApplication::screens()) {
      onScreen = onScreen || screen->availableGeometry().intersects(stored);
    }
    if (onScreen || QGuiApplication::screens().isEmpty()) move(b.left, b.top);
    resize(b.width, b.height);
  }
}

void MainWindow::writeSettings() {
  if (settingsStored_) return;
  settingsStored_ = true;
  settings_.WinSize = {pos().x(), pos().y(), width(), height()};
  settings_.ShowToolbar = Action("actShowToolbar")->isChecked();
  settings_.ShowStatusbar = Action("actShowStatusbar")->isChecked();
  settings_.Columns = grid_.Layout();
  try {
    StoreSettings(hkcu_, settings_);
  } catch (const std::exception& error) {
    // The window is going away; say why the settings were not kept.
    QMessageBox::critical(nullptr, QString::fromUtf8(kApplicationTitle),
                          QString::fromUtf8(error.what()));
  }
}

// The window's creation: header, widths, row height, show actions, then
// the command line's files.
void MainWindow::FormCreate(const std::vector<std::string>& files) {
  grid_.ApplyColumnTitles();
  grid_.FitColumnWidth(-1, *measure_);
  gr_->ApplyRowHeight();
  gr_->ApplyColumnWidths();
  SyncColumnActions();
  if (!files.empty()) RunAddFiles(files);
  // The grid starts on the first field cell, as the toolkit's grid did.
  int first = kFirstFieldPosition;
  while (first < kLastFieldPosition && grid_.ColumnWidth(first) < 0) ++first;
  gr_->SetCurrentCell(first, 1);
  editor_->UpdateEditActions(gr_->CurrentColumn());
}

void MainWindow::RunAddFiles(const std::vector<std::string>& names) {
  AddFilesResult added;
  {
    BusyScope busy(busy_);
    gr_->Model().BeginBulk();
    added = AddFiles(grid_, names, messages_, busy_, undo_);
    // The widths follow what was added (also for the command line's files).
    grid_.FitColumnWidth(-1, *measure_);
    gr_->Model().EndBulk();
    gr_->ApplyColumnWidths();
  }
  if (added.stopped) {
    busy_.SetStatusText("追加を中止しました。それまでに追加した " + std::to_string(added.added) +
                        " 個のファイルはリストにあります。");
  }
  ShowFileReport(added.notAdded, messages_);
}

void MainWindow::AddFilesFromUser(const std::vector<std::string>& names) {
  if (!editor_->FinishEdit()) return;
  if (!names.empty()) RunAddFiles(names);
  grid_.FitColumnWidth(-1, *measure_);
  gr_->ApplyColumnWidths();
  editor_->UpdateEditActions(gr_->CurrentColumn());
}

void MainWindow::SyncColumnActions() {
  const ColumnLayout& layout = grid_.Layout();
  for (int k = 0; k < kFieldCount; ++k) {
    QAction* action = showColumnActions_[static_cast<std::size_t>(k)];
    const auto field = static_cast<Field>(k);
    action->setData(layout.Position(field));
    action->setChecked(layout.IsFieldShown(field));
  }
}

void MainWindow::ApplyEditActions(const EditActions& a) {
  const std::pair<const char*, bool> states[] = {
      {"actEditUndo", a.undo},
      {"actEditUndoHidden", a.undoHidden},
      {"actEditRedo", a.redo},
      {"actEditCut", a.cut},
      {"actEditCutHidden", a.cutHidden},
      {"actEditCopy", a.copy},
      {"actEditCopyHidden", a.copyHidden},
      {"actEditPaste", a.paste},
      {"actEditPasteHidden", a.pasteHidden},
      {"actEditDeleteCell", a.deleteCell},
  };
  for (const auto& [name, enabled] : states) Action(name)->setEnabled(enabled);
}

// --- window events

void MainWindow::FormActivate() { editor_->grSelectCell(gr_->CurrentColumn(), gr_->CurrentRow()); }

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

// An edit still open in the grid is finished and checked before anything
// that reads the cells as a whole (save, close, add): otherwise the typed
// text would be in the cell but its row not yet marked, and a save or the
// close question would pass it by; a bad number keeps the window open.
bool MainWindow::maybeSave() {
  if (!editor_->FinishEdit()) return false;
  if (grid_.ChangedRowCount() == 0) return true;
  // Asked even while confirmations are switched off: that switch silences
  // questions about writing and removing, and answering this one "No"
  // unasked would throw the user's edits away without a word.
  const int answer =
      messages_.Presenter().Show(CatalogueText(MSG_CONFIRM_SAVE_ON_CLOSE), kApplicationTitle,
                                 MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDYES) {
    SaveRows();
    return true;  // closes whatever the save reported
  }
  return answer == IDNO;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (maybeSave()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// The add runs once the drop is over: a folder may take a while, and the
// program the files came from waits for the drop to end.
void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> names;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) names.push_back(url.toLocalFile().toStdString());
  }
  if (names.empty()) return;
  event->acceptProposedAction();
  QTimer::singleShot(0, this, [this, names] { AddFilesFromUser(names); });
}

void MainWindow::setCell(int column, int row) {
  if (column < 0 || column >= kColumnCount || row < 1 || row >= grid_.RowCount()) return;
  if (column != gr_->CurrentColumn()) gr_->SelectCell(column, gr_->CurrentRow());
  if (row != gr_->CurrentRow()) gr_->SelectCell(gr_->CurrentColumn(), row);
}

// --- pop-up menu

void MainWindow::pmPopup(int column, int row) {
  const int c = column >= kFixedColumnCount ? column : gr_->CurrentColumn();
  const int r = row >= 1 ? row : gr_->CurrentRow();
  // A click inside a selected block (or on the number of one of its rows)
  // keeps the block, so that the menu's commands work on all of it.
  const CellBlock block = gr_->SelectedBlock();
  const bool inBlock = !block.IsSingleCell() && row >= block.top && row <= block.bottom &&
                       (column == colRowNo || block.Contains(column, row));
  if (!inBlock && (column >= kFixedColumnCount || row >= 1)) setCell(c, r);

  const PopupItemState sort{pmItems_[pmSort]->isVisible(), pmItems_[pmSort]->isEnabled()};
  const PopupState state = PopupRules(column, row, grid_, sort);
  for (int i = 0; i < kPopupItemCount; ++i) {
    pmItems_[i]->setVisible(state[i].visible);
    pmItems_[i]->setEnabled(state[i].enabled);
  }
}

void MainWindow::ShowPopup(int column, int row, const QPoint& globalPos) {
  pmPopup(column, row);
  pm_->popup(globalPos);
}

// --- commands

void MainWindow::actFileAddExecute() {
  std::vector<std::string> names;
  {
    KeepCurrentDirectory keep;
    const QStringList chosen = QFileDialog::getOpenFileNames(
        this, QString(), QString(),
        QStringLiteral("すべてのサポートされているファイル (*.mp3 *.m3u *.m3u8 *.pls *.csv);;"
                       "MP3ファイル (*.mp3);;プレイリスト (*.m3u *.m3u8 *.pls);;"
                       "カンマ区切りファイル (*.csv)"));
    for (const QString& name : chosen) names.push_back(name.toStdString());
  }
  AddFilesFromUser(names);
}

void MainWindow::actFileAddFolderExecute() {
  std::vector<std::string> names;
  {
    KeepCurrentDirectory keep;
    const QString chosen =
        QFileDialog::getExistingDirectory(this, QStringLiteral("フォルダを追加"));
    if (!chosen.isEmpty()) names.push_back(chosen.toStdString());
  }
  AddFilesFromUser(names);
}

void MainWindow::SaveRows() {
  SaveReport report;
  {
    BusyScope busy(busy_);
    report = SaveChangedRows(grid_, settings_.TagWrite(), messages_, busy_);
  }
  ShowSaveReport(report, messages_, busy_);
}

void MainWindow::actFileSaveMP3Execute() {
  if (editor_->FinishEdit()) SaveRows();
}

void MainWindow::actFileSavePlaylistExecute() {
  if (!editor_->FinishEdit()) return;
  KeepCurrentDirectory keep;
  const QString chosen = QFileDialog::getSaveFileName(
      this, QString(), QString(),
      QStringLiteral("すべてのサポートされているファイル (*.m3u *.m3u8 *.pls *.csv);;"
                     "プレイリスト (*.m3u *.m3u8 *.pls);;カンマ区切りファイル (*.csv)"));
  if (chosen.isEmpty()) return;
  ListWriteResult written;
  {
    BusyScope busy(busy_);
    written = WriteList(grid_, settings_.ListWrite(), chosen.toStdString());
  }
  if (!written.error.empty()) messages_.Notice(written.error);
}

void MainWindow::actFileExitExecute() { close(); }

void MainWindow::actEditUndoExecute() { editor_->actEditUndoExecute(); }
void MainWindow::actEditRedoExecute() { editor_->actEditRedoExecute(); }
void MainWindow::actEditSelectAllExecute() { editor_->actEditSelectAllExecute(); }
void MainWindow::actEditFillSelectionExecute() { editor_->actEditFillSelectionExecute(); }
void MainWindow::actEditReplaceExecute() { bulk_->actEditReplaceExecute(); }
void MainWindow::actEditNumberTracksExecute() { bulk_->actEditNumberTracksExecute(); }
void MainWindow::ConvertSelection(int conversion) {
  bulk_->Convert(static_cast<platform::TextConversion>(conversion));
}
void MainWindow::actEditCutExecute() { editor_->actEditCutExecute(); }
void MainWindow::actEditCopyExecute() { editor_->actEditCopyExecute(); }
void MainWindow::actEditPasteExecute() { editor_->actEditPasteExecute(); }
void MainWindow::actEditDeleteCellExecute() { editor_->actEditDeleteCellExecute(); }
void MainWindow::actEditDeleteRowExecute() { editor_->actEditDeleteRowExecute(); }
void MainWindow::actEditColFillExecute() { editor_->actEditColFillExecute(); }
void MainWindow::actEditGenreExecute() { editor_->actEditGenreExecute(); }
void MainWindow::actEditv2CommentExecute() { editor_->actEditv2CommentExecute(); }
void MainWindow::actEditEraseTagExecute() { editor_->actEditEraseTagExecute(); }
void MainWindow::actEditEraseTagAllExecute() { editor_->actEditEraseTagAllExecute(); }
void MainWindow::actEditSortExecute() { editor_->actEditSortExecute(); }
void MainWindow::actEditClearExecute() { editor_->actEditClearExecute(); }

// --- pictures

void MainWindow::actPictureSetExecute() {
  QString chosen;
  {
    KeepCurrentDirectory keep;
    chosen = QFileDialog::getOpenFileName(this, QString(), QString(),
                                          QStringLiteral("画像 (*.jpg *.jpeg *.png)"));
  }
  if (!chosen.isEmpty()) SetPictureFromFile(chosen.toStdString());
}

void MainWindow::SetPictureFromFile(const std::string& path) {
  if (!editor_->FinishEdit()) return;
  PictureFileResult loaded = LoadPictureFile(path);
  if (!loaded.picture) {
    ShowFileReport({CatalogueLine(MSG_CANNOT_OPEN, path, loaded.reason)}, messages_);
    return;
  }
  FinishPictureCommand(
      SetPictureOfRows(grid_, undo_, FileRowsOf(grid_, gr_->SelectedBlock()), *loaded.picture));
}

void MainWindow::actPictureRemoveExecute() {
  const Picture* chosen = pictures_->Chosen();
  if (!chosen) return;
  const int kind = chosen->kind;
  if (!editor_->FinishEdit()) return;
  FinishPictureCommand(
      RemovePicturesOfRows(grid_, undo_, FileRowsOf(grid_, gr_->SelectedBlock()), kind));
}

void MainWindow::FinishPictureCommand(const PictureCommandResult& result) {
  ShowFileReport(result.unreadable, messages_);
  editor_->UpdateEditActions(gr_->CurrentColumn());
}

void MainWindow::actPictureSaveExecute() {
  const Picture* chosen = pictures_->Chosen();
  if (!chosen) return;
  const Picture picture = *chosen;  // the panel may read again while the dialog is open
  // Beside the song, where a cover file is usually kept.
  const std::string suggested = platform::FolderPart(grid_.FullPathOf(gr_->CurrentRow())) +
                                "cover." + PictureFileExtension(picture.mime);
  QString path;
  {
    KeepCurrentDirectory keep;
    path = QFileDialog::getSaveFileName(
        this, QString(), QString::fromStdString(suggested),
        QStringLiteral("画像 (*.jpg *.jpeg *.png *.gif *.bmp);;すべてのファイル (*)"));
  }
  if (path.isEmpty()) return;
  if (platform::IoStatus written =
          platform::WriteFileAtomically(path.toStdString(), picture.Bytes());
      !written) {
    ShowFileReport({CatalogueLine(MSG_CANNOT_WRITE, path.toStdString(), written.Error().Reason())},
                   messages_);
  }
}

void MainWindow::actShowToolbarExecute() {
  // The action has already flipped its checked state.
  tb_->setVisible(Action("actShowToolbar")->isChecked());
}

void MainWindow::actShowStatusbarExecute() {
  ss1_->setVisible(Action("actShowStatusbar")->isChecked());
}

void MainWindow::ToggleColumnVisible(QAction* sender) {
  if (sender == nullptr) return;
  // Qt flips a checkable action before it runs: its state is the new flag.
  // A refused change puts the check marks back.
  editor_->ShowColumn(sender->data().toInt(), sender->isChecked());
  SyncColumnActions();
}

void MainWindow::actShowColAllVisibleExecute() {
  editor_->SetTagColumnsVisible(true);
  SyncColumnActions();
}

void MainWindow::actShowColAllInvisibleExecute() {
  editor_->SetTagColumnsVisible(false);
  SyncColumnActions();
}

void MainWindow::actShowHideColExecute() {
  editor_->actShowHideColExecute();
  SyncColumnActions();
}

void MainWindow::actToolPlayExecute() { PlayFile(grid_.FullPathOf(gr_->CurrentRow()), messages_); }

void MainWindow::actToolTagsFromNamesExecute() { names_->actToolTagsFromNamesExecute(); }
void MainWindow::actToolNamesFromTagsExecute() { names_->actToolNamesFromTagsExecute(); }

void MainWindow::actToolOptionExecute() {
  platform::DesktopAssociations::Options options;
  options.dirs = platform::XdgDirs::FromEnvironment();
  options.programPath = QCoreApplication::applicationFilePath().toStdString();
  platform::DesktopAssociations classesRoot(std::move(options));
  ShowOptionDialog(this, settings_, classesRoot);
}

void MainWindow::actHelpContentsExecute() { HelpShow(this, kApplicationTitle); }

void MainWindow::actHelpAboutExecute() { ShowVersionDialog(this); }

void MainWindow::actEditUndoHiddenExecute() { editor_->actEditUndoHiddenExecute(); }
void MainWindow::actEditCutHiddenExecute() { editor_->actEditCutHiddenExecute(); }
void MainWindow::actEditCopyHiddenExecute() { editor_->actEditCopyHiddenExecute(); }
void MainWindow::actEditPasteHiddenExecute() { editor_->actEditPasteHiddenExecute(); }

}  // namespace quilmark
