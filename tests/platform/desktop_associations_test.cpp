// File associations served from a temporary set of XDG folders: the MIME
// database, the program's own desktop entry, and default applications.
#include "platform/desktop_associations.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>

#include "support/temp_dir.h"

namespace quilmark::platform {
namespace {

namespace fs = std::filesystem;
using quilmark::testing::Exists;
using quilmark::testing::ReadBytes;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) files[e.path().string()] = ReadBytes(e.path().string());
  }
  return files;
}

class XdgFolders : public ::testing::Test {
 protected:
  XdgFolders() {
    dirs_.dataHome = tmp_.File("home/share");
    dirs_.dataDirs = {tmp_.File("system/share")};
    dirs_.configHome = tmp_.File("home/config");
    dirs_.configDirs = {tmp_.File("system/xdg")};
    fs::create_directories(dirs_.dataHome + "/applications");
    WriteFile(dirs_.dataDirs[0] + "/mime/globs2",
              "# comment\n50:audio/mpeg:*.mp3\n50:text/csv:*.csv\n50:audio/x-mpegurl:*.m3u\n"
              "50:application/vnd.apple.mpegurl:*.m3u\n40:audio/x-weak:*.mp3\nnot a glob\n"
              "x:bad/weight:*.bad\n50:text/x-cs:*.CS:cs\n");
  }
  void WriteFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    WriteBytes(path, text);
  }
  DesktopAssociations Backend(std::string tool = "") {
    return DesktopAssociations({dirs_, "/opt/q/quilmark", std::move(tool)});
  }

  TempDir tmp_;
  XdgDirs dirs_;
};

TEST_F(XdgFolders, ExtensionsTakeTheHeaviestGlobTheFirstOnATieAndTheUserFirst) {
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".MP3"), "audio/mpeg");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".m3u"), "audio/x-mpegurl");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".CS"), "text/x-cs");
  for (const char* none : {".pls", ".bad", ".cs", "mp3"}) {
    EXPECT_EQ(MimeTypeForExtension(dirs_, none), std::nullopt) << none;
  }
  WriteFile(dirs_.dataHome + "/mime/globs2",
            "50:audio/x-mpegurl:__NOGLOBS__\n60:audio/x-scpls:*.pls\n");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".m3u"), "application/vnd.apple.mpegurl");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".pls"), "audio/x-scpls");
  EXPECT_TRUE(IsKnownMimeType(dirs_, "audio/x-scpls"));
  EXPECT_FALSE(IsKnownMimeType(dirs_, "audio/unheard-of"));
}

TEST_F(XdgFolders, QuotedProgramPathsRoundTripAndTheUsersOwnLinesStay) {
  auto reg = Backend();
  EXPECT_EQ(reg.ReadValue(".mp3", ""), RegValue::String("audio/mpeg"));
  EXPECT_TRUE(reg.KeyExists("audio/mpeg\\SHELL"));
  EXPECT_FALSE(reg.KeyExists("\\audio/mpeg\\shell\\quilmark"));
  WriteBytes(reg.EntryPath(),
             "[Desktop Entry]\nType=Application\nName=タグ編集\nComment=kept\n"
             "MimeType=text/csv;\n\n[Desktop Action extra]\nName=Extra\n");
  const std::string command = "\"/home/u/My $Apps/\"q\"\\uil`mark\" \"%1\"";
  reg.WriteValue("audio/mpeg\\shell\\quilmark\\command", "", RegValue::String(command));
  EXPECT_EQ(reg.ReadValue("\\audio/mpeg\\shell\\quilmark\\command", ""), RegValue::String(command));
  const std::string text = ReadBytes(reg.EntryPath());
  EXPECT_NE(text.find("Comment=kept\n"), std::string::npos);
  EXPECT_NE(text.find("MimeType=text/csv;audio/mpeg;\n"), std::string::npos) << text;
  EXPECT_LT(text.find("Exec="), text.find("[Desktop Action extra]\nName=Extra\n")) << text;

  EXPECT_TRUE(reg.DeleteKey("audio/mpeg\\shell\\quilmark"));
  EXPECT_FALSE(reg.DeleteKey("audio/mpeg\\shell\\quilmark"));
  EXPECT_TRUE(reg.KeyExists("\\text/csv\\shell\\quilmark"));
}

