#include "tag/frame_convert.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "tag/id3v2_fields.h"
#include "text/utf8.h"

namespace quilmark {

namespace {

// Identifiers that mean the same frame in versions 2.2 and 2.3 with the
// same content (PIC and APIC differ in the picture format, see below). The
// sorting and compilation frames are not in the standards but widely used
// in both versions.
constexpr std::array<std::pair<std::string_view, std::string_view>, 67> kIds = {{
    {"BUF", "RBUF"}, {"CNT", "PCNT"}, {"COM", "COMM"}, {"CRA", "AENC"}, {"ETC", "ETCO"},
    {"EQU", "EQUA"}, {"GEO", "GEOB"}, {"IPL", "IPLS"}, {"MCI", "MCDI"}, {"MLL", "MLLT"},
    {"PIC", "APIC"}, {"POP", "POPM"}, {"REV", "RVRB"}, {"RVA", "RVAD"}, {"SLT", "SYLT"},
    {"STC", "SYTC"}, {"TAL", "TALB"}, {"TBP", "TBPM"}, {"TCM", "TCOM"}, {"TCO", "TCON"},
    {"TCR", "TCOP"}, {"TDA", "TDAT"}, {"TDY", "TDLY"}, {"TEN", "TENC"}, {"TFT", "TFLT"},
    {"TIM", "TIME"}, {"TKE", "TKEY"}, {"TLA", "TLAN"}, {"TLE", "TLEN"}, {"TMT", "TMED"},
    {"TOA", "TOPE"}, {"TOF", "TOFN"}, {"TOL", "TOLY"}, {"TOR", "TORY"}, {"TOT", "TOAL"},
    {"TP1", "TPE1"}, {"TP2", "TPE2"}, {"TP3", "TPE3"}, {"TP4", "TPE4"}, {"TPA", "TPOS"},
    {"TPB", "TPUB"}, {"TRC", "TSRC"}, {"TRD", "TRDA"}, {"TRK", "TRCK"}, {"TSI", "TSIZ"},
    {"TSS", "TSSE"}, {"TT1", "TIT1"}, {"TT2", "TIT2"}, {"TT3", "TIT3"}, {"TXT", "TEXT"},
    {"TXX", "TXXX"}, {"TYE", "TYER"}, {"UFI", "UFID"}, {"ULT", "USLT"}, {"WAF", "WOAF"},
    {"WAR", "WOAR"}, {"WAS", "WOAS"}, {"WCM", "WCOM"}, {"WCP", "WCOP"}, {"WPB", "WPUB"},
    {"WXX", "WXXX"}, {"TCP", "TCMP"}, {"TS2", "TSO2"}, {"TSA", "TSOA"}, {"TSC", "TSOC"},
    {"TSP", "TSOP"}, {"TST", "TSOT"},
}};

// Version 2.2 names a picture's format; 2.3 gives its MIME type.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kPictureFormats = {{
    {"JPG", "image/jpeg"},
    {"PNG", "image/png"},
    {"GIF", "image/gif"},
    {"BMP", "image/bmp"},
    {"JPG", "image/jpg"},
}};

// The MIME type of a version 2.2 picture format, or the other way round;
// empty when the table has none. Letter case is ignored.
std::string_view MatchPicture(std::string_view name, bool fromFormat) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (const auto& [format, mime] : kPictureFormats) {
    const std::string_view key = fromFormat ? format : mime;
    if (std::equal(key.begin(), key.end(), name.begin(), name.end(),
                   [&](char a, char b) { return lower(a) == lower(b); })) {
      return fromFormat ? mime : format;
    }
  }
  return {};
}

constexpr unsigned char kLatin1 = 0, kUtf16 = 1, kUtf16Be = 2, kUtf8 = 3;

bool IsUtf16(unsigned char encoding) { return encoding == kUtf16 || encoding == kUtf16Be; }

// Where a string of the encoding ends: the first zero byte, or zero unit.
std::size_t FindEnd(std::string_view bytes, bool utf16) {
  if (!utf16) return bytes.find('\0');
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    if (bytes[i] == '\0' && bytes[i + 1] == '\0') return i;
  }
  return std::string_view::npos;
}

std::optional<std::string> ToUtf8(std::string_view bytes, unsigned char encoding) {
  if (encoding == kUtf8) {
    if (!IsWellFormedUtf8(bytes)) return std::nullopt;
    return std::string(bytes);
  }
  bool bigEndian = encoding == kUtf16Be;
  if (bytes.size() >= 2) {
    const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
    if ((b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF)) {
      bigEndian = b0 == 0xFE;
      bytes.remove_prefix(2);
    }
  }
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]),
               b = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
  }
  return platform::Utf16ToUtf8(units);
}

std::string ToUtf16WithMark(std::string_view utf8) {
  std::string out = "\xFF\xFE";
  for (char16_t u : platform::Utf8ToUtf16(utf8)) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  }
  return out;
}

