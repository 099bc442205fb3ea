// The CSV column names of the fields. Five of them are written under other
// names than they are read under, so a written file gives back the encoder
// and the four Org fields only after its header is edited; that is the
// format other programs' files follow, and it stays.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "tracklist/columns.h"

namespace quilmark {

inline constexpr std::string_view kCsvPathReadName = "File";
inline constexpr std::string_view kCsvPathWrittenName = "FILE";
// An image file whose picture a read list sets as the row's front cover.
inline constexpr std::string_view kCsvPictureName = "Picture";

struct CsvColumn {
  Field field;
  std::string_view readName;
  std::string_view writtenName;
};

inline constexpr std::size_t kCsvColumnCount = 17;

// colNo .. colOrgYear in letter order; entry i belongs to CSV flag i.
inline constexpr std::array<CsvColumn, kCsvColumnCount> kCsvColumns{{
    {colNo, "No", "NO"},
    {colArtist, "Artist", "ARTIST"},
    {colTitle, "Title", "TITLE"},
    {colAlbum, "Album", "ALBUM"},
    {colYear, "Year", "YEAR"},
    {colGenre, "Genre", "GENRE"},
    {colComment, "Comment", "COMMENT"},
    {colLyricist, "Lyricist", "LYRICIST"},
    {colComposer, "Composer", "COMPOSER"},
    {colCopyright, "Copyright", "COPYRIGHT"},
    {colEncoder, "Encoded", "ENCODER"},
    {colURL, "URL", "URL"},
    {colBPM, "BPM", "BPM"},
    {colOrgAlbum, "OrgAlbum", "ORG_ALBUM"},
    {colOrgLyricist, "OrgLyricist", "ORG_LYRIC"},
    {colOrgArtist, "OrgArtist", "ORG_ARTIST"},
    {colOrgYear, "OrgYear", "ORG_YEAR"},
}};

// Index into kCsvColumns (and the CSV flags) of a field colNo..colOrgYear.
inline constexpr std::size_t CsvColumnIndex(Field f) { return FieldIndex(f) - FieldIndex(colNo); }

}  // namespace quilmark
