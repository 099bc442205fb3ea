// What the window does for each command; the command table names these.
#pragma once

class QAction;

namespace quilmark {

class CommandHandlers {
 public:
  virtual ~CommandHandlers() = default;

  virtual void actFileAddExecute() = 0;
  virtual void actFileAddFolderExecute() = 0;
  virtual void actFileSaveMP3Execute() = 0;
  virtual void actFileSavePlaylistExecute() = 0;
  virtual void actFileExitExecute() = 0;

  virtual void actEditUndoExecute() = 0;
  virtual void actEditRedoExecute() = 0;
  virtual void actEditSelectAllExecute() = 0;
  virtual void actEditFillSelectionExecute() = 0;
  virtual void actEditReplaceExecute() = 0;
  virtual void actEditNumberTracksExecute() = 0;
  // The conversions share one handler; the number says which
  // (platform::TextConversion).
  virtual void ConvertSelection(int conversion) = 0;
  virtual void actEditCutExecute() = 0;
  virtual void actEditCopyExecute() = 0;
  virtual void actEditPasteExecute() = 0;
  virtual void actEditDeleteCellExecute() = 0;
  virtual void actEditDeleteRowExecute() = 0;
  virtual void actEditColFillExecute() = 0;
  virtual void actEditGenreExecute() = 0;
  virtual void actEditv2CommentExecute() = 0;
  virtual void actEditEraseTagExecute() = 0;
  virtual void actEditEraseTagAllExecute() = 0;
  virtual void actEditSortExecute() = 0;
  virtual void actEditClearExecute() = 0;

  virtual void actPictureSetExecute() = 0;
  virtual void actPictureRemoveExecute() = 0;
  virtual void actPictureSaveExecute() = 0;

  virtual void actShowToolbarExecute() = 0;
  virtual void actShowStatusbarExecute() = 0;
  // The nineteen show actions share one handler; the sender says which.
  virtual void ToggleColumnVisible(QAction* sender) = 0;
  virtual void actShowColAllVisibleExecute() = 0;
  virtual void actShowColAllInvisibleExecute() = 0;
  virtual void actShowHideColExecute() = 0;

  virtual void actToolPlayExecute() = 0;
  virtual void actToolTagsFromNamesExecute() = 0;
  virtual void actToolNamesFromTagsExecute() = 0;
  virtual void actToolOptionExecute() = 0;
  virtual void actHelpContentsExecute() = 0;
  virtual void actHelpAboutExecute() = 0;

  // The classic alternative shortcuts, on the focused text field.
  virtual void actEditUndoHiddenExecute() = 0;
  virtual void actEditCutHiddenExecute() = 0;
  virtual void actEditCopyHiddenExecute() = 0;
  virtual void actEditPasteHiddenExecute() = 0;
};

}  // namespace quilmark
