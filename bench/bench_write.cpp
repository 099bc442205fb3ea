// Rewriting the tags of many multi-megabyte files, against the physical
// floor of a safe rewrite, in three cases (each ends with its ratio):
//   single  one file after another, each flushed, against a copy of each
//           file flushed on its own;
//   batch   100 files of 8 MB in one save, against copying them all and
//           one sync;
//   clone   the same save again on an XFS file system made in a file, where
//           the new tags fit the old ones' space and the audio is shared,
//           against a real copy (cp --reflink=never) and one sync there
//           (skipped, saying why, where it cannot be mounted).
// `bench_write [single|batch|clone]` runs one case; no argument runs all.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/file_system.h"
#include "support/bench_files.h"
#include "support/xfs_image.h"
#include "tag/write_file_tags.h"

using namespace quilmark;

namespace {

bool CopyDurably(const std::string& from, const std::string& to) {
  auto in = platform::File::Open(from, platform::File::Mode::Read);
  auto out = platform::File::Open(to, platform::File::Mode::Truncate);
  if (!in || !out) return false;
  auto size = in->Size();
  return size && out->CopyFrom(*in, 0, *size) && out->Sync() && out->Close();
}

double TimeCopies(const std::vector<std::string>& paths) {
  bench::Stopwatch watch;
  for (const std::string& path : paths) {
    if (!CopyDurably(path, path + ".copy")) std::fprintf(stderr, "copy failed: %s\n", path.c_str());
  }
  double seconds = watch.Seconds();
  for (const std::string& path : paths) static_cast<void>(platform::RemoveFile(path + ".copy"));
  return seconds;
}

// `cp` of all the files into another folder, then one `sync`: the floor of
// a save of many files that never patches one in place. `cpOptions` can
// ask for a real copy where cp would share the blocks.
double TimeCpAndSync(const std::vector<std::string>& paths, const std::string& folder,
                     const std::string& cpOptions) {
  const std::string copies = folder + "copies";
  std::string cp = "cp " + cpOptions;
  for (const std::string& path : paths) cp += " '" + path + "'";
  cp += " '" + copies + "' && sync";
  std::filesystem::create_directory(copies);
  sync();
  bench::Stopwatch watch;
  if (std::system(cp.c_str()) != 0) std::fprintf(stderr, "cp failed\n");
  const double seconds = watch.Seconds();
  std::filesystem::remove_all(copies);
  sync();
  return seconds;
}

TagValues ValuesFor(std::size_t i, int round) {
  TagValues values;
  values.Set("Title", "Title " + std::to_string(i) + " round " + std::to_string(round));
  values.Set("Artist", "Artist");
  values.Set("Comment", "   \\0written by the benchmark");
  return values;
}

double TimeRewrites(const std::vector<std::string>& paths, int round) {
  const TagWriteOptions options;  // ID3v2.3, Shift-JIS
  sync();
  bench::Stopwatch watch;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (!WriteFileTags(paths[i], ValuesFor(i, round), options).Written()) {
      std::fprintf(stderr, "write failed: %s\n", paths[i].c_str());
    }
  }
  return watch.Seconds();
}

// As a save of many rows does it.
double TimeBatchSave(const std::vector<std::string>& paths, int round) {
  const TagWriteOptions options;
  sync();
  bench::Stopwatch watch;
  TagWriteBatch batch(options);
  std::vector<TagWriteResult> results;
  const auto commit = [&] {
    for (TagWriteResult& result : batch.Commit()) results.push_back(std::move(result));
  };
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (auto refused = batch.Add(paths[i], ValuesFor(i, round))) results.push_back(*refused);
    if (batch.Full()) commit();
  }
  commit();
  const double seconds = watch.Seconds();
  for (const TagWriteResult& result : results) {
    if (!result.Written()) std::fprintf(stderr, "write failed: %s\n", result.reason.c_str());
  }
  return seconds;
}

constexpr int kRounds = 3;

void Single(const std::string& folder) {
  constexpr int kFiles = 40;
  constexpr std::size_t kAudio = 4u << 20;
  std::vector<std::string> paths = bench::MakeTaggedFiles(folder, kFiles, kAudio);
  // Alternate the two and keep the best of each, so that neither pays for
  // a cold cache or a busy disk alone.
  double copy = 1e9, rewrite = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    copy = std::min(copy, TimeCopies(paths));
    rewrite = std::min(rewrite, TimeRewrites(paths, round));
  }
  std::printf("single: %d files of %zu MB, one after another\n", kFiles, kAudio >> 20);
  std::printf("copy each + flush each  %.3f s\n", copy);
  std::printf("tag rewrite             %.3f s\n", rewrite);
  std::printf("ratio %.2f\n", rewrite / copy);
}

constexpr int kManyFiles = 100;
constexpr std::size_t kManyAudio = 8u << 20;

// The batch case where `folder` is; the first save, whose tags grow, is
// left out when `warm` (then every save's tags fit the last one's space).
void Batch(const char* name, const std::string& folder, const std::string& cpOptions, bool warm) {
  std::vector<std::string> paths = bench::MakeTaggedFiles(folder, kManyFiles, kManyAudio);
  if (warm) TimeBatchSave(paths, 100);
  double copy = 1e9, save = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    copy = std::min(copy, TimeCpAndSync(paths, folder, cpOptions));
    save = std::min(save, TimeBatchSave(paths, round));
  }
  std::printf("%s: %d files of %zu MB in one save\n", name, kManyFiles, kManyAudio >> 20);
  std::printf("cp %s+ one sync  %.3f s\n", cpOptions.empty() ? "" : (cpOptions + " ").c_str(),
              copy);
  std::printf("save                    %.3f s\n", save);
  std::printf("ratio %.3f\n", save / copy);
}

void Clone() {
  testing::XfsImage xfs(std::uint64_t{3} << 30);
  if (!xfs.Mounted()) {
    std::printf("clone: skipped: %s\n", xfs.Why().c_str());
    return;
  }
  std::printf("clone: on an XFS file system (reflink) made in a file and mounted at %s\n",
              xfs.Path().c_str());
  // cp would share the blocks here too: the floor is a real copy.
  Batch("clone", xfs.Path(), "--reflink=never", true);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string only = argc > 1 ? argv[1] : "";
  if (only.empty() || only == "single") {
    bench::ScratchDir dir;
    Single(dir.Path());
  }
  if (only.empty() || only == "batch") {
    bench::ScratchDir dir;
    Batch("batch", dir.Path(), "", false);
  }
  if (only.empty() || only == "clone") Clone();
  return 0;
}
