#include "platform/cp932.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <stdexcept>

namespace quilmark::platform {
namespace {

constexpr UChar32 kReplacementChar = 0xFFFD;

// ICU's "windows-31j" table follows an IBM habit for three control codes:
// it exchanges 0x1A, 0x1C and 0x7F with U+001C, U+007F and U+001A. Windows
// maps every byte below 0x80 to the character of the same value, so the
// exchange is undone on both sides. No double-byte character maps to these
// three code points, so the exchange cannot touch anything else.
char16_t IcuToWindowsControl(char16_t u) {
  switch (u) {
    case 0x1C:
      return 0x1A;
    case 0x7F:
      return 0x1C;
    case 0x1A:
      return 0x7F;
    default:
      return u;
  }
}
char16_t WindowsToIcuControl(char16_t u) {
  switch (u) {
    case 0x1A:
      return 0x1C;
    case 0x1C:
      return 0x7F;
    case 0x7F:
      return 0x1A;
    default:
      return u;
  }
}

// One converter per thread: opening one costs far more than a short
// conversion, and tag reading converts every text field of every file.
class Converter {
 public:
  Converter() {
    UErrorCode err = U_ZERO_ERROR;
    cnv_ = ucnv_open("windows-31j", &err);
    if (U_FAILURE(err) || cnv_ == nullptr) {
      throw std::runtime_error("ICU converter windows-31j is not available");
    }
    // A one-byte substitute also clears ICU's "subchar1", which would
    // otherwise write 0x1A for unmappable Latin-1 characters and U+001A for
    // truncated byte sequences.
    err = U_ZERO_ERROR;
    ucnv_setSubstChars(cnv_, &kCp932Replacement, 1, &err);
    err = U_ZERO_ERROR;
    ucnv_setFromUCallBack(cnv_, &Converter::OnUnmappable, &substituted_, nullptr, nullptr, &err);
    err = U_ZERO_ERROR;
    ucnv_setToUCallBack(cnv_, &Converter::OnUndecodable, &decodeState_, nullptr, nullptr, &err);
  }
  ~Converter() { ucnv_close(cnv_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // The text is made in a buffer the converter keeps: the stretches it is
  // given are short and many, and a fresh string for each would cost more
  // than converting it.
  std::u16string_view Decode(std::string_view bytes, Undecodable undecodable, bool* clean) {
    // CP932 never yields more UTF-16 units than it has bytes, except that a
    // kept byte takes two.
    std::u16string& out = units_;
    out.assign(undecodable == Undecodable::KeepBytes ? 2 * bytes.size() : bytes.size(), u'\0');
    decodeState_ = DecodeState{undecodable, true};
    UErrorCode err = U_ZERO_ERROR;
    int32_t n =
        ucnv_toUChars(cnv_, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                      bytes.data(), static_cast<int32_t>(bytes.size()), &err);
    if (err == U_BUFFER_OVERFLOW_ERROR) {
      out.assign(static_cast<std::size_t>(n), u'\0');
      err = U_ZERO_ERROR;
      n = ucnv_toUChars(cnv_, reinterpret_cast<UChar*>(out.data()), n, bytes.data(),
                        static_cast<int32_t>(bytes.size()), &err);
    }
    if (U_FAILURE(err) && err != U_STRING_NOT_TERMINATED_WARNING) return {};
    out.resize(static_cast<std::size_t>(n));
    bool userDefined = false;
    for (char16_t& u : out) {
      u = IcuToWindowsControl(u);
      userDefined = userDefined || (u >= kUserDefinedFirst && u <= kUserDefinedLast);
    }
    if (clean) *clean = decodeState_.clean && !userDefined;
    return out;
  }

  // Appends the code page 932 bytes of `units` to `out`.
  void Encode(std::u16string_view units, bool* lossless, std::string& out) {
    std::u16string& icu = units_;
    icu.assign(units);
    for (char16_t& u : icu) u = WindowsToIcuControl(u);
    // At most two bytes per UTF-16 unit.
    const std::size_t start = out.size();
    out.resize(start + icu.size() * 2);
    substituted_ = false;
    UErrorCode err = U_ZERO_ERROR;
    int32_t n = ucnv_fromUChars(cnv_, out.data() + start, static_cast<int32_t>(icu.size() * 2),
                                reinterpret_cast<const UChar*>(icu.data()),
                                static_cast<int32_t>(icu.size()), &err);
    if (U_FAILURE(err) && err != U_STRING_NOT_TERMINATED_WARNING) {
      out.resize(start);
      if (lossless) *lossless = false;
      return;
    }
    out.resize(start + static_cast<std::size_t>(n));
    if (lossless) *lossless = !substituted_;
  }

 private:
  // The user-defined rows F040..F9FC as ICU maps them.
  static constexpr char16_t kUserDefinedFirst = 0xE000, kUserDefinedLast = 0xE757;

  struct DecodeState {
    Undecodable undecodable = Undecodable::Replace;
    bool clean = true;
  };

  // ICU hands over exactly the bytes it could not read: a lone byte, a lead
  // byte whose follower is no trail byte (the follower is read again on its
  // own), or an unassigned pair.
  static void U_CALLCONV OnUndecodable(const void* context, UConverterToUnicodeArgs* args,
                                       const char* bytes, int32_t length,
                                       UConverterCallbackReason reason, UErrorCode* err) {
    if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
    auto* state = static_cast<DecodeState*>(const_cast<void*>(context));
    state->clean = false;
    *err = U_ZERO_ERROR;
    if (state->undecodable == Undecodable::Replace) {
      const UChar replacement = static_cast<UChar>(kReplacementChar);
      ucnv_cbToUWriteUChars(args, &replacement, 1, 0, err);
      return;
    }
    for (int32_t i = 0; i < length && U_SUCCESS(*err); ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      if (byte < 0x80) {
        const UChar ascii = byte;
        ucnv_cbToUWriteUChars(args, &ascii, 1, 0, err);
        continue;
      }
      const UChar32 raw = static_cast<UChar32>(kRawByteBase + byte);
      const UChar pair[2] = {U16_LEAD(raw), U16_TRAIL(raw)};
      ucnv_cbToUWriteUChars(args, pair, 2, 0, err);
    }
  }

  static void U_CALLCONV OnUnmappable(const void* context, UConverterFromUnicodeArgs* args,
                                      const UChar* units, int32_t length, UChar32 cp,
                                      UConverterCallbackReason reason, UErrorCode* err) {
    if (reason == UCNV_UNASSIGNED || reason == UCNV_ILLEGAL || reason == UCNV_IRREGULAR) {
      *static_cast<bool*>(const_cast<void*>(context)) = true;
    }
    UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, units, length, cp, reason, err);
  }

  UConverter* cnv_ = nullptr;
  std::u16string units_;
  bool substituted_ = false;
  DecodeState decodeState_;
};

// Appends the UTF-8 of `utf16` to `out`; nothing when the conversion fails.
void AppendUtf8(std::u16string_view utf16, std::string& out) {
  if (utf16.empty()) return;
  // Three bytes per unit at most (a surrogate pair takes four for two).
  const std::size_t start = out.size();
  out.resize(start + utf16.size() * 3);
  int32_t n = 0;
  UErrorCode err = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data() + start, static_cast<int32_t>(utf16.size() * 3), &n,
                     reinterpret_cast<const UChar*>(utf16.data()),
                     static_cast<int32_t>(utf16.size()), kReplacementChar, nullptr, &err);
  if (U_FAILURE(err) && err != U_STRING_NOT_TERMINATED_WARNING) n = 0;
  out.resize(start + static_cast<std::size_t>(n));
}

Converter& ThreadConverter() {
  thread_local Converter converter;
  return converter;
}

bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Below 0x80 code page 932 is ASCII, and most text is: ASCII is copied, and
// only the stretches around other characters go through the converter. A
// stretch takes in ASCII runs shorter than this, each call costing more
// than converting a few bytes.
constexpr std::size_t kShortAscii = 16;

// The end of the stretch that starts at the high byte at `from`. In code
// page 932 bytes a high byte may be a lead byte whose trail byte is ASCII
// (0x40..0x7E), so the byte after a high byte belongs to the stretch; the
// stretch ends where a character starts at an ASCII byte, as the whole
// text's conversion would read it too. UTF-8 never has ASCII bytes inside
// a character.
std::size_t StretchEnd(std::string_view text, std::size_t from, bool asciiTrails) {
  std::size_t i = from;
  for (;;) {
    while (i < text.size() && (IsHigh(text[i]) || (asciiTrails && IsHigh(text[i - 1])))) ++i;
    std::size_t next = i;
    while (next < text.size() && !IsHigh(text[next])) ++next;
    if (next == text.size() || next - i >= kShortAscii) return i;
    i = next;
  }
}

// Converts `text` stretch by stretch; `convert` appends one stretch's
// result and says whether it converted cleanly.
template <typename Convert>
std::string ByStretches(std::string_view text, bool asciiTrails, bool* allClean,
                        Convert&& convert) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  bool clean = true;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t high = i;
    while (high < text.size() && !IsHigh(text[high])) ++high;
    out.append(text, i, high - i);
    if (high == text.size()) break;
    const std::size_t end = StretchEnd(text, high, asciiTrails);
    clean = convert(text.substr(high, end - high), out) && clean;
    i = end;
  }
  if (allClean) *allClean = clean;
  return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932, Undecodable undecodable, bool* clean) {
  return ByStretches(cp932, true, clean, [&](std::string_view stretch, std::string& out) {
    bool stretchClean = true;
    AppendUtf8(ThreadConverter().Decode(stretch, undecodable, &stretchClean), out);
    return stretchClean;
  });
}

