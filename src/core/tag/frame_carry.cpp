#include "tag/frame_carry.h"

#include <optional>

#include "tag/frame_convert.h"
#include "tag/id3v2_fields.h"
#include "tag/id3v2_reader.h"

namespace quilmark {

namespace {

// The first value of a text frame, as the grid would read it.
std::optional<std::string> FirstText(const Frame& frame, const OldId3v2Frames& old,
                                     LegacyReading reading) {
  std::string scratch;
  auto payload = FrameData(frame, old.major, old.allUnsynchronised, scratch);
  if (!payload) return std::nullopt;
  std::string text = ParseTextContent(payload->data, old.major == 4, LegacyStrings(reading));
  return text.substr(0, text.find(kValueSeparator));
}

bool IsDigits(std::string_view text, std::size_t count) {
  return text.size() == count && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Version 2.4 writes one date where older versions had a year, a day and a
// time: the dates that begin with the row's years are kept in the frames
// that write those years, and the frames they came from (`used`) are not
// carried beside them.
void KeepDates(const OldId3v2Frames& old, const std::vector<FrameRole>& roles,
               const TagValues& values, LegacyReading reading, CarriedFrames& carried,
               std::vector<bool>& used) {
  const std::string year = values.Get(keys::Year), orgYear = values.Get(keys::OrgYear);
  std::optional<std::string> shownYear;
  std::optional<std::size_t> day, time;
  for (std::size_t i = 0; i < old.frames.size(); ++i) {
    const std::string& id = old.frames[i].id;
    if (roles[i] == FrameRole::kShown && (id == "TYER" || id == "TYE")) {
      shownYear = FirstText(old.frames[i], old, reading);
    }
    if (roles[i] != FrameRole::kOther) continue;
    if (id == "TDAT" || id == "TDA") day = i;
    if (id == "TIME" || id == "TIM") time = i;
    const bool recording = id == "TDRC";
    if (!recording && id != "TDOR") continue;
    // The row writes this frame: the old one goes, whole or replaced.
    if ((recording ? year : orgYear).empty()) continue;
    used[i] = true;
    auto text = FirstText(old.frames[i], old, reading);
    if (text && LeadingYear(*text) == (recording ? year : orgYear)) {
      (recording ? carried.recordingDate : carried.originalDate) = *text;
    }
  }
  if (!carried.recordingDate.empty() || year.empty() || shownYear != year || !day) return;
  const auto ddmm = FirstText(old.frames[*day], old, reading);
  if (!ddmm || !IsDigits(*ddmm, 4)) return;
  carried.recordingDate = year + '-' + ddmm->substr(2, 2) + '-' + ddmm->substr(0, 2);
  used[*day] = true;
  if (!time) return;
  const auto hhmm = FirstText(old.frames[*time], old, reading);
  if (!hhmm || !IsDigits(*hhmm, 4)) return;
  carried.recordingDate += 'T' + hhmm->substr(0, 2) + ':' + hhmm->substr(2, 2);
  used[*time] = true;
}

}  // namespace

CarriedFrames CarryFrames(const OldId3v2Frames& old, const TagValues& values, int targetMajor) {
  CarriedFrames carried;
  carried.urlDescription = KeptUrlDescription(old.frames, old.major, old.allUnsynchronised, values);
  const std::vector<FrameRole> roles =
      ClassifyFrames(old.frames, old.major, old.allUnsynchronised, values);
  const LegacyReading reading = TagLegacyReading(old.frames, old.major, old.allUnsynchronised);
  std::vector<bool> used(old.frames.size(), false);
  if (targetMajor == 4) KeepDates(old, roles, values, reading, carried, used);
  const std::uint16_t discardFlag = old.major == 3   ? kV23DiscardOnTagAlter
                                    : old.major == 4 ? kV24DiscardOnTagAlter
                                                     : 0;
  for (std::size_t i = 0; i < old.frames.size(); ++i) {
    if (roles[i] != FrameRole::kOther || used[i]) continue;
    const Frame& frame = old.frames[i];
    // The frame's writer asked for it to go when anything else in the tag
    // changes: its content may depend on the rest (a checksum, say).
    if (frame.flags & discardFlag) {
      carried.dropped.push_back(frame.id);
      continue;
    }
    std::optional<Frame> converted =
        ConvertFrame(frame, old.major, old.allUnsynchronised, targetMajor, reading);
    if (!converted) {
      carried.dropped.push_back(frame.id);
      continue;
    }
    carried.frames.push_back(std::move(*converted));
  }
  return carried;
}

}  // namespace quilmark
