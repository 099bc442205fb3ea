#include "tag/frame_convert.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "tag/id3v2_fields.h"
#include "tag/id3v2_header.h"
#include "tag/picture.h"
#include "text/tag_text.h"
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

// A piece of a frame's content after its encoding byte: bytes that stay as
// they are, or a string in the frame's encoding.
struct Piece {
  std::string_view bytes;
  bool text = false;
  bool terminated = false;  // a terminator followed it
  bool value = false;       // one of the values of a text that holds several
};

// The content after the encoding byte, by the layout; nullopt when a
// field is missing.
std::optional<std::vector<Piece>> SplitFields(std::string_view layout, bool utf16,
                                              std::string_view rest) {
  const std::size_t unit = utf16 ? 2 : 1;
  std::vector<Piece> pieces;
  for (char field : layout) {
    switch (field) {
      case 'L':
      case 'B': {
        const std::size_t n = field == 'L' ? 3 : 1;
        if (rest.size() < n) return std::nullopt;
        pieces.push_back({rest.substr(0, n)});
        rest.remove_prefix(n);
        break;
      }
      case 'Z': {
        const std::size_t end = rest.find('\0');
        if (end == std::string_view::npos) return std::nullopt;
        pieces.push_back({rest.substr(0, end + 1)});
        rest.remove_prefix(end + 1);
        break;
      }
      case 'S': {
        const std::size_t end = FindEnd(rest, utf16);
        if (end == std::string_view::npos) return std::nullopt;
        pieces.push_back({rest.substr(0, end), true, true});
        rest.remove_prefix(end + unit);
        break;
      }
      case 'T':
      case 'M': {
        // A terminator at the very end ends the last value, it is no value.
        std::string_view text = rest;
        if (text.size() >= unit && text.size() % unit == 0 &&
            text.find_first_not_of('\0', text.size() - unit) == std::string_view::npos) {
          text.remove_suffix(unit);
        }
        if (field == 'M') {
          for (std::size_t end; (end = FindEnd(text, utf16)) != std::string_view::npos;) {
            pieces.push_back({text.substr(0, end), true, true, true});
            text.remove_prefix(end + unit);
          }
        }
        pieces.push_back({text, true, false, field == 'M'});
        rest = {};
        break;
      }
      case 'R':
        pieces.push_back({rest});
        rest = {};
        break;
    }
  }
  return pieces;
}

// One string from `from` to `to`: Latin-1 stays as it is; text for UTF-16
// or UTF-8 goes through UTF-8, legacy bytes read as the tag reads them
// (a NUL inside them stays one).
std::optional<std::string> Reencode(std::string_view bytes, unsigned char from, unsigned char to,
                                    LegacyReading legacy) {
  if (to == kLatin1 || from == to) return std::string(bytes);
  std::string utf8;
  if (from == kLatin1) {
    for (std::size_t start = 0;;) {
      const std::size_t nul = bytes.find('\0', start);
      utf8 += DecodeTagText(bytes.substr(start, nul - start), false, legacy);
      if (nul == std::string_view::npos) break;
      utf8.push_back('\0');
      start = nul + 1;
    }
    utf8 = EncodeTagText(utf8, Charset::Utf8);
  } else {
    auto text = ToUtf8(bytes, from);
    if (!text) return std::nullopt;
    utf8 = std::move(*text);
  }
  return to == kUtf8 ? utf8 : ToUtf16WithMark(utf8);
}

// The strings of a text frame moved into encoding `to`; with `joinValues`
// the values of a text that holds several become one, joined as the grid
// shows them (version 2.3 has no such list).
std::optional<std::string> Rebuild(const std::vector<Piece>& pieces, unsigned char from,
                                   unsigned char to, bool joinValues, LegacyReading legacy) {
  std::string out(1, static_cast<char>(to));
  const std::string terminator(IsUtf16(to) ? 2 : 1, '\0');
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const Piece& piece = pieces[i];
    if (!piece.text) {
      out += piece.bytes;
      continue;
    }
    if (joinValues && piece.value) {
      std::string joined;
      for (bool first = true; i < pieces.size() && pieces[i].value; ++i, first = false) {
        if (!first) joined += kValueSeparator;
        if (to == kLatin1) {
          joined += pieces[i].bytes;
          continue;
        }
        auto text = ToUtf8(pieces[i].bytes, from);
        if (!text) return std::nullopt;
        joined += *text;
      }
      --i;
      out += IsUtf16(to) ? ToUtf16WithMark(joined) : joined;
      continue;
    }
    auto text = Reencode(piece.bytes, from, to, legacy);
    if (!text) return std::nullopt;
    out += *text;
    if (piece.terminated) out += terminator;
  }
  return out;
}

