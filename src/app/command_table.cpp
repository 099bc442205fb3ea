#include "app/command_table.h"

#include "platform/text_transform.h"
#include "tracklist/columns.h"

namespace quilmark {

namespace {

using H = CommandHandlers;
using I = CommandImage;

std::vector<CommandEntry> BuildTable() {
  std::vector<CommandEntry> t = {
      {"actFileAdd", "File", "ファイルを追加(&A)", "Ctrl+A",
       "ファイルを追加|"
       "MP3ファイルを追加します。プレイリストファイル、CSVファイルからも追加できます。",
       I::Add, false, &H::actFileAddExecute},
      {"actFileAddFolder", "File", "フォルダを追加(&D)", "Ctrl+Shift+D",
       "フォルダを追加|"
       "フォルダとそのすべてのサブフォルダにあるMP3ファイルを追加します。",
       I::AddFolder, false, &H::actFileAddFolderExecute},
      {"actFileSaveMP3", "File", "MP3ファイルに書き込む(&S)", "Ctrl+S",
       "MP3ファイルに書き込む|すべての変更をMP3ファイルに書き込みます。", I::WriteTags, false,
       &H::actFileSaveMP3Execute},
      {"actFileSavePlaylist", "File", "プレイリストに書き込む(&W)", "Ctrl+W",
       "プレイリストに書き込む|"
       "現在リストにあるファイルのリストを書き出します。CSVファイルにも書き出せます。",
       I::WriteList, false, &H::actFileSavePlaylistExecute},
      {"actFileExit", "File", "終了(&X)", "", "終了|このアプリケーションを終了します。", I::Exit,
       false, &H::actFileExitExecute},

      {"actEditUndo", "Edit", "元に戻す(&U)", "Ctrl+Z", "元に戻す|編集を元に戻します。", I::Undo,
       false, &H::actEditUndoExecute},
      {"actEditRedo", "Edit", "やり直し(&R)", "Ctrl+Y", "やり直し|元に戻した編集をやり直します。",
       I::None, false, &H::actEditRedoExecute},
      {"actEditSelectAll", "Edit", "すべてのセルを選択(&L)", "Ctrl+Shift+A",
       "すべてのセルを選択|すべての行のすべての列を選択します。", I::None, false,
       &H::actEditSelectAllExecute},
      {"actEditFillSelection", "Edit", "選択した行に入力(&I)", "Ctrl+Return",
       "選択した行に入力|"
       "現在のセルの内容（入力中の文字列）を、同じ列の選択されているすべての行に入れます。",
       I::None, false, &H::actEditFillSelectionExecute},
      {"actEditReplace", "Edit", "検索と置換(&H)...", "Ctrl+H",
       "検索と置換|選んだ列の文字列を検索して置き換えます。正規表現も使えます。", I::None, false,
       &H::actEditReplaceExecute},
      {"actEditNumberTracks", "Edit", "トラック番号を付ける(&N)...", "",
       "トラック番号を付ける|"
       "選択している行（またはすべての行）に、上から順にトラック番号を付けます。",
       I::None, false, &H::actEditNumberTracksExecute},
      {"actEditCut", "Edit", "切り取り(&T)", "Ctrl+X",
       "切り取り|選択されているセルまたは文字列をクリップボードにコピーし、削除します。", I::Cut,
       false, &H::actEditCutExecute},
      {"actEditCopy", "Edit", "コピー(&C)", "Ctrl+C",
       "コピー|選択されているセルまたは文字列をクリップボードにコピーします。", I::Copy, false,
       &H::actEditCopyExecute},
      {"actEditPaste", "Edit", "貼り付け(&P)", "Ctrl+V",
       "貼り付け|クリップボードの内容を貼り付けます。", I::Paste, false, &H::actEditPasteExecute},
      {"actEditDeleteCell", "Edit", "現在のセルの内容を削除(&E)", "Ctrl+Del",
       "セルの内容を削除|選択されているセルの内容を消去します。", I::None, false,
       &H::actEditDeleteCellExecute},
      {"actEditDeleteRow", "Edit", "現在行をリストから削除(&D)", "",
       "行を削除|選択されている行をリストから削除します。ファイル自体は削除されません。",
       I::DeleteRow, false, &H::actEditDeleteRowExecute},
      {"actEditColFill", "Edit", "列の内容をすべてコピー(&F)", "",
       "列の内容をすべてコピー|現在のセルの内容を、同じ列のほかのすべての行にコピーします"
       "（複数の行を選択しているときは、選択している行だけ）。",
       I::None, false, &H::actEditColFillExecute},
      {"actEditGenre", "Edit", "v2/ジャンル選択(&G)", "",
       "ジャンル選択|バージョン2タグのジャンルを選択します。", I::None, false,
       &H::actEditGenreExecute},
      {"actEditv2Comment", "Edit", "v2/コメント入力", "",
       "コメント入力|バージョン2タグのコメントを入力します。", I::None, false,
       &H::actEditv2CommentExecute},
      {"actEditEraseTag", "Edit", "タグをすべてクリア", "",
       "タグをクリア|バージョン1タグの内容をすべてクリアします。", I::None, false,
       &H::actEditEraseTagExecute},
      {"actEditEraseTagAll", "Edit", "タグをすべてクリア（全ファイル）", "",
       "タグをすべてクリア|バージョン1タグの内容をすべてクリアします（全ファイル）。", I::None,
       false, &H::actEditEraseTagAllExecute},
      {"actEditSort", "Edit", "この列でソート", "",
       "この列でソート|現在選択されているセルの列を基準に並び替えます。", I::Sort, false,
       &H::actEditSortExecute},
      {"actEditClear", "Edit", "リストをクリア(&A)", "",
       "リストをクリア|リストからすべての行を削除します。ファイルは削除されません。", I::None,
       false, &H::actEditClearExecute},

      {"actPictureSet", "Picture", "画像を設定(&S)...", "",
       "画像を設定|画像ファイル (JPEG, PNG) を、選択している行の表紙にします。", I::None, false,
       &H::actPictureSetExecute},
      {"actPictureRemove", "Picture", "画像を削除(&D)", "",
       "画像を削除|画像パネルで選んでいる種類の画像を、選択している行から削除します。", I::None,
       false, &H::actPictureRemoveExecute},
      {"actPictureSave", "Picture", "画像をファイルに保存(&F)...", "",
       "画像を保存|画像パネルで選んでいる画像をファイルに保存します。", I::None, false,
       &H::actPictureSaveExecute},

      {"actShowToolbar", "Show", "ツールバー(&T)", "",
       "ツールバー|ツールバーの表示／非表示を切り替えます。", I::None, true,
       &H::actShowToolbarExecute},
      {"actShowStatusbar", "Show", "ステータスバー(&S)", "",
       "ステータスバー|ステータスバーの表示／非表示を切り替えます。", I::None, true,
       &H::actShowStatusbarExecute},
  };

  for (int k = 0; k < kFieldCount; ++k) {
    const auto f = static_cast<Field>(k);
    const std::string header(FieldHeader(f));
    CommandEntry entry{std::string(FieldShowActionName(f)),
                       "Show",
                       std::string(FieldShowCaption(f)),
                       "",
                       header + "|" + header + "の列を表示または非表示にします。",
                       I::None,
                       true,
                       nullptr,
                       k};
    t.push_back(std::move(entry));
  }

  using C = platform::TextConversion;
  const struct {
    const char* name;
    const char* caption;
    const char* hint;
    C conversion;
  } conversions[] = {
      {"actConvAsciiFull", "英数字・記号を全角に(&Z)",
       "全角に|選択しているセルの英字、数字、記号と空白を全角にします。", C::AsciiToFullwidth},
      {"actConvAsciiHalf", "英数字・記号を半角に(&H)",
       "半角に|選択しているセルの全角の英字、数字、記号と空白を半角にします。",
       C::AsciiToHalfwidth},
      {"actConvKanaFull", "カタカナを全角に(&K)",
       "カタカナを全角に|選択しているセルの半角カタカナを全角にします。", C::KatakanaToFullwidth},
      {"actConvKanaHalf", "カタカナを半角に(&N)",
       "カタカナを半角に|選択しているセルの全角カタカナを半角にします。", C::KatakanaToHalfwidth},
      {"actConvToKatakana", "ひらがなをカタカナに(&A)",
       "ひらがなをカタカナに|選択しているセルのひらがなをカタカナにします。",
       C::HiraganaToKatakana},
      {"actConvToHiragana", "カタカナをひらがなに(&I)",
       "カタカナをひらがなに|選択しているセルのカタカナをひらがなにします。",
       C::KatakanaToHiragana},
      {"actConvUpper", "大文字に(&U)", "大文字に|選択しているセルの英字を大文字にします。",
       C::Upper},
      {"actConvLower", "小文字に(&L)", "小文字に|選択しているセルの英字を小文字にします。",
       C::Lower},
      {"actConvTitle", "単語の先頭を大文字に(&T)",
       "単語の先頭を大文字に|選択しているセルの英単語の先頭を大文字、残りを小文字にします。",
       C::Title},
      {"actConvSpaces", "空白を整える(&S)",
       "空白を整える|選択しているセルの前後の空白を削除し、続いた空白を 1 つにします。",
       C::TidySpaces},
  };
  for (const auto& c : conversions) {
    CommandEntry entry{c.name, "Edit", c.caption, "", c.hint, I::None, false, nullptr};
    entry.conversion = static_cast<int>(c.conversion);
    t.push_back(std::move(entry));
  }

  const std::vector<CommandEntry> rest = {
      {"actShowColAllVisible", "Show", "すべて表示(&V)", "",
       "すべて表示|すべてのタグの列を表示します。", I::None, false,
       &H::actShowColAllVisibleExecute},
      {"actShowColAllInvisible", "Show", "すべて隠す(&I)", "",
       "すべて隠す|すべてのタグの列を隠します。", I::None, false,
       &H::actShowColAllInvisibleExecute},
      {"actShowHideCol", "Show", "この列を隠す", "", "この列を隠す|選択されている列を隠します。",
       I::None, false, &H::actShowHideColExecute},

      {"actToolPlay", "Tool", "現在行のファイルを再生(&P)", "Ctrl+P",
       "再生|現在行のファイルを、.mp3に関連付けられたアプリケーションで再生します。", I::Play,
       false, &H::actToolPlayExecute},
      {"actToolTagsFromNames", "Tool", "ファイル名からタグを設定(&T)...", "",
       "ファイル名からタグを設定|"
       "選択している行のファイル名をパターンで区切り、タグの各項目に設定します。",
       I::None, false, &H::actToolTagsFromNamesExecute},
      {"actToolNamesFromTags", "Tool", "タグからファイル名を変更(&R)...", "",
       "タグからファイル名を変更|"
       "選択している行のファイルの名前を、タグの各項目とパターンから付け直します。",
       I::None, false, &H::actToolNamesFromTagsExecute},
      {"actToolOption", "Tool", "オプション(&O)", "", "オプション|オプションを設定します。",
       I::None, false, &H::actToolOptionExecute},
      {"actHelpContents", "Help", "目次(&C)", "F1", "目次|ヘルプを表示します。", I::None, false,
       &H::actHelpContentsExecute},
      {"actHelpAbout", "Help", "バージョン情報(&A)", "",
       "バージョン情報|バージョン情報を表示します。", I::None, false, &H::actHelpAboutExecute},

      {"actEditUndoHidden", "編集", "元に戻す(非表示)", "Alt+Backspace", "", I::HiddenUndo, false,
       &H::actEditUndoHiddenExecute},
      {"actEditCutHidden", "編集", "切り取り(非表示)", "Shift+Del", "切り取り", I::HiddenCut, false,
       &H::actEditCutHiddenExecute},
      {"actEditCopyHidden", "編集", "コピー(非表示)", "Ctrl+Ins", "コピー", I::HiddenCopy, false,
       &H::actEditCopyHiddenExecute},
      {"actEditPasteHidden", "編集", "貼り付け(非表示)", "Shift+Ins", "貼り付け", I::HiddenPaste,
       false, &H::actEditPasteHiddenExecute},
  };
  t.insert(t.end(), rest.begin(), rest.end());
  return t;
}

}  // namespace

const std::vector<CommandEntry>& CommandTable() {
  static const std::vector<CommandEntry> table = BuildTable();
  return table;
}

const CommandEntry* FindCommand(std::string_view name) {
  for (const CommandEntry& entry : CommandTable()) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

std::string ShortHint(std::string_view hint) {
  const auto bar = hint.find('|');
  return std::string(bar == std::string_view::npos ? hint : hint.substr(0, bar));
}

std::string LongHint(std::string_view hint) {
  const auto bar = hint.find('|');
  return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

const std::vector<MenuSpec>& MenuTable() {
  static const std::vector<MenuSpec> menus = {
      {"mmFile",
       "ファイル(&F)",
       "",
       {"actFileAdd", "actFileAddFolder", "-", "actFileSaveMP3", "actFileSavePlaylist", "-",
        "actFileExit"}},
      {"mmEdit",
       "編集(&E)",
       "",
       {"actEditUndo", "actEditRedo", "-", "actEditCut", "actEditCopy", "actEditPaste", "-",
        "actEditSelectAll", "actEditFillSelection", "-", "actEditReplace", ">7",
        "actEditNumberTracks", "-", "actEditDeleteCell", "actEditDeleteRow", "actEditClear", "-",
        "actEditEraseTagAll", "-", ">8"}},
      {"mmShow", "表示(&V)", "", {"actShowToolbar", "actShowStatusbar", ">3"}},
      {"mmShowCol",
       "列(&C)",
       "列|列の表示／非表示を切り替えます。",
       {"actShowColPath",       "actShowColFile",         "-",
        "actShowColAllVisible", "actShowColAllInvisible", "-",
        "actShowColNo",         "actShowColArtist",       "actShowColTitle",
        "actShowColAlbum",      "actShowColYear",         "actShowColGenre",
        "actShowColComment",    "actShowColLyricist",     "actShowColComposer",
        "actShowColCopyright",  "actShowColEncoder",      "actShowColURL",
        "actShowColBPM",        "actShowColOrgAlbum",     "actShowColOrgLyricist",
        "actShowColOrgArtist",  "actShowColOrgYear"},
       true,
       false},
      {"mmTool",
       "ツール(&T)",
       "",
       {"actToolPlay", "-", "actToolTagsFromNames", "actToolNamesFromTags", "-", "actToolOption"}},
      {"mmHelp", "ヘルプ(&H)", "", {"actHelpContents", "actHelpAbout"}},
      {"mmHidden",
       "（非表示）",
       "",
       {"actEditUndoHidden", "actEditCutHidden", "actEditCopyHidden", "actEditPasteHidden"},
       false},
      {"mmConvert",
       "文字の変換(&V)",
       "文字の変換|選択しているセルの文字を変換します。",
       {"actConvAsciiFull", "actConvAsciiHalf", "actConvKanaFull", "actConvKanaHalf", "-",
        "actConvToKatakana", "actConvToHiragana", "-", "actConvUpper", "actConvLower",
        "actConvTitle", "-", "actConvSpaces"},
       true,
       false},
      {"mmEditPicture",
       "画像(&G)",
       "画像|表紙などの画像を設定、削除、保存します。",
       {"actPictureSet", "actPictureRemove", "actPictureSave"},
       true,
       false},
  };
  return menus;
}

const std::vector<std::string>& ToolBarEntries() {
  static const std::vector<std::string> entries = {
      "-",           "actFileAdd",     "actFileAddFolder",
      "-",           "actFileSaveMP3", "actFileSavePlaylist",
      "-",           "actFileExit",    "-",
      "actEditUndo", "actEditCut",     "actEditCopy",
      "actEditPaste"};
  return entries;
}

const std::vector<PopupSpec>& PopupTable() {
  static const std::vector<PopupSpec> items = {
      {"pmAdd", "ファイルを追加(&A)", "actFileAdd"},
      {"pmSep1", "", ""},
      {"pmSelGenre", "ジャンル選択(&G)", "actEditGenre"},
      {"pmv2Comment", "コメント入力(&O)", "actEditv2Comment"},
      {"pmFillCol", "", "actEditColFill"},
      {"pmSort", "", "actEditSort"},
      {"pmHideCol", "", "actShowHideCol"},
      {"pmSep2", "", ""},
      {"pmPlay", "現在行のファイルを再生(&Y)", "actToolPlay"},
      {"pmEraseTag", "", "actEditEraseTag"},
      {"pmDeleteRow", "", "actEditDeleteRow"},
      {"pmSep3", "", ""},
      {"pmCut", "切り取り(&T)", "actEditCut"},
      {"pmCopy", "コピー(&C)", "actEditCopy"},
      {"pmPaste", "貼り付け(&P)", "actEditPaste"},
      {"pmDeleteCell", "現在のセルの内容を削除(&E)", "actEditDeleteCell"},
  };
  return items;
}

}  // namespace quilmark
