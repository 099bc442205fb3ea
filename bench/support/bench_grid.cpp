#include "support/bench_grid.h"

#include <cstdio>
#include <cstdlib>
#include <random>

#include "bridge/add_files.h"
#include "tag/tag_values.h"

namespace quilmark::bench {

namespace {

const char* const kWords[] = {"love",  "Night", "blue",   "Summer", "rain",   "Dream", "star",
                              "夜",    "空",    "さくら", "ひかり", "東京",   "雨",    "永遠",
                              "Heart", "fire",  "カノン", "ソナタ", "winter", "road"};
const char* const kArtists[] = {"The Owls", "山田 花子", "Kento",    "quartet x",   "ブルーノート",
                                "Aoi",      "Lumen",     "鈴木一郎", "night shift", "Ren"};
const char* const kGenres[] = {"Rock", "Pop", "Jazz", "Classical", "Ambient", "No Genre"};

}  // namespace

double AddSeconds(const std::vector<std::string>& names, int expected, int runs) {
  return Best(runs,
              [&] {
                const bool questions = false;
                SilentPresenter presenter;
                Messages messages(questions, presenter);
                TrackGrid grid;
                const AddFilesResult r = AddFiles(grid, names, messages);
                if (r.added != expected || !r.notAdded.empty() || presenter.shown != 0) {
                  std::fprintf(stderr, "added %d of %d (%zu not added, %d messages)\n", r.added,
                               expected, r.notAdded.size(), presenter.shown);
                  std::exit(1);
                }
              })
      .cpu;
}

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

}  // namespace quilmark::bench
