#include "platform/registry_text.h"

#include <cstdint>
#include <cstdio>

namespace quilmark::platform {

namespace {

// Length of the well-formed UTF-8 sequence at `at`, or 0.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t at) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char lead = byte(at);
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > s.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

std::string Quote(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      // Well-formed text stays readable; stray bytes are escaped so that the
      // file stays valid UTF-8 and the value still comes back byte for byte.
      if (std::size_t length = Utf8SequenceLength(text, i)) {
        out.append(text.substr(i, length));
        i += length;
        continue;
      }
    }
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += static_cast<char>(c);
        }
    }
    ++i;
  }
  out += '"';
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct ParseError {
  std::string what;
};

// Reads one line of the file from left to right.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : rest_(line) {}

  bool AtEnd() const { return rest_.empty(); }
  bool Peek(char c) const { return !rest_.empty() && rest_.front() == c; }
  bool Take(std::string_view word) {
    if (rest_.substr(0, word.size()) != word) return false;
    rest_.remove_prefix(word.size());
    return true;
  }
  void SkipBlanks() {
    while (!rest_.empty() && (rest_.front() == ' ' || rest_.front() == '\t'))
      rest_.remove_prefix(1);
  }

  // A quoted text with its escapes; the reader stands on the opening quote.
  std::string QuotedText() {
    rest_.remove_prefix(1);
    std::string text;
    while (!rest_.empty()) {
      char c = rest_.front();
      rest_.remove_prefix(1);
      if (c == '"') return text;
      if (c != '\\') {
        text += c;
        continue;
      }
      if (rest_.empty()) break;
      char e = rest_.front();
      rest_.remove_prefix(1);
      switch (e) {
        case '\\':
          text += '\\';
          break;
        case '"':
          text += '"';
          break;
        case 'n':
          text += '\n';
          break;
        case 'r':
          text += '\r';
          break;
        case 't':
          text += '\t';
          break;
        case 'x': {
          int high = rest_.size() >= 2 ? HexDigit(rest_[0]) : -1;
          int low = rest_.size() >= 2 ? HexDigit(rest_[1]) : -1;
          if (high < 0 || low < 0)
            throw ParseError{"\\x must be followed by two hexadecimal digits"};
          text += static_cast<char>(high * 16 + low);
          rest_.remove_prefix(2);
          break;
        }
        default:
          throw ParseError{std::string("unknown escape \\") + e};
      }
    }
    throw ParseError{"unterminated quotes"};
  }

  std::uint32_t HexNumber() {
    std::uint64_t number = 0;
    std::size_t digits = 0;
    while (!rest_.empty() && HexDigit(rest_.front()) >= 0) {
      number = number * 16 + static_cast<unsigned>(HexDigit(rest_.front()));
      rest_.remove_prefix(1);
      if (++digits > 8) throw ParseError{"a dword has at most 8 hexadecimal digits"};
    }
    if (digits == 0) throw ParseError{"a dword needs hexadecimal digits"};
    return static_cast<std::uint32_t>(number);
  }

 private:
  std::string_view rest_;
};

std::string Trimmed(std::string_view line) {
  std::size_t begin = line.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  std::size_t end = line.find_last_not_of(" \t");
  return std::string(line.substr(begin, end - begin + 1));
}

}  // namespace

std::optional<RegistryTextError> ParseRegistryText(std::string_view text, RegistryTree& tree) {
  std::size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // editors' byte order mark
  std::optional<std::string> current;  // the key the values belong to
  for (int lineNumber = 1; pos < text.size(); ++lineNumber) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view raw = text.substr(pos, end - pos);
    pos = end + 1;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    try {
      std::string line = Trimmed(raw);
      if (line.empty() || line.front() == ';') continue;
      if (line.front() == '[') {
        if (line.back() != ']') throw ParseError{"a key line must end with \"]\""};
        current = line.substr(1, line.size() - 2);
        try {
          tree.CreateKey(*current);
        } catch (const RegistryError&) {
          throw ParseError{"invalid key name"};
        }
        continue;
      }
      if (!current) throw ParseError{"a value line before any [key] line"};
      LineReader reader(line);
      std::string name;
      if (!reader.Take("@")) {
        if (!reader.Peek('"')) throw ParseError{"a value line must start with a quoted name or @"};
        name = reader.QuotedText();
      }
      reader.SkipBlanks();
      if (!reader.Take("=")) throw ParseError{"\"=\" expected after the value name"};
      reader.SkipBlanks();
      RegValue value;
      if (reader.Peek('"')) {
        value = RegValue::String(reader.QuotedText());
      } else if (reader.Take("expand:")) {
        if (!reader.Peek('"')) throw ParseError{"a quoted text expected after expand:"};
        value = RegValue::ExpandString(reader.QuotedText());
      } else if (reader.Take("dword:")) {
        value = RegValue::Number(reader.HexNumber());
      } else {
        throw ParseError{"unknown value type"};
      }
      reader.SkipBlanks();
      if (!reader.AtEnd()) throw ParseError{"unexpected text after the value"};
      tree.WriteValue(*current, name, value);
    } catch (const ParseError& error) {
      return RegistryTextError{lineNumber, error.what};
    }
  }
  return std::nullopt;
}

std::string FormatRegistryText(const RegistryTree& tree) {
  std::string out =
      "; QUILMARK settings (HKEY_CURRENT_USER). One [key] line, then its values:\n"
      "; \"name\"=\"text\", \"name\"=expand:\"text\", \"name\"=dword:0000002a, @ = the default "
      "value.\n";
  const auto& keys = tree.Keys();
  for (const auto& [folded, key] : keys) {
    if (key.values.empty()) {
      // A key without values needs a line only when no subkey implies it;
      // the root is always implied.
      auto next = keys.lower_bound(folded + '\\');
      bool hasSubKey =
          next != keys.end() && next->first.compare(0, folded.size() + 1, folded + '\\') == 0;
      if (folded.empty() || hasSubKey) continue;
    }
    out += "\n[" + key.path + "]\n";
    for (const auto& [foldedName, named] : key.values) {
      out += named.name.empty() ? std::string("@") : Quote(named.name);
      out += '=';
      switch (named.value.type) {
        case RegType::Sz:
          out += Quote(named.value.text);
          break;
        case RegType::ExpandSz:
          out += "expand:" + Quote(named.value.text);
          break;
        case RegType::Dword: {
          char hex[16];
          std::snprintf(hex, sizeof hex, "dword:%08x", named.value.number);
          out += hex;
          break;
        }
      }
      out += '\n';
    }
  }
  return out;
}

}  // namespace quilmark::platform
