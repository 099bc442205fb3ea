#include "bridge/save_report.h"

#include <algorithm>

#include "ui/msgbox.h"

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

int SaveReport::WrittenWithNotice() const {
  return static_cast<int>(std::count_if(files.begin(), files.end(), [](const auto& f) {
    return f.status == SaveStatus::Written && (!f.notices.empty() || !f.droppedFrames.empty());
  }));
}

std::vector<std::string> SaveSummaryLines(const SaveReport& report) {
  auto n = [](int count) { return std::to_string(count); };
  std::vector<std::string> lines;
  if (const int written = report.Written(); written > 0) {
    const int noticed = report.WrittenWithNotice();
    lines.push_back(n(written) + " 個のファイルに書き込みました" +
                    (noticed > 0 ? "(うち " + n(noticed) + " 個にはお知らせがあります)" : "") +
                    "。");
  }
  if (const int failed = report.Failed(); failed > 0) {
    lines.push_back(n(failed) + " 個のファイルには書き込めませんでした。");
  }
  if (const int skipped = report.Count(SaveStatus::Skipped); skipped > 0) {
    lines.push_back(n(skipped) + " 個のファイルは書き込みを見送りました。");
  }
  if (lines.empty()) lines.push_back("書き込んだファイルはありません。");
  if (report.stopped || report.userStopped) {
    lines.push_back("途中で中止しました。書き込んでいない " + n(report.stillMarked) +
                    " 行は変更済みのままです。");
  }
  return lines;
}

bool NeedsAttention(const SaveReport& report) {
  return report.Failed() > 0 || report.stopped || report.userStopped ||
         std::any_of(report.files.begin(), report.files.end(),
                     [](const FileSaveOutcome& f) { return !f.notices.empty(); });
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

std::vector<FileReportLine> OutcomeLines(const FileSaveOutcome& outcome, bool droppedFrames) {
  std::vector<FileReportLine> lines;
  switch (outcome.status) {
    case SaveStatus::Unreadable:
      lines.push_back(CatalogueLine(MSG_CANNOT_OPEN, outcome.path, outcome.reason));
      break;
    case SaveStatus::ReadOnly:
    case SaveStatus::NotMpegAudio:
    case SaveStatus::Failed:
      lines.push_back(CatalogueLine(MSG_CANNOT_WRITE, outcome.path, outcome.reason));
      break;
    case SaveStatus::TrackNotNumber:
      lines.push_back({outcome.path,
                       "トラック番号「" + outcome.track +
                           "」は数値ではないため、ID3v1 タグに書き込めません。\n"
                           "以後のファイルには書き込みません。",
                       {}});
      break;
    case SaveStatus::Written:
    case SaveStatus::Skipped:
      break;
  }
  for (const std::string& notice : outcome.notices) lines.push_back({outcome.path, notice, {}});
  if (droppedFrames && !outcome.droppedFrames.empty()) {
    lines.push_back({outcome.path, "書き込めなかったフレームがあります。",
                     PrintableIds(outcome.droppedFrames)});
  }
  return lines;
}

std::string TrackNotNumberText(const FileSaveOutcome& outcome) {
  return FileReportText(OutcomeLines(outcome, false).front());
}

}  // namespace quilmark
