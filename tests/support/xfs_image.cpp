#include "support/xfs_image.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace quilmark::testing {

namespace {

bool Run(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

}  // namespace

XfsImage::XfsImage(std::uint64_t bytes) {
  if (geteuid() != 0) {
    why_ = "mounting a file system made in a file needs root";
    return;
  }
  const char* tmp = getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quilmark-xfs-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    why_ = "no scratch folder";
    return;
  }
  folder_ = pattern;
  const std::string image = folder_ + "/image";
  std::error_code error;
  std::filesystem::create_directory(folder_ + "/mnt", error);
  { std::ofstream(image).flush(); }
  std::filesystem::resize_file(image, bytes, error);
  if (error) {
    why_ = "cannot make the image: " + error.message();
  } else if (!Run("mkfs.xfs -q -m reflink=1 " + Quoted(image))) {
    why_ = "mkfs.xfs -m reflink=1 failed or is missing (xfsprogs)";
  } else if (!Run("mount -o loop " + Quoted(image) + " " + Quoted(Path()))) {
    why_ = "cannot mount the XFS image (no loop device or no XFS in this kernel)";
  } else {
    mounted_ = true;
  }
}

XfsImage::~XfsImage() {
  if (mounted_ && !Run("umount " + Quoted(Path()))) Run("umount -l " + Quoted(Path()));
  std::error_code ignored;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

}  // namespace quilmark::testing
