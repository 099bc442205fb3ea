#include "text/comma_text.h"

#include <algorithm>

namespace quilmark {
namespace {

bool IsBlank(unsigned char c) { return c >= 0x01 && c <= 0x20; }

bool NeedsQuotes(std::string_view item) {
  return std::any_of(item.begin(), item.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c < 33 || c == ',' || c == '"';
  });
}

}  // namespace

void AppendQuoted(std::string& out, std::string_view item) {
  out += '"';
  for (std::size_t start = 0;;) {
    const std::size_t quote = item.find('"', start);
    if (quote == std::string_view::npos) {
      out += item.substr(start);
      break;
    }
    out += item.substr(start, quote + 1 - start);
    out += '"';
    start = quote + 1;
  }
  out += '"';
}

std::string QuoteAlways(std::string_view item) {
  std::string out;
  out.reserve(item.size() + 2);
  AppendQuoted(out, item);
  return out;
}

// An empty item is quoted too. Left bare it would still survive between two
// commas, but as the last item of a line it would vanish: the splitter adds
// no item for a trailing comma.
void AppendCommaItem(std::string& out, std::string_view item) {
  if (item.empty() || NeedsQuotes(item)) {
    AppendQuoted(out, item);
  } else {
    out += item;
  }
}

std::string QuoteCommaItem(std::string_view item) {
  std::string out;
  AppendCommaItem(out, item);
  return out;
}

std::string JoinCommaText(const std::vector<std::string>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    AppendCommaItem(out, items[i]);
  }
  return out;
}

// The text is UTF-8, whose multi-byte sequences hold no byte below 0x80, so
// walking byte by byte never splits a character at a separator.
//
// A NUL byte outside quotes ends the text, as it always has for this
// format; inside quotes it is part of the item, so that any item survives
// a join and a split.
std::vector<std::string> SplitCommaText(std::string_view text) {
  std::vector<std::string> items;
  const std::size_t n = text.size();
  std::size_t p = 0;
  auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  auto skipBlanks = [&] {
    while (p < n && IsBlank(at(p))) ++p;
  };
  auto atEnd = [&] { return p >= n || text[p] == '\0'; };

  skipBlanks();
  while (!atEnd()) {
    std::string item;
    if (text[p] == '"') {
      // Runs to the next quote that is not doubled; an unbalanced quote
      // takes the rest of the text.
      ++p;
      while (p < n) {
        if (text[p] == '"') {
          if (p + 1 < n && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        const std::size_t next = text.find('"', p);
        const std::size_t stop = next == std::string_view::npos ? n : next;
        item.append(text.substr(p, stop - p));
        p = stop;
      }
    } else {
      const std::size_t start = p;
      while (p < n && at(p) > 0x20 && text[p] != ',') ++p;
      item.assign(text.substr(start, p - start));
    }
    items.push_back(std::move(item));
    skipBlanks();
    if (p < n && text[p] == ',') {
      ++p;
      skipBlanks();
    }
  }
  return items;
}

}  // namespace quilmark
