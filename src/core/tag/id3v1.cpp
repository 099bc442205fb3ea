#include "tag/id3v1.h"

#include <algorithm>
#include <cstdint>

#include "tag/genre_table.h"
#include "text/tag_text.h"

namespace quilmark {

namespace {

constexpr std::size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97;
constexpr std::size_t kTextWidth = 30, kYearWidth = 4;
constexpr std::size_t kV11MarkerAt = 125, kTrackAt = 126, kGenreAt = 127;

unsigned char Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && Byte(text, 0) <= 32) text.remove_prefix(1);
  while (!text.empty() && Byte(text, text.size() - 1) <= 32) text.remove_suffix(1);
  return text;
}

// A field's text ends at its first NUL: a zero byte, or in UTF-16 (a field
// that starts with a byte-order mark) a zero unit.
std::string FieldText(std::string_view field) {
  std::size_t end = field.size();
  const bool utf16 = field.size() >= 2 && ((Byte(field, 0) == 0xFF && Byte(field, 1) == 0xFE) ||
                                           (Byte(field, 0) == 0xFE && Byte(field, 1) == 0xFF));
  if (utf16) {
    for (std::size_t i = 2; i + 1 < field.size(); i += 2) {
      if (field[i] == '\0' && field[i + 1] == '\0') {
        end = i;
        break;
      }
    }
  } else {
    end = std::min(end, field.find('\0'));
  }
  return std::string(Trim(DecodeTagText(field.substr(0, end), false)));
}

void PutField(std::string& block, std::size_t at, std::string_view bytes, std::size_t width) {
  std::copy_n(bytes.begin(), std::min(bytes.size(), width),
              block.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

bool IsId3v1Block(std::string_view last128) {
  return last128.size() == kId3v1Size && last128.substr(0, 3) == "TAG";
}

void ReadId3v1Block(std::string_view block, TagValues& values) {
  if (!IsId3v1Block(block)) return;
  values.Set(keys::Title, FieldText(block.substr(kTitleAt, kTextWidth)));
  values.Set(keys::Artist, FieldText(block.substr(kArtistAt, kTextWidth)));
  values.Set(keys::Album, FieldText(block.substr(kAlbumAt, kTextWidth)));

  std::string_view year = block.substr(kYearAt, kYearWidth);
  year = year.substr(0, year.find('\0'));
  values.Set(keys::Year, Trim(DecodeTagText(year, false)));

  if (Byte(block, kV11MarkerAt) == 0 && Byte(block, kTrackAt) != 0) {
    values.Set(keys::Track, std::to_string(Byte(block, kTrackAt)));
  }
  values.Set(keys::Comment, FieldText(block.substr(kCommentAt, kTextWidth)));
  if (Byte(block, kGenreAt) != 255) values.Set(keys::Genre, GenreName(Byte(block, kGenreAt)));
}

Id3v1Render RenderId3v1Block(const TagValues& values, Charset charset) {
  Id3v1Render out;
  std::string block(kId3v1Size, '\0');
  PutField(block, 0, "TAG", 3);

  const std::pair<std::string_view, std::size_t> texts[] = {{keys::Title, kTitleAt},
                                                            {keys::Artist, kArtistAt},
                                                            {keys::Album, kAlbumAt},
                                                            {keys::Commentv1, kCommentAt}};
  for (const auto& [key, at] : texts) {
    const std::string value = values.Get(key);
    if (!value.empty()) PutField(block, at, FitV1Text(value, kTextWidth, charset), kTextWidth);
  }
  if (const std::string year = values.Get(keys::Year); !year.empty()) {
    PutField(block, kYearAt, EncodeTagText(year, Charset::ShiftJis), kYearWidth);
  }
  if (const std::string track = values.Get(keys::Track); !track.empty()) {
    const std::optional<int> number = ParseDecimal(track);
    if (!number) {
      out.status = Id3v1Render::Status::kTrackNotNumber;
      return out;
    }
    // Byte 125 is left alone: a comment of 29 or 30 bytes keeps it non-zero
    // and the block then reads as one without a track.
    block[kTrackAt] = static_cast<char>(static_cast<std::uint32_t>(*number) & 0xFF);
  }
  if (const std::string genre = values.Get(keys::Genre); !genre.empty()) {
    block[kGenreAt] = static_cast<char>(GenreNumber(genre));
  }
  if (std::all_of(block.begin() + 3, block.end(), [](char c) { return c == '\0'; })) return out;
  out.status = Id3v1Render::Status::kBlock;
  out.block = std::move(block);
  return out;
}

std::optional<int> ParseDecimal(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
    if (n > std::int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  if (negative) n = -n;
  if (n < INT32_MIN || n > INT32_MAX) return std::nullopt;
  return static_cast<int>(n);
}

}  // namespace quilmark
