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
  EXPECT_EQ(s.editor.Actions(), EditActions{});
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

// What says which file a row is stays; every other cell goes, hidden ones
// too.
TEST(EraseTags, KeepNumberPathAndFileClearTheRestAndMark) {
  EditorStage s;
  s.grid.SetFieldCell(colYear, s.AddFile("a.mp3", "t"), "1");
  s.grid.SetCell(colCommentLong, 1, "long");
  s.Select(colArtist, 1);
  s.editor.actEditEraseTagExecute();
  TrackGrid::Row expected{};
  expected[s.Pos(colPath)] = "/m/";
  expected[s.Pos(colFile)] = "a.mp3";
  expected[colRowNo] = "1";
  expected[colChanged] = "*";
  EXPECT_EQ(s.grid.RowCells(1), expected);
}

// The sort follows the user's locale; these orders are those of Japanese,
// whatever locale runs the tests (Thai, for one, ignores punctuation).
const bool kJapaneseCollation = setenv("LC_ALL", "ja_JP.UTF-8", 1) == 0;

// The sort takes shortcuts through the sort column's collation keys and
// compares the rest of a line only as far as it must; the order must still
// be that of comparing whole row lines: where keys are equal or differ only
// in width or accents, and where a long run of blanks makes one key's start
// look like another's whole. Rows move whole, their marks and hidden cells
// with them, and the sort is no undo step.
TEST(Sort, OrderAgreesWithComparingWholeLinesAndRowsMoveWhole) {
  ASSERT_TRUE(kJapaneseCollation);
  const platform::LocaleCollator collator(platform::LocaleCollator::Case::Ignored);
  std::vector<std::string> words = {"a",  "A", "ab", "",    "1",   "10",    "9", "あ",
                                    "ア", "ｱ", "亜", "a b", "a,b", "\"q\"", "É", "e"};
  for (const bool blankRun : {false, true}) {
    if (blankRun) words.push_back("a" + std::string(40, ' ') + "b");
    std::mt19937 random(12345);
    auto pick = [&] { return words[random() % words.size()]; };
    EditorStage s;
    std::vector<TrackGrid::Row> rows;  // by the number each row had
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i) {
      const int r = s.AddFile(pick() + ".mp3", pick());
      s.grid.SetCell(colWork, r, "Title=" + pick());
      s.grid.SetCell(colCommentLong, r, std::to_string(i));  // identifies the row
      if (i % 3 == 0) s.grid.MarkRowChanged(r);
      rows.push_back(s.grid.RowCells(r));
      std::vector<std::string> items{s.At(colTitle, r) + std::string(32, ' ')};
      items.insert(items.end(), rows.back().begin(), rows.back().end());
      lines.push_back(JoinCommaText(items));
    }
    s.view.SetCurrentCell(s.Pos(colTitle), 1);
    s.editor.actEditSortExecute();
    EXPECT_TRUE(s.undo.Empty());
    std::string previous;
    for (int r = 1; r < s.grid.RowCount(); ++r) {
      const std::size_t was = std::stoul(s.grid.Cell(colCommentLong, r));
      TrackGrid::Row moved = rows[was];
      moved[colRowNo] = std::to_string(r);
      ASSERT_EQ(s.grid.RowCells(r), moved);
      ASSERT_LE(collator.Compare(previous, lines[was]), 0) << blankRun << "\n"
                                                           << previous << "\n"
                                                           << lines[was];
      previous = lines[was];
    }
  }
}

}  // namespace
}  // namespace quilmark::testing
