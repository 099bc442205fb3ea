// How legacy tag text is recognised, measured on titles made here from
// dictionaries: Japanese words from mecab-ipadic (EUC-JP, written as
// Shift-JIS and as EUC-JP), accented French, German, Spanish and Italian
// words (written as ISO-8859-1, or Windows-1252 when they need it), and both
// kinds as UTF-8; 1 to 4 words a title, some among ASCII words. A Japanese
// title must read as it always did (or better, where that reading could not
// read its bytes); the others must mostly read exactly.
#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "text/legacy_reading.h"
#include "text/sjis_euc.h"
#include "text/tag_text.h"
#include "text/text_code.h"

namespace quilmark {
namespace {

namespace fs = std::filesystem;

const char* const kIpadic = "/usr/share/mecab/dic/ipadic";
const char* const kWordLists[] = {"/usr/share/dict/french", "/usr/share/dict/ngerman",
                                  "/usr/share/dict/spanish", "/usr/share/dict/italian"};

enum class Kind { ShiftJis, EucJp, Western, Utf8Japanese, Utf8Western };
constexpr Kind kKinds[] = {Kind::ShiftJis, Kind::EucJp, Kind::Western, Kind::Utf8Japanese,
                           Kind::Utf8Western};

const char* Name(Kind kind) {
  switch (kind) {
    case Kind::ShiftJis:
      return "Japanese Shift-JIS";
    case Kind::EucJp:
      return "Japanese EUC-JP";
    case Kind::Western:
      return "Western Latin-1/1252";
    case Kind::Utf8Japanese:
      return "UTF-8 Japanese";
    case Kind::Utf8Western:
      return "UTF-8 Western";
  }
  return "";
}

// UTF-8 to a charset through ICU's own tables, not the program's.
std::optional<std::string> IcuEncode(const std::string& text, const char* charset) {
  UErrorCode err = U_ZERO_ERROR;
  std::string out(text.size() * 4 + 4, '\0');
  const int32_t n = ucnv_convert(charset, "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                                 text.data(), static_cast<int32_t>(text.size()), &err);
  if (U_FAILURE(err)) return std::nullopt;
  out.resize(static_cast<std::size_t>(n));
  // A character the table lacks comes out as its substitute.
  const std::optional<std::string> back = [&]() -> std::optional<std::string> {
    std::string utf8(out.size() * 4 + 4, '\0');
    UErrorCode e = U_ZERO_ERROR;
    const int32_t m = ucnv_convert("UTF-8", charset, utf8.data(), static_cast<int32_t>(utf8.size()),
                                   out.data(), static_cast<int32_t>(out.size()), &e);
    if (U_FAILURE(e)) return std::nullopt;
    utf8.resize(static_cast<std::size_t>(m));
    return utf8;
  }();
  if (back != text) return std::nullopt;
  return out;
}

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

struct Words {
  std::vector<std::string> japaneseEuc;  // first fields of the dictionary, EUC-JP
  std::vector<std::string> western;      // UTF-8
  std::vector<std::string> ascii;
};

Words LoadWords() {
  Words words;
  for (const auto& entry : fs::directory_iterator(kIpadic)) {
    if (entry.path().extension() != ".csv") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      const std::string surface = line.substr(0, line.find(','));
      if (!surface.empty() && !IsAscii(surface)) words.japaneseEuc.push_back(surface);
    }
  }
  std::sort(words.japaneseEuc.begin(), words.japaneseEuc.end());  // the same set on every run
  for (const char* list : kWordLists) {
    std::ifstream in(list, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (line.empty()) continue;
      if (!IsAscii(line)) {
        words.western.push_back(line);
      } else if (line.size() > 2 && line.find('\'') == std::string::npos) {
        words.ascii.push_back(line);
      }
    }
  }
  for (const char* token : {"feat.", "Remix", "Live", "2003", "(Live)", "-", "Vol.2", "&", "Mix"})
    words.ascii.push_back(token);
  return words;
}

struct Title {
  std::string text;   // UTF-8
  std::string bytes;  // as written into the tag
};

class TitleMaker {
 public:
  explicit TitleMaker(const Words& words) : words_(words) {}

  // One Japanese word that both Shift-JIS and EUC-JP hold: its text and forms.
  struct JapaneseWord {
    std::string text, sjis, euc;
  };
  JapaneseWord Japanese() {
    for (;;) {
      const std::string& euc = Pick(words_.japaneseEuc);
      const std::optional<std::string> text = [&]() -> std::optional<std::string> {
        std::string utf8(euc.size() * 3 + 4, '\0');
        UErrorCode err = U_ZERO_ERROR;
        const int32_t n =
            ucnv_convert("UTF-8", "EUC-JP", utf8.data(), static_cast<int32_t>(utf8.size()),
                         euc.data(), static_cast<int32_t>(euc.size()), &err);
        if (U_FAILURE(err)) return std::nullopt;
        utf8.resize(static_cast<std::size_t>(n));
        return utf8;
      }();
      if (!text) continue;
      const std::optional<std::string> sjis = IcuEncode(*text, "windows-31j");
      // Both forms of the same characters, as Windows and EUC-JP write them.
      if (sjis && SjisToEuc(*sjis) == euc) return {*text, *sjis, euc};
    }
  }

