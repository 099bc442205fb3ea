#include "tag/id3v2_header.h"

#include "tag/id3v2_numbers.h"

namespace quilmark {

std::optional<Id3v2Header> ParseId3v2Header(std::string_view bytes) {
  if (bytes.size() < kId3v2HeaderSize || bytes.substr(0, 3) != "ID3") return std::nullopt;
  auto byte = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
  };
  Id3v2Header header;
  header.major = static_cast<int>(byte(3));
  header.revision = static_cast<int>(byte(4));
  header.flags = static_cast<int>(byte(5));
  header.size = (byte(6) << 21) + (byte(7) << 14) + (byte(8) << 7) + byte(9);
  return header;
}

std::string RenderId3v2Header(int major, std::uint32_t size) {
  std::string header = "ID3";
  header.push_back(static_cast<char>(major));
  header.push_back('\0');
  header.push_back('\0');
  AppendSynchsafe(header, size);
  return header;
}

}  // namespace quilmark
