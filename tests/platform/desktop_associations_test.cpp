// File associations served from a temporary set of XDG folders: the MIME
// database, the program's own desktop entry, and default applications.
#include "platform/desktop_associations.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "support/temp_dir.h"

namespace quilmark::platform {
namespace {

namespace fs = std::filesystem;
using quilmark::testing::Exists;
using quilmark::testing::ReadBytes;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

constexpr const char* kSystemGlobs =
    "# comment\n"
    "50:audio/mpeg:*.mp3\n"
    "50:text/csv:*.csv\n"
    "50:audio/x-mpegurl:*.m3u\n"
    "50:application/vnd.apple.mpegurl:*.m3u\n"
    "40:audio/x-weak:*.mp3\n"
    "not a glob line\n"
    "x:bad/weight:*.bad\n"
    "50:text/x-cs:*.CS:cs\n";

// Every file under a folder with its contents, to show what a change touched.
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
    fs::create_directories(dirs_.dataDirs[0] + "/mime");
    fs::create_directories(dirs_.dataHome);
    WriteBytes(dirs_.dataDirs[0] + "/mime/globs2", kSystemGlobs);
    WriteBytes(dirs_.dataDirs[0] + "/mime/types", "audio/mpeg\ntext/csv\naudio/x-scpls\n");
  }

  DesktopAssociations Backend(std::string refreshTool = "") {
    return DesktopAssociations({dirs_, "/opt/quilmark/bin/quilmark", std::move(refreshTool)});
  }

  std::string Entry() const { return dirs_.dataHome + "/applications/quilmark-tagedit.desktop"; }

  TempDir tmp_;
  XdgDirs dirs_;
};

TEST_F(XdgFolders, ExtensionsTakeTheHeaviestGlobAndTheFirstOnATie) {
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".mp3"), "audio/mpeg");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".MP3"), "audio/mpeg");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".m3u"), "audio/x-mpegurl");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".pls"), std::nullopt);
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".bad"), std::nullopt);
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".CS"), "text/x-cs");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".cs"), std::nullopt);  // case-sensitive glob
  EXPECT_EQ(MimeTypeForExtension(dirs_, "mp3"), std::nullopt);

  // The user's own database comes first and may drop the system's globs.
  fs::create_directories(dirs_.dataHome + "/mime");
  WriteBytes(dirs_.dataHome + "/mime/globs2",
             "50:audio/x-mpegurl:__NOGLOBS__\n60:audio/x-scpls:*.pls\n");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".m3u"), "application/vnd.apple.mpegurl");
  EXPECT_EQ(MimeTypeForExtension(dirs_, ".pls"), "audio/x-scpls");

  EXPECT_TRUE(IsKnownMimeType(dirs_, "audio/x-scpls"));  // from "types"
  EXPECT_TRUE(IsKnownMimeType(dirs_, "application/vnd.apple.mpegurl"));
  EXPECT_FALSE(IsKnownMimeType(dirs_, "audio/unheard-of"));
  EXPECT_FALSE(IsKnownMimeType(dirs_, "not a type"));
}

TEST_F(XdgFolders, RegistryViewOfAnUnassociatedSystem) {
  auto reg = Backend();
  EXPECT_TRUE(reg.KeyExists(".mp3"));
  EXPECT_EQ(reg.ReadValue(".mp3", ""), RegValue::String("audio/mpeg"));
  EXPECT_FALSE(reg.KeyExists(".pls"));
  EXPECT_EQ(reg.ReadValue(".pls", ""), std::nullopt);
  EXPECT_TRUE(reg.KeyExists("\\audio/mpeg\\shell"));
  EXPECT_TRUE(reg.KeyExists("audio/mpeg\\SHELL"));
  EXPECT_FALSE(reg.KeyExists("\\audio/mpeg\\shell\\quilmark"));
  EXPECT_FALSE(reg.KeyExists("\\audio/unknown\\shell"));
  EXPECT_FALSE(reg.KeyExists("Software\\QUIL"));
  EXPECT_EQ(reg.SubKeys("audio/mpeg\\shell"), std::vector<std::string>{});
}