std::string Utf8ToCp932(std::string_view utf8, bool* lossless) {
  return ByStretches(utf8, false, lossless, [&](std::string_view stretch, std::string& out) {
    Converter& converter = ThreadConverter();
    const std::u16string units = Utf8ToUtf16(stretch);
    const std::size_t start = out.size();
    bool stretchLossless = true;
    converter.Encode(units, &stretchLossless, out);
    // Lossless means read back as the same characters: a character the
    // table maps one way only would come back as another.
    if (lossless && stretchLossless) {
      stretchLossless = converter.Decode(std::string_view(out).substr(start), Undecodable::Replace,
                                         nullptr) == std::u16string_view(units);
    }
    return stretchLossless;
  });
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  if (utf8.empty()) return {};
  // UTF-8 never needs more UTF-16 units than bytes.
  std::u16string out(utf8.size(), u'\0');
  int32_t n = 0;
  UErrorCode err = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &n,
                       utf8.data(), static_cast<int32_t>(utf8.size()), kReplacementChar, nullptr,
                       &err);
  if (U_FAILURE(err) && err != U_STRING_NOT_TERMINATED_WARNING) return {};
  out.resize(static_cast<std::size_t>(n));
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  AppendUtf8(utf16, out);
  return out;
}

}  // namespace quilmark::platform
