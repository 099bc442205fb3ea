#include "settings/settings_store.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quilmark {

namespace {

using platform::ReadBool;
using platform::ReadDword;
using platform::ReadString;
using platform::RegValue;

constexpr const char* kDefaultWinSize = "-1,-1,-1,-1";
constexpr const char* kDefaultColOrder = "ABCDEFGHIJKLMNOPQRS";
constexpr const char* kDefaultShowCol = "1111111111111111111";
// Stored strings longer than this were never written by the program.
constexpr std::size_t kMaxStoredText = 255;

// The stored numbers of the two settings that are enumerations. A number
// outside these counts as the default.
constexpr std::pair<std::uint32_t, Charset> kStoredCharsets[] = {
    {0, Charset::ShiftJis}, {1, Charset::EucJp}, {2, Charset::Utf16Le}, {3, Charset::Utf16Be}};
// ID3v2.4 came after the first three and takes the next number: files
// stored before it keep their meaning, and a program that predates it
// reads 3 as the default.
constexpr std::pair<std::uint32_t, TagKind> kStoredTagKinds[] = {
    {0, TagKind::Id3v1}, {1, TagKind::Id3v22}, {2, TagKind::Id3v23}, {3, TagKind::Id3v24}};

template <typename Enum, std::size_t N>
Enum FromStored(const std::pair<std::uint32_t, Enum> (&table)[N], std::uint32_t stored,
                Enum fallback) {
  for (const auto& [number, value] : table) {
    if (number == stored) return value;
  }
  return fallback;
}

template <typename Enum, std::size_t N>
std::uint32_t ToStored(const std::pair<std::uint32_t, Enum> (&table)[N], Enum value) {
  for (const auto& [number, entry] : table) {
    if (entry == value) return number;
  }
  return table[0].first;
}

// One "%d" as scanf reads it: blanks, an optional sign, digits. False on no
// digits or a number outside int (where scanf's result is undefined).
bool ScanInt(std::string_view& text, int& out) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t digits = i;
  long long value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + (text[i++] - '0');
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return false;
  }
  if (i == digits) return false;
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
    return false;
  }
  out = static_cast<int>(value);
  text.remove_prefix(i);
  return true;
}

// Four integers separated by single commas; what follows them is ignored,
// as the pattern did. Anything less is refused rather than half applied.
std::optional<WindowBounds> ParseWinSize(std::string_view text) {
  int values[4] = {};
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (text.empty() || text.front() != ',') return std::nullopt;
      text.remove_prefix(1);
    }
    if (!ScanInt(text, values[i])) return std::nullopt;
  }
  return WindowBounds{values[0], values[1], values[2], values[3]};
}

std::string FormatWinSize(const WindowBounds& b) {
  char text[64];
  std::snprintf(text, sizeof text, "%d,%d,%d,%d", b.left, b.top, b.width, b.height);
  return text;
}

class Reader {
 public:
  Reader(const platform::RegistryBackend& reg, bool keyOpen) : reg_(reg), open_(keyOpen) {}

  std::string Text(const char* name, const char* fallback) const {
    if (!open_) return fallback;
    std::optional<std::string> value = ReadString(reg_, kSettingsKey, name);
    if (!value || value->size() > kMaxStoredText) return fallback;
    return *std::move(value);
  }
  bool Flag(const char* name, bool fallback) const {
    if (!open_) return fallback;
    return ReadBool(reg_, kSettingsKey, name).value_or(fallback);
  }
  std::optional<std::uint32_t> Number(const char* name) const {
    if (!open_) return std::nullopt;
    return ReadDword(reg_, kSettingsKey, name);
  }

 private:
  const platform::RegistryBackend& reg_;
  bool open_;
};

}  // namespace

void LoadSettings(const platform::RegistryBackend& hkcu, Settings& settings) {
  const Reader read(hkcu, hkcu.KeyExists(kSettingsKey));

  settings.WinSize = ParseWinSize(read.Text("WinSize", kDefaultWinSize)).value_or(WindowBounds{});
  settings.ShowToolbar = read.Flag("ShowToolbar", true);
  settings.ShowStatusbar = read.Flag("ShowStatusbar", true);

  // The order decides the positions that ShowCol's flags then belong to.
  ColumnLayout columns = ColumnLayout::Default();
  columns.ApplyColOrder(read.Text("ColOrder", kDefaultColOrder));
  columns.ApplyShowCol(read.Text("ShowCol", kDefaultShowCol));
  settings.Columns = columns;

  settings.FileTime = read.Flag("FileTime", false);
  settings.ForceWrite = read.Flag("ForceWrite", false);
  settings.WriteConfirm = read.Flag("WriteConfirm", false);
  settings.AbsolutePath = read.Flag("AbsolutePath", false);
  settings.SaveSettings = read.Flag("SaveSettings", true);
  settings.Charset =
      FromStored(kStoredCharsets, read.Number("Charset").value_or(0), Charset::ShiftJis);

  const std::string csv = read.Text("CSV", "");
  for (std::size_t i = 0; i < kCsvFlagCount; ++i) {
    settings.CSV[i] = csv.size() != kCsvFlagCount || csv[i] == '1';
  }

  settings.WriteTagVersion =
      FromStored(kStoredTagKinds, read.Number("WriteTagVersion").value_or(2), TagKind::Id3v23);
}

void StoreSettings(platform::RegistryBackend& hkcu, const Settings& settings) {
  hkcu.CreateKey(kSettingsKey);
  auto put = [&hkcu](const char* name, RegValue value) {
    hkcu.WriteValue(kSettingsKey, name, value);
  };
  auto flag = [](bool on) { return RegValue::Number(on ? 1 : 0); };

  put("SaveSettings", flag(settings.SaveSettings));
  if (settings.SaveSettings) {
    put("WinSize", RegValue::String(FormatWinSize(settings.WinSize)));
    put("ShowToolbar", flag(settings.ShowToolbar));
    put("ShowStatusbar", flag(settings.ShowStatusbar));
    put("ColOrder", RegValue::String(settings.Columns.ColOrder()));
    put("ShowCol", RegValue::String(settings.Columns.ShowCol()));
    put("FileTime", flag(settings.FileTime));
    put("ForceWrite", flag(settings.ForceWrite));
    put("WriteConfirm", flag(settings.WriteConfirm));
    put("AbsolutePath", flag(settings.AbsolutePath));
    put("Charset", RegValue::Number(ToStored(kStoredCharsets, settings.Charset)));
    std::string csv(kCsvFlagCount, '0');
    for (std::size_t i = 0; i < kCsvFlagCount; ++i) {
      if (settings.CSV[i]) csv[i] = '1';
    }
    put("CSV", RegValue::String(csv));
    put("WriteTagVersion", RegValue::Number(ToStored(kStoredTagKinds, settings.WriteTagVersion)));
  }
  hkcu.Flush();
}

}  // namespace quilmark
