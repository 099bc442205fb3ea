#include "tag/write_file_tags.h"

#include <algorithm>
#include <utility>

#include "tag/prepare_tag_write.h"

namespace quilmark {

namespace {

// Bounds on what waits for a commit: three descriptors a file (the old
// file, the new one, their folder), and data the system has yet to write.
constexpr std::size_t kMaxWaitingFiles = 64;
constexpr std::uint64_t kMaxWaitingBytes = std::uint64_t{512} << 20;

}  // namespace

TagWriteBatch::TagWriteBatch(const TagWriteOptions& options, platform::LeftoverSweep* sweep)
    : options_(options), sweep_(sweep) {}

TagWriteBatch::~TagWriteBatch() = default;

std::optional<TagWriteResult> TagWriteBatch::Add(const std::string& path, const TagValues& values,
                                                 const PictureEdit& pictures) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    auto prepared = PrepareTagWrite(path, values, pictures, options_, sweep_);
    if (auto* refused = std::get_if<TagWriteResult>(&prepared)) return std::move(*refused);
    auto& write = std::get<std::unique_ptr<PreparedTagWrite>>(prepared);
    // The same file again (another name, a link): it must be made from
    // what the earlier write puts in place, as one file after the other.
    const bool again = std::any_of(waiting_.begin(), waiting_.end(), [&](const auto& other) {
      return other->info.SameFile(write->info);
    });
    if (again && attempt == 0) {
      write.reset();
      std::vector<TagWriteResult> results = Commit();
      done_ = std::move(results);
      continue;
    }
    waitingBytes_ += write->bytes;
    waiting_.push_back(std::move(write));
    break;
  }
  return std::nullopt;
}

bool TagWriteBatch::Full() const {
  return waiting_.size() >= kMaxWaitingFiles || waitingBytes_ >= kMaxWaitingBytes;
}

std::vector<TagWriteResult> TagWriteBatch::Commit() {
  std::vector<TagWriteResult> results = std::move(done_);
  done_.clear();
  // Every file's writing to the disk began as it was made: the flushes
  // wait for what is already under way, and for one another's commits.
  std::vector<platform::Replacement*> replacements;
  for (auto& write : waiting_) replacements.push_back(&*write->replacement);
  const std::vector<platform::IoStatus> flushed = platform::FlushTogether(replacements);
  platform::FolderSyncs folders;
  for (std::size_t i = 0; i < waiting_.size(); ++i) {
    PreparedTagWrite& write = *waiting_[i];
    platform::IoStatus status = flushed[i];
    if (status) status = write.replacement->PutInPlace(&folders);
    results.push_back(status ? std::move(write.result) : FailedWrite(status.Error()));
  }
  folders.SyncAll();
  waiting_.clear();
  waitingBytes_ = 0;
  return results;
}

TagWriteResult WriteFileTags(const std::string& path, const TagValues& values,
                             const TagWriteOptions& options, platform::LeftoverSweep* sweep,
                             const PictureEdit& pictures) {
  TagWriteBatch batch(options, sweep);
  if (std::optional<TagWriteResult> refused = batch.Add(path, values, pictures)) {
    return std::move(*refused);
  }
  return std::move(batch.Commit().front());
}

}  // namespace quilmark