TEST_F(XdgFolders, TheVerbComesAndGoesWithTheDesktopEntryAndNothingElse) {
  auto reg = Backend();
  const auto before = Snapshot(tmp_.Path());
  const std::string verb = "\\audio/mpeg\\shell\\quilmark";

  reg.CreateKey(verb);
  reg.WriteValue(verb, "", RegValue::String("タグ編集"));
  reg.CreateKey(verb + "\\command");
  reg.WriteValue(verb + "\\command", "", RegValue::String("\"/usr/local/bin/quilmark\" \"%1\""));
  ASSERT_TRUE(Exists(Entry()));
  const std::string text = ReadBytes(Entry());
  EXPECT_NE(text.find("Name=タグ編集\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Exec=\"/usr/local/bin/quilmark\" %f\n"), std::string::npos) << text;
  EXPECT_NE(text.find("MimeType=audio/mpeg;\n"), std::string::npos) << text;
  EXPECT_TRUE(reg.KeyExists(verb));
  EXPECT_EQ(reg.ReadValue(verb, ""), RegValue::String("タグ編集"));
  EXPECT_EQ(reg.ReadValue(verb + "\\command", ""),
            RegValue::String("\"/usr/local/bin/quilmark\" \"%1\""));
  EXPECT_FALSE(reg.KeyExists("\\text/csv\\shell\\quilmark"));

  // Writing again changes nothing; a second type joins the same entry.
  reg.WriteValue(verb, "", RegValue::String("タグ編集"));
  EXPECT_EQ(ReadBytes(Entry()), text);
  reg.CreateKey("\\text/csv\\shell\\quilmark");
  EXPECT_NE(ReadBytes(Entry()).find("MimeType=audio/mpeg;text/csv;\n"), std::string::npos);

  EXPECT_TRUE(reg.DeleteKey(verb));
  EXPECT_FALSE(reg.KeyExists(verb));
  EXPECT_TRUE(reg.KeyExists("\\text/csv\\shell\\quilmark"));
  EXPECT_TRUE(reg.DeleteKey("text/csv\\shell\\quilmark"));
  EXPECT_FALSE(reg.DeleteKey("text/csv\\shell\\quilmark"));
  EXPECT_FALSE(Exists(Entry()));

  auto after = Snapshot(tmp_.Path());
  EXPECT_EQ(after, before);
  EXPECT_TRUE(reg.KeyExists("\\audio/mpeg\\shell"));
}

TEST_F(XdgFolders, KeysTheSystemOwnsCannotBeWritten) {
  auto reg = Backend();
  const auto before = Snapshot(tmp_.Path());
  EXPECT_THROW(reg.CreateKey("\\audio/unknown-x\\shell"), RegistryError);
  EXPECT_THROW(reg.CreateKey(".pls"), RegistryError);
  EXPECT_THROW(reg.WriteValue(".mp3", "", RegValue::String("text/plain")), RegistryError);
  EXPECT_THROW(reg.WriteValue("audio/mpeg\\shell\\quilmark", "Other", RegValue::String("x")),
               RegistryError);
  EXPECT_THROW(reg.DeleteKey("\\audio/mpeg\\shell"), RegistryError);
  EXPECT_THROW(reg.CreateKey("\\audio/mp;eg\\shell\\quilmark"), RegistryError);
  EXPECT_NO_THROW(reg.CreateKey("\\audio/mpeg\\shell"));  // already there
  EXPECT_EQ(Snapshot(tmp_.Path()), before);
}

TEST_F(XdgFolders, AwkwardProgramPathsSurviveTheExecLineAndUserLinesStay) {
  auto reg = Backend();
  const std::string program = "/home/u/My $Apps/\"q\"\\uil`mark";
  fs::create_directories(dirs_.dataHome + "/applications");
  WriteBytes(Entry(),
             "[Desktop Entry]\nType=Application\nName=タグ編集\nComment=kept\n"
             "MimeType=text/csv;\n\n[Desktop Action extra]\nName=Extra\n");
  const std::string command = "audio/mpeg\\shell\\quilmark\\command";
  reg.WriteValue(command, "", RegValue::String("\"" + program + "\" \"%1\""));
  EXPECT_EQ(reg.ReadValue(command, ""), RegValue::String("\"" + program + "\" \"%1\""));
  const std::string text = ReadBytes(Entry());
  EXPECT_NE(text.find("Comment=kept\n"), std::string::npos);
  EXPECT_NE(text.find("MimeType=text/csv;audio/mpeg;\n"), std::string::npos) << text;
  EXPECT_LT(text.find("Exec="), text.find("[Desktop Action extra]\nName=Extra\n")) << text;
  const auto args = SplitExec("\"a b\" c\\d \"e\\\"f\"");
  ASSERT_TRUE(args.has_value());
  EXPECT_EQ(*args, (std::vector<std::string>{"a b", "c\\d", "e\"f"}));
  EXPECT_EQ(SplitExec("\"open"), std::nullopt);
}

