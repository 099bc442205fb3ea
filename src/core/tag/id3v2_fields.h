// The contents of the frames the grid shows, read and written side by side:
// text frames, the comment frame and the user-defined URL frame. A content
// here starts with the frame's text-encoding byte.
//
// Texts are decoded from their bytes (a byte-order mark, else legacy text as
// its tag's LegacyReading says), not from the encoding byte: Japanese
// taggers write Shift-JIS under the byte for Latin-1. The byte tells where a
// terminator ends a string in the layouts that put one between two strings,
// and it is honoured where the bytes alone cannot tell: 3 is UTF-8 (read as
// such when it is well-formed), 2 is big-endian UTF-16 without a mark.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/charset.h"
#include "text/legacy_reading.h"

namespace quilmark {

// --- reading

// How the parsers read a string of legacy bytes: as the tag's reading
// says; or, while that reading is being worked out, not at all: the bytes
// are noted and the string comes out empty.
class LegacyStrings {
 public:
  explicit LegacyStrings(LegacyReading reading = LegacyReading::Japanese) : reading_(reading) {}
  explicit LegacyStrings(std::vector<std::string>& noted) : noted_(&noted) {}

  std::string Decode(std::string_view bytes) const;

 private:
  LegacyReading reading_ = LegacyReading::Japanese;
  std::vector<std::string>* noted_ = nullptr;
};

// A text frame's text. NULs inside it become "\0"; one NUL (or zero UTF-16
// unit) at the very end is a terminator and is dropped. With
// `severalValues` (version 2.4, where a NUL separates values) the values
// are joined with " / " instead.
std::string ParseTextContent(std::string_view content, bool severalValues = false,
                             const LegacyStrings& legacy = LegacyStrings());

// The separator that joins the values of a version 2.4 text frame.
inline constexpr std::string_view kValueSeparator = " / ";

struct CommentFields {
  std::string language;             // up to three printable ASCII characters
  std::string description;          // line ends CR LF
  std::optional<std::string> text;  // absent when no separator was found
};
// Reads both the standard layout (encoding byte, three language bytes,
// description, terminator, text) and the one that starts its content with a
// byte-order mark and holds the language as UTF-16 units.
CommentFields ParseCommentContent(std::string_view content,
                                  const LegacyStrings& legacy = LegacyStrings());

// The address of a user-defined URL frame: what follows the description and
// its terminator; the whole content when there is no terminator.
std::string ParseUrlContent(std::string_view content,
                            const LegacyStrings& legacy = LegacyStrings());
// Its description: what comes before the terminator; "" without one.
std::string ParseUrlDescription(std::string_view content,
                                const LegacyStrings& legacy = LegacyStrings());

// A string of the frame's encoding (its encoding byte) at the start of
// `bytes`, ended by its terminator: the text, and the bytes after the
// terminator. nullopt without a terminator.
struct TerminatedString {
  std::string text;
  std::string_view rest;
};
std::optional<TerminatedString> ParseTerminatedString(
    std::string_view bytes, unsigned char encoding, const LegacyStrings& legacy = LegacyStrings());

// --- writing

struct RenderedContent {
  std::string bytes;
  // What the tag-size arithmetic counts for this frame's content.
  std::size_t counted = 0;
  // Every character had a form in the charset (none became "?").
  bool exact = true;
};

// Encoding byte (0 for Shift-JIS and EUC-JP, 1 for UTF-16, 3 for UTF-8)
// and the encoded text.
RenderedContent RenderTextContent(std::string_view value, Charset charset);

// `value` is the write form: language, description, "\0", long text. Each
// "\0" becomes a NUL; a backslash followed by anything else is kept with it,
// and a backslash at the very end stays. Shift-JIS and EUC-JP write it as one
// string; UTF-16 and UTF-8 in the standard layout (language bytes, then
// description and text in the encoding).
RenderedContent RenderCommentContent(std::string_view value, Charset charset);

// Encoding byte, description with its terminator, the address. Without a
// description the encoding byte is 0; with one it is the byte of
// `charset`, in which the description is written. The address is
// single-byte text (code page 932), except that in a UTF-16 tag an address
// code page 932 cannot hold is written in UTF-16 after a byte-order mark,
// which the reader knows by that mark; a UTF-8 tag writes it in UTF-8, and
// its encoding byte says UTF-8 even without a description.
RenderedContent RenderUrlContent(std::string_view url, std::string_view description = {},
                                 Charset charset = Charset::ShiftJis);

// The write form split at its NUL escapes, by the rule above.
std::vector<std::string> SplitAtNulEscapes(std::string_view text);

}  // namespace quilmark
