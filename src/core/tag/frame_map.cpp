#include "tag/frame_map.h"

#include <array>

#include "tag/tag_values.h"

namespace quilmark {
namespace {

constexpr std::array<FrameMapEntry, 17> kFrameMap = {{
    {keys::Title, "TT2", "TIT2"},
    {keys::Artist, "TP1", "TPE1"},
    {keys::Album, "TAL", "TALB"},
    {keys::Year, "TYE", "TYER"},
    {keys::Comment, "COM", "COMM"},
    {keys::Track, "TRK", "TRCK"},
    {keys::Genre, "TCO", "TCON"},
    {keys::Lyricist, "TXT", "TEXT"},
    {keys::Composer, "TCM", "TCOM"},
    {keys::Copyright, "TCR", "TCOP"},
    {keys::Encoded, "TEN", "TENC"},
    {keys::URL, "WXX", "WXXX"},
    {keys::BPM, "TBP", "TBPM"},
    {keys::OrgAlbum, "TOT", "TOAL"},
    {keys::OrgLyricist, "TOL", "TOLY"},
    {keys::OrgArtist, "TOA", "TOPE"},
    {keys::OrgYear, "TOR", "TORY"},
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
    if (key == e.key) return major == 2 ? e.v22 : e.v23;
  }
  return {};
}

}  // namespace quilmark
