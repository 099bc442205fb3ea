#include "app/popup_rules.h"

namespace quilmark {

PopupState PopupRules(int c, int r, const TrackGrid& grid, PopupItemState sortState) {
  PopupState s{};
  for (PopupItem always : {pmAdd, pmSep2, pmSep3}) s[always] = {true, true};
  s[pmSort] = sortState;

  const bool listed = !grid.IsEmptyList();
  const ColumnLayout& layout = grid.Layout();
  const bool notPathOrFile = c != layout.Position(colPath) && c != layout.Position(colFile);
  const bool fieldColumn = c > colRowNo && c < kColumnCount;
  const bool dataRow = r >= 1 && r < grid.RowCount();

  if (fieldColumn && r == 0) {
    s[pmSep1] = {true, true};
    s[pmHideCol] = {true, true};
    if (notPathOrFile) s[pmFillCol] = {true, listed};
  } else if (c == colRowNo && dataRow) {
    s[pmSep2] = {listed, listed};
    for (PopupItem item : {pmPlay, pmEraseTag, pmDeleteRow}) s[item] = {true, listed};
  } else if (fieldColumn && dataRow) {
    s[pmSep3] = {true, true};
    if (notPathOrFile) {
      for (PopupItem item : {pmCut, pmCopy, pmPaste, pmDeleteCell, pmFillCol}) {
        s[item] = {true, listed};
      }
    }
  }
  return s;
}

}  // namespace quilmark
