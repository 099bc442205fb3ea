// How the window tells what an add or a save did. An add: one message box
// per kind of outcome, listing the files it concerns. A save: its account
// in the status bar (with the files that lost frames of their old tags),
// and, when a file was not written, was written with a notice, or the run
// ended early, one message box with the account and the files by kind.
#pragma once

#include <vector>

#include "bridge/save_report.h"
#include "ui/busy_indicator.h"
#include "ui/file_report.h"
#include "ui/msgbox.h"

namespace quilmark {

void ShowFileReport(const std::vector<FileReportLine>& lines, Messages& messages);

void ShowSaveReport(const SaveReport& report, Messages& messages, BusyIndicator& status);

}  // namespace quilmark