bool HasHighBytes(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The strings of a frame (2.3 layout) in what version `toMajor` may hold.
// For version 2.3: text in the encodings version 2.4 added (UTF-8, UTF-16
// without a mark), or holding several values, as UTF-16 with a mark. For
// version 2.4: Latin-1 strings with bytes beyond ASCII in UTF-8, as the
// tag's text is read (Japanese taggers put Shift-JIS there, which that
// version reads as Latin-1). Anything else keeps its bytes. nullopt when
// the layout is not known or a string is not well-formed (never for
// version 2.4).
std::optional<std::string> ReencodeText(std::string_view id, std::string_view data, int toMajor,
                                        LegacyReading legacy) {
  if (data.empty()) return std::string(data);
  const auto encoding = static_cast<unsigned char>(data[0]);
  const std::string_view layout = TextLayout(id);
  if (layout.empty()) {
    if (toMajor == 3 && HasOtherTextLayout(id) && encoding > kUtf16) return std::nullopt;
    return std::string(data);
  }
  if (toMajor == 4 && encoding != kLatin1) return std::string(data);
  if (encoding > kUtf8) return std::nullopt;
  auto pieces = SplitFields(layout, IsUtf16(encoding), data.substr(1));
  // Latin-1 whose fields cannot be told apart stays as it is: version 2.4 reads it so.
  if (!pieces) return toMajor == 4 ? std::optional<std::string>(data) : std::nullopt;
  unsigned char to = encoding;
  if (toMajor == 3) {
    const bool several =
        std::count_if(pieces->begin(), pieces->end(), [](const Piece& p) { return p.value; }) > 1;
    if (encoding <= kUtf16 && !several) return std::string(data);
    to = encoding == kLatin1 ? kLatin1 : kUtf16;
  } else {
    const bool legacyText =
        encoding == kLatin1 && std::any_of(pieces->begin(), pieces->end(), [](const Piece& p) {
          return p.text && HasHighBytes(p.bytes);
        });
    if (!legacyText) return std::string(data);
    to = kUtf8;
  }
  return Rebuild(*pieces, encoding, to, toMajor == 3, legacy);
}

std::optional<std::string_view> Lookup(std::string_view key, bool fromV22) {
  for (const auto& [v22, v23] : kIds) {
    if ((fromV22 ? v22 : v23) == key) return fromV22 ? v23 : v22;
  }
  return std::nullopt;
}

// The status flags (version 2.3 bit, version 2.4 bit): the same three,
// moved.
constexpr std::pair<std::uint16_t, std::uint16_t> kStatusFlags[] = {
    {kV23DiscardOnTagAlter, kV24DiscardOnTagAlter},
    {kV23DiscardOnFileAlter, kV24DiscardOnFileAlter},
    {kV23ReadOnly, kV24ReadOnly},
};

std::uint16_t StatusFlags(std::uint16_t flags, bool toV24) {
  std::uint16_t out = 0;
  for (const auto& [v23, v24] : kStatusFlags) {
    if (flags & (toV24 ? v23 : v24)) out |= toV24 ? v24 : v23;
  }
  return out;
}

bool IsChapterFrame(std::string_view id) { return id == "CHAP" || id == "CTOC"; }

// Chapter and table-of-contents frames hold frames of their tag's version
// after their own fields; they are converted with them.
std::optional<std::string> ConvertEmbeddedFrames(std::string_view id, std::string_view data,
                                                 int fromMajor, int toMajor, LegacyReading legacy) {
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
  for (const Frame& sub : ReadFrames(source, embedded.size(), fromMajor)) {
    auto converted = ConvertFrame(sub, fromMajor, false, toMajor, legacy);
    if (!converted) return std::nullopt;
    auto bytes = RenderFrame(converted->id, converted->content, toMajor, converted->flags);
    if (!bytes) return std::nullopt;
    out += *bytes;
    walked = sub.offset + FrameHeaderSize(fromMajor) + sub.size;
  }
  // Whatever the walk did not take (padding, or bytes it could not read)
  // would be misread under the other version's headers.
  if (embedded.substr(walked).find_first_not_of('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  return out;
}

Frame WithContent(std::string id, std::uint16_t flags, std::string content) {
  Frame out;
  out.id = std::move(id);
  out.flags = flags;
  out.content = std::move(content);
  out.size = static_cast<std::uint32_t>(std::min<std::size_t>(out.content.size(), UINT32_MAX));
  out.contentRead = true;
  return out;
}

std::optional<Frame> ConvertV24ToV23(const Frame& frame, bool allUnsynchronised,
                                     LegacyReading legacy) {
  std::string scratch;
  auto payload = FrameData(frame, 4, allUnsynchronised, scratch);
  if (!payload) return std::nullopt;
  std::optional<std::string> data =
      IsChapterFrame(frame.id) ? ConvertEmbeddedFrames(frame.id, payload->data, 4, 3, legacy)
                               : ReencodeText(frame.id, payload->data, 3, legacy);
  if (!data) return std::nullopt;
  std::uint16_t flags = StatusFlags(frame.flags, false);
  std::string content;
  if (payload->group) {
    flags |= kV23Grouped;
    content.push_back(static_cast<char>(*payload->group));
  }
  content += *data;
  if (content.size() > UINT32_MAX) return std::nullopt;
  return WithContent(frame.id, flags, std::move(content));
}

// Frames of version 2.3 that version 2.4 has no place for: the date parts
// it joined into one date (the year is the row's own), and the frames it
// replaced by others of another layout.
bool DroppedInV24(std::string_view id) {
  for (std::string_view gone : {"TYER", "TDAT", "TIME", "TRDA", "TORY", "TSIZ", "EQUA", "RVAD"}) {
    if (id == gone) return true;
  }
  return false;
}

std::optional<Frame> ConvertV23ToV24(const Frame& frame, LegacyReading legacy) {
  if (frame.flags & (kV23Compressed | kV23Encrypted)) return std::nullopt;
  if (DroppedInV24(frame.id)) return std::nullopt;
  // The people list kept its layout under a new name.
  const std::string id = frame.id == "IPLS" ? "TIPL" : frame.id;
  std::string_view data = frame.content;
  std::uint16_t flags = StatusFlags(frame.flags, true);
  std::string content;
  if (frame.flags & kV23Grouped) {
    if (data.empty()) return std::nullopt;
    flags |= kV24Grouped;
    content.push_back(data[0]);
    data.remove_prefix(1);
  }
  std::optional<std::string> converted = IsChapterFrame(id)
                                             ? ConvertEmbeddedFrames(id, data, 3, 4, legacy)
                                             : ReencodeText(id, data, 4, legacy);
  if (!converted) return std::nullopt;
  content += *converted;
  if (content.size() > kMaxId3v2Size) return std::nullopt;
  return WithContent(id, flags, std::move(content));
}

// A version 2.4 frame as a version 2.4 tag without unsynchronisation
// holds it, its legacy text in UTF-8; unchanged when nothing of that
// applies.
Frame NormaliseV24(const Frame& frame, bool allUnsynchronised, LegacyReading legacy) {
  Frame out = frame;
  if ((frame.flags & kV24Unsynchronised) || allUnsynchronised) {
    out = WithContent(frame.id, frame.flags & ~kV24Unsynchronised,
                      UndoUnsynchronisation(frame.content));
  }
  if (IsChapterFrame(out.id)) return out;
  std::string scratch;
  auto payload = FrameData(out, 4, false, scratch);
  if (!payload) return out;  // compressed, encrypted or cut short: as it came
  std::optional<std::string> data = ReencodeText(out.id, payload->data, 4, legacy);
  if (!data || *data == payload->data) return out;
  std::string content;
  if (payload->group) content.push_back(static_cast<char>(*payload->group));
  content += *data;
  // The data length it gave is no longer true.
  return WithContent(out.id, out.flags & ~kV24DataLength, std::move(content));
}

std::optional<Frame> ConvertV22ToV23(const Frame& frame) {
  auto id = Lookup(frame.id, true);
  if (!id) return std::nullopt;
  std::string content = frame.content;
  if (*id == "APIC") {
    if (frame.content.size() < 4) return std::nullopt;
    const std::string_view mime = MimeOfPictureFormat(std::string_view(frame.content).substr(1, 3));
    if (mime.empty()) return std::nullopt;
    content = frame.content.substr(0, 1) + std::string(mime) + '\0' + frame.content.substr(4);
  }
  return WithContent(std::string(*id), 0, std::move(content));
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
  std::string out(content);
  if (*id == "PIC") {
    const std::size_t mimeEnd = content.find('\0', 1);
    if (content.empty() || mimeEnd == std::string_view::npos) return std::nullopt;
    const std::string_view format = PictureFormatOfMime(content.substr(1, mimeEnd - 1));
    if (format.empty()) return std::nullopt;
    out = std::string(content.substr(0, 1)) + std::string(format) +
          std::string(content.substr(mimeEnd + 1));
  }
  if (out.size() > 0xFFFFFF) return std::nullopt;
  return WithContent(std::string(*id), 0, std::move(out));
}

}  // namespace

std::optional<Frame> ConvertFrame(const Frame& frame, int fromMajor, bool allUnsynchronised,
                                  int toMajor, LegacyReading legacy) {
  if (!frame.contentRead || toMajor < 2 || toMajor > 4) return std::nullopt;
  if (fromMajor == toMajor) {
    return toMajor == 4 ? NormaliseV24(frame, allUnsynchronised, legacy) : frame;
  }
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
      v23 = ConvertV24ToV23(frame, allUnsynchronised, legacy);
      break;
    default:
      return std::nullopt;
  }
  if (!v23 || toMajor == 3) return v23;
  return toMajor == 2 ? ConvertV23ToV22(*v23) : ConvertV23ToV24(*v23, legacy);
}

}  // namespace quilmark
