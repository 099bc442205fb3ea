// Commands over many cells against filling one column of the same rows:
// find and replace over 100,000 rows (the title and album columns), and a
// paste of 10,000 cells (5,000 rows of two columns) from spreadsheet text.
// Each is one undo step of every cell it changed.
#include <algorithm>
#include <cstdio>
#include <string>

#include "bulk/bulk_commands.h"
#include "bulk/bulk_dialogs.h"
#include "support/bench_grid.h"

using namespace quilmark;

namespace {

constexpr int kReplaceRows = 100000;
constexpr int kPasteRows = 5000;

class ReplaceAnswer : public BulkDialogs {
 public:
  bool AskFindReplace(FindReplaceOptions& options, bool) override {
    options.find = "(\\w+) (\\w+)";  // about every title and album
    options.replace = "$2 $1";
    options.regex = true;
    options.fields = {colTitle, colAlbum};
    options.selectedRowsOnly = false;
    return true;
  }
  bool AskNumbering(NumberingOptions&, int, int) override { return false; }
};

// Fills the column of the current cell over the rows of the selected block.
double FillSeconds(int rows, const CellBlock& block) {
  bench::EditorRig rig(bench::MakeGrid(rows, 7));
  rig.view.SetCurrentCell(block.left, block.top);
  rig.view.block = block;
  bench::Stopwatch watch;
  rig.editor.actEditColFillExecute();
  return watch.Seconds();
}

double ReplaceSeconds(int& changedCells) {
  bench::EditorRig rig(bench::MakeGrid(kReplaceRows, 7));
  ReplaceAnswer answer;
  BulkCommands bulk({rig.editor, rig.grid, rig.view, rig.undo, rig.messages, rig.busy, rig.measure},
                    answer);
  bench::Stopwatch watch;
  bulk.actEditReplaceExecute();
  const double seconds = watch.Seconds();
  changedCells = rig.undo.Empty() ? 0 : static_cast<int>(rig.undo.Last().cells.size());
  return seconds;
}

double PasteSeconds(const CellBlock& block, int& changedCells) {
  bench::EditorRig rig(bench::MakeGrid(kPasteRows, 7));
  std::string text;
  for (int i = 0; i < kPasteRows; ++i) {
    text += "pasted title " + std::to_string(i) + "\tpasted album\r\n";
  }
  rig.clipboard.SetText(text);
  rig.view.SetCurrentCell(block.left, block.top);
  rig.view.block = block;
  bench::Stopwatch watch;
  rig.editor.actEditPasteExecute();
  const double seconds = watch.Seconds();
  changedCells = rig.undo.Empty() ? 0 : static_cast<int>(rig.undo.Last().cells.size());
  return seconds;
}

}  // namespace

int main() {
  const ColumnLayout layout = ColumnLayout::Default();
  const int title = layout.Position(colTitle);
  const CellBlock titleColumn{title, 1, title, kReplaceRows};
  const CellBlock pasteBlock{title, 1, layout.Position(colAlbum), kPasteRows};
  const CellBlock pasteRows{title, 1, title, kPasteRows};

  // Best of three, alternating, so a busy machine disturbs both alike.
  double fillAll = 1e9, replace = 1e9, fillPasteRows = 1e9, paste = 1e9;
  int replaced = 0, pasted = 0;
  for (int i = 0; i < 3; ++i) {
    fillAll = std::min(fillAll, FillSeconds(kReplaceRows, titleColumn));
    replace = std::min(replace, ReplaceSeconds(replaced));
    fillPasteRows = std::min(fillPasteRows, FillSeconds(kPasteRows, pasteRows));
    paste = std::min(paste, PasteSeconds(pasteBlock, pasted));
  }
  const double replaceRatio = replace / fillAll;
  const double pasteRatio = paste / fillPasteRows;
  std::printf("find and replace, %d rows, 2 columns (%d cells changed): %.3f s\n", kReplaceRows,
              replaced, replace);
  std::printf("fill one column, %d rows: %.3f s (ratio %.2f)\n", kReplaceRows, fillAll,
              replaceRatio);
  std::printf("block paste, %d rows x 2 columns (%d cells changed): %.3f s\n", kPasteRows, pasted,
              paste);
  std::printf("fill one column, %d rows: %.3f s (ratio %.2f)\n", kPasteRows, fillPasteRows,
              pasteRatio);
  std::printf("ratio %.2f\n", std::max(replaceRatio, pasteRatio));
  return 0;
}
