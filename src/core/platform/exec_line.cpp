#include "platform/exec_line.h"

#include "platform/key_file.h"
#include "platform/xdg_text.h"

namespace quilmark::platform {

namespace {

std::string FileUri(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    const bool plain =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
        std::string_view("/-._~!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string_view::npos;
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

}  // namespace

std::optional<std::vector<std::string>> SplitExec(std::string_view exec) {
  std::vector<std::string> args;
  std::string current;
  bool inArgument = false;
  for (std::size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (c == ' ' || c == '\t') {
      if (inArgument) args.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else if (c == '"') {
      inArgument = true;
      bool closed = false;
      for (++i; i < exec.size(); ++i) {
        if (exec[i] == '"') {
          closed = true;
          break;
        }
        if (exec[i] == '\\' && i + 1 < exec.size() &&
            std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
          ++i;
        }
        current += exec[i];
      }
      if (!closed) return std::nullopt;
    } else {
      inArgument = true;
      current += c;
    }
  }
  if (inArgument) args.push_back(std::move(current));
  return args;
}

std::string QuoteExecArgument(std::string_view argument) {
  std::string out = "\"";
  for (char c : argument) {
    if (std::string_view("\"`$\\").find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out + "\"";
}

std::optional<std::vector<std::string>> CommandForFile(const std::string& entryPath,
                                                       const std::string& filePath) {
  const auto lines = ReadTextLines(entryPath);
  if (!lines) return std::nullopt;
  const auto exec = KeyFileValue(*lines, kDesktopEntryGroup, "Exec");
  if (!exec) return std::nullopt;
  const auto tokens = SplitExec(UnescapeString(*exec));
  if (!tokens || tokens->empty()) return std::nullopt;

  std::vector<std::string> args;
  bool fileGiven = false;
  for (const std::string& token : *tokens) {
    if (token == "%f" || token == "%F") {
      args.push_back(filePath);
      fileGiven = true;
    } else if (token == "%u" || token == "%U") {
      args.push_back(FileUri(filePath));
      fileGiven = true;
    } else if (token == "%i") {
      if (auto icon = KeyFileValue(*lines, kDesktopEntryGroup, "Icon"); icon && !icon->empty()) {
        args.push_back("--icon");
        args.push_back(UnescapeString(*icon));
      }
    } else {
      // Other codes expand inside the argument; deprecated ones vanish.
      std::string arg;
      for (std::size_t i = 0; i < token.size(); ++i) {
        if (token[i] != '%' || i + 1 == token.size()) {
          arg += token[i];
          continue;
        }
        switch (token[++i]) {
          case '%':
            arg += '%';
            break;
          case 'c':
            arg += UnescapeString(KeyFileValue(*lines, kDesktopEntryGroup, "Name").value_or(""));
            break;
          case 'k':
            arg += entryPath;
            break;
          default:
            break;
        }
      }
      if (!arg.empty() || token.find('%') == std::string::npos) args.push_back(std::move(arg));
    }
  }
  if (args.empty() || args.front().empty()) return std::nullopt;
  if (!fileGiven) args.push_back(filePath);
  return args;
}

}  // namespace quilmark::platform
