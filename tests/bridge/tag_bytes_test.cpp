// The bytes a save puts into a file where the row meets what the file held:
// an ID3v1 block's track and genre, a URL's old description, and a tag
// whose last frame runs past the size its header declares.
#include "bridge/bridge_test_support.h"
#include "tag/tag_io_support.h"

namespace quilmark {
namespace {

class TagBytes : public testing::SongSaveTest {
 protected:
  // The frames of the saved file's ID3v2 tag, padding included.
  std::string SavedBody() {
    const std::string bytes = testing::ReadBytes(path_);
    std::size_t size = 0;
    for (int i = 6; i < 10; ++i) size = size << 7 | static_cast<unsigned char>(bytes[i]);
    return bytes.substr(10, size);
  }
  // What follows the saved file's ID3v2 tag.
  std::string SavedAudio() { return testing::ReadBytes(path_).substr(10 + SavedBody().size()); }
};

// The last 128 bytes of the file for a comment, a track and a genre.
TEST_F(TagBytes, Id3v1TrackCutsTheCommentToItsV11WidthAndNoGenreIs255) {
  options_.kind = TagKind::Id3v1;
  const std::tuple<const char*, std::string, const char*, const char*, std::string> cases[] = {
      {"a track beside a comment of 30 bytes", std::string(30, 'c'), "5", "",
       Id3v1Block("", "", "", "", std::string(28, 'c'), 5)},
      {"the genre Blues alone", "", "", "Blues", Id3v1Block("", "", "", "", "", 0, 0)},
  };
  for (const auto& [why, comment, track, genre, block] : cases) {
    SCOPED_TRACE(why);
    Add(audio_);
    grid_.SetFieldCell(colComment, 1, comment);
    grid_.SetFieldCell(colNo, 1, track);
    EditAndSave(colGenre, genre);
    EXPECT_TRUE(testing::ReadBytes(path_) == audio_ + block);
  }
}

TEST_F(TagBytes, AUrlKeepsItsDescriptionUntilTheAddressIsEdited) {
  const std::string home = Frame23("WXXX",
                                   "\x00"          // encoding
                                   "home\x00"      // description
                                   "http://a/"s);  // address
  const std::string other = Frame23("WXXX", "\0\0http://b/"s);
  Add(Id3v2Tag(3, Text23("TIT2", "old") + home + other) + audio_);

  // The other frame has a description of its own, so it stays too.
  EditAndSave(colTitle, "new");
  EXPECT_TRUE(SavedBody().starts_with(Text23("TIT2", "new") + home + other));

  // An address the user typed has no description; it takes the place of
  // the frame without one.
  EditAndSave(colURL, "http://c/");
  EXPECT_TRUE(
      SavedBody().starts_with(Text23("TIT2", "new") + Frame23("WXXX", "\0\0http://c/"s) + "\0"s));
}

TEST_F(TagBytes, TheLastFrameRunningPastTheTagSizeIsReadToTheEndOfTheFileAndKept) {
  const std::string title = Text23("TIT2", "title");
  const std::string artist = Text23("TPE1", "artist");
  const std::string artistPastTheEnd = "TPE1\0\0\0\x64\0\0\0artist"s;  // claims 100 bytes
  // The declared size ends inside the artist frame, after its first 3 bytes.
  auto understated = [&](const std::string& frame, const std::string& tail) {
    return Id3v2Tag(3, title + frame.substr(0, 13)) + frame.substr(13) + tail;
  };
  const struct {
    const char* title;
    std::string bytes, shownArtist, audio;
  } cases[] = {
      {"audio follows the frame", understated(artist, audio_), "artist", audio_},
      {"the frame runs past the end of the file", understated(artistPastTheEnd, ""), "artist", ""},
      // The declared size was right and the frame size is wrong: audio
      // starts where the tag ends, and it stays audio.
      {"audio starts at the declared end",
       Id3v2Tag(3, title + "TPE1\0\0\0\x50\0\0\0artist"s) + audio_, "", audio_},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    Add(c.bytes);
    EXPECT_EQ(grid_.FieldCell(colArtist, 1), c.shownArtist);

    EditAndSave(colTitle, "new");
    EXPECT_TRUE(SavedBody().starts_with(
        Text23("TIT2", "new") + (c.shownArtist.empty() ? "" : Text23("TPE1", c.shownArtist))));
    EXPECT_TRUE(SavedAudio() == c.audio);
  }
}

}  // namespace
}  // namespace quilmark
