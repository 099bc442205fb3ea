// What msgbox shows and answers: each kind's buttons and silent default, the
// WriteConfirm switch, the prefix line and numbers outside the catalogue.
#include <gtest/gtest.h>

#include <string>

#include "ui/msgbox.h"

namespace quilmark {
namespace {

// Answers every box with `answer` and keeps what the last one showed.
struct ScriptedPresenter : MessagePresenter {
  int Show(const std::string& t, const std::string& c, unsigned s) override {
    ++shown, text = t, caption = c, style = s;
    return answer;
  }
  int answer = IDCANCEL, shown = 0;
  std::string text, caption;
  unsigned style = 0;
};

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
    ScriptedPresenter presenter;
    presenter.answer = c.userAnswer;
    EXPECT_EQ(Messages(c.confirm, presenter).msgbox(c.id, c.prefix), c.expected);
    ASSERT_EQ(presenter.shown, c.text ? 1 : 0);
    if (!c.text) continue;
    EXPECT_EQ(presenter.text, c.text);
    EXPECT_EQ(presenter.caption, "QUILMARK for Win32");
    EXPECT_EQ(presenter.style, c.style);
  }
}

}  // namespace
}  // namespace quilmark
