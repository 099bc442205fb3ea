// How the window tells what a save did: a message box for each file that
// could not be written, and the status text naming the files that lost
// frames of their old tags.
#pragma once

#include "bridge/save_report.h"
#include "ui/busy_indicator.h"
#include "ui/msgbox.h"

namespace quilmark {

void ShowSaveReport(const SaveReport& report, Messages& messages, BusyIndicator& status);

}  // namespace quilmark
