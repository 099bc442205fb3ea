// Where a row's path comes from: names given directly and list entries are
// made absolute and normal, so one file is one row however it was spelled,
// and a folder where a file is expected is named and skipped.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bridge/add_files.h"
#include "bridge/bridge_test_support.h"
#include "bridge/save_changed_rows.h"
#include "platform/paths.h"

namespace quilmark {
namespace {

using testing::WriteBytes;
using testing::WriteMp3;
using Paths = std::vector<std::string>;

class AddedPathsTest : public testing::ListTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(F("music").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(F("lists").c_str(), 0700), 0);
    WriteMp3(F("music/x.mp3"), "X");
    WriteMp3(F("music/y.mp3"), "Y");
    start_ = platform::CurrentDirectory();
    ASSERT_TRUE(platform::SetCurrentDirectory(dir.Path()));
  }
  void TearDown() override { platform::SetCurrentDirectory(start_); }
  AddFilesResult Add(std::vector<std::string> names) { return AddFiles(grid, names, messages); }

  std::string start_;
};

// Edits in two rows of one file were saved one over the other.
TEST_F(AddedPathsTest, OneFileIsOneRowHoweverItIsSpelled) {
  WriteBytes(F("lists/l.m3u"), "../music/x.mp3\r\n" + dir.Path() + "./music//x.mp3\r\n" +
                                   dir.Path() + "lists/../music/y.mp3\r\n");
  Add({"music/x.mp3", "./music/x.mp3", F("music/x.mp3"), dir.Path() + "/music/./x.mp3",
       "lists/l.m3u", "music/../music/y.mp3"});
  EXPECT_EQ(Rows(), (Paths{F("music/x.mp3"), F("music/y.mp3")}));
  EXPECT_EQ(grid.FieldCell(colPath, 1), F("music/"));
  EXPECT_TRUE(presenter.texts.empty());
}

// The folder is named and skipped wherever it was given; it never becomes a
// row (which a playlist written later would hold as an empty line).
TEST_F(AddedPathsTest, AFolderWhereAFileIsExpectedIsNamedAndSkipped) {
  ASSERT_EQ(mkdir(F("music/disc.mp3").c_str(), 0700), 0);
  WriteBytes(F("lists/l.m3u"), "../music\r\n../music/x.mp3\r\n");
  WriteBytes(F("lists/l.csv"), "File,Title\r\n../music/disc.mp3,T\r\n");
  const AddFilesResult added = Add({"music", "music/disc.mp3", "lists/l.m3u", "lists/l.csv"});
  EXPECT_EQ(Rows(), (Paths{F("music/x.mp3")}));
  EXPECT_EQ(added.failed, 4);
  ASSERT_EQ(added.notAdded.size(), 4u);
  for (const std::string& folder : {F("music"), F("music/disc.mp3")}) {
    EXPECT_EQ(std::count_if(added.notAdded.begin(), added.notAdded.end(),
                            [&](const FileReportLine& line) {
                              return FileReportText(line) ==
                                     folder + "\nフォルダは追加できません。読み飛ばしました。";
                            }),
              2)
        << folder;
  }
}

// A relative name and a save later, from another working folder: the row
// still names the file it was read from.
TEST_F(AddedPathsTest, ARowKeepsItsFileWhenTheWorkingFolderChanges) {
  Add({"music/x.mp3"});
  ASSERT_TRUE(platform::SetCurrentDirectory(F("lists")));
  grid.SetFieldCell(colTitle, 1, "saved");
  grid.MarkRowChanged(1);
  testing::RecordingBusy busy;
  const SaveReport report = SaveChangedRows(grid, {}, messages, busy);
  ASSERT_EQ(report.files.size(), 1u);
  EXPECT_EQ(report.files[0].path, F("music/x.mp3"));
  EXPECT_EQ(report.files[0].status, SaveStatus::Written);
}

}  // namespace
}  // namespace quilmark
