#include "tag/id3v2_reader.h"

#include <algorithm>
#include <map>

#include "tag/frame_map.h"
#include "tag/id3v2_fields.h"
#include "text/line_ends.h"

namespace quilmark {

namespace {

// Date frames that stand in for a year frame when the tag has none.
struct DateFrame {
  std::string_view id;
  std::string_view yearKey;
};
constexpr DateFrame kDateFrames[] = {{"TDRC", keys::Year}, {"TDOR", keys::OrgYear}};

const DateFrame* FindDateFrame(std::string_view id) {
  for (const DateFrame& d : kDateFrames) {
    if (d.id == id) return &d;
  }
  return nullptr;
}

// Keys a tag may hold several frames of, told apart by their descriptions.
bool IsMultiInstanceKey(std::string_view key) { return key == keys::Comment || key == keys::URL; }

bool IsTextFrameId(std::string_view id) { return !id.empty() && id[0] == 'T' && id != "TXXX"; }

// The payload of a frame the grid can show, or nullopt.
std::optional<std::string_view> ShowableData(const Frame& frame, int major, bool allUnsync,
                                             std::string& scratch) {
  if (frame.size > kMaxShownFrameSize) return std::nullopt;
  auto payload = FrameData(frame, major, allUnsync, scratch);
  if (!payload) return std::nullopt;
  return payload->data;
}

std::string TextValue(std::string_view data, std::string_view id, int major,
                      const LegacyStrings& legacy) {
  return ParseTextContent(data, major == 4 && IsTextFrameId(id), legacy);
}

// Frames whose content is text: the T frames, comments, user-defined URLs.
// Other frames (pictures, private data) are bytes that say nothing about
// how the tag's text is written.
bool HoldsText(std::string_view id, std::string_view key) {
  return (!id.empty() && id[0] == 'T') || key == keys::Comment || key == keys::URL;
}

// Language and description: what tells two comment frames apart.
std::string CommentIdentity(const CommentFields& c) { return c.language + '\n' + c.description; }

}  // namespace

std::optional<std::string> LeadingYear(std::string_view text) {
  if (text.size() < 4) return std::nullopt;
  for (char c : text.substr(0, 4)) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  return std::string(text.substr(0, 4));
}

std::vector<std::string> LegacyStringsOf(const Frame& frame, int major, bool allUnsynchronised) {
  std::vector<std::string> noted;
  const std::string_view key = FrameIdToKey(frame.id);
  if (!frame.contentRead || !HoldsText(frame.id, key)) return noted;
  std::string scratch;
  auto payload = FrameData(frame, major, allUnsynchronised, scratch);
  if (!payload) return noted;
  const LegacyStrings note(noted);
  if (key == keys::Comment) {
    static_cast<void>(ParseCommentContent(payload->data, note));
  } else if (key == keys::URL) {
    static_cast<void>(ParseUrlDescription(payload->data, note));
    static_cast<void>(ParseUrlContent(payload->data, note));
  } else {
    static_cast<void>(TextValue(payload->data, frame.id, major, note));
  }
  return noted;
}

LegacyReading TagLegacyReading(const std::vector<Frame>& frames, int major,
                               bool allUnsynchronised) {
  std::vector<std::string> texts;
  for (const Frame& frame : frames) {
    for (std::string& text : LegacyStringsOf(frame, major, allUnsynchronised)) {
      texts.push_back(std::move(text));
    }
  }
  return DecideLegacyReading(std::vector<std::string_view>(texts.begin(), texts.end()));
}

bool WantFrameForValues(std::string_view id, std::uint32_t size) {
  return size <= (FrameIdToKey(id).empty() ? kMaxUnknownFrameSize : kMaxShownFrameSize);
}

void AddFrameValues(const std::vector<Frame>& frames, TagValues& values, int major,
                    bool allUnsynchronised) {
  const LegacyStrings legacy(TagLegacyReading(frames, major, allUnsynchronised));
  std::string scratch;
  bool commentShown = false, urlShown = false;
  std::map<std::string_view, bool> yearFrameSeen;
  std::map<std::string_view, std::string> dateYears;
  for (const Frame& frame : frames) {
    if (!frame.contentRead) continue;
    auto payload = FrameData(frame, major, allUnsynchronised, scratch);
    if (!payload) continue;
    const std::string_view content = payload->data;
    const std::string_view key = FrameIdToKey(frame.id);
    if (key == keys::Comment) {
      if (commentShown) continue;
      commentShown = true;
      CommentFields comment = ParseCommentContent(content, legacy);
      values.Set(keys::Comment0, comment.language);
      if (comment.text) values.Set(keys::Comment2, *comment.text);
      values.Set(keys::Comment, comment.description);
    } else if (key == keys::URL) {
      if (urlShown) continue;
      urlShown = true;
      values.Set(key, ParseUrlContent(content, legacy));
    } else if (key.empty()) {
      std::string text = TextValue(content, frame.id, major, legacy);
      if (const DateFrame* date = major >= 3 ? FindDateFrame(frame.id) : nullptr) {
        if (auto year = LeadingYear(text)) dateYears[date->yearKey] = *year;
      }
      // One line for the last unknown frame that has a value: an empty one
      // does not take it away.
      if (!text.empty()) values.Set(key, text);
    } else {
      if (key == keys::Year || key == keys::OrgYear) yearFrameSeen[key] = true;
      values.Set(key, TextValue(content, frame.id, major, legacy));
    }
  }
  for (const auto& [key, year] : dateYears) {
    if (!yearFrameSeen[key]) values.Set(key, year);
  }
}

std::string KeptUrlDescription(const std::vector<Frame>& frames, int major, bool allUnsynchronised,
                               const TagValues& values) {
  const std::string url = values.Get(keys::URL);
  if (url.empty()) return {};
  const LegacyStrings legacy(TagLegacyReading(frames, major, allUnsynchronised));
  std::string scratch;
  for (const Frame& frame : frames) {
    if (FrameIdToKey(frame.id) != keys::URL) continue;
    auto data = ShowableData(frame, major, allUnsynchronised, scratch);
    if (!data) continue;
    // The first readable one is the frame the row shows.
    const std::string content(*data);
    return ParseUrlContent(content, legacy) == url ? ParseUrlDescription(content, legacy)
                                                   : std::string();
  }
  return {};
}

std::vector<FrameRole> ClassifyFrames(const std::vector<Frame>& frames, int major,
                                      bool allUnsynchronised, const TagValues& values) {
  std::vector<FrameRole> roles(frames.size(), FrameRole::kOther);
  // The frames are read as they were when the row got its values.
  const LegacyStrings legacy(TagLegacyReading(frames, major, allUnsynchronised));
  std::string scratch;
  // The frame each key shows: the first of a multi-instance key, else the last.
  std::map<std::string_view, std::size_t> shown;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const std::string_view key = FrameIdToKey(frames[i].id);
    if (key.empty() || !ShowableData(frames[i], major, allUnsynchronised, scratch)) continue;
    if (IsMultiInstanceKey(key) && shown.count(key)) continue;
    shown[key] = i;
  }
  for (const auto& [key, index] : shown) roles[index] = FrameRole::kShown;

