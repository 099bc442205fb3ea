// Makes MP3 files for tests: a few frames of MPEG-1 Layer III audio, with
// or without tags made from raw bytes.
#pragma once

#include <string>
#include <string_view>

namespace quilmark::testing {

// `frames` frames of silent 128 kbit/s 44.1 kHz MPEG-1 Layer III audio
// (417 bytes each), with a counter in each frame so that a misplaced copy
// of the audio shows.
std::string MpegAudio(int frames = 4);

// An ID3v2 tag: header for `major` with the size taken from `body`
// (synchsafe), then `body`.
std::string Id3v2Tag(int major, std::string_view body, int flags = 0);
// A v2.3 frame (plain 32-bit size) or v2.4 frame (synchsafe size).
std::string Frame23(std::string_view id, std::string_view content, int flags = 0);
std::string Frame24(std::string_view id, std::string_view content, int flags = 0);
std::string Frame22(std::string_view id, std::string_view content);

// A 128-byte ID3v1 block from its fields (each padded with zeros).
std::string Id3v1Block(std::string_view title, std::string_view artist = {},
                       std::string_view album = {}, std::string_view year = {},
                       std::string_view comment = {}, int track = 0, int genre = 255);

// Writes an MP3 file with an ID3v2.3 tag of the text frames given (title,
// artist, encoder; ASCII or Shift-JIS bytes), or no tag when all are empty.
void WriteMp3(const std::string& path, std::string_view title = {}, std::string_view artist = {},
              std::string_view encoder = {});

// `n` bytes that are the same on every run for the same seed: the body of a
// picture no rule of ours could rebuild.
std::string RandomBytes(std::size_t n, unsigned seed);

}  // namespace quilmark::testing
