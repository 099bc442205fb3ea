// The kinds of tag a save writes: one numbering for the whole program. The
// stored WriteTagVersion setting keeps its own numbers (0, 1, 2, and 3 for
// ID3v2.4); only the settings store converts between the two.
#pragma once

namespace quilmark {

enum class TagKind {
  Id3v1,   // the 128-byte block at the end of the file
  Id3v22,  // ID3v2.2 at the start
  Id3v23,  // ID3v2.3 at the start
  Id3v24,  // ID3v2.4 at the start
};

// The ID3v2 major version a kind writes; 0 for ID3v1, which has none.
constexpr int Id3v2Major(TagKind kind) {
  switch (kind) {
    case TagKind::Id3v22:
      return 2;
    case TagKind::Id3v23:
      return 3;
    case TagKind::Id3v24:
      return 4;
    case TagKind::Id3v1:
      break;
  }
  return 0;
}

}  // namespace quilmark
