#include "support/mp3_maker.h"

#include <algorithm>
#include <cstdint>
#include <random>

#include "support/temp_dir.h"

namespace quilmark::testing {

std::string MpegAudio(int frames) {
  std::string audio;
  for (int i = 0; i < frames; ++i) {
    std::string frame(417, '\0');
    frame.replace(0, 4, "\xFF\xFB\x90\x64");
    frame[10] = static_cast<char>(i & 0xFF);
    frame[11] = static_cast<char>((i >> 8) & 0xFF);
    frame[416] = static_cast<char>(0xA5);
    audio += frame;
  }
  return audio;
}

// `n` big-endian in `bytes` bytes of `bits` bits each (7: synchsafe).
static std::string Number(std::uint32_t n, int bytes, int bits = 8) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i)
    out.push_back(static_cast<char>((n >> (bits * i)) & ((1u << bits) - 1)));
  return out;
}

std::string Id3v2Tag(int major, std::string_view body, int flags) {
  return "ID3" + std::string{static_cast<char>(major), '\0', static_cast<char>(flags)} +
         Number(static_cast<std::uint32_t>(body.size()), 4, 7) + std::string(body);
}

std::string Frame23(std::string_view id, std::string_view content, int flags) {
  return std::string(id) + Number(static_cast<std::uint32_t>(content.size()), 4) +
         Number(static_cast<std::uint32_t>(flags), 2) + std::string(content);
}

std::string Frame24(std::string_view id, std::string_view content, int flags) {
  return std::string(id) + Number(static_cast<std::uint32_t>(content.size()), 4, 7) +
         Number(static_cast<std::uint32_t>(flags), 2) + std::string(content);
}

std::string Frame22(std::string_view id, std::string_view content) {
  return std::string(id) + Number(static_cast<std::uint32_t>(content.size()), 3) +
         std::string(content);
}

std::string Id3v1Block(std::string_view title, std::string_view artist, std::string_view album,
                       std::string_view year, std::string_view comment, int track, int genre) {
  std::string block(128, '\0');
  auto put = [&block](std::size_t at, std::string_view text, std::size_t width) {
    std::copy_n(text.begin(), std::min(text.size(), width), block.begin() + static_cast<long>(at));
  };
  put(0, "TAG", 3);
  put(3, title, 30);
  put(33, artist, 30);
  put(63, album, 30);
  put(93, year, 4);
  put(97, comment, track ? 28 : 30);
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

std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(n, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

}  // namespace quilmark::testing
