// Tags from file names and file names from tags on real files: the
// preview, rows refused with why, files renamed on disk only into free
// names, and Undo and Redo that rename through the file system and keep
// every other record pointing at its file.
#include <filesystem>
#include <set>

#include "bridge/file_stage.h"
#include "bridge/name_commands.h"
#include "bridge/name_dialogs.h"

namespace quilmark::testing {
namespace {

// Answers with a pattern (or cancels) and keeps the preview it was shown.
struct ScriptedNameDialogs : NameDialogs {
  bool AskNamePattern(PatternUse, std::string& pattern, const Preview& preview) override {
    if (answer) pattern = *answer;
    shown = preview(pattern);
    return answer.has_value();
  }
  std::optional<std::string> answer;
  NamePreview shown;
};

struct NameStage : FileStage {
  using FileStage::FileStage;
  // Runs a command on the rows from..to with the pattern.
  void Run(void (NameCommands::*command)(), int from, int to, const std::string& pattern) {
    SelectBlock(colTitle, from, colTitle, to);
    nameDialogs.answer = pattern;
    (names.*command)();
  }
  void Rename(int from, int to, const std::string& pattern) {
    Run(&NameCommands::actToolNamesFromTagsExecute, from, to, pattern);
  }
  // The preview's lines, cells joined by "/", lines by "|".
  std::string Shown() const {
    std::string text;
    for (const auto& line : nameDialogs.shown.lines) {
      if (!text.empty()) text += "|";
      for (std::size_t i = 0; i < line.size(); ++i) text += (i ? "/" : "") + line[i];
    }
    return text;
  }
  // The folder's names, sorted, separated by "|".
  std::string OnDiskNames() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
      names.insert(entry.path().filename().string());
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : "|") + name;
    return text;
  }
  std::string TagOf(const std::string& name, std::string_view key) const {
    return ReadTagValues(dir.File(name))->Get(key);
  }

  ScriptedNameDialogs nameDialogs;
  NameCommands names{{editor, grid, view, undo, messages, busy, measure}, nameDialogs};
};

TEST(NamesFromTags, ATakenNameIsLeftAloneAndUndoRedoRenameOnDisk) {
  NameStage s({"t1", "t2", "t3"});
  WriteBytes(s.dir.File("A2 - t2.mp3"), "another file");
  s.Rename(1, 3, "%artist% - %title%");
  EXPECT_EQ(s.Shown(),
            "1.mp3/A1 - t1.mp3/変更します|2.mp3/A2 - t2.mp3/同じ名前のファイルがすでにあります|"
            "3.mp3/A3 - t3.mp3/変更します");
  const std::string renamed = "2.mp3|A1 - t1.mp3|A2 - t2.mp3|A3 - t3.mp3";
  EXPECT_EQ(s.OnDiskNames(), renamed);
  EXPECT_EQ(ReadBytes(s.dir.File("A2 - t2.mp3")), "another file");
  EXPECT_EQ(s.Column(colFile), "A1 - t1.mp3|2.mp3|A3 - t3.mp3");
  EXPECT_EQ(s.grid.ChangedRowCount(), 0);  // no tag changed

  s.Undo();
  EXPECT_EQ(s.OnDiskNames(), "1.mp3|2.mp3|3.mp3|A2 - t2.mp3");
  EXPECT_EQ(s.Column(colFile), "1.mp3|2.mp3|3.mp3");
  s.editor.actEditRedoExecute();
  EXPECT_EQ(s.OnDiskNames(), renamed);
  EXPECT_EQ(s.Column(colFile), "A1 - t1.mp3|2.mp3|A3 - t3.mp3");

  // An old name taken meanwhile: that file stays, is named, and can be
  // tried again once its name is free.
  WriteBytes(s.files[0], "newcomer");
  s.Undo();
  EXPECT_TRUE(s.presenter.Shown(s.dir.File("A1 - t1.mp3") +
                                "\nファイル名を変更できませんでした。(" +
                                "1.mp3: 同じ名前のファイルがすでにあります)"));
  EXPECT_EQ(s.Column(colFile), "A1 - t1.mp3|2.mp3|3.mp3");
  ASSERT_EQ(std::remove(s.files[0].c_str()), 0);
  s.Undo();
  EXPECT_EQ(s.OnDiskNames(), "1.mp3|2.mp3|3.mp3|A2 - t2.mp3");
  EXPECT_EQ(s.Column(colFile), "1.mp3|2.mp3|3.mp3");
  EXPECT_EQ(s.TagOf("1.mp3", "Title"), "t1");
}

// Names that free each other go in order; a ring, a name two rows would
// share and a pattern with nothing to fill are refused row by row.
TEST(NamesFromTags, ChainsGoInOrderRingsAndSharedNamesAreRefused) {
  NameStage s({"c", "d", "f", "e", "d", ""},
              {"b.mp3", "c.mp3", "e.mp3", "f.mp3", "g.mp3", "h.mp3"});
  s.Rename(1, 6, "%title%");
  EXPECT_EQ(s.Shown(),
            "b.mp3/c.mp3/変更します|c.mp3/d.mp3/変更します|"
            "e.mp3/f.mp3/ほかの行と名前を入れ替えることになります|"
            "f.mp3/e.mp3/ほかの行と名前を入れ替えることになります|"
            "g.mp3/d.mp3/ほかの行と同じ名前になります|h.mp3//名前にするタグの値がありません");
  EXPECT_EQ(s.OnDiskNames(), "c.mp3|d.mp3|e.mp3|f.mp3|g.mp3|h.mp3");
  EXPECT_EQ(s.TagOf("c.mp3", "Title") + s.TagOf("d.mp3", "Title"), "cd");
  s.Undo();
  EXPECT_EQ(s.OnDiskNames(), "b.mp3|c.mp3|e.mp3|f.mp3|g.mp3|h.mp3");
  EXPECT_EQ(s.TagOf("b.mp3", "Title") + s.TagOf("c.mp3", "Title"), "cd");
}

// A name that does not fit the pattern, or gives a number field a
// non-digit, leaves its row alone; the others change as one step. (Undo
// after a sort and the save are the undo identity and window tests'.)
TEST(TagsFromNames, RowsWhoseNamesDoNotFitAreToldAndLeftAlone) {
  NameStage s({"x", "y", "z", "w"},
              {"03 - Cc - Gamma.mp3", "01 - Aa - Alpha.mp3", "notes.mp3", "1a - Bb - Beta.mp3"});
  s.Run(&NameCommands::actToolTagsFromNamesExecute, 1, 4, "%track% - %artist% - %title%");
  EXPECT_EQ(s.nameDialogs.shown.headers,
            (std::vector<std::string>{"ファイル名", "№", "アーティスト", "タイトル", "結果"}));
  EXPECT_EQ(s.Shown(),
            "03 - Cc - Gamma.mp3/03/Cc/Gamma/変更します|01 - Aa - Alpha.mp3/01/Aa/Alpha/変更します|"
            "notes.mp3////ファイル名がパターンに合いません|"
            "1a - Bb - Beta.mp3/1a/Bb/Beta/数字だけの項目に数字以外の文字があります");
  EXPECT_EQ(s.Column(colNo) + " " + s.Column(colArtist) + " " + s.Column(colTitle),
            "03|01|| Cc|Aa|A3|A4 Gamma|Alpha|z|w");
  s.Undo();
  EXPECT_EQ(s.Column(colTitle), "x|y|z|w");
}

}  // namespace
}  // namespace quilmark::testing
