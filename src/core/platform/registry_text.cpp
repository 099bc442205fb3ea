#include "platform/registry_text.h"

#include <algorithm>
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

// What one line of the text holds.
struct TextLine {
  enum class Kind { Other, Key, Value };  // Other: blank or a comment
  Kind kind = Kind::Other;
  std::string key;   // Key: the path as written
  std::string name;  // Value: the name as written ("" for @)
  RegValue value;
};

TextLine ReadTextLine(std::string_view raw) {
  TextLine read;
  std::string line = Trimmed(raw);
  if (line.empty() || line.front() == ';') return read;
  if (line.front() == '[') {
    if (line.back() != ']') throw ParseError{"a key line must end with \"]\""};
    read.kind = TextLine::Kind::Key;
    read.key = line.substr(1, line.size() - 2);
    return read;
  }
  LineReader reader(line);
  read.kind = TextLine::Kind::Value;
  if (!reader.Take("@")) {
    if (!reader.Peek('"')) throw ParseError{"a value line must start with a quoted name or @"};
    read.name = reader.QuotedText();
  }
  reader.SkipBlanks();
  if (!reader.Take("=")) throw ParseError{"\"=\" expected after the value name"};
  reader.SkipBlanks();
  if (reader.Peek('"')) {
    read.value = RegValue::String(reader.QuotedText());
  } else if (reader.Take("expand:")) {
    if (!reader.Peek('"')) throw ParseError{"a quoted text expected after expand:"};
    read.value = RegValue::ExpandString(reader.QuotedText());
  } else if (reader.Take("dword:")) {
    read.value = RegValue::Number(reader.HexNumber());
  } else {
    throw ParseError{"unknown value type"};
  }
  reader.SkipBlanks();
  if (!reader.AtEnd()) throw ParseError{"unexpected text after the value"};
  return read;
}

// The lines of `text` without their ends (a CR before the LF stays with
// the line), the editors' byte-order mark passed over.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}

// Reads every line in order and hands it to `use`, which may refuse it
// with a reason; the first refusal or error, with its line number.
template <typename Use>
std::optional<RegistryTextError> ForEachLine(std::string_view text, Use use) {
  int number = 0;
  for (std::string_view raw : Lines(text)) {
    ++number;
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    try {
      if (std::optional<std::string> refused = use(ReadTextLine(raw))) {
        return RegistryTextError{number, std::move(*refused)};
      }
    } catch (const ParseError& error) {
      return RegistryTextError{number, error.what};
    }
  }
  return std::nullopt;
}

std::string ValueLine(const std::string& name, const RegValue& value) {
  std::string out = name.empty() ? std::string("@") : Quote(name);
  out += '=';
  switch (value.type) {
    case RegType::Sz:
      out += Quote(value.text);
      break;
    case RegType::ExpandSz:
      out += "expand:" + Quote(value.text);
      break;
    case RegType::Dword: {
      char hex[16];
      std::snprintf(hex, sizeof hex, "dword:%08x", value.number);
      out += hex;
      break;
    }
  }
  return out;
}

}  // namespace

std::optional<RegistryTextError> ParseRegistryText(std::string_view text, RegistryTree& tree) {
  std::optional<std::string> current;  // the key the values belong to
  return ForEachLine(text, [&](const TextLine& line) -> std::optional<std::string> {
    switch (line.kind) {
      case TextLine::Kind::Other:
        break;
      case TextLine::Kind::Key:
        current = line.key;
        try {
          tree.CreateKey(*current);
        } catch (const RegistryError&) {
          return "invalid key name";
        }
        break;
      case TextLine::Kind::Value:
        if (!current) return "a value line before any [key] line";
        tree.WriteValue(*current, line.name, line.value);
        break;
    }
    return std::nullopt;
  });
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
    for (const auto& [foldedName, named] : key.values)
      out += ValueLine(named.name, named.value) + '\n';
  }
  return out;
}

