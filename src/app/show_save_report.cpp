#include "app/show_save_report.h"

namespace quilmark {

void ShowFileReport(const std::vector<FileReportLine>& lines, Messages& messages) {
  for (const std::string& text : GroupedReportTexts(lines)) {
    messages.Notice(text, MB_OK | MB_ICONINFORMATION);
  }
}

void ShowSaveReport(const SaveReport& report, Messages& messages, BusyIndicator& status) {
  std::vector<FileReportLine> lines;
  for (const FileSaveOutcome& file : report.files) {
    std::vector<FileReportLine> more = OutcomeLines(file, false);
    lines.insert(lines.end(), more.begin(), more.end());
  }
  ShowFileReport(lines, messages);
  status.SetStatusText(DroppedFramesText(report));
}

}  // namespace quilmark
