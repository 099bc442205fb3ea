// List files keep every character: CP932 by default, UTF-8 with a mark when
// CP932 cannot hold the text, and any line-end convention reads.
#include <gtest/gtest.h>

#include "lists/list_text.h"
#include "platform/cp932.h"
#include "platform/file.h"
#include "support/temp_dir.h"

namespace quilmark {
namespace {

using Lines = std::vector<std::string>;

TEST(ListLineSplit, EveryLineEndConventionAndNoPhantomLastLine) {
  EXPECT_EQ(SplitListLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitListLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitListLines("a\n\r\nb"), (Lines{"a", "", "b"}));  // LF then CR LF: one blank line
  EXPECT_EQ(SplitListLines("a\r\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitListLines(""), Lines{});
  EXPECT_EQ(SplitListLines("\r\n"), (Lines{""}));
}

TEST(ListDecode, Cp932ByDefaultUtf8AfterMarkAndNulEndsText) {
  // "曲" in CP932 is 8B C8; its second byte is no separator.
  EXPECT_EQ(DecodeListText("\x8B\xC8.mp3\r\nb.mp3"), (Lines{"曲.mp3", "b.mp3"}));
  // "ソ" (83 5C) carries a backslash byte as its second half.
  EXPECT_EQ(DecodeListText("\x83\x5C.mp3"), (Lines{"ソ.mp3"}));
  EXPECT_EQ(DecodeListText("\xEF\xBB\xBF\xF0\xA0\xAE\xB7.mp3\r\n"), (Lines{"𠮷.mp3"}));
  EXPECT_EQ(DecodeListText(std::string("a\r\nb\0c\r\nd", 10)), (Lines{"a", "b"}));
  // Broken UTF-8 after a mark still gives well-formed text.
  const Lines broken = DecodeListText("\xEF\xBB\xBF\xC3(x");
  EXPECT_EQ(broken, (Lines{"\xEF\xBF\xBD(x"}));
}

TEST(ListEncode, Cp932BytesWhenRepresentableElseUtf8WithMark) {
  EXPECT_EQ(EncodeListText({"曲.mp3", "b"}), "\x8B\xC8.mp3\r\nb\r\n");
  EXPECT_EQ(EncodeListText({}), "");
  EXPECT_EQ(EncodeListText({""}), "\r\n");

  ASSERT_FALSE(platform::IsCp932Representable("𠮷"));
  const std::string mixed = EncodeListText({"曲", "𠮷"});
  EXPECT_EQ(mixed, "\xEF\xBB\xBF曲\r\n𠮷\r\n");
  EXPECT_EQ(DecodeListText(mixed), (Lines{"曲", "𠮷"}));
}

TEST(ListFile, ReadAndWriteThroughTheFileSystem) {
  testing::TempDir dir;
  const std::string path = dir.File("list.m3u");
  EXPECT_EQ(WriteListFile(path, {"a.mp3", "é"}), "");
  const ListFileText back = ReadListFile(path);
  ASSERT_TRUE(back.ok);
  EXPECT_EQ(back.lines, (Lines{"a.mp3", "é"}));

  const ListFileText missing = ReadListFile(dir.File("none.m3u"));
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find(dir.File("none.m3u")), std::string::npos);

  // A folder is no list.
  const ListFileText folder = ReadListFile(dir.Path());
  EXPECT_FALSE(folder.ok);
}

TEST(ListFile, FailedWriteNamesTheFileAndKeepsTheOldOne) {
  testing::TempDir dir;
  const std::string path = dir.File("keep.csv");
  testing::WriteBytes(path, "old\r\n");

  platform::testing::FailWritesAfter(3);
  const std::string error = WriteListFile(path, {std::string(100000, 'x')});
  platform::testing::FailWritesAfter(std::nullopt);
  EXPECT_NE(error.find(path), std::string::npos);
  EXPECT_EQ(testing::ReadBytes(path), "old\r\n");
  EXPECT_EQ(testing::CountEntries(dir.Path()), 1);  // no temporary file left behind

  const std::string noFolder = dir.File("missing/x.m3u");
  EXPECT_NE(WriteListFile(noFolder, {"a"}).find(noFolder), std::string::npos);
}

}  // namespace
}  // namespace quilmark