namespace {

// A line of the text being edited, with what it belongs to.
struct EditedLine {
  std::string text;     // as it stands, a CR at its end included
  std::string section;  // the folded path of the key it is under ("" before any)
  bool isKey = false;
  std::string name;                       // a value line's name as written
  std::optional<std::string> foldedName;  // for value lines
};

bool InKey(const EditedLine& line, const std::string& folded) {
  return line.section == folded || (!folded.empty() && line.section.starts_with(folded + '\\'));
}

void AppendSection(std::vector<EditedLine>& lines, const std::string& key,
                   const std::string& folded) {
  if (!lines.empty() && !Trimmed(lines.back().text).empty()) lines.push_back({});
  lines.push_back({"[" + key + "]", folded, true, {}, std::nullopt});
}

void SetValue(std::vector<EditedLine>& lines, const RegistryEdit& edit) {
  const std::string folded = RegistryTree::FoldedPath(edit.key);
  const std::string name = RegistryTree::FoldedName(edit.name);
  std::optional<std::size_t> holder, last;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].section != folded || !(lines[i].isKey || lines[i].foldedName)) continue;
    last = i;
    if (lines[i].foldedName == name) holder = i;
  }
  if (holder) {
    EditedLine& line = lines[*holder];
    const bool cr = line.text.ends_with('\r');
    // The name keeps the spelling it has there.
    line.text = ValueLine(line.name, edit.value) + (cr ? "\r" : "");
    return;
  }
  if (!last) {
    AppendSection(lines, edit.key, folded);
    last = lines.size() - 1;
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*last) + 1,
               EditedLine{ValueLine(edit.name, edit.value), folded, false, edit.name, name});
}

void Apply(std::vector<EditedLine>& lines, const RegistryEdit& edit) {
  const std::string folded = RegistryTree::FoldedPath(edit.key);
  switch (edit.kind) {
    case RegistryEdit::Kind::SetValue:
      SetValue(lines, edit);
      break;
    case RegistryEdit::Kind::CreateKey:
      // A subkey's section implies the key; the root needs none.
      if (!folded.empty() && std::none_of(lines.begin(), lines.end(), [&](const EditedLine& l) {
            return l.isKey && InKey(l, folded);
          })) {
        AppendSection(lines, edit.key, folded);
      }
      break;
    case RegistryEdit::Kind::DeleteKey:
      if (!folded.empty()) {
        std::erase_if(lines, [&](const EditedLine& l) { return InKey(l, folded); });
      }
      break;
  }
}

}  // namespace

std::optional<RegistryTextError> EditRegistryText(std::string& text,
                                                  const std::vector<RegistryEdit>& edits) {
  // Refused exactly where reading it would be refused.
  RegistryTree read;
  if (std::optional<RegistryTextError> error = ParseRegistryText(text, read)) return error;

  std::vector<EditedLine> lines;
  std::string section;
  const std::vector<std::string_view> raw = Lines(text);
  std::size_t at = 0;
  static_cast<void>(ForEachLine(text, [&](const TextLine& line) -> std::optional<std::string> {
    EditedLine edited{std::string(raw[at++]), section, false, {}, std::nullopt};
    if (line.kind == TextLine::Kind::Key) {
      section = edited.section = RegistryTree::FoldedPath(line.key);
      edited.isKey = true;
    } else if (line.kind == TextLine::Kind::Value) {
      edited.name = line.name;
      edited.foldedName = RegistryTree::FoldedName(line.name);
    }
    lines.push_back(std::move(edited));
    return std::nullopt;
  }));
  for (const RegistryEdit& edit : edits) Apply(lines, edit);

  std::string edited = text.starts_with("\xEF\xBB\xBF") ? "\xEF\xBB\xBF" : "";
  for (const EditedLine& line : lines) edited += line.text + '\n';
  text = std::move(edited);
  return std::nullopt;
}

}  // namespace quilmark::platform
