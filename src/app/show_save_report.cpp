#include "app/show_save_report.h"

#include <string>

namespace quilmark {

void ShowSaveReport(const SaveReport& report, Messages& messages, BusyIndicator& status) {
  for (const FileSaveOutcome& file : report.files) {
    switch (file.status) {
      case SaveStatus::ReadOnly:
      case SaveStatus::Failed:
        messages.msgbox(MSG_CANNOT_WRITE, file.path);
        break;
      case SaveStatus::TrackNotNumber:
        messages.Notice(TrackNotNumberText(file));
        break;
      case SaveStatus::Written:
      case SaveStatus::Skipped:
      case SaveStatus::Unreadable:
        break;
    }
    for (const std::string& notice : file.notices) {
      messages.Notice(file.path + "\n" + notice, MB_OK | MB_ICONINFORMATION);
    }
  }
  status.SetStatusText(DroppedFramesText(report));
}

}  // namespace quilmark
