// What a tag's text was written in when the chosen charset would have lost
// some of it: a character it has no form for, or bytes that a reader would
// take for another encoding. The whole tag changes, so that one file never
// mixes two encodings of its text.
#pragma once

namespace quilmark {

enum class TextFallback {
  None,    // written in the chosen charset
  Latin1,  // an ID3v1 block in ISO-8859-1, the encoding its standard names
  Utf16,   // UTF-16 (little-endian, with its byte-order mark)
};

}  // namespace quilmark
