// Find and replace, conversions and track numbering over real files: the
// rows and columns each takes, one undo step each, and what the status text
// says. (What a save writes, the save's own tests try.)
#include "bridge/bridge_test_support.h"
#include "bridge/file_stage.h"
#include "bulk/bulk_commands.h"
#include "bulk/bulk_dialogs.h"

namespace quilmark::testing {
namespace {

// Answers the questions as set, keeping what was offered; fields left
// empty in the answer stay as offered.
struct AnsweringDialogs : BulkDialogs {
  bool AskFindReplace(FindReplaceOptions& options, bool rowsSelected) override {
    offered = options;
    offeredRows = rowsSelected;
    options = replace;
    if (options.fields.empty()) options.fields = offered.fields;
    return true;
  }
  bool AskNumbering(NumberingOptions& options, int, int) override {
    options = numbering;
    return true;
  }
  FindReplaceOptions replace, offered;
  NumberingOptions numbering;
  bool offeredRows = false;
};

struct BulkStage : FileStage {
  using FileStage::FileStage;
  void Replace(FindReplaceOptions answer) {
    bulkDialogs.replace = std::move(answer);
    bulk.actEditReplaceExecute();
  }
  void Number(NumberingOptions answer) {
    bulkDialogs.numbering = answer;
    bulk.actEditNumberTracksExecute();
  }
  std::string Status() const { return status.statusTexts.empty() ? "" : status.statusTexts.back(); }

  AnsweringDialogs bulkDialogs;
  RecordingBusy status;
  BulkCommands bulk{{editor, grid, view, undo, messages, status, measure}, bulkDialogs};
};

TEST(Replace, SelectedRowsOfTheBlocksColumnsTheCountInTheStatusOneStep) {
  BulkStage s({"Love me", "love you", "LOVE", "other"});
  s.SelectBlock(colTitle, 1, colTitle, 2);
  s.Replace({"love", "Like", false, false, {}, true});
  EXPECT_EQ(s.bulkDialogs.offered.fields, std::vector<Field>{colTitle});
  EXPECT_TRUE(s.bulkDialogs.offered.selectedRowsOnly && s.bulkDialogs.offeredRows);
  EXPECT_EQ(s.Column(colTitle), "Like me|Like you|LOVE|other");
  EXPECT_EQ(s.Status(), "2 件置換しました。");

  s.Select(colTitle, 4);  // one cell: every row, and the last columns chosen
  s.Replace({"(\\w+) (\\w+)", "$2, $1", true, true, {}, false});
  EXPECT_EQ(s.Column(colTitle), "me, Like|you, Like|LOVE|other");
  s.Undo(2);
  EXPECT_EQ(s.Column(colTitle), "Love me|love you|LOVE|other");
  s.Replace({"nothing", "x", false, false, {}, false});
  EXPECT_EQ(s.Status(), "見つかりませんでした。");
}

TEST(Replace, AHiddenColumnIsReplacedOnlyWhenChosen) {
  BulkStage s({"t1", "t2"});
  s.grid.SetColumnVisible(s.Pos(colArtist), false);
  s.Select(colTitle, 1);
  s.Replace({"1", "9", false, false, {}, false});
  EXPECT_EQ(s.Column(colArtist) + " " + s.Column(colTitle), "A1|A2 t9|t2");
  s.Replace({"A", "B", false, true, {colArtist}, false});
  EXPECT_EQ(s.Column(colArtist), "B1|B2");
}

TEST(Replace, ABadPatternOrANonDigitYearChangesNothing) {
  BulkStage s({"t1", "t2"});
  s.Select(colTitle, 1);
  s.Replace({"(t", "x", true, false, {}, false});
  EXPECT_TRUE(s.presenter.Shown("(t\n"));
  EXPECT_TRUE(s.presenter.Shown("検索する文字列または置換後の文字列が正しくありません。"));
  s.Replace({"^", "y", true, false, {colTitle, colYear}, false});
  EXPECT_TRUE(s.presenter.Shown("年 1行目: y\n数値として不適切"));
  s.grid.SetFieldCell(colNo, 1, "3/12");  // as a file gave it: gains no letter
  s.Replace({"/", "-", false, false, {colNo}, false});
  EXPECT_EQ(s.Column(colTitle) + " " + s.At(colNo, 1), "t1|t2 3/12");
  EXPECT_TRUE(s.undo.Empty());
}

TEST(Convert, TheBlocksCellsAsOneStepAndNumbersStayDigits) {
  BulkStage s({"ｈｅｌｌｏ　ｗｏｒｌｄ", "ﾊﾟﾝﾀﾞ", "ｘ"});
  s.SelectBlock(colArtist, 1, colTitle, 2);
  s.bulk.Convert(platform::TextConversion::AsciiToHalfwidth);
  EXPECT_EQ(s.Column(colTitle), "hello world|ﾊﾟﾝﾀﾞ|ｘ");
  EXPECT_EQ(s.Status(), "1 個のセルを変換しました。");
  s.Undo();
  EXPECT_EQ(s.Column(colTitle), "ｈｅｌｌｏ　ｗｏｒｌｄ|ﾊﾟﾝﾀﾞ|ｘ");

  s.grid.SetFieldCell(colYear, 1, "1999");
  s.SelectBlock(colYear, 1, colYear, 2);
  s.bulk.Convert(platform::TextConversion::AsciiToFullwidth);
  EXPECT_TRUE(s.presenter.Shown("年 1行目: １９９９"));
  EXPECT_EQ(s.At(colYear, 1), "1999");
}

TEST(Numbering, FollowsTheGridOrderAfterASortAndTheSelectedRows) {
  BulkStage s({"c", "a", "b", "d"});
  s.view.SetCurrentCell(s.Pos(colTitle), 1);
  s.editor.actEditSortExecute();
  s.Number({1, true, 2, false});
  EXPECT_EQ(s.Column(colNo), "01/04|02/04|03/04|04/04");
  EXPECT_EQ(s.Status(), "4 行に番号を付けました。");
  s.SelectBlock(colTitle, 2, colArtist, 3);
  s.Number({7, false, 0, true});
  EXPECT_EQ(s.Column(colNo), "01/04|7|8|04/04");
  s.Undo();
  EXPECT_EQ(s.Column(colNo), "01/04|02/04|03/04|04/04");
}

}  // namespace
}  // namespace quilmark::testing
