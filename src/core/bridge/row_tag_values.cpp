#include "bridge/row_tag_values.h"

#include <string_view>
#include <utility>

namespace quilmark {

namespace {

// In the order a row's values are written (it decides the frame order).
// The comment cell shows the ID3v2 comment and is written as the ID3v1 one.
constexpr std::pair<Field, std::string_view> kFieldKeys[] = {
    {colTitle, keys::Title},
    {colArtist, keys::Artist},
    {colAlbum, keys::Album},
    {colYear, keys::Year},
    {colComment, keys::Comment},
    {colNo, keys::Track},
    {colGenre, keys::Genre},
    {colLyricist, keys::Lyricist},
    {colComposer, keys::Composer},
    {colCopyright, keys::Copyright},
    {colEncoder, keys::Encoded},
    {colURL, keys::URL},
    {colBPM, keys::BPM},
    {colOrgAlbum, keys::OrgAlbum},
    {colOrgLyricist, keys::OrgLyricist},
    {colOrgArtist, keys::OrgArtist},
    {colOrgYear, keys::OrgYear},
};

// The comment frame gives its language three characters: a shorter one
// would lend the description's first characters to it on reading.
std::string ThreeCharacterLanguage(std::string language) {
  std::size_t characters = 0;
  for (char c : language) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
  }
  if (characters < 3) language.append(3 - characters, ' ');
  return language;
}

}  // namespace

void FillRowFromTagValues(TrackGrid::Row& cells, const ColumnLayout& layout,
                          const TagValues& values) {
  for (const auto& [field, key] : kFieldKeys) {
    cells[static_cast<std::size_t>(layout.Position(field))] = values.Get(key);
  }
  cells[colCommentLang] = values.Get(keys::Comment0);
  cells[colCommentLong] = values.Get(keys::Comment2);
  cells[colWork] = values.ToCommaText();
}

void SetRowIntoTagValues(const TrackGrid& grid, int row, TagValues& values) {
  for (const auto& [field, key] : kFieldKeys) {
    const std::string& cell = grid.FieldCell(field, row);
    if (field != colComment) {
      values.Set(key, cell);
      continue;
    }
    values.Set(keys::Commentv1, cell);
    const std::string& language = grid.Cell(colCommentLang, row);
    const std::string& longText = grid.Cell(colCommentLong, row);
    if (language.empty() && cell.empty() && longText.empty()) {
      values.Set(keys::Comment, "");
    } else {
      values.Set(keys::Comment, ThreeCharacterLanguage(language) + cell + "\\0" + longText);
    }
  }
}

}  // namespace quilmark
