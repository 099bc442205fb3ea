#include "platform/paths.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace quilmark::platform {

namespace {

std::size_t LastSeparator(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsPathSeparator(path[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

// "/a/b" with no empty, "." or ".." part and no backslash: its own full
// path, as most names given and listed are.
bool IsNormalAbsolute(std::string_view path) {
  if (path.size() < 2 || path.front() != '/' || path.back() == '/') return false;
  std::size_t partStart = 1;
  for (std::size_t i = 1; i <= path.size(); ++i) {
    if (i < path.size() && path[i] == '\\') return false;
    if (i < path.size() && path[i] != '/') continue;
    const std::string_view part = path.substr(partStart, i - partStart);
    if (part.empty() || part == "." || part == "..") return false;
    partStart = i + 1;
  }
  return true;
}

}  // namespace

bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

std::string FolderPart(std::string_view path) {
  std::size_t sep = LastSeparator(path);
  return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string FileNamePart(std::string_view path) {
  std::size_t sep = LastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string UpperExtension(std::string_view path) {
  std::string name = FileNamePart(path);
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string ext = name.substr(dot);
  for (char& c : ext) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return ext;
}

std::string FullPath(std::string_view path) {
  if (path.empty()) return {};
  if (IsNormalAbsolute(path)) return std::string(path);
  std::string joined;
  if (!IsPathSeparator(path.front())) {
    joined = CurrentDirectory();
    // A deleted working folder has no name to build on.
    if (joined.empty()) return {};
    joined += '/';
  }
  joined += path;

  // Parts are resolved by name only: a ".." after a symbolic link goes to
  // the link's own folder, as a user typing the path expects.
  std::vector<std::string_view> parts;
  std::string_view rest = joined;
  while (!rest.empty()) {
    std::size_t end = 0;
    while (end < rest.size() && !IsPathSeparator(rest[end])) ++end;
    std::string_view part = rest.substr(0, end);
    rest.remove_prefix(end < rest.size() ? end + 1 : end);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  if (parts.empty()) return "/";
  std::string result;
  for (std::string_view part : parts) {
    result += '/';
    result += part;
  }
  return result;
}

std::string CurrentDirectory() {
  std::string buffer(256, '\0');
  for (;;) {
    if (getcwd(buffer.data(), buffer.size())) {
      buffer.resize(buffer.find('\0'));
      return buffer;
    }
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
}

bool SetCurrentDirectory(const std::string& dir) { return !dir.empty() && chdir(dir.c_str()) == 0; }

}  // namespace quilmark::platform