  std::string Western() {
    for (;;) {
      std::string word = Pick(words_.western);
      if (Chance(0.3)) word = Capitalised(word);
      if (IcuEncode(word, "windows-1252")) return word;
    }
  }

  Title Make(Kind kind) {
    const bool japanese =
        kind == Kind::ShiftJis || kind == Kind::EucJp || kind == Kind::Utf8Japanese;
    const int count = std::uniform_int_distribution<int>(1, 4)(rng_);
    const bool mixed = Chance(japanese ? 0.3 : 0.4);
    Title title;
    std::string separator;
    bool previousAscii = false;
    for (int i = 0; i < count; ++i) {
      const bool ascii = mixed && i > 0 && Chance(0.4);
      if (i > 0) {
        // Japanese words run together or stand apart; an ASCII word next to
        // one sometimes sticks to it.
        separator = !japanese                  ? " "
                    : (ascii || previousAscii) ? (Chance(0.7) ? " " : "")
                    : Chance(0.6)              ? ""
                    : Chance(0.75)             ? " "
                                               : "\u30FB";
        Append(title, kind, separator);
      }
      if (ascii) {
        Append(title, kind, Pick(words_.ascii));
      } else if (japanese) {
        const JapaneseWord word = Japanese();
        title.text += word.text;
        title.bytes += kind == Kind::ShiftJis ? word.sjis
                       : kind == Kind::EucJp  ? word.euc
                                              : word.text;
      } else {
        Append(title, kind, Western());
      }
      previousAscii = ascii;
    }
    return title;
  }

 private:
  void Append(Title& title, Kind kind, const std::string& text) {
    title.text += text;
    switch (kind) {
      case Kind::ShiftJis:
        title.bytes += *IcuEncode(text, "windows-31j");
        break;
      case Kind::EucJp:
        title.bytes += SjisToEuc(*IcuEncode(text, "windows-31j"));
        break;
      case Kind::Western:
        // Latin-1 when it holds the title's word, Windows-1252 for œ and kin.
        title.bytes += IcuEncode(text, "ISO-8859-1").value_or(*IcuEncode(text, "windows-1252"));
        break;
      case Kind::Utf8Japanese:
      case Kind::Utf8Western:
        title.bytes += text;
        break;
    }
  }

  static std::string Capitalised(std::string word) {
    const auto c0 = static_cast<unsigned char>(word[0]);
    if (c0 >= 'a' && c0 <= 'z') {
      word[0] = static_cast<char>(c0 - 32);
    } else if (c0 == 0xC3 && word.size() > 1) {
      const auto c1 = static_cast<unsigned char>(word[1]);
      if (c1 >= 0xA0 && c1 <= 0xBE && c1 != 0xB7) word[1] = static_cast<char>(c1 - 0x20);
    }
    return word;
  }

  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  const std::string& Pick(const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng_)];
  }

  const Words& words_;
  std::mt19937 rng_{20240611u};
};

// How the program read legacy text before tags were judged as a whole.
std::string FormerReading(std::string_view bytes) {
  if (DetectTextCode(bytes) == TextCode::EucJp) return platform::Cp932ToUtf8(EucToSjis(bytes));
  return platform::Cp932ToUtf8(bytes);
}

TEST(LegacyDetection, DictionaryTitlesReadAsTheyWereWritten) {
  if (!fs::exists(kIpadic) || !fs::exists(kWordLists[0])) {
    GTEST_SKIP() << "mecab-ipadic and the word lists are missing (scripts/setup installs them)";
  }
  const Words words = LoadWords();
  ASSERT_FALSE(words.japaneseEuc.empty());
  ASSERT_FALSE(words.western.empty());
  TitleMaker maker(words);
  constexpr int kTitles = 2000;

  struct Rate {
    int exact = 0, changed = 0, worse = 0;
  };
  std::map<Kind, Rate> rates;
  for (Kind kind : kKinds) {
    Rate& rate = rates[kind];
    for (int i = 0; i < kTitles; ++i) {
      const Title title = maker.Make(kind);
      const LegacyReading reading = DecideLegacyReading({title.bytes});
      const std::string read = DecodeTagText(title.bytes, true, reading);
      rate.exact += read == title.text;
      if (kind == Kind::ShiftJis || kind == Kind::EucJp) {
        const std::string former = FormerReading(title.bytes);
        if (read != former) {
          ++rate.changed;
          // Only where the pair count chose a reading that could not read
          // the bytes, and the other one reads them right.
          if (read != title.text) {
            ++rate.worse;
            ADD_FAILURE() << Name(kind) << " misread: " << title.text << " as " << read;
          }
        }
      }
    }
  }

  std::printf("%-22s %8s %14s\n", "titles (one tag each)", "exact", "not as before");
  for (Kind kind : kKinds) {
    const Rate& rate = rates[kind];
    std::printf("%-22s %7.2f%% %14d\n", Name(kind), 100.0 * rate.exact / kTitles, rate.changed);
    RecordProperty(Name(kind), std::to_string(100.0 * rate.exact / kTitles));
  }
  for (Kind kind : {Kind::Western, Kind::Utf8Japanese, Kind::Utf8Western}) {
    EXPECT_GE(rates[kind].exact, kTitles * 98 / 100) << Name(kind);
  }
}

}  // namespace
}  // namespace quilmark
