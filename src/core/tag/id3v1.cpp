#include "tag/id3v1.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "tag/genre_table.h"
#include "text/tag_text.h"

namespace quilmark {

namespace {

constexpr std::size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97;
constexpr std::size_t kTextWidth = 30, kYearWidth = 4;
constexpr std::size_t kV11MarkerAt = 125, kTrackAt = 126, kGenreAt = 127;
constexpr unsigned char kNoGenreByte = 255;

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
  if (Byte(block, kGenreAt) != kNoGenreByte)
    values.Set(keys::Genre, GenreName(Byte(block, kGenreAt)));
}

Id3v1Render RenderId3v1Block(const TagValues& values, Charset charset) {
  Id3v1Render out;
  std::string block(kId3v1Size, '\0');
  PutField(block, 0, "TAG", 3);

  unsigned char track = 0;
  if (const std::string value = values.Get(keys::Track); !value.empty()) {
    const std::optional<int> number = ParseDecimal(value);
    if (!number) {
      out.status = Id3v1Render::Status::kTrackNotNumber;
      return out;
    }
    track = static_cast<unsigned char>(static_cast<std::uint32_t>(*number) & 0xFF);
  }
  // A track takes the comment's last two bytes (the ID3v1.1 layout): the
  // comment is cut to 28 so that the zero at 125 tells readers a track
  // follows.
  const std::size_t commentWidth = track != 0 ? kV11MarkerAt - kCommentAt : kTextWidth;
  const std::tuple<std::string_view, std::size_t, std::size_t> texts[] = {
      {keys::Title, kTitleAt, kTextWidth},
      {keys::Artist, kArtistAt, kTextWidth},
      {keys::Album, kAlbumAt, kTextWidth},
      {keys::Commentv1, kCommentAt, commentWidth}};
  for (const auto& [key, at, width] : texts) {
    const std::string value = values.Get(key);
    if (!value.empty()) PutField(block, at, FitV1Text(value, width, charset), width);
  }
  if (const std::string year = values.Get(keys::Year); !year.empty()) {
    PutField(block, kYearAt, EncodeTagText(year, Charset::ShiftJis), kYearWidth);
  }
  block[kTrackAt] = static_cast<char>(track);
  // 255 is "no genre"; 0 would be the first genre of the table.
  const std::string genre = values.Get(keys::Genre);
  block[kGenreAt] = static_cast<char>(genre.empty() ? kNoGenreByte : GenreNumber(genre));

  const bool empty =
      std::all_of(block.begin() + 3, block.begin() + kGenreAt, [](char c) { return c == '\0'; });
  if (empty && Byte(block, kGenreAt) == kNoGenreByte) return out;
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
