// Reading a file's tags and rewriting it, as a save does. Whatever the old
// file held: the audio between the tags is carried byte for byte, and the
// new file reads back with the values written. The first byte chooses the
// tag kind and the text encoding; the rest is the file.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "platform/file.h"
#include "tag/id3v1.h"
#include "tag/id3v2_header.h"
#include "tag/tag_file.h"
#include "tag/write_file_tags.h"

namespace {

using namespace quilmark;

constexpr TagKind kKinds[] = {TagKind::Id3v1, TagKind::Id3v22, TagKind::Id3v23, TagKind::Id3v24};
constexpr Charset kCharsets[] = {Charset::ShiftJis, Charset::EucJp, Charset::Utf16Le,
                                 Charset::Utf16Be};

std::string AudioOf(const std::string& path) {
  auto file = platform::File::Open(path, platform::File::Mode::Read);
  if (!file) fuzz::Broken("the file cannot be opened");
  auto layout = ProbeTagLayout(*file);
  if (!layout) fuzz::Broken("the layout cannot be read");
  std::string audio(static_cast<std::size_t>(layout->audioSize), '\0');
  if (!file->ReadExactlyAt(layout->audioStart, audio.data(), audio.size())) {
    fuzz::Broken("the audio cannot be read");
  }
  return audio;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const TagWriteOptions options{kKinds[data[0] % 4], kCharsets[(data[0] >> 2) % 4], false, false};
  const std::string path = fuzz::WriteScratchFile(
      "rewrite.mp3", std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  const std::string audio = AudioOf(path);

  TagValues values;
  values.Set(keys::Title, "fuzz");
  values.Set(keys::Artist, "\xE6\x96\xB0\xE3\x81\x97\xE3\x81\x84");  // 新しい
  values.Set(keys::Comment, "eng\\0long text");
  values.Set(keys::Track, "7");
  values.Set(keys::URL, "http://example.com/");
  const TagWriteResult result = WriteFileTags(path, values, options);
  if (!result.Written()) return 0;

  // The new file is our tag, then the old audio exactly, then (for ID3v1)
  // our block: read by its own header, not guessed from the content.
  const std::string bytes = fuzz::ReadScratchFile(path);
  std::size_t start = 0, end = bytes.size();
  if (options.kind == TagKind::Id3v1) {
    if (end < kId3v1Size || !IsId3v1Block(std::string_view(bytes).substr(end - kId3v1Size))) {
      fuzz::Broken("no ID3v1 block at the end");
    }
    end -= kId3v1Size;
  } else {
    const auto header = ParseId3v2Header(bytes);
    if (!header || header->major != Id3v2Major(options.kind)) fuzz::Broken("no ID3v2 tag written");
    start = kId3v2HeaderSize + header->size;
  }
  if (start > end || std::string_view(bytes).substr(start, end - start) != audio) {
    fuzz::Broken("the audio changed");
  }
  const auto back = ReadTagValues(path);
  if (!back) fuzz::Broken("the new file cannot be read");
  if (options.kind != TagKind::Id3v1 && back->Get(keys::Title) != "fuzz") {
    fuzz::Broken("the title does not read back");
  }
  return 0;
}
