// An XFS file system with shared extents (reflink), made in a file and
// mounted for one test or benchmark, then unmounted and removed: where
// saves clone the audio instead of copying it. Making it needs root, a
// loop device and mkfs.xfs; where any of them is missing it says why.
#pragma once

#include <cstdint>
#include <string>

namespace quilmark::testing {

class XfsImage {
 public:
  explicit XfsImage(std::uint64_t bytes);
  ~XfsImage();
  XfsImage(const XfsImage&) = delete;
  XfsImage& operator=(const XfsImage&) = delete;

  bool Mounted() const { return mounted_; }
  // Why it is not mounted.
  const std::string& Why() const { return why_; }
  // Where it is mounted, with a trailing "/".
  std::string Path() const { return folder_ + "/mnt/"; }

 private:
  std::string folder_;
  bool mounted_ = false;
  std::string why_;
};

}  // namespace quilmark::testing
