// Commands on a selected block of cells over real files: paste of
// spreadsheet text, copy, cut, clear, Ctrl+Enter, fill and tag clearing on
// the selected rows; each one undo step, and a fill saved into the files.
#include <functional>

#include "bridge/file_stage.h"

namespace quilmark::testing {
namespace {

// The shapes of pasted text, each into a fresh list of three files.
TEST(BlockPaste, LinesFillTheBlockOneValueEveryCellAndABadNumberNothing) {
  const struct {
    const char* what;
    std::function<void(FileStage&)> select;
    const char* text;
    const char* after;  // No. / Artist / Title / Album / file names
    const char* shown = nullptr;
  } cases[] = {
      {"spreadsheet lines fill the block",
       [](FileStage& s) { s.SelectBlock(colTitle, 1, colAlbum, 2); }, "x1\ty1\r\nx2\ty2\r\n",
       "|| A1|A2|A3 x1|x2|t3 y1|y2| 1.mp3|2.mp3|3.mp3"},
      {"one value fills every cell", [](FileStage& s) { s.SelectBlock(colTitle, 1, colAlbum, 2); },
       "v", "|| A1|A2|A3 v|v|t3 v|v| 1.mp3|2.mp3|3.mp3"},
      {"one line fills every row", [](FileStage& s) { s.SelectBlock(colTitle, 1, colAlbum, 3); },
       "a\tb\n", "|| A1|A2|A3 a|a|a b|b|b 1.mp3|2.mp3|3.mp3"},
      {"more lines than rows go on below, up to the last row",
       [](FileStage& s) { s.SelectBlock(colTitle, 2, colTitle, 3); }, "p\nq\nr\ns",
       "|| A1|A2|A3 t1|p|q || 1.mp3|2.mp3|3.mp3"},
      {"the file name takes no value, the next columns theirs",
       [](FileStage& s) { s.SelectBlock(colFile, 1, colTitle, 1); }, "f\t5\tar\tti",
       "5|| ar|A2|A3 ti|t2|t3 || 1.mp3|2.mp3|3.mp3"},
      {"a hidden column is passed by",
       [](FileStage& s) {
         s.grid.SetColumnVisible(s.Pos(colArtist), false);
         s.SelectBlock(colNo, 1, colTitle, 2);
       },
       "7\tx\n8\ty", "7|8| A1|A2|A3 x|y|t3 || 1.mp3|2.mp3|3.mp3"},
      {"a non-digit for a numeric column refuses the whole paste",
       [](FileStage& s) { s.SelectBlock(colTitle, 1, colYear, 2); }, "a\tb\tc",
       "|| A1|A2|A3 t1|t2|t3 || 1.mp3|2.mp3|3.mp3",
       "年 1行目: c\n数値として不適切な文字または記号が入力されました。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FileStage s({"t1", "t2", "t3"});
    c.select(s);
    s.clipboard.SetText(c.text);
    s.editor.actEditPasteExecute();
    EXPECT_EQ(s.Column(colNo) + " " + s.Column(colArtist) + " " + s.Column(colTitle) + " " +
                  s.Column(colAlbum) + " " + s.Column(colFile),
              c.after);
    EXPECT_EQ(s.undo.Count(), c.shown ? 0u : 1u);
    if (c.shown) {
      EXPECT_TRUE(s.presenter.Shown(c.shown));
    }
  }
}

TEST(BlockCopyCutClear, TabLinesOutAndEveryChangeableCellEmptied) {
  FileStage s({"t1", "t2", "t3"});
  s.SelectBlock(colFile, 1, colTitle, 2);
  s.grid.SetColumnVisible(s.Pos(colNo), false);
  s.editor.actEditCopyExecute();
  EXPECT_EQ(s.clipboard.Text(), "1.mp3\tA1\tt1\n2.mp3\tA2\tt2");
  s.editor.actEditCutExecute();
  EXPECT_EQ(s.clipboard.Text(), "1.mp3\tA1\tt1\n2.mp3\tA2\tt2");
  EXPECT_EQ(s.Column(colArtist) + " " + s.Column(colTitle) + " " + s.Column(colFile),
            "||A3 ||t3 1.mp3|2.mp3|3.mp3");
  s.Undo();
  EXPECT_EQ(s.Column(colArtist) + " " + s.Column(colTitle), "A1|A2|A3 t1|t2|t3");
  s.SelectBlock(colArtist, 3, colTitle, 2);
  s.editor.actEditDeleteCellExecute();
  EXPECT_EQ(s.Column(colArtist) + " " + s.Column(colTitle), "A1|| t1||");
}

// Ctrl+Enter after typing: the typed cell and its copies go back together.
// A column fill takes the selected rows only.
TEST(FillSelection, TheTypedValueGoesIntoEverySelectedRowOfItsColumn) {
  FileStage s({"t1", "t2", "t3", "t4"});
  s.SelectBlock(colAlbum, 1, colAlbum, 3);
  s.view.Type("LP");
  s.editor.actEditFillSelectionExecute();
  EXPECT_EQ(s.Column(colAlbum), "LP|LP|LP|");
  s.Undo();
  EXPECT_EQ(s.Column(colAlbum), "|||");

  s.Edit(colTitle, 2, "x");
  s.SelectBlock(colTitle, 3, colTitle, 2);
  s.editor.actEditColFillExecute();
  EXPECT_EQ(s.Column(colTitle), "t1|x|x|t4");
  s.Save();
  EXPECT_EQ(s.OnDisk(2, "Title") + s.OnDisk(0, "Album"), "x");
}

TEST(EraseTags, SelectedRowsAreAskedAboutOnceAndCleared) {
  FileStage s({"t1", "t2", "t3"});
  s.SelectBlock(colTitle, 2, colArtist, 3);
  s.presenter.answer = IDCANCEL;
  s.editor.actEditEraseTagExecute();
  EXPECT_EQ(s.grid.ChangedRowCount(), 0);
  s.presenter.answer = IDOK;
  s.editor.actEditEraseTagExecute();
  const std::string question =
      s.files[1] + "\n" + s.files[2] + "\n選択した行のタグ内容をクリアしますか？";
  EXPECT_EQ(s.presenter.texts, (std::vector<std::string>{question, question}));
  EXPECT_EQ(s.Column(colTitle) + " " + s.Column(colFile), "t1|| 1.mp3|2.mp3|3.mp3");
}

}  // namespace
}  // namespace quilmark::testing
