// New file names: made portable from any text, and given to a file only
// where nothing stands yet, however the system renames.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "platform/portable_name.h"
#include "platform/rename_no_replace.h"
#include "platform_test_support.h"

namespace quilmark::platform {
namespace {

TEST(PortableFileName, ForbiddenCharactersDevicesTrailingDotsAndLength) {
  const std::string longStem = std::string(250, 'x') + "曲";  // 253 bytes
  for (auto [stem, extension, name] : {
           std::tuple<std::string, std::string, std::string>{"AC/DC: Live?", ".mp3",
                                                             "AC_DC_ Live_.mp3"},
           {"a\\b*c\"d<e>f|g\th\x7F", ".mp3", "a_b_c_d_e_f_g_h_.mp3"},
           {"曲 です", ".MP3", "曲 です.MP3"},
           {"con", ".mp3", "con_.mp3"},
           {"Lpt9.live", ".mp3", "Lpt9_.live.mp3"},
           {"COM10", ".mp3", "COM10.mp3"},  // not a device
           {"Mr. ", "", "Mr"},
           {"...", "", ""},
           {longStem, ".mp3", std::string(250, 'x') + ".mp3"},  // never half a character
       }) {
    const std::string made = PortableFileName(stem, extension);
    EXPECT_EQ(made, name) << stem;
    EXPECT_LE(made.size(), kMaxNameBytes) << stem;
  }
}

// Whatever stands at the new name (a file, a folder, a link to nothing)
// stays, and so does the file that was to be renamed; the system's
// no-replace rename and the link-and-remove way behave alike.
TEST(RenameWithoutReplacing, TakesOnlyAFreeName) {
  const std::pair<const char*, std::function<void(const std::string&)>> occupants[] = {
      {"nothing", [](const std::string&) {}},
      {"a file", [](const std::string& at) { WriteBytes(at, "other"); }},
      {"a folder", [](const std::string& at) { ASSERT_EQ(mkdir(at.c_str(), 0700), 0); }},
      {"a dangling link", [](const std::string& at) { ASSERT_EQ(symlink("gone", at.c_str()), 0); }},
  };
  for (bool linking : {false, true}) {
    testing::RenameByLinking(linking);
    for (const auto& [what, occupy] : occupants) {
      SCOPED_TRACE(std::string(what) + (linking ? ", linking" : ""));
      TempDir dir;
      const std::string from = dir.File("old.mp3"), to = dir.File("new.mp3");
      WriteBytes(from, "song");
      occupy(to);
      const bool free = !NameTaken(to);
      const IoStatus renamed = RenameWithoutReplacing(from, to);
      ASSERT_EQ(renamed.Ok(), free);
      if (free) {
        EXPECT_EQ(ReadBytes(to), "song");
      } else {
        EXPECT_TRUE(renamed.Error().Is(std::errc::file_exists));
        EXPECT_EQ(ReadBytes(from), "song");
      }
      EXPECT_EQ(Exists(from), !free);
      EXPECT_TRUE(NameTaken(to));
    }
    TempDir dir;
    EXPECT_TRUE(RenameWithoutReplacing(dir.File("missing"), dir.File("x"))
                    .Error()
                    .Is(std::errc::no_such_file_or_directory));
  }
  testing::RenameByLinking(false);
}

}  // namespace
}  // namespace quilmark::platform
