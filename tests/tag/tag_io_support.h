// Shared pieces of the tag file tests: a presenter with scripted answers, a
// busy indicator that records its texts, and byte helpers.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "messages/busy_indicator.h"
#include "messages/message_box.h"
#include "messages/message_ids.h"
#include "messages/msgbox.h"
#include "support/mp3_maker.h"
#include "support/temp_dir.h"
#include "tag/write_file_tags.h"

namespace quilmark::testing {

class ScriptedPresenter : public MessagePresenter {
 public:
  int Show(const std::string& text, const std::string&, unsigned style) override {
    texts.push_back(text);
    if (!answers.empty()) {
      int answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return (style & 0x0F) == MB_YESNOCANCEL ? IDYES : IDOK;
  }
  std::deque<int> answers;
  std::vector<std::string> texts;
};

class RecordingBusy : public BusyIndicator {
 public:
  void SetBusy(bool on) override { busy = on; }
  void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
  bool busy = false;
  std::vector<std::string> statusTexts;
};

// Writes `values` with the Charset and WriteTagVersion given; no message is expected.
inline WriteResult WriteTags(const std::string& path, const TagValues& values, int charset = 0,
                             int version = 2) {
  Settings settings;
  settings.Charset = charset;
  settings.WriteTagVersion = version;
  ScriptedPresenter presenter;
  Messages messages(settings, presenter);
  const WriteResult result = WriteFileTags(path, values, settings, messages);
  EXPECT_TRUE(presenter.texts.empty()) << presenter.texts.front();
  return result;
}

// A v2.3 frame with encoding byte 0 and single-byte text.
inline std::string Text23(std::string_view id, std::string_view text, char encoding = '\0') {
  return Frame23(id, std::string(1, encoding) + std::string(text));
}

// テスト: UTF-8, Shift-JIS and UTF-16 little-endian.
inline const std::string kTesutoUtf8 = "\u30C6\u30B9\u30C8";
inline const std::string kTesutoSjis = "\x83\x65\x83\x58\x83\x67";
inline const std::string kTesutoUtf16Le = std::string("\xC6\x30\xB9\x30\xC8\x30", 6);

}  // namespace quilmark::testing

namespace quilmark {
using namespace std::string_literals;
using testing::Frame22;
using testing::Frame23;
using testing::Frame24;
using testing::Id3v1Block;
using testing::Id3v2Tag;
using testing::MpegAudio;
using testing::Text23;
}  // namespace quilmark
