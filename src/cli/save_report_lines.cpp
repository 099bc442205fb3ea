#include "cli/save_report_lines.h"

#include <string>

#include "cli/stderr_presenter.h"
#include "ui/msgbox.h"

namespace quilmark::cli {

namespace {

void Line(std::FILE* out, const std::string& text) {
  std::fprintf(out, "%s\n", OneLine(text).c_str());
}

}  // namespace

void PrintSaveReport(const SaveReport& report, std::FILE* out) {
  for (const FileSaveOutcome& file : report.files) {
    switch (file.status) {
      case SaveStatus::ReadOnly:
      case SaveStatus::Failed:
        Line(out, file.path + "\n" + CatalogueText(MSG_CANNOT_WRITE));
        break;
      case SaveStatus::TrackNotNumber:
        Line(out, TrackNotNumberText(file));
        break;
      case SaveStatus::Written:
      case SaveStatus::Skipped:
      case SaveStatus::Unreadable:
        break;
    }
    for (const std::string& notice : file.notices) Line(out, file.path + "\n" + notice);
  }
  std::fflush(out);
}

}  // namespace quilmark::cli