TEST_F(XdgFolders, KeysTheSystemOwnsCannotBeWritten) {
  auto reg = Backend();
  const auto before = Snapshot(tmp_.Path());
  const std::function<void()> writes[] = {
      [&] { reg.CreateKey("\\audio/unknown-x\\shell"); },
      [&] { reg.CreateKey(".pls"); },
      [&] { reg.WriteValue(".mp3", "", RegValue::String("text/plain")); },
      [&] { reg.WriteValue("audio/mpeg\\shell\\quilmark", "Other", RegValue::String("x")); },
      [&] { reg.DeleteKey("\\audio/mpeg\\shell"); },
      [&] { reg.CreateKey("\\audio/mp;eg\\shell\\quilmark"); },
  };
  for (const auto& write : writes) EXPECT_THROW(write(), RegistryError);
  EXPECT_NO_THROW(reg.CreateKey("\\audio/mpeg\\shell"));  // already there
  EXPECT_EQ(Snapshot(tmp_.Path()), before);
}

TEST_F(XdgFolders, TheDesktopDatabaseIsRefreshedAfterAChangeWhenTheToolExists) {
  const std::string log = tmp_.File("refresh.log"), tool = tmp_.File("refresh-tool");
  WriteBytes(tool, "#!/bin/sh\necho \"$@\" >> '" + log + "'\n");
  ::chmod(tool.c_str(), 0755);
  auto reg = Backend(tool);
  reg.CreateKey("audio/mpeg\\shell\\quilmark");
  reg.DeleteKey("audio/mpeg\\shell\\quilmark");
  const std::string folder = dirs_.dataHome + "/applications\n";
  EXPECT_EQ(ReadBytes(log), folder + folder);
  EXPECT_NO_THROW(Backend(tmp_.File("no-such-tool")).CreateKey("audio/mpeg\\shell\\quilmark"));
}

TEST_F(XdgFolders, TheDefaultPlayerComesFirstAndIsNeverTheEditorItselfNorAHiddenEntry) {
  const std::string sys = dirs_.dataDirs[0] + "/applications/";
  const std::string entry = "[Desktop Entry]\nType=Application\nExec=x %f\n";
  for (const char* id : {"cached", "hidden", "player"}) WriteFile(sys + id + ".desktop", entry);
  WriteFile(dirs_.dataHome + "/applications/hidden.desktop", "[Desktop Entry]\nHidden=true\n");
  WriteFile(Backend().EntryPath(), entry + "MimeType=audio/mpeg;\n");
  WriteFile(sys + "mimeinfo.cache",
            "[MIME Cache]\naudio/mpeg=quilmark-tagedit.desktop;hidden.desktop;cached.desktop;\n");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "AUDIO/MPEG"), sys + "cached.desktop");
  WriteFile(dirs_.configHome + "/mimeapps.list",
            "[Default "
            "Applications]\naudio/mpeg=hidden.desktop;quilmark-tagedit.desktop;player.desktop\n");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "audio/mpeg"), sys + "player.desktop");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "text/csv"), std::nullopt);
}

TEST_F(XdgFolders, ExecLinesExpandTheirFieldCodes) {
  using Args = std::vector<std::string>;
  const struct {
    std::string body, file;
    std::optional<Args> args;
  } cases[] = {
      {"Name=My Player\nIcon=play\nExec=\"/opt/my player/run\" --name=%c %i %f %d %%x\n",
       "/m/a b.mp3",
       Args{"/opt/my player/run", "--name=My Player", "--icon", "play", "/m/a b.mp3", "%x"}},
      {"Exec=player %U\n", "/m/ä #1.mp3", Args{"player", "file:///m/%C3%A4%20%231.mp3"}},
      {"Exec=player --queue\n", "/m.mp3", Args{"player", "--queue", "/m.mp3"}},
      {"Name=x\n", "/m.mp3", std::nullopt},
      {"Exec=\"player %f\n", "/m.mp3", std::nullopt},
  };
  const std::string app = dirs_.dataHome + "/applications/a.desktop";
  for (const auto& c : cases) {
    WriteBytes(app, "[Desktop Entry]\nType=Application\n" + c.body);
    EXPECT_EQ(CommandForFile(app, c.file), c.args) << c.body;
  }
}

}  // namespace
}  // namespace quilmark::platform
