// Adding a folder must stay linear in the files of its tree: the per-file
// cost of adding a music folder of 10,000 songs (Artist/Album/NN.mp3, with
// a cover picture, a hidden folder and a link back to the top in every
// album) against that of one of 1,000, the walk alone and the whole add.
//
// usage: bench_folder_add
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bridge/add_files.h"
#include "platform/folder_walk.h"
#include "platform/paths.h"
#include "support/bench_files.h"
#include "support/bench_grid.h"
#include "tracklist/track_grid.h"
#include "ui/msgbox.h"

namespace {

using namespace quilmark;
using bench::AddSeconds;
using bench::Best;

void Check(bool ok, const std::string& what) {
  if (ok) return;
  std::perror(what.c_str());
  std::exit(1);
}

// A tree of `songs` files, ten to an album and ten albums to an artist,
// each a hard link to one of `pool`: the same bytes at no cost of disk.
std::string MakeTree(const std::string& root, const std::vector<std::string>& pool, int songs) {
  Check(mkdir(root.c_str(), 0700) == 0, root);
  for (int i = 0; i < songs; ++i) {
    const std::string artist = root + "Artist " + std::to_string(i / 100) + "/";
    const std::string album = artist + "Album " + std::to_string(i / 10 % 10) + "/";
    if (i % 100 == 0) Check(mkdir(artist.c_str(), 0700) == 0, artist);
    if (i % 10 == 0) {
      Check(mkdir(album.c_str(), 0700) == 0, album);
      Check(mkdir((album + ".thumbnails").c_str(), 0700) == 0, album);
      Check(symlink("../..", (album + "back to top").c_str()) == 0, album);
      Check(link(pool[0].c_str(), (album + "cover.jpg").c_str()) == 0, album);
    }
    const std::string song = album + std::to_string(i % 10) + " song.mp3";
    Check(link(pool[static_cast<std::size_t>(i)].c_str(), song.c_str()) == 0, song);
  }
  return root;
}

double WalkSeconds(const std::string& root, int expected, int runs) {
  return Best(runs,
              [&] {
                platform::FolderWalkOptions options;
                options.wanted = [](std::string_view name) {
                  return platform::UpperExtension(name) == ".MP3";
                };
                const auto walked = platform::WalkFolder(root, options);
                Check(static_cast<int>(walked.files.size()) == expected, "walk");
              })
      .cpu;
}

}  // namespace

int main() {
  bench::ScratchDir scratch;
  const std::string poolFolder = scratch.Path() + "pool/";
  Check(mkdir(poolFolder.c_str(), 0700) == 0, poolFolder);
  const std::vector<std::string> pool = bench::MakeTaggedFiles(poolFolder, 10000);
  const std::string small = MakeTree(scratch.Path() + "small/", pool, 1000);
  const std::string large = MakeTree(scratch.Path() + "large/", pool, 10000);

  const double walk1k = WalkSeconds(small, 1000, 7);
  const double walk10k = WalkSeconds(large, 10000, 3);
  const double add1k = AddSeconds({small}, 1000, 7);
  const double add10k = AddSeconds({large}, 10000, 3);
  std::printf("walk 1000 files: %.4f s CPU, 10000 files: %.4f s CPU\n", walk1k, walk10k);
  std::printf("add folder 1000 files: %10.0f files/s (CPU time)\n", 1000 / add1k);
  std::printf("add folder 10000 files: %10.0f files/s (CPU time)\n", 10000 / add10k);
  std::printf("per-file cost 10000/1000 walk %.3f\n", (walk10k / 10000) / (walk1k / 1000));
  std::printf("walk / whole add (10000): %.3f\n", walk10k / add10k);
  std::printf("ratio %.3f\n", (add10k / 10000) / (add1k / 1000));
  return 0;
}
