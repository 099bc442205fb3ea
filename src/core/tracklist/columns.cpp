#include "tracklist/columns.h"

namespace quilmark {

namespace {

struct FieldInfo {
  std::string_view header;
  std::string_view showCaption;
  std::string_view showAction;
};

// By letter A to S.
constexpr std::array<FieldInfo, kFieldCount> kFields{{
    {"パス", "パス(&P)", "actShowColPath"},
    {"ファイル名", "ファイル(&F)", "actShowColFile"},
    {"№", "&No.", "actShowColNo"},
    {"アーティスト", "アーティスト(&A)", "actShowColArtist"},
    {"タイトル", "タイトル(&T)", "actShowColTitle"},
    {"アルバム", "アルバム(&L)", "actShowColAlbum"},
    {"年", "年(&Y)", "actShowColYear"},
    {"ジャンル", "ジャンル(&G)", "actShowColGenre"},
    {"コメント", "コメント(&C)", "actShowColComment"},
    {"作詞", "作詞(&R)", "actShowColLyricist"},
    {"作曲", "作曲(&O)", "actShowColComposer"},
    {"著作権", "著作権(&H)", "actShowColCopyright"},
    {"エンコード者", "エンコード者(&B)", "actShowColEncoder"},
    {"URL", "&URL", "actShowColURL"},
    {"BPM", "&BPM", "actShowColBPM"},
    {"Orgアルバム", "Orgアルバム(&M)", "actShowColOrgAlbum"},
    {"Org作詞", "Org作詞", "actShowColOrgLyricist"},
    {"Orgアーティスト", "Orgアーティスト", "actShowColOrgArtist"},
    {"Org年", "Orgリリース年", "actShowColOrgYear"},
}};

constexpr std::array<std::string_view, kFixedColumnCount> kFixedHeaders{"Work", "*", "コメント言語",
                                                                        "コメント長文", "№"};

}  // namespace

std::string_view FieldHeader(Field f) { return kFields[FieldIndex(f)].header; }

std::string_view FieldShowCaption(Field f) { return kFields[FieldIndex(f)].showCaption; }

std::string_view FieldShowActionName(Field f) { return kFields[FieldIndex(f)].showAction; }

std::string_view FixedHeader(int position) {
  if (position < 0 || position >= kFixedColumnCount) return {};
  return kFixedHeaders[static_cast<std::size_t>(position)];
}

ColumnLayout ColumnLayout::Default() {
  ColumnLayout layout;
  for (int k = 0; k < kFieldCount; ++k) layout.FieldColumn[k] = kFirstFieldPosition + k;
  layout.ColumnVisible.fill(false);
  layout.ColumnVisible[colRowNo] = true;
  for (int p = kFirstFieldPosition; p <= kLastFieldPosition; ++p) layout.ColumnVisible[p] = true;
  return layout;
}

std::optional<Field> ColumnLayout::FieldAt(int position) const {
  if (!IsFieldPosition(position)) return std::nullopt;
  for (std::size_t k = 0; k < FieldColumn.size(); ++k) {
    if (FieldColumn[k] == position) return FieldOfIndex(k);
  }
  return std::nullopt;
}

std::optional<int> ColumnLayout::NearestShownPosition(int position) const {
  for (int distance = 0; distance < kColumnCount; ++distance) {
    for (int p : {position + distance, position - distance}) {
      if (IsFieldPosition(p) && ColumnVisible[static_cast<std::size_t>(p)]) return p;
    }
  }
  return std::nullopt;
}

bool ColumnLayout::ApplyColOrder(std::string_view colOrder) {
  bool usable = colOrder.size() == kFieldCount;
  std::array<bool, kFieldCount> seen{};
  for (std::size_t k = 0; usable && k < colOrder.size(); ++k) {
    const int letter = colOrder[k] - 'A';
    if (letter < 0 || letter >= kFieldCount || seen[letter]) {
      usable = false;
    } else {
      seen[letter] = true;
    }
  }
  for (int k = 0; k < kFieldCount; ++k) {
    FieldColumn[k] = kFirstFieldPosition + (usable ? colOrder[k] - 'A' : k);
  }
  return usable;
}

bool ColumnLayout::ApplyShowCol(std::string_view showCol) {
  const bool usable = showCol.size() == kFieldCount;
  for (int k = 0; k < kFieldCount; ++k) {
    if (IsFieldPosition(FieldColumn[k]))
      ColumnVisible[FieldColumn[k]] = !usable || showCol[k] == '1';
  }
  return usable;
}

std::string ColumnLayout::ColOrder() const {
  std::string text(kFieldCount, 'A');
  for (int k = 0; k < kFieldCount; ++k) {
    text[k] = static_cast<char>('A' + (FieldColumn[k] - kFirstFieldPosition));
  }
  return text;
}

std::string ColumnLayout::ShowCol() const {
  std::string text(kFieldCount, '0');
  for (int k = 0; k < kFieldCount; ++k) {
    if (IsFieldPosition(FieldColumn[k]) && ColumnVisible[FieldColumn[k]]) text[k] = '1';
  }
  return text;
}

}  // namespace quilmark
