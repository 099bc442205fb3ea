#include "tag/mpeg_audio.h"

namespace quilmark {

namespace {

// Bit rates in kbit/s by bit-rate index; index 0 is free format, 15 is
// invalid.
constexpr int kBitRates[5][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // 1, layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // 1, layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // 1, layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // 2 and 2.5, I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // 2 and 2.5, II, III
};
// Sample rates in Hz by version bits (2.5, reserved, 2, 1) and index.
constexpr int kSampleRates[4][3] = {
    {11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};

}  // namespace

int MpegFrameLength(std::string_view bytes) {
  if (bytes.size() < 4) return -1;
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (b(0) != 0xFF || (b(1) & 0xE0) != 0xE0) return -1;  // frame sync, 11 bits
  const int version = (b(1) >> 3) & 3;                   // 0: 2.5, 1: reserved, 2: 2, 3: 1
  const int layer = 4 - ((b(1) >> 1) & 3);               // 4: reserved
  const int bitRateIndex = b(2) >> 4;
  const int sampleRateIndex = (b(2) >> 2) & 3;
  const int padding = (b(2) >> 1) & 1;
  const int emphasis = b(3) & 3;
  if (version == 1 || layer == 4 || bitRateIndex == 15 || sampleRateIndex == 3 || emphasis == 2) {
    return -1;
  }
  if (bitRateIndex == 0) return 0;
  const bool mpeg1 = version == 3;
  const int table = mpeg1 ? layer - 1 : (layer == 1 ? 3 : 4);
  const int bitRate = kBitRates[table][bitRateIndex] * 1000;
  const int sampleRate = kSampleRates[version][sampleRateIndex];
  if (layer == 1) return (12 * bitRate / sampleRate + padding) * 4;
  const int factor = (layer == 3 && !mpeg1) ? 72 : 144;
  return factor * bitRate / sampleRate + padding;
}

bool StartsLikeMpegAudio(std::string_view head, std::uint64_t audioSize) {
  if (head.size() > kMpegProbeSize) head = head.substr(0, kMpegProbeSize);
  for (std::size_t at = head.find('\xFF'); at != std::string_view::npos;
       at = head.find('\xFF', at + 1)) {
    const int length = MpegFrameLength(head.substr(at));
    if (length < 0) continue;
    // Free format gives no length to follow: only at the very start.
    if (length == 0) {
      if (at == 0) return true;
      continue;
    }
    const std::uint64_t next = at + static_cast<std::uint64_t>(length);
    if (next == audioSize) return true;
    if (next + 4 <= head.size() && MpegFrameLength(head.substr(next)) > 0) return true;
  }
  return false;
}

}  // namespace quilmark
