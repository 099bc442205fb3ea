#include "tracklist/cell_rules.h"

#include "tracklist/track_grid.h"

namespace quilmark {

namespace {

bool IsField(const ColumnLayout& layout, int column, Field f) {
  return column == layout.Position(f);
}

}  // namespace

CellClass ClassOfColumn(const ColumnLayout& layout, int column) {
  const std::optional<Field> field = layout.FieldAt(column);
  if (!field) return CellClass::NotTyped;
  switch (*field) {
    case colPath:
    case colFile:
      return CellClass::NotTyped;
    case colGenre:
      return CellClass::GenreDialog;
    case colComment:
      return CellClass::CommentDialog;
    default:
      return CellClass::Typed;
  }
}

bool IsCellTypable(const TrackGrid& grid, int column, int row) {
  if (row < 1 || row >= grid.RowCount()) return false;
  if (grid.Cell(colRowNo, row).empty()) return false;
  if (!IsFieldPosition(column) || !grid.Layout().ColumnVisible[column]) return false;
  return ClassOfColumn(grid.Layout(), column) == CellClass::Typed;
}

std::string_view EditMaskFor(const ColumnLayout& layout, int column) {
  if (IsField(layout, column, colNo) || IsField(layout, column, colYear)) return kDigitsMask;
  return {};
}

bool IsNumericColumn(const ColumnLayout& layout, int column) {
  return IsField(layout, column, colNo) || IsField(layout, column, colYear) ||
         IsField(layout, column, colBPM) || IsField(layout, column, colOrgYear);
}

bool IsAllDigits(std::string_view text) {
  for (char ch : text) {
    if (ch < '0' || ch > '9') return false;
  }
  return true;
}

bool KeepsNonDigitsOf(std::string_view before, std::string_view after) {
  // Whole UTF-8 characters are compared: bytes of two characters of
  // `before` could otherwise spell a third.
  auto nextOther = [](std::string_view text, std::size_t& at) -> std::string_view {
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    const std::size_t start = at;
    if (at < text.size()) ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    return text.substr(start, at - start);
  };
  std::size_t b = 0, a = 0;
  for (std::string_view wanted = nextOther(after, a); !wanted.empty();
       wanted = nextOther(after, a)) {
    std::string_view found;
    do {
      found = nextOther(before, b);
    } while (!found.empty() && found != wanted);
    if (found.empty()) return false;
  }
  return true;
}

bool IsCellValueValid(const TrackGrid& grid, int column, int row) {
  if (!IsNumericColumn(grid.Layout(), column)) return true;
  if (row < 0 || row >= grid.RowCount()) return true;
  return IsAllDigits(grid.Cell(column, row));
}

std::string_view EditKeyFor(const ColumnLayout& layout, int column) {
  const std::optional<Field> field = layout.FieldAt(column);
  if (!field) return {};
  switch (*field) {
    case colTitle:
      return "Title";
    case colArtist:
      return "Artist";
    case colAlbum:
      return "Album";
    case colYear:
      return "Year";
    case colComment:
      return "Comment";
    case colNo:
      return "Track";
    case colLyricist:
      return "Lyricist";
    case colComposer:
      return "Composer";
    case colCopyright:
      return "Copyright";
    case colEncoder:
      return "Encoder";
    case colURL:
      return "Url";
    case colBPM:
      return "Bpm";
    case colOrgAlbum:
      return "Org_album";
    case colOrgLyricist:
      return "Org_lyric";
    case colOrgArtist:
      return "Org_artist";
    case colOrgYear:
      return "Org_year";
    default:
      return {};
  }
}

}  // namespace quilmark
