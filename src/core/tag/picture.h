// Pictures in a tag (covers, photos of the artist...): what a picture frame
// holds, the edit a save makes to a file's pictures, and a picture taken
// from an image file.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilmark {

// The picture kinds of ID3v2 (its picture type byte, 0 to 20).
inline constexpr int kFrontCover = 3;
// The kind's name on screen ("表紙"); a number the standard has no kind
// for counts as "その他".
std::string_view PictureKindName(int kind);

struct Picture {
  int kind = kFrontCover;
  std::string mime;         // "image/jpeg"; a version 2.2 format as its MIME type
  std::string description;  // UTF-8
  // The image, shared and never changed: one image set on a thousand rows
  // is held once.
  std::shared_ptr<const std::string> data = std::make_shared<const std::string>();

  const std::string& Bytes() const { return *data; }
  friend bool operator==(const Picture& a, const Picture& b) {
    return a.kind == b.kind && a.mime == b.mime && a.description == b.description &&
           a.Bytes() == b.Bytes();
  }
};

// What a save does to a file's pictures: each kind it names holds exactly
// the pictures given (none: the kind's pictures go); the other kinds stay
// as the file has them.
using PictureEdit = std::map<int, std::vector<Picture>>;

// "JPEG", "PNG", ... for a MIME type; the MIME type itself when unknown.
std::string PictureFormatName(std::string_view mime);

// The extension a file of the picture's MIME type gets ("jpg", "png");
// "bin" when unknown.
std::string PictureFileExtension(std::string_view mime);

// Version 2.2 names a picture's format ("JPG") where later versions give
// its MIME type. One from the other; "" when there is no counterpart.
// Letter case is ignored.
std::string_view MimeOfPictureFormat(std::string_view format);
std::string_view PictureFormatOfMime(std::string_view mime);

// The MIME type an image's first bytes show: image/jpeg or image/png, the
// two kinds a picture is set from; "" for anything else.
std::string_view ImageMimeOf(std::string_view bytes);

// A picture file larger than this is no cover.
inline constexpr std::uint64_t kMaxPictureFileSize = 16u << 20;

struct [[nodiscard]] PictureFileResult {
  std::optional<Picture> picture;
  std::string reason;  // why there is none, in words for the user
};
// A JPEG or PNG file as a front cover without description.
PictureFileResult LoadPictureFile(const std::string& path);

}  // namespace quilmark