  // What tells the row's own comment and URL frames from the others.
  std::optional<std::string> rowComment;
  if (std::string value = values.Get(keys::Comment); !value.empty()) {
    CommentFields row;
    const std::vector<std::string> parts = SplitAtNulEscapes(value);
    std::string_view head = parts[0];
    std::size_t languageEnd = 0;
    for (int n = 0; n < 3 && languageEnd < head.size(); ++n) {
      ++languageEnd;
      while (languageEnd < head.size() &&
             (static_cast<unsigned char>(head[languageEnd]) & 0xC0) == 0x80)
        ++languageEnd;
    }
    for (char c : head.substr(0, languageEnd)) {
      if (c >= 0x21 && c <= 0x7E) row.language.push_back(c);
    }
    row.description = ToCrLf(head.substr(languageEnd));
    rowComment = CommentIdentity(row);
  }
  const bool rowHasUrl = !values.Get(keys::URL).empty();
  const std::string rowUrlDescription =
      KeptUrlDescription(frames, major, allUnsynchronised, values);
  std::optional<std::string> shownComment, shownUrl;
  if (auto it = shown.find(keys::Comment); it != shown.end()) {
    CommentFields c = ParseCommentContent(
        *ShowableData(frames[it->second], major, allUnsynchronised, scratch), legacy);
    c.language.erase(std::remove(c.language.begin(), c.language.end(), ' '), c.language.end());
    shownComment = CommentIdentity(c);
  }
  if (auto it = shown.find(keys::URL); it != shown.end()) {
    shownUrl = ParseUrlDescription(
        std::string(*ShowableData(frames[it->second], major, allUnsynchronised, scratch)), legacy);
  }

  for (std::size_t i = 0; i < frames.size(); ++i) {
    if (roles[i] == FrameRole::kShown) continue;
    const Frame& frame = frames[i];
    const std::string_view key = FrameIdToKey(frame.id);
    if (key.empty()) {
      const DateFrame* date = major >= 3 ? FindDateFrame(frame.id) : nullptr;
      if (!date) continue;
      auto data = ShowableData(frame, major, allUnsynchronised, scratch);
      if (!data) continue;
      // A full date is kept only while it still agrees with the row's year.
      if (auto year = LeadingYear(TextValue(*data, frame.id, major, legacy))) {
        if (*year != values.Get(date->yearKey)) roles[i] = FrameRole::kDuplicate;
      }
      continue;
    }
    if (!IsMultiInstanceKey(key)) {
      // A second frame of a one-value key would compete with the row's.
      if (shown.count(key) || !values.Get(key).empty()) roles[i] = FrameRole::kDuplicate;
      continue;
    }
    auto data = ShowableData(frame, major, allUnsynchronised, scratch);
    if (!data) continue;
    if (key == keys::Comment) {
      CommentFields c = ParseCommentContent(*data, legacy);
      c.language.erase(std::remove(c.language.begin(), c.language.end(), ' '), c.language.end());
      const std::string identity = CommentIdentity(c);
      if (identity == shownComment || identity == rowComment) roles[i] = FrameRole::kDuplicate;
    } else {
      const std::string description = ParseUrlDescription(std::string(*data), legacy);
      if (description == shownUrl || (rowHasUrl && description == rowUrlDescription)) {
        roles[i] = FrameRole::kDuplicate;
      }
    }
  }
  return roles;
}

}  // namespace quilmark
