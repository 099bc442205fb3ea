// File associations served from a temporary set of XDG folders: the MIME
// database, the program's own desktop entry, and default applications.
#include "platform/desktop_associations.h"
#include "platform/default_applications.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace quilmark::platform {
namespace {

namespace fs = std::filesystem;
using quilmark::testing::ReadBytes;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

class XdgFolders : public ::testing::Test {
 protected:
  XdgFolders() {
    WriteFile(dirs_.dataDirs[0] + "/mime/globs2", "50:audio/mpeg:*.mp3\n50:text/csv:*.csv\n");
  }
  void WriteFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    WriteBytes(path, text);
  }

  TempDir tmp_;
  XdgDirs dirs_{tmp_.File("home/share"),
                {tmp_.File("system/share")},
                tmp_.File("home/config"),
                {tmp_.File("system/xdg")},
                {}};
  DesktopAssociations reg_{{dirs_, "/opt/q/quilmark", ""}};
};

TEST_F(XdgFolders, QuotedProgramPathsRoundTripAndTheUsersOwnLinesStay) {
  EXPECT_EQ(reg_.ReadValue(".MP3", ""), RegValue::String("audio/mpeg"));
  EXPECT_TRUE(reg_.KeyExists("audio/mpeg\\SHELL"));
  EXPECT_FALSE(reg_.KeyExists("\\audio/mpeg\\shell\\quilmark"));
  WriteFile(reg_.EntryPath(),
            "[Desktop Entry]\nType=Application\nName=タグ編集\nComment=kept\n"
            "MimeType=text/csv;\n\n[Desktop Action extra]\nName=Extra\n");
  const std::string command = "\"/home/u/My $Apps/\"q\"\\uil`mark\" \"%1\"";
  reg_.WriteValue("audio/mpeg\\shell\\quilmark\\command", "", RegValue::String(command));
  EXPECT_EQ(reg_.ReadValue("\\audio/mpeg\\shell\\quilmark\\command", ""),
            RegValue::String(command));
  const std::string text = ReadBytes(reg_.EntryPath());
  EXPECT_NE(text.find("Comment=kept\n"), std::string::npos);
  EXPECT_NE(text.find("MimeType=text/csv;audio/mpeg;\n"), std::string::npos) << text;
  EXPECT_LT(text.find("Exec="), text.find("[Desktop Action extra]\nName=Extra\n")) << text;

  EXPECT_TRUE(reg_.DeleteKey("audio/mpeg\\shell\\quilmark"));
  EXPECT_FALSE(reg_.DeleteKey("audio/mpeg\\shell\\quilmark"));
  EXPECT_TRUE(reg_.KeyExists("\\text/csv\\shell\\quilmark"));
}

TEST_F(XdgFolders, TheDefaultPlayerIsNeverTheEditorItselfNorAHiddenEntry) {
  const std::string sys = dirs_.dataDirs[0] + "/applications/";
  const std::string entry = "[Desktop Entry]\nType=Application\nExec=x %f\n";
  for (const char* id : {"cached", "hidden", "player"}) WriteFile(sys + id + ".desktop", entry);
  WriteFile(dirs_.dataHome + "/applications/hidden.desktop", "[Desktop Entry]\nHidden=true\n");
  WriteFile(reg_.EntryPath(), entry + "MimeType=audio/mpeg;\n");
  WriteFile(sys + "mimeinfo.cache",
            "[MIME Cache]\naudio/mpeg=quilmark.desktop;hidden.desktop;cached.desktop;\n");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "AUDIO/MPEG"), sys + "cached.desktop");
  WriteFile(dirs_.configHome + "/mimeapps.list",
            "[Default Applications]\n"
            "audio/mpeg=hidden.desktop;quilmark.desktop;player.desktop\n");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "audio/mpeg"), sys + "player.desktop");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "text/csv"), std::nullopt);
}

}  // namespace
}  // namespace quilmark::platform
