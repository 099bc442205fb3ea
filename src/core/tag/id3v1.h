// The 128-byte ID3v1 block at the end of a file, read and written.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "tag/tag_values.h"
#include "tag/text_fallback.h"
#include "text/charset.h"

namespace quilmark {

inline constexpr std::size_t kId3v1Size = 128;

// Whether the last 128 bytes of a file are an ID3v1 block ("TAG" first).
bool IsId3v1Block(std::string_view last128);

// Sets Title, Artist, Album, Year, Track, Comment and Genre, in that order,
// from a block (which must be 128 bytes and pass IsId3v1Block).
void ReadId3v1Block(std::string_view block, TagValues& values);

struct Id3v1Render {
  enum class Status {
    kBlock,           // `block` holds the 128 bytes to append
    kNothing,         // every byte after "TAG" would be zero: no block
    kTrackNotNumber,  // Track is no decimal integer: nothing may be written
  };
  Status status = Status::kNothing;
  std::string block;
  TextFallback fallback = TextFallback::None;
};

// The block for Title, Artist, Album, Commentv1 (text in `charset`; the
// comment cut to 28 bytes beside a track), Year, Track (its low 8 bits)
// and Genre (255 for none or a name outside the table); no block when
// every field is empty.
//
// When Shift-JIS or EUC-JP cannot hold the texts, or they would read back
// as another encoding, they are all written in ISO-8859-1, which other
// readers take this block's text for, if that holds them and reads back;
// else in UTF-16.
Id3v1Render RenderId3v1Block(const TagValues& values, Charset charset);

// A decimal integer, optionally signed, blanks around it allowed; nullopt
// for anything else or a value outside 32 bits.
std::optional<int> ParseDecimal(std::string_view text);

}  // namespace quilmark
