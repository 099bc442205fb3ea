// The grid's 32 column positions: five fixed columns, nineteen field columns
// that the user may reorder (positions 5 to 23) and eight spare ones.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quilmark {

inline constexpr int kColumnCount = 32;
inline constexpr int kFixedColumnCount = 5;
inline constexpr int kFieldCount = 19;
inline constexpr int kFirstFieldPosition = 5;
inline constexpr int kLastFieldPosition = 23;

// Positions 5..23, where the fields stand.
inline constexpr bool IsFieldPosition(int p) {
  return p >= kFirstFieldPosition && p <= kLastFieldPosition;
}

// Fixed positions.
inline constexpr int colWork = 0;
inline constexpr int colChanged = 1;
inline constexpr int colCommentLang = 2;
inline constexpr int colCommentLong = 3;
inline constexpr int colRowNo = 4;

// The nineteen fields, by letter (A colPath .. S colOrgYear). A field is
// no grid position: where it stands is FieldColumn[FieldIndex(field)],
// which the user changes by dragging, so a Field never converts to a
// column number by itself.
// clang-format off
enum class Field {
  colPath, colFile, colNo, colArtist, colTitle, colAlbum, colYear, colGenre,
  colComment, colLyricist, colComposer, colCopyright, colEncoder, colURL,
  colBPM, colOrgAlbum, colOrgLyricist, colOrgArtist, colOrgYear,
};
// clang-format on
using enum Field;

// 0 for colPath .. 18 for colOrgYear: the index into tables by field.
inline constexpr std::size_t FieldIndex(Field f) { return static_cast<std::size_t>(f); }
// The field of an index 0..18.
inline constexpr Field FieldOfIndex(std::size_t index) { return static_cast<Field>(index); }

// Header text of a field ("パス", "ファイル名", "№", ...).
std::string_view FieldHeader(Field f);
// Caption of the field's show action ("パス(&P)", "&No.", ...).
std::string_view FieldShowCaption(Field f);
// Name of the field's show action ("actShowColPath", ...).
std::string_view FieldShowActionName(Field f);
// Header texts of the five fixed columns.
std::string_view FixedHeader(int position);

// Where each field stands and which positions are shown.
struct ColumnLayout {
  std::array<int, kFieldCount> FieldColumn{};      // by FieldIndex: a permutation of 5..23
  std::array<bool, kColumnCount> ColumnVisible{};  // by position

  // Default order, every field shown, colRowNo shown, the rest hidden.
  static ColumnLayout Default();

  int Position(Field f) const { return FieldColumn[FieldIndex(f)]; }
  // Whether the field's column is shown (the checked state of its action).
  bool IsFieldShown(Field f) const { return ColumnVisible[static_cast<std::size_t>(Position(f))]; }
  // The field at a position 5..23 (none for any other position).
  std::optional<Field> FieldAt(int position) const;
  // The shown field position nearest to `position` (itself when shown; on a
  // tie the one to the right), or none when every field column is hidden.
  std::optional<int> NearestShownPosition(int position) const;

  // The stored forms: ColOrder ("ABCDEFGHIJKLMNOPQRS") and ShowCol
  // ("1111111111111111111"). A malformed value leaves the layout at the
  // corresponding default; the result says whether the value was usable.
  bool ApplyColOrder(std::string_view colOrder);
  bool ApplyShowCol(std::string_view showCol);
  std::string ColOrder() const;
  std::string ShowCol() const;

  friend bool operator==(const ColumnLayout&, const ColumnLayout&) = default;
};

}  // namespace quilmark
