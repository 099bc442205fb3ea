// The edit commands with their questions: row removal, clearing the list
// and clearing tags, and the sort.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "editor_harness.h"
#include "platform/collation.h"
#include "text/comma_text.h"

namespace quilmark::testing {
namespace {

using Command = void (TrackEditor::*)();

// The placeholder row holds no file: no command may change or mark it.
TEST(EmptyList, NothingTouchesOrMarksThePlaceholder) {
  EditorStage s;
  s.Select(colTitle, 1);
  EXPECT_FALSE(s.editor.EditingAllowed());
  s.clipboard.SetText("x");
  for (Command c : {&TrackEditor::actEditDeleteCellExecute, &TrackEditor::actEditPasteExecute,
                    &TrackEditor::actEditCutExecute, &TrackEditor::actEditColFillExecute,
                    &TrackEditor::actEditDeleteRowExecute, &TrackEditor::actEditEraseTagExecute,
                    &TrackEditor::actEditEraseTagAllExecute, &TrackEditor::actEditSortExecute}) {
    (s.editor.*c)();
  }
  EXPECT_EQ(s.grid.RowCount(), 2);
  EXPECT_EQ(s.grid.RowCells(1), TrackGrid::Row{});
  EXPECT_TRUE(s.undo.Empty() && s.presenter.texts.empty());
}

// Each command that removes rows or tags asks first, naming the file where
// there is one, and a refusal leaves everything; with the questions off
// none shows and each does its work. The last file out leaves the
// placeholder.
TEST(RemovingCommands, AskFirstUnlessTheQuestionsAreOff) {
  const struct {
    Command command;
    const char* asks;
    const char* after;
  } cases[] = {
      {&TrackEditor::actEditEraseTagExecute, "/m/b\nこの行のタグ", "a:t b:* c:t"},
      {&TrackEditor::actEditEraseTagAllExecute, "すべての行のタグ", "a:* b:* c:*"},
      {&TrackEditor::actEditDeleteRowExecute, "/m/b\nこの行をリストから削除", "a:t c:t"},
      {&TrackEditor::actEditClearExecute, "リストをクリアしますか？", ""},
  };
  for (const auto& c : cases) {
    for (const bool ask : {true, false}) {
      SCOPED_TRACE(std::string(c.asks) + (ask ? "" : ", questions off"));
      EditorStage s(ask);
      for (const char* f : {"a", "b", "c"}) s.AddFile(f, "t");
      s.Select(colTitle, 2);
      s.presenter.answer = IDCANCEL;  // refuses, where asked
      (s.editor.*c.command)();
      EXPECT_EQ(s.presenter.Shown(c.asks), ask);
      EXPECT_EQ(s.presenter.texts.size(), ask ? 1u : 0u);
      EXPECT_EQ(s.Listing(), ask ? "a:t b:t c:t" : c.after);
      EXPECT_EQ(s.grid.RowCount(), ask ? 4 : std::max(s.grid.FileRowCount(), 1) + 1);
    }
  }
}

// The sort follows the user's locale; these orders are those of Japanese,
// whatever locale runs the tests (Thai, for one, ignores punctuation).
const bool kJapaneseCollation = setenv("LC_ALL", "ja_JP.UTF-8", 1) == 0;

// The sort takes shortcuts through the sort column's collation keys; the
// order must still be that of comparing whole row lines (key, 32 blanks,
// every cell), also where keys differ only in width or accents, and where a
// long run of blanks (the last word, in the second round) makes one key's
// start look like another's whole. Rows move whole, their marks and hidden
// cells with them. (That the sort is no undo step, the undo tests show.)
TEST(Sort, OrderAgreesWithComparingWholeLinesAndRowsMoveWhole) {
  ASSERT_TRUE(kJapaneseCollation);
  const platform::LocaleCollator collator(platform::LocaleCollator::Case::Ignored);
  const std::string blanks = "a" + std::string(40, ' ') + "b";
  const std::string words[] = {"a", "A",  "ab", "",  "10",  "9",     "あ",  "ア",
                               "ｱ", "亜", "É",  "e", "a,b", "\"q\"", blanks};
  for (const std::size_t count : {std::size(words) - 1, std::size(words)}) {
    std::mt19937 random(12345);
    auto pick = [&] { return words[random() % count]; };
    EditorStage s;
    std::vector<TrackGrid::Row> rows;  // by the number each row had
    for (int i = 0; i < 200; ++i) {
      const int r = s.AddFile(pick() + ".mp3", pick());
      s.grid.SetCell(colWork, r, "Title=" + pick());
      s.grid.SetCell(colCommentLong, r, std::to_string(i));  // identifies the row
      if (i % 3 == 0) s.grid.MarkRowChanged(r);
      rows.push_back(s.grid.RowCells(r));
    }
    s.view.SetCurrentCell(s.Pos(colTitle), 1);
    s.editor.actEditSortExecute();
    std::string previous;
    for (int r = 1; r < s.grid.RowCount(); ++r) {
      TrackGrid::Row moved = rows[std::stoul(s.grid.Cell(colCommentLong, r))];
      std::vector<std::string> items{s.At(colTitle, r) + std::string(32, ' ')};
      items.insert(items.end(), moved.begin(), moved.end());
      const std::string line = JoinCommaText(items);
      moved[colRowNo] = std::to_string(r);
      ASSERT_EQ(s.grid.RowCells(r), moved);
      ASSERT_LE(collator.Compare(previous, line), 0) << count << "\n" << previous << "\n" << line;
      previous = line;
    }
  }
}

}  // namespace
}  // namespace quilmark::testing