// The fields of the frames that hold text, after the encoding byte, one
// letter each: L three language bytes, Z a Latin-1 string with its
// terminator, B one byte, S a string in the frame's encoding with its
// terminator, T the text to the end, M text to the end holding values
// separated by terminators, R bytes to the end.
std::string_view TextLayout(std::string_view id) {
  if (id == "TXXX") return "SM";
  if (!id.empty() && id[0] == 'T') return "M";
  if (id == "WXXX") return "SR";
  if (id == "COMM" || id == "USLT") return "LST";
  if (id == "USER") return "LT";
  if (id == "APIC") return "ZBSR";
  if (id == "GEOB") return "ZSSR";
  return {};
}
// Frames with an encoding byte whose layout is not converted here.
bool HasOtherTextLayout(std::string_view id) {
  return id == "SYLT" || id == "OWNE" || id == "COMR" || id == "IPLS";
}

// Re-encodes the strings of a version 2.4 frame (2.3 layout) whose
// encoding version 2.3 lacks, or whose text holds several values, as
// UTF-16 with a mark (single-byte text keeps its bytes and its encoding).
// nullopt when the layout is not known or a string is not well-formed.
std::optional<std::string> ReencodeText(std::string_view id, std::string_view data) {
  if (data.empty()) return std::string(data);
  const auto encoding = static_cast<unsigned char>(data[0]);
  const std::string_view layout = TextLayout(id);
  if (layout.empty()) {
    if (HasOtherTextLayout(id) && encoding > kUtf16) return std::nullopt;
    return std::string(data);
  }
  if (encoding > kUtf8) return std::nullopt;
  const bool utf16 = IsUtf16(encoding);
  const unsigned char outEncoding = encoding == kLatin1 ? kLatin1 : kUtf16;
  auto encode = [&](std::string_view bytes) -> std::optional<std::string> {
    if (outEncoding == kLatin1) return std::string(bytes);
    auto text = ToUtf8(bytes, encoding);
    if (!text) return std::nullopt;
    return ToUtf16WithMark(*text);
  };
  const std::string terminator(outEncoding == kLatin1 ? 1 : 2, '\0');

  std::string out(1, static_cast<char>(outEncoding));
  std::string_view rest = data.substr(1);
  bool changed = encoding > kUtf16;
  for (char field : layout) {
    switch (field) {
      case 'L':
      case 'B': {
        const std::size_t n = field == 'L' ? 3 : 1;
        if (rest.size() < n) return std::nullopt;
        out += rest.substr(0, n);
        rest.remove_prefix(n);
        break;
      }
      case 'Z': {
        const std::size_t end = rest.find('\0');
        if (end == std::string_view::npos) return std::nullopt;
        out += rest.substr(0, end + 1);
        rest.remove_prefix(end + 1);
        break;
      }
      case 'S': {
        const std::size_t end = FindEnd(rest, utf16);
        if (end == std::string_view::npos) return std::nullopt;
        auto s = encode(rest.substr(0, end));
        if (!s) return std::nullopt;
        out += *s + terminator;
        rest.remove_prefix(end + (utf16 ? 2 : 1));
        break;
      }
      case 'T':
      case 'M': {
        // A terminator at the very end ends the last value, it is no value.
        std::string_view text = rest;
        const std::size_t unit = utf16 ? 2 : 1;
        if (text.size() >= unit && text.size() % unit == 0 &&
            text.find_first_not_of('\0', text.size() - unit) == std::string_view::npos) {
          text.remove_suffix(unit);
        }
        std::vector<std::string_view> values;
        if (field == 'M') {
          for (std::size_t end; (end = FindEnd(text, utf16)) != std::string_view::npos;) {
            values.push_back(text.substr(0, end));
            text.remove_prefix(end + unit);
          }
        }
        values.push_back(text);
        if (values.size() > 1) changed = true;
        std::string joined;
        for (std::size_t i = 0; i < values.size(); ++i) {
          if (outEncoding == kLatin1) {
            if (i > 0) joined += kValueSeparator;
            joined += values[i];
            continue;
          }
          auto text8 = ToUtf8(values[i], encoding);
          if (!text8) return std::nullopt;
          if (i > 0) joined += kValueSeparator;
          joined += *text8;
        }
        out += outEncoding == kLatin1 ? joined : ToUtf16WithMark(joined);
        rest = {};
        break;
      }
      case 'R':
        out += rest;
        rest = {};
        break;
    }
  }
  if (!changed) return std::string(data);
  return out;
}

std::optional<std::string_view> Lookup(std::string_view key, bool fromV22) {
  for (const auto& [v22, v23] : kIds) {
    if ((fromV22 ? v22 : v23) == key) return fromV22 ? v23 : v22;
  }
  return std::nullopt;
}

std::uint16_t V24StatusToV23(std::uint16_t flags) {
  std::uint16_t out = 0;
  if (flags & kV24DiscardOnTagAlter) out |= kV23DiscardOnTagAlter;
  if (flags & kV24DiscardOnFileAlter) out |= kV23DiscardOnFileAlter;
  if (flags & kV24ReadOnly) out |= kV23ReadOnly;
  return out;
}

std::optional<Frame> ConvertV24ToV23(const Frame& frame, bool allUnsynchronised);

