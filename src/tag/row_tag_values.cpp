#include "tag/row_tag_values.h"

#include <string_view>
#include <utility>

namespace quilmark {

namespace {

constexpr std::pair<Field, std::string_view> kFieldKeys[] = {
    {colNo, keys::Track},
    {colArtist, keys::Artist},
    {colTitle, keys::Title},
    {colAlbum, keys::Album},
    {colYear, keys::Year},
    {colGenre, keys::Genre},
    {colComment, keys::Comment},
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
  auto cell = [&](Field f) -> const std::string& { return grid.FieldCell(f, row); };
  values.Set(keys::Title, cell(colTitle));
  values.Set(keys::Artist, cell(colArtist));
  values.Set(keys::Album, cell(colAlbum));
  values.Set(keys::Year, cell(colYear));
  values.Set(keys::Commentv1, cell(colComment));

  const std::string& language = grid.Cell(colCommentLang, row);
  const std::string& longText = grid.Cell(colCommentLong, row);
  if (language.empty() && cell(colComment).empty() && longText.empty()) {
    values.Set(keys::Comment, "");
  } else {
    values.Set(keys::Comment, (language.empty() ? std::string("   ") : language) +
                                  cell(colComment) + "\\0" + longText);
  }

  values.Set(keys::Track, cell(colNo));
  values.Set(keys::Genre, cell(colGenre));
  values.Set(keys::Lyricist, cell(colLyricist));
  values.Set(keys::Composer, cell(colComposer));
  values.Set(keys::Copyright, cell(colCopyright));
  values.Set(keys::Encoded, cell(colEncoder));
  values.Set(keys::URL, cell(colURL));
  values.Set(keys::BPM, cell(colBPM));
  values.Set(keys::OrgAlbum, cell(colOrgAlbum));
  values.Set(keys::OrgLyricist, cell(colOrgLyricist));
  values.Set(keys::OrgArtist, cell(colOrgArtist));
  values.Set(keys::OrgYear, cell(colOrgYear));
}

}  // namespace quilmark
