// Messages about many files: one per kind of outcome, listing its files
// with their reasons, however many there are.
#include "ui/file_report.h"

#include <gtest/gtest.h>

#include "ui/msgbox.h"

namespace quilmark {
namespace {

TEST(FileReport, OneMessagePerKindListingItsFilesWithTheirReasons) {
  const FileReportLine missing = CatalogueLine(MSG_CANNOT_OPEN, "/m/a.mp3", "No such file");
  EXPECT_EQ(FileReportText(missing), "/m/a.mp3\nこのファイルを開けません。(No such file)");
  EXPECT_EQ(FileReportText(CatalogueLine(MSG_CANNOT_OPEN, "", "why")),
            "このファイルを開けません。(why)");  // a blank list line has no path
  EXPECT_EQ(GroupedReportTexts({missing}), std::vector<std::string>{FileReportText(missing)});

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

  // Fifty thousand missing entries: one message of bounded length.
  std::vector<FileReportLine> many;
  for (int i = 0; i < 50000; ++i) {
    many.push_back(CatalogueLine(MSG_CANNOT_OPEN, "/m/" + std::to_string(i), "x"));
  }
  const std::vector<std::string> one = GroupedReportTexts(many);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_TRUE(one[0].starts_with("次の 50000 個のファイルを開けません。\n/m/0 (x)\n"));
  EXPECT_TRUE(one[0].ends_with("\n/m/" + std::to_string(kMaxListedFiles - 1) + " (x)\nほか " +
                               std::to_string(50000 - kMaxListedFiles) + " 個"));
}

}  // namespace
}  // namespace quilmark
