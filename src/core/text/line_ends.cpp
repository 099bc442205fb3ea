#include "text/line_ends.h"

namespace quilmark {

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

}  // namespace

// CR and LF bytes in UTF-8 stand only for themselves, as they do in code
// page 932 (never a trail byte), so the line-end rules work on the program's
// text directly.
std::string ToCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 2);
  char pending = 0;
  for (char c : text) {
    const bool lineEnd = c == kCr || c == kLf;
    if (pending == 0) {
      if (lineEnd) {
        pending = c;
      } else {
        out += c;
      }
    } else if (lineEnd) {
      out += "\r\n";
      // CR then LF completes one line end; anything else starts a new one.
      pending = (pending == kCr && c == kLf) ? 0 : c;
    } else {
      out += "\r\n";
      out += c;
      pending = 0;
    }
  }
  if (pending != 0) out += "\r\n";
  return out;
}

// Removing CRs before encoding gives the same bytes as removing CR units
// after it: every encoding the writer uses turns U+000D into exactly one
// unit of value 0x0D (byte or 16-bit unit), and no other character yields
// such a unit (0x0D is never a Shift-JIS or EUC-JP trail byte). Working on
// the text also spares the writer from knowing the units of each Charset.
std::string ToLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != kCr) out += c;
  }
  return out;
}

}  // namespace quilmark
