#include "platform/portable_name.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace quilmark::platform {

namespace {

bool IsForbidden(unsigned char c) {
  constexpr std::string_view kForbidden = "\\/:*?\"<>|";
  return c < 0x20 || c == 0x7F || kForbidden.find(static_cast<char>(c)) != std::string_view::npos;
}

void ReplaceForbidden(std::string& name) {
  for (char& c : name) {
    if (IsForbidden(static_cast<unsigned char>(c))) c = '_';
  }
}

bool IsDeviceName(std::string_view base) {
  constexpr std::array<std::string_view, 4> kNames = {"CON", "PRN", "AUX", "NUL"};
  std::string upper(base);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (std::string_view name : kNames) {
    if (upper == name) return true;
  }
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         upper[3] >= '1' && upper[3] <= '9';
}

// Cuts to at most `bytes`, never inside a UTF-8 character.
void CutTo(std::string& text, std::size_t bytes) {
  if (text.size() <= bytes) return;
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
}

void DropTrailingDotsAndBlanks(std::string& name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
}

}  // namespace

std::string PortableFileName(std::string_view stem, std::string_view extension) {
  std::string ext(extension);
  ReplaceForbidden(ext);
  CutTo(ext, kMaxNameBytes / 2);
  std::string base(stem);
  ReplaceForbidden(base);
  const std::size_t dot = std::min(base.find('.'), base.size());
  if (IsDeviceName(std::string_view(base).substr(0, dot))) {
    base = base.substr(0, dot) + "_" + base.substr(dot);
  }
  CutTo(base, kMaxNameBytes - ext.size());
  std::string name = base + ext;
  DropTrailingDotsAndBlanks(name);
  return name;
}

}  // namespace quilmark::platform
