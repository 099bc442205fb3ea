// The encodings that tag text is written in: the Charset setting.
#pragma once

namespace quilmark {

enum class Charset {
  ShiftJis,  // code page 932
  EucJp,
  Utf16Le,  // with the byte-order mark FF FE
  Utf16Be,  // with the byte-order mark FE FF
  // No choice of the setting: what an ID3v2.4 tag is written in when the
  // setting names Shift-JIS or EUC-JP, which that version cannot hold.
  Utf8,
};

}  // namespace quilmark
