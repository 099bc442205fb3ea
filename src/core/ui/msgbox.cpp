#include "ui/msgbox.h"

#include <array>

namespace quilmark {

namespace {

struct CatalogueEntry {
  MessageId id;
  bool takesPrefix;
  const char* text;
};

constexpr std::array<CatalogueEntry, 21> kCatalogue{{
    {MSG_NO_GENRE, true, "ジャンルが選択されていません。"},
    {MSG_YEAR_LIMIT, true, "9999年までしか入力できません。"},
    {MSG_BAD_NUMBER, true, "数値として不適切な文字または記号が入力されました。"},
    {MSG_NO_ROW_TO_DELETE, false, "削除できる行がありません。"},
    {MSG_CANNOT_PASTE, false, "貼り付けできません。"},
    {MSG_NO_ASSOCIATION, false,
     ".mp3ファイルがアプリケーションに関連付けられていません。\n"
     "フォルダオプションより関連付けを行ってください。"},
    {MSG_OUT_OF_MEMORY, false, "メモリまたはシステムリソースが不足しています。"},
    {MSG_FILE_NOT_FOUND, false, "ファイルまたはパスが見つかりません。"},
    {MSG_BAD_EXE, false, "有効なWin32用の.exeではありません。"},
    {MSG_CANNOT_WRITE, true, "このファイルに対して書き込めません。"},
    {MSG_CANNOT_OPEN, true, "このファイルを開けません。"},
    {MSG_BAD_PATTERN, true, "検索する文字列または置換後の文字列が正しくありません。"},
    {MSG_TAG_VERSION_UNSUPPORTED, true,
     "このファイルに含まれるタグのバージョンは、\nまだサポートしていません。"},
    {MSG_TAG_COMPRESSED, true,
     "このファイルに含まれるタグは圧縮されていますが、\nまだサポートしていません。"},
    {MSG_CONFIRM_DELETE_ROW, true, "この行をリストから削除しますか？"},
    {MSG_CONFIRM_CLEAR_LIST, true, "リストをクリアしますか？"},
    {MSG_CONFIRM_ERASE_TAG, true, "この行のタグ内容をクリアしますか？"},
    {MSG_CONFIRM_ERASE_ALL_TAGS, false, "すべての行のタグ内容をクリアしますか？"},
    {MSG_CONFIRM_ERASE_SELECTED_TAGS, true, "選択した行のタグ内容をクリアしますか？"},
    {MSG_CONFIRM_WRITE_FILE, true,
     "このファイルに対して書き込みますか？\n"
     "(キャンセルを選択すると以後のファイルに書き込みません)"},
    {MSG_CONFIRM_SAVE_ON_CLOSE, true, "内容が変更されています。\n保存しますか？"},
}};

constexpr const char* kInvalidIdText = "メッセージＩＤが不正です。";

const CatalogueEntry* Find(MessageId id) {
  for (const CatalogueEntry& entry : kCatalogue) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

}  // namespace

const char* CatalogueText(MessageId id) {
  const CatalogueEntry* entry = Find(id);
  return entry ? entry->text : nullptr;
}

int Messages::msgbox(MessageId id, std::string_view prefix) {
  std::string text;
  if (!prefix.empty()) {
    text.assign(prefix);
    text += '\n';
  }

  // The kind decides before the catalogue is consulted, so a question with
  // an unknown number is still answered silently while questions are off.
  unsigned style = 0;
  switch (id >> 28) {
    case 0x0:
      style = MB_OK | MB_ICONINFORMATION;
      break;
    case 0x1:
      if (!writeConfirm_) return IDOK;
      style = MB_OKCANCEL | MB_ICONQUESTION;
      break;
    case 0x2:
      if (!writeConfirm_) return IDYES;
      style = MB_YESNOCANCEL | MB_ICONQUESTION;
      break;
    case 0x3:
      if (!writeConfirm_) return IDNO;
      style = MB_YESNOCANCEL | MB_ICONQUESTION;
      break;
    default:
      break;
  }

  if (const CatalogueEntry* entry = Find(id)) {
    if (entry->takesPrefix) {
      text += entry->text;
    } else {
      text = entry->text;
    }
  } else {
    text = kInvalidIdText;
    style = MB_OK | MB_ICONERROR;
  }
  return presenter_.Show(text, kApplicationTitle, style);
}

int Messages::Notice(std::string_view text, unsigned style) {
  return presenter_.Show(std::string(text), kApplicationTitle, style);
}

}  // namespace quilmark