// Chapter and table-of-contents frames hold frames of their tag's version
// after their own fields.
std::optional<std::string> ConvertEmbeddedFrames(std::string_view id, std::string_view data) {
  std::size_t fields = 0;
  const std::size_t idEnd = data.find('\0');
  if (idEnd == std::string_view::npos) return std::nullopt;
  fields = idEnd + 1;
  if (id == "CHAP") {
    fields += 16;
  } else {
    if (data.size() < fields + 2) return std::nullopt;
    const auto count = static_cast<unsigned char>(data[fields + 1]);
    fields += 2;
    for (int i = 0; i < count; ++i) {
      const std::size_t end = data.find('\0', fields);
      if (end == std::string_view::npos) return std::nullopt;
      fields = end + 1;
    }
  }
  if (data.size() < fields) return std::nullopt;
  std::string out(data.substr(0, fields));
  const std::string_view embedded = data.substr(fields);
  MemorySource source(embedded);
  std::uint64_t walked = 0;
  for (const Frame& sub : ReadFrames(source, embedded.size(), 4)) {
    auto converted = ConvertV24ToV23(sub, false);
    if (!converted) return std::nullopt;
    auto bytes = RenderFrame(converted->id, converted->content, 3, converted->flags);
    if (!bytes) return std::nullopt;
    out += *bytes;
    walked = sub.offset + FrameHeaderSize(4) + sub.size;
  }
  // Whatever the walk did not take (padding, or bytes it could not read)
  // would be misread under the other version's headers.
  if (embedded.substr(walked).find_first_not_of('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  return out;
}

std::optional<Frame> ConvertV24ToV23(const Frame& frame, bool allUnsynchronised) {
  std::string scratch;
  auto payload = FrameData(frame, 4, allUnsynchronised, scratch);
  if (!payload) return std::nullopt;
  std::optional<std::string> data = frame.id == "CHAP" || frame.id == "CTOC"
                                        ? ConvertEmbeddedFrames(frame.id, payload->data)
                                        : ReencodeText(frame.id, payload->data);
  if (!data) return std::nullopt;
  Frame out;
  out.id = frame.id;
  out.flags = V24StatusToV23(frame.flags);
  if (payload->group) {
    out.flags |= kV23Grouped;
    out.content.push_back(static_cast<char>(*payload->group));
  }
  out.content += *data;
  if (out.content.size() > UINT32_MAX) return std::nullopt;
  out.size = static_cast<std::uint32_t>(out.content.size());
  out.contentRead = true;
  return out;
}

std::optional<Frame> ConvertV22ToV23(const Frame& frame) {
  auto id = Lookup(frame.id, true);
  if (!id) return std::nullopt;
  Frame out;
  out.id = std::string(*id);
  out.content = frame.content;
  if (*id == "APIC") {
    if (frame.content.size() < 4) return std::nullopt;
    const std::string_view mime = MatchPicture(std::string_view(frame.content).substr(1, 3), true);
    if (mime.empty()) return std::nullopt;
    out.content = frame.content.substr(0, 1) + std::string(mime) + '\0' + frame.content.substr(4);
  }
  out.size = static_cast<std::uint32_t>(out.content.size());
  out.contentRead = true;
  return out;
}

std::optional<Frame> ConvertV23ToV22(const Frame& frame) {
  if (frame.flags & (kV23Compressed | kV23Encrypted)) return std::nullopt;
  auto id = Lookup(frame.id, false);
  if (!id) return std::nullopt;
  std::string_view content = frame.content;
  if (frame.flags & kV23Grouped) {
    if (content.empty()) return std::nullopt;
    content.remove_prefix(1);  // version 2.2 has no groups
  }
  Frame out;
  out.id = std::string(*id);
  out.content = std::string(content);
  if (*id == "PIC") {
    const std::size_t mimeEnd = content.find('\0', 1);
    if (content.empty() || mimeEnd == std::string_view::npos) return std::nullopt;
    const std::string_view format = MatchPicture(content.substr(1, mimeEnd - 1), false);
    if (format.empty()) return std::nullopt;
    out.content = std::string(content.substr(0, 1)) + std::string(format) +
                  std::string(content.substr(mimeEnd + 1));
  }
  if (out.content.size() > 0xFFFFFF) return std::nullopt;
  out.size = static_cast<std::uint32_t>(out.content.size());
  out.contentRead = true;
  return out;
}

}  // namespace

std::optional<Frame> ConvertFrame(const Frame& frame, int fromMajor, bool allUnsynchronised,
                                  int toMajor) {
  if (!frame.contentRead || toMajor < 2 || toMajor > 3) return std::nullopt;
  if (fromMajor == toMajor) return frame;
  // Through version 2.3's form.
  std::optional<Frame> v23;
  switch (fromMajor) {
    case 2:
      v23 = ConvertV22ToV23(frame);
      break;
    case 3:
      v23 = frame;
      break;
    case 4:
      v23 = ConvertV24ToV23(frame, allUnsynchronised);
      break;
    default:
      return std::nullopt;
  }
  if (!v23 || toMajor == 3) return v23;
  return ConvertV23ToV22(*v23);
}

}  // namespace quilmark
