#include "tag/id3v1.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "tag/genre_table.h"
#include "text/legacy_reading.h"
#include "text/tag_text.h"
#include "text/western_text.h"

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

bool StartsWithBom(std::string_view field) {
  return field.size() >= 2 && ((Byte(field, 0) == 0xFF && Byte(field, 1) == 0xFE) ||
                               (Byte(field, 0) == 0xFE && Byte(field, 1) == 0xFF));
}

// A field's text ends at its first NUL: a zero byte, or in UTF-16 (a field
// that starts with a byte-order mark) a zero unit.
std::string_view FieldBytes(std::string_view field) {
  std::size_t end = field.size();
  if (StartsWithBom(field)) {
    for (std::size_t i = 2; i + 1 < field.size(); i += 2) {
      if (field[i] == '\0' && field[i + 1] == '\0') {
        end = i;
        break;
      }
    }
  } else {
    end = std::min(end, field.find('\0'));
  }
  return field.substr(0, end);
}

struct TextField {
  std::string_view key;  // the key the field is read into
  std::string_view writtenFrom;
  std::size_t at;
};
constexpr TextField kTextFields[] = {{keys::Title, keys::Title, kTitleAt},
                                     {keys::Artist, keys::Artist, kArtistAt},
                                     {keys::Album, keys::Album, kAlbumAt},
                                     {keys::Comment, keys::Commentv1, kCommentAt}};

// The block's four texts are one tagger's: their legacy bytes are judged
// together.
LegacyReading BlockLegacyReading(std::string_view block) {
  std::vector<std::string_view> texts;
  for (const TextField& field : kTextFields) {
    const std::string_view bytes = FieldBytes(std::string_view(block).substr(field.at, kTextWidth));
    if (!StartsWithBom(bytes)) texts.push_back(bytes);
  }
  return DecideLegacyReading(texts);
}

std::string FieldText(std::string_view field, LegacyReading legacy) {
  return std::string(Trim(DecodeTagText(FieldBytes(field), false, legacy)));
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
  const LegacyReading legacy = BlockLegacyReading(block);
  values.Set(keys::Title, FieldText(block.substr(kTitleAt, kTextWidth), legacy));
  values.Set(keys::Artist, FieldText(block.substr(kArtistAt, kTextWidth), legacy));
  values.Set(keys::Album, FieldText(block.substr(kAlbumAt, kTextWidth), legacy));

  std::string_view year = block.substr(kYearAt, kYearWidth);
  year = year.substr(0, year.find('\0'));
  values.Set(keys::Year, Trim(DecodeTagText(year, false)));

  if (Byte(block, kV11MarkerAt) == 0 && Byte(block, kTrackAt) != 0) {
    values.Set(keys::Track, std::to_string(Byte(block, kTrackAt)));
  }
  values.Set(keys::Comment, FieldText(block.substr(kCommentAt, kTextWidth), legacy));
  if (Byte(block, kGenreAt) != kNoGenreByte)
    values.Set(keys::Genre, GenreName(Byte(block, kGenreAt)));
}

namespace {

// The width each text has: a track takes the comment's last two bytes (the
// ID3v1.1 layout), so the comment is cut to 28 and the zero at 125 tells
// readers a track follows.
std::size_t Width(const TextField& field, bool track) {
  return field.at == kCommentAt && track ? kV11MarkerAt - kCommentAt : kTextWidth;
}

// A block that holds only the texts, in `charset`; nullopt when a
// character has no form there or the block would read back otherwise.
std::optional<std::string> LegacyTextBlock(const TagValues& values, Charset charset, bool track) {
  std::string block(kId3v1Size, '\0');
  PutField(block, 0, "TAG", 3);
  for (const TextField& field : kTextFields) {
    const std::string value = values.Get(field.writtenFrom);
    if (value.empty()) continue;
    bool exact = true;
    static_cast<void>(EncodeTagText(value, charset, &exact));
    if (!exact) return std::nullopt;
    const std::size_t width = Width(field, track);
    PutField(block, field.at, FitV1Text(value, width, charset), width);
  }
  TagValues back;
  ReadId3v1Block(block, back);
  for (const TextField& field : kTextFields) {
    const std::string_view bytes = FieldBytes(std::string_view(block).substr(field.at, kTextWidth));
    if (back.Get(field.key) != Trim(DecodeTagTextAs(bytes, charset, false))) return std::nullopt;
  }
  return block;
}

// The same in ISO-8859-1, one byte a character.
std::optional<std::string> Latin1TextBlock(const TagValues& values, bool track) {
  std::string block(kId3v1Size, '\0');
  PutField(block, 0, "TAG", 3);
  for (const TextField& field : kTextFields) {
    const std::optional<std::string> bytes = EncodeLatin1(values.Get(field.writtenFrom));
    if (!bytes) return std::nullopt;
    PutField(block, field.at, *bytes, Width(field, track));
  }
  TagValues back;
  ReadId3v1Block(block, back);
  for (const TextField& field : kTextFields) {
    const std::string_view bytes = FieldBytes(std::string_view(block).substr(field.at, kTextWidth));
    if (back.Get(field.key) != Trim(DecodeLatin1(bytes))) return std::nullopt;
  }
  return block;
}

std::string Utf16TextBlock(const TagValues& values, Charset charset, bool track) {
  std::string block(kId3v1Size, '\0');
  PutField(block, 0, "TAG", 3);
  for (const TextField& field : kTextFields) {
    const std::string value = values.Get(field.writtenFrom);
    const std::size_t width = Width(field, track);
    if (!value.empty()) PutField(block, field.at, FitV1Text(value, width, charset), width);
  }
  return block;
}

}  // namespace

Id3v1Render RenderId3v1Block(const TagValues& values, Charset charset) {
  Id3v1Render out;
  unsigned char track = 0;
  if (const std::string value = values.Get(keys::Track); !value.empty()) {
    const std::optional<int> number = ParseDecimal(value);
    if (!number) {
      out.status = Id3v1Render::Status::kTrackNotNumber;
      return out;
    }
    track = static_cast<unsigned char>(static_cast<std::uint32_t>(*number) & 0xFF);
  }

  std::optional<std::string> texts;
  if (IsLegacyCharset(charset)) {
    texts = LegacyTextBlock(values, charset, track != 0);
    if (!texts) {
      texts = Latin1TextBlock(values, track != 0);
      out.fallback = texts ? TextFallback::Latin1 : TextFallback::Utf16;
    }
  }
  std::string block =
      texts ? std::move(*texts)
            : Utf16TextBlock(values, IsLegacyCharset(charset) ? Charset::Utf16Le : charset,
                             track != 0);
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
