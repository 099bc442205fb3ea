#include "bridge/row_pictures.h"

#include <algorithm>

#include "tag/picture_frame.h"
#include "tracklist/edit_commands.h"

namespace quilmark {

namespace {

// The pictures of `kind` among the row's, as a save would write them.
platform::IoResult<std::vector<Picture>> RowPicturesOfKind(const TrackGrid& grid, int row,
                                                           int kind) {
  if (const PictureEdit* edit = grid.PictureEditOf(row)) {
    if (const auto it = edit->find(kind); it != edit->end()) return it->second;
  }
  platform::IoResult<std::vector<Picture>> all = ReadPictures(grid.FullPathOf(row));
  if (!all) return all.Error();
  std::erase_if(*all, [kind](const Picture& p) { return p.kind != kind; });
  return all;
}

// The rows' pictures of `kind` become `pictures`: one undo record per row
// that changes, all of them one step.
PictureCommandResult ChangePicturesOfRows(TrackGrid& grid, UndoList& undo,
                                          const std::vector<int>& rows, int kind,
                                          const std::vector<Picture>& pictures) {
  PictureCommandResult result;
  GridBatch batch(grid);
  UndoStepScope step(undo);
  for (int row : rows) {
    if (!IsFileRow(grid, row)) continue;
    platform::IoResult<std::vector<Picture>> before = RowPicturesOfKind(grid, row, kind);
    if (!before) {
      result.unreadable.push_back(
          CatalogueLine(MSG_CANNOT_OPEN, grid.FullPathOf(row), before.Error().Reason()));
      continue;
    }
    if (*before == pictures) continue;
    undo.Push(PictureUndoRecord{grid.FullPathOf(row), kind, std::move(*before), pictures});
    grid.SetPicturesOf(row, kind, pictures);
    grid.MarkRowChanged(row);
    ++result.changed;
  }
  return result;
}

}  // namespace

platform::IoResult<std::vector<Picture>> RowPictures(const TrackGrid& grid, int row) {
  platform::IoResult<std::vector<Picture>> file = ReadPictures(grid.FullPathOf(row));
  if (!file) return file.Error();
  const PictureEdit* edit = grid.PictureEditOf(row);
  if (!edit) return file;
  std::vector<Picture> pictures;
  auto add = [&](const std::vector<Picture>& kind) {
    pictures.insert(pictures.end(), kind.begin(), kind.end());
  };
  if (const auto front = edit->find(kFrontCover); front != edit->end()) add(front->second);
  for (const auto& [kind, edited] : *edit) {
    if (kind != kFrontCover) add(edited);
  }
  for (Picture& picture : *file) {
    if (!edit->count(picture.kind)) pictures.push_back(std::move(picture));
  }
  return pictures;
}

PictureCommandResult SetPictureOfRows(TrackGrid& grid, UndoList& undo, const std::vector<int>& rows,
                                      const Picture& picture) {
  return ChangePicturesOfRows(grid, undo, rows, picture.kind, {picture});
}

PictureCommandResult RemovePicturesOfRows(TrackGrid& grid, UndoList& undo,
                                          const std::vector<int>& rows, int kind) {
  return ChangePicturesOfRows(grid, undo, rows, kind, {});
}

}  // namespace quilmark
