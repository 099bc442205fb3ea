// What msgbox shows and answers: kinds, the WriteConfirm switch, the prefix
// line and numbers outside the catalogue.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/msgbox.h"

namespace quilmark {
namespace {

class ScriptedPresenter : public MessagePresenter {
 public:
  struct Shown {
    std::string text, caption;
    unsigned style;
  };
  int answer = IDCANCEL;
  std::vector<Shown> shown;

  int Show(const std::string& text, const std::string& caption, unsigned style) override {
    shown.push_back({text, caption, style});
    return answer;
  }
};

class MsgboxTest : public ::testing::Test {
 protected:
  Settings settings;
  ScriptedPresenter presenter;
  Messages messages{settings, presenter};
};

TEST_F(MsgboxTest, QuestionsOffAnswerEachKindsDefaultWithoutShowing) {
  settings.WriteConfirm = false;
  EXPECT_EQ(messages.msgbox(MSG_CONFIRM_SAVE_ON_CLOSE), IDNO);
  EXPECT_EQ(messages.msgbox(MSG_CONFIRM_WRITE_FILE, "/m/a.mp3"), IDYES);
  EXPECT_EQ(messages.msgbox(MSG_CONFIRM_CLEAR_LIST), IDOK);
  EXPECT_EQ(messages.msgbox(MSG_CONFIRM_ERASE_ALL_TAGS), IDOK);
  // Unknown numbers of the question kinds are answered the same way.
  EXPECT_EQ(messages.msgbox(0x1000ABCD), IDOK);
  EXPECT_EQ(messages.msgbox(0x2FFFFFFF), IDYES);
  EXPECT_EQ(messages.msgbox(0x30000001), IDNO);
  EXPECT_TRUE(presenter.shown.empty());

  // Information is shown all the same.
  presenter.answer = IDOK;
  EXPECT_EQ(messages.msgbox(MSG_CANNOT_WRITE, "/m/a.mp3"), IDOK);
  ASSERT_EQ(presenter.shown.size(), 1u);
  EXPECT_EQ(presenter.shown[0].text, "/m/a.mp3\nこのファイルに対して書き込めません。");
  EXPECT_EQ(presenter.shown[0].caption, "QUILMARK for Win32");
  EXPECT_EQ(presenter.shown[0].style, MB_OK | MB_ICONINFORMATION);
}

TEST_F(MsgboxTest, QuestionsOnShowTheirButtonsAndReturnTheAnswer) {
  settings.WriteConfirm = true;
  presenter.answer = IDCANCEL;
  EXPECT_EQ(messages.msgbox(MSG_CONFIRM_WRITE_FILE, "C:\\m\\a.mp3"), IDCANCEL);
  presenter.answer = IDNO;
  EXPECT_EQ(messages.msgbox(MSG_CONFIRM_SAVE_ON_CLOSE), IDNO);
  presenter.answer = IDOK;
  EXPECT_EQ(messages.msgbox(MSG_CONFIRM_DELETE_ROW, "x.mp3"), IDOK);

  ASSERT_EQ(presenter.shown.size(), 3u);
  EXPECT_EQ(presenter.shown[0].style, 0x23u);
  EXPECT_EQ(presenter.shown[0].text,
            "C:\\m\\a.mp3\nこのファイルに対して書き込みますか？\n"
            "(キャンセルを選択すると以後のファイルに書き込みません)");
  EXPECT_EQ(presenter.shown[1].style, 0x23u);
  EXPECT_EQ(presenter.shown[1].text, "内容が変更されています。\n保存しますか？");
  EXPECT_EQ(presenter.shown[2].style, 0x21u);
  EXPECT_EQ(presenter.shown[2].text, "x.mp3\nこの行をリストから削除しますか？");
}

TEST_F(MsgboxTest, PrefixLineOnlyWhenGivenAndOnlyForEntriesThatTakeIt) {
  settings.WriteConfirm = true;
  messages.msgbox(MSG_CONFIRM_DELETE_ROW);
  messages.msgbox(MSG_OUT_OF_MEMORY, "/m/a.mp3");
  messages.msgbox(MSG_CONFIRM_ERASE_ALL_TAGS, "/m/a.mp3");
  messages.msgbox(MSG_TAG_COMPRESSED, "/m/a.mp3");
  ASSERT_EQ(presenter.shown.size(), 4u);
  EXPECT_EQ(presenter.shown[0].text, "この行をリストから削除しますか？");
  EXPECT_EQ(presenter.shown[1].text, "メモリまたはシステムリソースが不足しています。");
  EXPECT_EQ(presenter.shown[2].text, "すべての行のタグ内容をクリアしますか？");
  EXPECT_EQ(
      presenter.shown[3].text,
      "/m/a.mp3\nこのファイルに含まれるタグは圧縮されていますが、\nまだサポートしていません。");
  // Kind 0 even when the number has other bits set below the kind.
  EXPECT_EQ(presenter.shown[3].style, MB_OK | MB_ICONINFORMATION);
}

TEST_F(MsgboxTest, UnknownNumbersShowTheInvalidIdErrorAlone) {
  settings.WriteConfirm = true;
  presenter.answer = IDOK;
  for (MessageId id : {MessageId{0x00000001}, MessageId{0x10000002}, MessageId{0x40000000},
                       MessageId{0xF0000000}, MessageId{0x01000000}}) {
    EXPECT_EQ(messages.msgbox(id, "/m/a.mp3"), IDOK);
  }
  ASSERT_EQ(presenter.shown.size(), 5u);
  for (const auto& shown : presenter.shown) {
    EXPECT_EQ(shown.text, "メッセージＩＤが不正です。");
    EXPECT_EQ(shown.style, MB_OK | MB_ICONERROR);
  }
  // Outside the question kinds nothing silences it.
  settings.WriteConfirm = false;
  messages.msgbox(0x50000000);
  EXPECT_EQ(presenter.shown.size(), 6u);
}

TEST_F(MsgboxTest, NoticesAreShownWhateverQuestionsSay) {
  settings.WriteConfirm = false;
  messages.Notice("help failed");
  ASSERT_EQ(presenter.shown.size(), 1u);
  EXPECT_EQ(presenter.shown[0].style, MB_OK | MB_ICONERROR);
  EXPECT_EQ(presenter.shown[0].caption, "QUILMARK for Win32");
}

}  // namespace
}  // namespace quilmark
