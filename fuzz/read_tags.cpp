// Reading a file's tags, as adding it to the list does: any bytes at all
// must give values or a reason, never a crash, an overrun or a hang.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "tag/tag_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quilmark;
  const std::string path = fuzz::WriteScratchFile(
      "read.mp3", std::string_view(reinterpret_cast<const char*>(data), size));
  static_cast<void>(ReadTagValues(path));
  return 0;
}
