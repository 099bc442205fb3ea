// Shared pieces of the tag file tests: writing a file's tags, and byte
// helpers.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/mp3_maker.h"
#include "support/temp_dir.h"
#include "tag/write_file_tags.h"

namespace quilmark::testing {

// Writes `values` as `kind` in `charset`; true when the file was written.
inline bool WriteTags(const std::string& path, const TagValues& values,
                      Charset charset = Charset::ShiftJis, TagKind kind = TagKind::Id3v23) {
  const TagWriteResult result = WriteFileTags(path, values, {kind, charset});
  EXPECT_TRUE(result.reason.empty()) << result.reason;
  return result.Written();
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
using namespace testing;
}  // namespace quilmark
