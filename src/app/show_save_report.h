// How the window tells what an add or a save did: one message box per kind
// of outcome, listing the files it concerns, and the status text naming
// the files that lost frames of their old tags.
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
