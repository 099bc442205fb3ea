// Sorting 100,000 rows by the title column, against sorting the same key
// strings alone with the same collator (keys computed once per row). Also
// times fill column and clear list at 50,000 and 100,000 rows, which must
// grow linearly.
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "platform/collation.h"
#include "support/bench_files.h"
#include "tag/tag_values.h"
#include "tracklist/edit_dialogs.h"
#include "tracklist/grid_view_port.h"
#include "tracklist/sort_rows.h"
#include "tracklist/track_editor.h"
#include "tracklist/track_grid.h"
#include "tracklist/undo_list.h"
#include "ui/busy_indicator.h"
#include "ui/clipboard.h"
#include "ui/msgbox.h"
#include "ui/text_width.h"

using namespace quilmark;

namespace {

constexpr int kRows = 100000;

const char* const kWords[] = {"love",  "Night", "blue",   "Summer", "rain",   "Dream", "star",
                              "夜",    "空",    "さくら", "ひかり", "東京",   "雨",    "永遠",
                              "Heart", "fire",  "カノン", "ソナタ", "winter", "road"};
const char* const kArtists[] = {"The Owls", "山田 花子", "Kento",    "quartet x",   "ブルーノート",
                                "Aoi",      "Lumen",     "鈴木一郎", "night shift", "Ren"};
const char* const kGenres[] = {"Rock", "Pop", "Jazz", "Classical", "Ambient", "No Genre"};

TrackGrid MakeGrid(int rows, unsigned seed) {
  std::mt19937 random(seed);
  auto word = [&] { return std::string(kWords[random() % std::size(kWords)]); };
  TrackGrid grid;
  for (int i = 0; i < rows; ++i) {
    const int r = grid.AppendRow();
    const std::string artist = kArtists[random() % std::size(kArtists)];
    const std::string album = word() + " " + word();
    // Titles are nearly all distinct, as in a real collection; albums and
    // artists repeat.
    const std::string title =
        word() + " " + word() + " " + word() + " " + std::to_string(random() % 1000);
    const std::string track = std::to_string(1 + random() % 20);
    const std::string year = std::to_string(1970 + random() % 55);
    const std::string genre = kGenres[random() % std::size(kGenres)];
    const std::string comment = random() % 3 ? "" : "ripped " + word();
    grid.SetFieldCell(colPath, r, "/home/user/Music/" + artist + "/" + album + "/");
    grid.SetFieldCell(colFile, r, track + " " + title + ".mp3");
    grid.SetFieldCell(colNo, r, track);
    grid.SetFieldCell(colArtist, r, artist);
    grid.SetFieldCell(colTitle, r, title);
    grid.SetFieldCell(colAlbum, r, album);
    grid.SetFieldCell(colYear, r, year);
    grid.SetFieldCell(colGenre, r, genre);
    grid.SetFieldCell(colComment, r, comment);
    if (!comment.empty()) grid.SetCell(colCommentLang, r, "jpn");
    TagValues work;
    work.Set("Title", title);
    work.Set("Artist", artist);
    work.Set("Album", album);
    work.Set("Year", year);
    work.Set("Track", track);
    work.Set("Genre", genre);
    work.Set("Comment", comment);
    work.Set("TagVersion", "2.3");
    grid.SetCell(colWork, r, work.ToCommaText());
    if (random() % 10 == 0) grid.MarkRowChanged(r);
  }
  return grid;
}

class NullView : public GridViewPort {
 public:
  int column = 9, row = 1;
  int CurrentColumn() const override { return column; }
  int CurrentRow() const override { return row; }
  void SetCurrentCell(int c, int r) override { column = c, row = r; }
  bool IsEditorOpen() const override { return false; }
  void OpenEditor() override {}
  void CloseEditor() override {}
  void SetEditorText(const std::string&) override {}
  bool EditorHasSelection() const override { return false; }
  void EditorUndo() override {}
  void EditorRedo() override {}
  void EditorCut() override {}
  void EditorCopy() override {}
  void EditorPaste() override {}
};

class NoDialogs : public EditDialogs {
 public:
  bool SelectGenre(std::string&) override { return false; }
  bool EditComment(CommentTexts&) override { return false; }
};

struct CommandTimes {
  double fill = 0, clear = 0;
};

CommandTimes TimeCommands(int rows) {
  TrackGrid grid = MakeGrid(rows, 7);
  const bool questions = false;
  bench::SilentPresenter presenter;
  Messages messages(questions, presenter);
  MemoryClipboard clipboard;
  NoDialogs dialogs;
  NullBusyIndicator busy;
  FixedTextWidth measure;
  UndoList undo;
  NullView view;
  view.column = grid.Layout().Position(colAlbum);
  view.row = rows / 2;
  TrackEditor editor(grid, view, messages, clipboard, dialogs, busy, measure, undo);
  CommandTimes t;
  {
    bench::Stopwatch watch;
    editor.actEditColFillExecute();
    t.fill = watch.Seconds();
  }
  {
    bench::Stopwatch watch;
    editor.actEditClearExecute();
    t.clear = watch.Seconds();
  }
  return t;
}

}  // namespace

int main() {
  const platform::LocaleCollator collator(platform::LocaleCollator::Case::Ignored);
  const TrackGrid original = MakeGrid(kRows, 42);
  const int column = original.Layout().Position(colTitle);

  // Baseline: the key strings alone, keys computed once, indices sorted.
  auto baselineRun = [&] {
    bench::Stopwatch watch;
    std::vector<std::string> keys;
    keys.reserve(kRows);
    for (int r = 1; r <= kRows; ++r) {
      keys.push_back(collator.SortKey(original.Cell(column, r) + std::string(32, ' ')));
    }
    std::vector<int> order(kRows);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    return watch.Seconds();
  };
  auto sortRun = [&] {
    TrackGrid grid = original;
    bench::Stopwatch watch;
    SortRowsByColumn(grid, column, collator);
    return watch.Seconds();
  };
  // Best of three, alternating, so a busy machine disturbs both alike.
  double baseline = 1e9, whole = 1e9;
  for (int i = 0; i < 3; ++i) {
    baseline = std::min(baseline, baselineRun());
    whole = std::min(whole, sortRun());
  }
  // Sorting by album: every row ties with the other tracks of its album,
  // so the rest of the row decides within each album.
  double byAlbum = 0;
  {
    TrackGrid grid = original;
    bench::Stopwatch watch;
    SortRowsByColumn(grid, grid.Layout().Position(colAlbum), collator);
    byAlbum = watch.Seconds();
  }

  std::printf("rows %d\n", kRows);
  std::printf("sort by title: %.3f s\n", whole);
  std::printf("baseline (key strings alone): %.3f s\n", baseline);
  std::printf("sort by album (many equal keys): %.3f s\n", byAlbum);

  CommandTimes half{1e9, 1e9}, full{1e9, 1e9};
  for (int i = 0; i < 3; ++i) {
    const CommandTimes h = TimeCommands(kRows / 2), f = TimeCommands(kRows);
    half = {std::min(half.fill, h.fill), std::min(half.clear, h.clear)};
    full = {std::min(full.fill, f.fill), std::min(full.clear, f.clear)};
  }
  std::printf("fill column %d rows: %.4f s, %d rows: %.4f s (x%.2f)\n", kRows / 2, half.fill, kRows,
              full.fill, full.fill / half.fill);
  std::printf("clear list %d rows: %.4f s, %d rows: %.4f s (x%.2f)\n", kRows / 2, half.clear, kRows,
              full.clear, full.clear / half.clear);
  std::printf("ratio %.2f\n", whole / baseline);
  return 0;
}
