#include "cli/save_report_lines.h"

#include <string>

#include "cli/stderr_presenter.h"

namespace quilmark::cli {

void PrintSaveReport(const SaveReport& report, std::FILE* out) {
  for (const FileSaveOutcome& file : report.files) {
    for (const FileReportLine& line : OutcomeLines(file, true)) {
      std::fprintf(out, "%s\n", OneLine(FileReportText(line)).c_str());
    }
  }
  std::string summary;
  for (const std::string& line : SaveSummaryLines(report)) summary += line;
  std::fprintf(out, "%s\n", summary.c_str());
  std::fflush(out);
}

}  // namespace quilmark::cli
