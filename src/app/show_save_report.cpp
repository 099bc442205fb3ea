#include "app/show_save_report.h"

namespace quilmark {

void ShowFileReport(const std::vector<FileReportLine>& lines, Messages& messages) {
  for (const std::string& text : GroupedReportTexts(lines)) {
    messages.Notice(text, MB_OK | MB_ICONINFORMATION);
  }
}

void ShowSaveReport(const SaveReport& report, Messages& messages, BusyIndicator& status) {
  std::string summary;
  for (const std::string& line : SaveSummaryLines(report)) summary += line;
  const std::string dropped = DroppedFramesText(report);
  status.SetStatusText(dropped.empty() ? summary : summary + " " + dropped);
  if (!NeedsAttention(report)) return;
  std::vector<FileReportLine> lines;
  for (const FileSaveOutcome& file : report.files) {
    std::vector<FileReportLine> more = OutcomeLines(file, false);
    lines.insert(lines.end(), more.begin(), more.end());
  }
  std::string text;
  for (const std::string& line : SaveSummaryLines(report)) text += line + "\n";
  for (const std::string& group : GroupedReportTexts(lines)) text += "\n" + group + "\n";
  text.pop_back();
  messages.Notice(text, MB_OK | MB_ICONINFORMATION);
}

}  // namespace quilmark
