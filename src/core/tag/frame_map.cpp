#include "tag/frame_map.h"

#include <array>

#include "tag/tag_values.h"

namespace quilmark {
namespace {

constexpr std::array<FrameMapEntry, 17> kFrameMap = {{
    {keys::Title, "TT2", "TIT2", "TIT2"},
    {keys::Artist, "TP1", "TPE1", "TPE1"},
    {keys::Album, "TAL", "TALB", "TALB"},
    {keys::Year, "TYE", "TYER", "TDRC"},
    {keys::Comment, "COM", "COMM", "COMM"},
    {keys::Track, "TRK", "TRCK", "TRCK"},
    {keys::Genre, "TCO", "TCON", "TCON"},
    {keys::Lyricist, "TXT", "TEXT", "TEXT"},
    {keys::Composer, "TCM", "TCOM", "TCOM"},
    {keys::Copyright, "TCR", "TCOP", "TCOP"},
    {keys::Encoded, "TEN", "TENC", "TENC"},
    {keys::URL, "WXX", "WXXX", "WXXX"},
    {keys::BPM, "TBP", "TBPM", "TBPM"},
    {keys::OrgAlbum, "TOT", "TOAL", "TOAL"},
    {keys::OrgLyricist, "TOL", "TOLY", "TOLY"},
    {keys::OrgArtist, "TOA", "TOPE", "TOPE"},
    {keys::OrgYear, "TOR", "TORY", "TDOR"},
}};

}  // namespace

std::span<const FrameMapEntry> FrameMap() { return kFrameMap; }

std::string_view FrameIdToKey(std::string_view id) {
  for (const FrameMapEntry& e : kFrameMap) {
    if (id == e.v22 || id == e.v23) return e.key;
  }
  return {};
}

std::string_view KeyToFrameId(std::string_view key, int major) {
  for (const FrameMapEntry& e : kFrameMap) {
    if (key == e.key) return major == 2 ? e.v22 : major == 3 ? e.v23 : e.v24;
  }
  return {};
}

}  // namespace quilmark
