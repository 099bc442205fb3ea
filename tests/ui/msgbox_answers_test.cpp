// What msgbox shows and answers: each kind's buttons and silent default, the
// WriteConfirm switch, the prefix line and numbers outside the catalogue.
#include <gtest/gtest.h>

#include <string>

#include "support/recording_presenter.h"
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
      {MSG_CONFIRM_WRITE_FILE, "/m/a.mp3", false, IDCANCEL, IDYES, nullptr, 0},
      {0x1000ABCD, "", false, IDCANCEL, IDOK, nullptr, 0},
      {MSG_CANNOT_WRITE, "/m/a.mp3", false, IDOK, IDOK,
       "/m/a.mp3\nこのファイルに対して書き込めません。", MB_OK | MB_ICONINFORMATION},
      // Questions on: the kind's buttons, the user's answer.
      {MSG_CONFIRM_WRITE_FILE, "C:\\m\\a.mp3", true, IDCANCEL, IDCANCEL,
       "C:\\m\\a.mp3\nこのファイルに対して書き込みますか？\n"
       "(キャンセルを選択すると以後のファイルに書き込みません)",
       0x23},
      {MSG_CONFIRM_SAVE_ON_CLOSE, "", true, IDNO, IDNO, "内容が変更されています。\n保存しますか？",
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
    EXPECT_EQ(presenter.caption, "QUILMARK for Win32");
    EXPECT_EQ(presenter.style, c.style);
  }
}

}  // namespace
}  // namespace quilmark