TEST_F(XdgFolders, TheDesktopDatabaseIsRefreshedAfterAChange) {
  const std::string log = tmp_.File("refresh.log");
  const std::string tool = tmp_.File("refresh-tool");
  WriteBytes(tool, "#!/bin/sh\necho \"$@\" >> '" + log + "'\n");
  ::chmod(tool.c_str(), 0755);
  auto reg = Backend(tool);
  reg.CreateKey("audio/mpeg\\shell\\quilmark");
  reg.DeleteKey("audio/mpeg\\shell\\quilmark");
  EXPECT_EQ(ReadBytes(log),
            dirs_.dataHome + "/applications\n" + dirs_.dataHome + "/applications\n");

  auto missing = Backend(tmp_.File("no-such-tool"));
  EXPECT_NO_THROW(missing.CreateKey("audio/mpeg\\shell\\quilmark"));
}

// --- Default applications ---------------------------------------------------

class DefaultApps : public XdgFolders {
 protected:
  void App(const std::string& folder, const std::string& id, const std::string& body) {
    fs::create_directories(folder + "/applications");
    WriteBytes(folder + "/applications/" + id, "[Desktop Entry]\nType=Application\n" + body);
  }
  void List(const std::string& path, const std::string& body) {
    fs::create_directories(fs::path(path).parent_path());
    WriteBytes(path, body);
  }
};

TEST_F(DefaultApps, DefaultsThenAddedThenTheCacheSkippingTheEditorItself) {
  const std::string sys = dirs_.dataDirs[0];
  App(sys, "cached.desktop", "Name=Cached\nExec=cached %f\n");
  List(sys + "/applications/mimeinfo.cache",
       "[MIME Cache]\naudio/mpeg=quilmark-tagedit.desktop;cached.desktop;\n");
  App(dirs_.dataHome, "quilmark-tagedit.desktop",
      "Name=タグ編集\nExec=q %f\nMimeType=audio/mpeg;\n");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "audio/mpeg"), sys + "/applications/cached.desktop");

  App(sys, "added.desktop", "Name=Added\nExec=added %U\n");
  List(dirs_.configDirs[0] + "/mimeapps.list",
       "[Added Associations]\naudio/mpeg=gone.desktop;added.desktop;\n");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "audio/mpeg"), sys + "/applications/added.desktop");

  App(sys, "player.desktop", "Name=Player\nExec=player %F\n");
  App(dirs_.dataHome, "hidden.desktop", "Hidden=true\n");
  App(sys, "hidden.desktop", "Name=Hidden\nExec=hidden\n");
  List(dirs_.configHome + "/mimeapps.list",
       "[Default Applications]\naudio/mpeg=hidden.desktop;player.desktop\n");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "AUDIO/MPEG"), sys + "/applications/player.desktop");
  EXPECT_EQ(DefaultApplicationEntry(dirs_, "text/csv"), std::nullopt);
}

TEST_F(DefaultApps, ExecLinesExpandTheirFieldCodes) {
  const std::string apps = dirs_.dataHome + "/applications/";
  App(dirs_.dataHome, "a.desktop",
      "Name=My Player\nIcon=play\nExec=\"/opt/my player/run\" --name=%c %i %f %d %%x\n");
  EXPECT_EQ(CommandForFile(apps + "a.desktop", "/music/a b.mp3"),
            (std::vector<std::string>{"/opt/my player/run", "--name=My Player", "--icon", "play",
                                      "/music/a b.mp3", "%x"}));
  App(dirs_.dataHome, "u.desktop", "Exec=player %U\n");
  EXPECT_EQ(CommandForFile(apps + "u.desktop", "/music/ä #1.mp3"),
            (std::vector<std::string>{"player", "file:///music/%C3%A4%20%231.mp3"}));
  App(dirs_.dataHome, "bare.desktop", "Exec=player --queue\n");
  EXPECT_EQ(CommandForFile(apps + "bare.desktop", "/m.mp3"),
            (std::vector<std::string>{"player", "--queue", "/m.mp3"}));
  App(dirs_.dataHome, "none.desktop", "Name=x\n");
  EXPECT_EQ(CommandForFile(apps + "none.desktop", "/m.mp3"), std::nullopt);
  App(dirs_.dataHome, "open.desktop", "Exec=\"player %f\n");
  EXPECT_EQ(CommandForFile(apps + "open.desktop", "/m.mp3"), std::nullopt);
}

TEST(FindProgram, ResolvesAgainstPathAndChecksTheExecuteBit) {
  EXPECT_TRUE(FindProgram("sh").has_value());
  EXPECT_EQ(FindProgram("no-such-program-anywhere"), std::nullopt);
  TempDir dir;
  WriteBytes(dir.File("plain"), "data");
  EXPECT_EQ(FindProgram(dir.File("plain")), std::nullopt);
  EXPECT_EQ(FindProgram(dir.Path()), std::nullopt);
}

}  // namespace
}  // namespace quilmark::platform
