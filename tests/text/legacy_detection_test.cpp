// How legacy tag text is recognised, measured on titles made here from
// dictionaries: Japanese words from mecab-ipadic (written as Shift-JIS and
// as EUC-JP), accented French, German, Spanish and Italian words (as
// Windows-1252, the same bytes as ISO-8859-1 for letters), and both as UTF-8;
// 1 to 4 words a title, some among ASCII words. A Japanese title must read
// as it always did (or better, where that reading could not read its
// bytes); the others must mostly read exactly.
#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
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

enum Kind { kShiftJis, kEucJp, kWestern, kUtf8Japanese, kUtf8Western, kKinds };
const char* const kNames[] = {"Japanese Shift-JIS", "Japanese EUC-JP", "Western Latin-1/1252",
                              "UTF-8 Japanese", "UTF-8 Western"};

// Through ICU's own tables, not the program's.
std::string Convert(const std::string& in, const char* to, const char* from) {
  UErrorCode err = U_ZERO_ERROR;
  std::string out(in.size() * 4 + 4, '\0');
  out.resize(static_cast<std::size_t>(
      ucnv_convert(to, from, out.data(), out.size(), in.data(), in.size(), &err)));
  return out;
}

bool IsAscii(std::string_view s) {
  return std::ranges::all_of(s, [](unsigned char c) { return c < 0x80; });
}

class TitleMaker {
 public:
  TitleMaker() {
    for (const auto& entry : fs::directory_iterator(kIpadic)) {
      std::ifstream in(entry.path(), std::ios::binary);
      for (std::string line; entry.path().extension() == ".csv" && std::getline(in, line);) {
        const std::string surface = line.substr(0, line.find(','));
        if (!IsAscii(surface)) japaneseEuc_.push_back(surface);
      }
    }
    std::ranges::sort(japaneseEuc_);  // the same set on every run
    for (const char* list : kWordLists) {
      std::ifstream in(list, std::ios::binary);
      for (std::string line; std::getline(in, line);)
        (IsAscii(line) ? ascii_ : western_).push_back(line);
    }
  }

  // A title's text (UTF-8) and its bytes as written into the tag: 1 to 4
  // words, Japanese ones run together or apart, some among ASCII words.
  std::pair<std::string, std::string> Make(Kind kind) {
    const bool japanese = kind == kShiftJis || kind == kEucJp || kind == kUtf8Japanese;
    std::string text;
    for (int i = std::uniform_int_distribution<int>(0, 3)(rng_); i >= 0; --i) {
      if (!text.empty()) text += japanese ? Pick(separators_) : " ";
      text += !text.empty() && Chance(0.15) ? Pick(ascii_) : japanese ? Japanese() : Western();
    }
    const std::string sjis = kind <= kEucJp ? Convert(text, "windows-31j", "UTF-8") : "";
    return {text, kind == kShiftJis  ? sjis
                  : kind == kEucJp   ? SjisToEuc(sjis)
                  : kind == kWestern ? Convert(text, "windows-1252", "UTF-8")
                                     : text};
  }

 private:
  // A word that Shift-JIS and EUC-JP both hold, as Windows and EUC-JP write it.
  std::string Japanese() {
    for (;;) {
      const std::string& euc = Pick(japaneseEuc_);
      const std::string text = Convert(euc, "UTF-8", "EUC-JP");
      if (SjisToEuc(Convert(text, "windows-31j", "UTF-8")) == euc) return text;
    }
  }
  // Some capitalised, accented capitals (C0 to DE, which look like lead
  // bytes) included.
  std::string Western() {
    for (;;) {
      std::string word = Pick(western_);
      const auto c0 = static_cast<unsigned char>(word[0]), c1 = static_cast<unsigned char>(word[1]);
      if (Chance(0.3) && c0 >= 'a' && c0 <= 'z') word[0] = static_cast<char>(c0 - 32);
      if (Chance(0.3) && c0 == 0xC3 && c1 >= 0xA0 && c1 <= 0xBE && c1 != 0xB7)  // à to þ but ÷
        word[1] = static_cast<char>(c1 - 0x20);
      if (Convert(Convert(word, "windows-1252", "UTF-8"), "UTF-8", "windows-1252") == word)
        return word;
    }
  }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  const std::string& Pick(const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng_)];
  }

  std::vector<std::string> japaneseEuc_, western_;
  std::vector<std::string> ascii_ = {"feat.", "Remix", "Live", "2003", "(Live)", "-", "&"};
  const std::vector<std::string> separators_ = {"", "", " ", "\u30FB"};
  std::mt19937 rng_{20240611u};
};

// How the program read legacy text before tags were judged as a whole.
std::string FormerReading(std::string_view bytes) {
  if (DetectTextCode(bytes) == TextCode::EucJp) return platform::Cp932ToUtf8(EucToSjis(bytes));
  return platform::Cp932ToUtf8(bytes);
}

TEST(LegacyDetection, DictionaryTitlesReadAsTheyWereWritten) {
  if (!fs::exists(kIpadic) || !fs::exists(kWordLists[0]))
    GTEST_SKIP() << "mecab-ipadic and the word lists are missing (scripts/setup installs them)";
  TitleMaker maker;
  constexpr int kTitles = 2000;
  for (int kind = 0; kind < kKinds; ++kind) {
    int exact = 0;
    for (int i = 0; i < kTitles; ++i) {
      const auto [text, bytes] = maker.Make(Kind(kind));
      const std::string read = DecodeTagText(bytes, true, DecideLegacyReading({bytes}));
      exact += read == text;
      // A Japanese title reads otherwise than before only where the pair
      // count chose a reading that could not read the bytes, and right.
      if (kind <= kEucJp && read != FormerReading(bytes))
        EXPECT_EQ(read, text) << kNames[kind] << " misread";
    }
    if (kind >= kWestern) EXPECT_GE(exact, kTitles * 98 / 100) << kNames[kind];
  }
}

}  // namespace
}  // namespace quilmark
