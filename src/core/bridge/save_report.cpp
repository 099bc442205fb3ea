#include "bridge/save_report.h"

#include <algorithm>

namespace quilmark {

namespace {

// Identifiers as they may be shown: a damaged tag's bytes are no text.
std::string PrintableIds(const std::vector<std::string>& ids) {
  std::string text;
  for (const std::string& id : ids) {
    if (!text.empty()) text += ' ';
    for (char c : id) text += (c >= 0x21 && c <= 0x7E) ? c : '?';
  }
  return text;
}

}  // namespace

int SaveReport::Count(SaveStatus status) const {
  return static_cast<int>(std::count_if(files.begin(), files.end(),
                                        [status](const auto& f) { return f.status == status; }));
}

int SaveReport::Failed() const {
  return static_cast<int>(files.size()) - Written() - Count(SaveStatus::Skipped);
}

std::string DroppedFramesText(const SaveReport& report) {
  std::string text;
  for (const FileSaveOutcome& file : report.files) {
    if (file.droppedFrames.empty()) continue;
    text += text.empty() ? "書き込めなかったフレームがあります: " : " / ";
    text += file.path + " (" + PrintableIds(file.droppedFrames) + ")";
  }
  return text;
}

std::string TrackNotNumberText(const FileSaveOutcome& outcome) {
  return outcome.path + "\nトラック番号「" + outcome.track +
         "」は数値ではないため、ID3v1 タグに書き込めません。\n以後のファイルには書き込みません。";
}

}  // namespace quilmark
