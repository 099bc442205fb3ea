// What the user is told: msgbox's text, buttons and silent default for each
// kind (the WriteConfirm switch, the prefix line, numbers outside the
// catalogue), and the messages about many files, one per kind of outcome
// listing its files with their reasons, however many there are.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/recording_presenter.h"
#include "ui/file_report.h"
#include "ui/msgbox.h"

namespace quilmark {
namespace {

TEST(Msgbox, AnswersByKindSwitchAndCatalogue) {
  struct Case {
    MessageId id;
    const char* prefix;
    bool confirm;
    int userAnswer, expected;
    const char* text;  // nullptr: nothing is shown
    unsigned style;
  };
  const Case cases[] = {
      // Questions off: the kind's default, known number or not.
      {MSG_CONFIRM_SAVE_ON_CLOSE, "", false, IDCANCEL, IDNO, nullptr, 0},
      {MSG_CANNOT_WRITE, "/m/a.mp3", false, IDOK, IDOK,
       "/m/a.mp3\nこのファイルに対して書き込めません。", MB_OK | MB_ICONINFORMATION},
      // Questions on: the kind's buttons, the user's answer.
      {MSG_CONFIRM_WRITE_FILE, "C:\\m\\a.mp3", true, IDCANCEL, IDCANCEL,
       "C:\\m\\a.mp3\nこのファイルに対して書き込みますか？\n"
       "(キャンセルを選択すると以後のファイルに書き込みません)",
       0x23},
      // Entries without a prefix line drop the one given.
      {MSG_CONFIRM_ERASE_ALL_TAGS, "/m/a.mp3", true, IDOK, IDOK,
       "すべての行のタグ内容をクリアしますか？", 0x21},
      // Unknown numbers show the error alone; outside the question kinds
      // nothing silences it.
      {0x50000000, "", false, IDOK, IDOK, "メッセージＩＤが不正です。", MB_OK | MB_ICONERROR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.id));
    testing::RecordingPresenter presenter;
    presenter.answer = c.userAnswer;
    EXPECT_EQ(Messages(c.confirm, presenter).msgbox(c.id, c.prefix), c.expected);
    ASSERT_EQ(presenter.texts.size(), c.text ? 1u : 0u);
    if (!c.text) continue;
    EXPECT_EQ(presenter.texts[0], c.text);
    EXPECT_EQ(presenter.style, c.style);
  }
}

TEST(FileReport, OneMessagePerKindListingItsFilesWithTheirReasons) {
  const FileReportLine missing = CatalogueLine(MSG_CANNOT_OPEN, "/m/a.mp3", "No such file");
  EXPECT_EQ(FileReportText(missing), "/m/a.mp3\nこのファイルを開けません。(No such file)");
  EXPECT_EQ(FileReportText(CatalogueLine(MSG_CANNOT_OPEN, "", "why")),
            "このファイルを開けません。(why)");  // a blank list line has no path

  const std::vector<FileReportLine> lines = {
      missing,
      CatalogueLine(MSG_CANNOT_WRITE, "/m/b.mp3", "the file is read-only"),
      CatalogueLine(MSG_CANNOT_OPEN, "/m/c.mp3", "Permission denied"),
      {"/m/d.mp3", "ほかの名前は元の内容のままです。", ""},
      {"/m/e.mp3", "ほかの名前は元の内容のままです。", ""},
  };
  EXPECT_EQ(GroupedReportTexts(lines),
            (std::vector<std::string>{
                "次の 2 個のファイルを開けません。\n/m/a.mp3 (No such file)\n"
                "/m/c.mp3 (Permission denied)",
                "/m/b.mp3\nこのファイルに対して書き込めません。(the file is read-only)",
                "ほかの名前は元の内容のままです。(2 個のファイル)\n/m/d.mp3\n/m/e.mp3",
            }));

  // However many files, one message of bounded length.
  const auto many = GroupedReportTexts(std::vector(kMaxListedFiles + 2, missing));
  ASSERT_EQ(many.size(), 1u);
  EXPECT_EQ(std::ranges::count(many[0], '\n'), kMaxListedFiles + 1) << many[0].size();
  EXPECT_TRUE(many[0].ends_with("/m/a.mp3 (No such file)\nほか 2 個"));
}

}  // namespace
}  // namespace quilmark
