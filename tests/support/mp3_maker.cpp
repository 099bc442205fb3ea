#include "support/mp3_maker.h"

#include <algorithm>
#include <cstdint>

#include "support/temp_dir.h"

namespace quilmark::testing {

std::string MpegAudio(int frames) {
  std::string audio;
  for (int i = 0; i < frames; ++i) {
    std::string frame(417, '\0');
    frame[0] = static_cast<char>(0xFF);
    frame[1] = static_cast<char>(0xFB);
    frame[2] = static_cast<char>(0x90);
    frame[3] = static_cast<char>(0x64);
    frame[10] = static_cast<char>(i & 0xFF);
    frame[11] = static_cast<char>((i >> 8) & 0xFF);
    frame[416] = static_cast<char>(0xA5);
    audio += frame;
  }
  return audio;
}

static void PutSynchsafe(std::string& out, std::uint32_t n) {
  out.push_back(static_cast<char>((n >> 21) & 0x7F));
  out.push_back(static_cast<char>((n >> 14) & 0x7F));
  out.push_back(static_cast<char>((n >> 7) & 0x7F));
  out.push_back(static_cast<char>(n & 0x7F));
}

static void PutBigEndian(std::string& out, std::uint32_t n, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
}

std::string Id3v2Tag(int major, std::string_view body, int flags) {
  std::string tag = "ID3";
  tag.push_back(static_cast<char>(major));
  tag.push_back('\0');
  tag.push_back(static_cast<char>(flags));
  PutSynchsafe(tag, static_cast<std::uint32_t>(body.size()));
  tag += body;
  return tag;
}

std::string Frame23(std::string_view id, std::string_view content, int flags) {
  std::string f(id);
  PutBigEndian(f, static_cast<std::uint32_t>(content.size()), 4);
  PutBigEndian(f, static_cast<std::uint32_t>(flags), 2);
  f += content;
  return f;
}

std::string Frame24(std::string_view id, std::string_view content, int flags) {
  std::string f(id);
  PutSynchsafe(f, static_cast<std::uint32_t>(content.size()));
  PutBigEndian(f, static_cast<std::uint32_t>(flags), 2);
  f += content;
  return f;
}

std::string Frame22(std::string_view id, std::string_view content) {
  std::string f(id);
  PutBigEndian(f, static_cast<std::uint32_t>(content.size()), 3);
  f += content;
  return f;
}

static void PutField(std::string& block, std::size_t at, std::string_view text, std::size_t width) {
  std::copy_n(text.begin(), std::min(text.size(), width), block.begin() + static_cast<long>(at));
}

std::string Id3v1Block(std::string_view title, std::string_view artist, std::string_view album,
                       std::string_view year, std::string_view comment, int track, int genre) {
  std::string block(128, '\0');
  PutField(block, 0, "TAG", 3);
  PutField(block, 3, title, 30);
  PutField(block, 33, artist, 30);
  PutField(block, 63, album, 30);
  PutField(block, 93, year, 4);
  PutField(block, 97, comment, track ? 28 : 30);
  if (track) block[126] = static_cast<char>(track);
  block[127] = static_cast<char>(genre);
  return block;
}

void WriteMp3(const std::string& path, std::string_view title, std::string_view artist,
              std::string_view encoder) {
  std::string body;
  for (auto [id, text] : {std::pair{"TIT2", title}, {"TPE1", artist}, {"TENC", encoder}})
    if (!text.empty()) body += Frame23(id, std::string(1, '\0') + std::string(text));
  WriteBytes(path, (body.empty() ? "" : Id3v2Tag(3, body + std::string(64, '\0'))) + MpegAudio(2));
}

}  // namespace quilmark::testing
