// Replacing a file whole, safely on a shared file system and across a
// crash.
//
// The new content goes into a new file in the target's own folder that has
// no name yet (O_TMPFILE), so a crash or a kill leaves nothing behind, and
// everything about it is done through its descriptor: the content, the old
// file's owner, group, permission bits and extended attributes (ACLs among
// them), the flush. Only then does it get a name, which is renamed over the
// old one in a single step; the folder is flushed so that the rename lasts.
// A name swapped for a link in the meantime cannot redirect any of it.
//
// Where the file system cannot make unnamed files, the new file gets a name
// "QMK" + 8 hexadecimal digits at once. Every new file is locked while it
// is being made, so a later run tells a leftover of a killed run (no lock)
// from a save in progress (locked) and removes only the former.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file.h"
#include "platform/folder.h"
#include "platform/io_result.h"

namespace quilmark::platform {

inline constexpr std::string_view kTempPrefix = "QMK";
// The reason given for a file whose owner may not write it.
inline constexpr const char* kReadOnlyFile = "the file is read-only";

// Where a replacement goes: the folder, held open, and the name in it. A
// symbolic link at that name is followed to the file it names, so that the
// link stays and the file behind it is replaced.
struct ReplaceTarget {
  Folder folder;
  std::string name;
  std::string Path() const { return folder.Path() + name; }
};
IoResult<ReplaceTarget> LocateReplaceTarget(const std::string& path);

// Whether this user may replace `info`, the file at the target: a file
// without its owner's write bit is read-only (refused unless `readOnlyToo`,
// and then only for its owner, who could make it writable), and any other
// needs the system's yes to writing it (permission bits, ACLs, a read-only
// mount), as access(2) would say for this user.
IoStatus CheckMayReplace(const ReplaceTarget& target, const FileInfo& info, bool readOnlyToo);

// What a new file could keep of the one it replaces.
struct KeptOwnership {
  bool owner = true;
  bool group = true;
};

class Replacement {
 public:
  // A new empty file in the target's folder, which must outlive it. Until
  // it is put in place, destroying it leaves the folder as it was.
  static IoResult<Replacement> Create(const ReplaceTarget& target);
  ~Replacement();
  Replacement(Replacement&& other) noexcept;
  Replacement& operator=(Replacement&&) = delete;
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;

  File& Content() { return file_; }

  // What the new file keeps of `original` (described by `info`): owner
  // and group where this process may set them (the group alone where it
  // may not give the file away but belongs to the group), the permission
  // bits (set-id bits only with the owner or group they belong to), and
  // every extended attribute, ACLs included. Fails when an attribute
  // cannot be kept, except the security and trusted ones, which the
  // system sets by its own rules.
  IoResult<KeptOwnership> TakeAttributesOf(File& original, const FileInfo& info);
  // For a file that replaces nothing: permission bits as the creation mask
  // leaves them of `mode`.
  IoStatus SetModeForNewFile(std::uint32_t mode);
  // Starts writing the content to the disk and returns at once: files
  // flushed one after another then wait for the disk together.
  void StartFlush() { file_.StartSync(); }
  // The content and attributes on the disk.
  IoStatus Flush();
  // Puts the new file in place of the target's name in one step, checks
  // that the name now holds it, and flushes the folder; or, given
  // `folders`, adds the folder to those flushed once for many files.
  IoStatus PutInPlace(FolderSyncs* folders = nullptr);

 private:
  Replacement(const ReplaceTarget& target, File file, std::string name)
      : target_(&target), file_(std::move(file)), name_(std::move(name)) {}
  IoStatus GiveName();

  const ReplaceTarget* target_;
  File file_;
  std::string name_;  // empty while the file has no name
};

// Flushes many replacements at once, each waited for on a thread of its
// own: the file system then makes them lasting together (one journal
// commit for all where it can) instead of one after another. The statuses
// are in the order given.
std::vector<IoStatus> FlushTogether(const std::vector<Replacement*>& replacements);

// Removes the files named "QMK" + 8 hexadecimal digits in `folder` that
// belong to this user and that no running program holds locked: what a
// killed save left. Returns how many it removed.
int RemoveLeftovers(const Folder& folder);

// RemoveLeftovers once per folder, for a run that writes many files.
class LeftoverSweep {
 public:
  void Sweep(const Folder& folder);

 private:
  std::set<std::pair<std::uint64_t, std::uint64_t>> done_;  // device, inode
};

// Replaces `path` (or creates it) with `bytes`: a Replacement that keeps
// the old file's attributes, put in place only when complete. The old file
// must be a regular file this user may write; a read-only one is refused.
IoStatus WriteFileAtomically(const std::string& path, std::string_view bytes);

namespace testing {
// Makes replacements as named files from the start, as on a file system
// without unnamed ones. Tests only.
void UseNamedTempFiles(bool on);
}  // namespace testing

}  // namespace quilmark::platform
