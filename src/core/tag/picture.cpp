#include "tag/picture.h"

#include <array>

#include "platform/ascii.h"
#include "platform/file.h"

namespace quilmark {

namespace {

constexpr std::array<std::string_view, 21> kKindNames = {
    "その他",           "ファイルアイコン", "その他のアイコン", "表紙",
    "裏表紙",           "リーフレット",     "メディア",         "リードアーティスト",
    "アーティスト",     "指揮者",           "バンド",           "作曲者",
    "作詞者",           "録音場所",         "録音風景",         "演奏風景",
    "映像のキャプチャ", "明るい色の魚",     "イラスト",         "アーティストのロゴ",
    "レーベルのロゴ",
};

struct Format {
  std::string_view v22;  // version 2.2's name
  std::string_view mime;
  std::string_view name;  // on screen
};
// "image/jpg" is a common misspelling, read as JPEG.
constexpr Format kFormats[] = {
    {"JPG", "image/jpeg", "JPEG"}, {"PNG", "image/png", "PNG"},  {"GIF", "image/gif", "GIF"},
    {"BMP", "image/bmp", "BMP"},   {"JPG", "image/jpg", "JPEG"},
};

}  // namespace

std::string_view PictureKindName(int kind) {
  return kind >= 0 && kind < static_cast<int>(kKindNames.size())
             ? kKindNames[static_cast<std::size_t>(kind)]
             : kKindNames[0];
}

std::string PictureFormatName(std::string_view mime) {
  for (const Format& f : kFormats) {
    if (platform::EqualsIgnoringAsciiCase(f.mime, mime)) return std::string(f.name);
  }
  return std::string(mime);
}

std::string PictureFileExtension(std::string_view mime) {
  const std::string extension = platform::AsciiLowerCase(PictureFormatOfMime(mime));
  return extension.empty() ? "bin" : extension;
}

std::string_view MimeOfPictureFormat(std::string_view format) {
  for (const Format& f : kFormats) {
    if (platform::EqualsIgnoringAsciiCase(f.v22, format)) return f.mime;
  }
  return {};
}

std::string_view PictureFormatOfMime(std::string_view mime) {
  for (const Format& f : kFormats) {
    if (platform::EqualsIgnoringAsciiCase(f.mime, mime)) return f.v22;
  }
  return {};
}

std::string_view ImageMimeOf(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xD8\xFF")) return "image/jpeg";
  if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return "image/png";
  return {};
}

PictureFileResult LoadPictureFile(const std::string& path) {
  platform::IoResult<std::string> bytes = platform::ReadWholeFile(path, kMaxPictureFileSize);
  if (!bytes) {
    if (bytes.Error().Is(std::errc::file_too_large)) {
      return {std::nullopt,
              "画像が大きすぎます (" + std::to_string(kMaxPictureFileSize >> 20) + " MB まで)。"};
    }
    return {std::nullopt, bytes.Error().Reason()};
  }
  const std::string_view mime = ImageMimeOf(*bytes);
  if (mime.empty()) return {std::nullopt, "JPEG または PNG の画像ではありません。"};
  Picture picture;
  picture.mime = std::string(mime);
  picture.data = std::make_shared<const std::string>(std::move(*bytes));
  return {std::move(picture), {}};
}

}  // namespace quilmark
