// How quilmark-cli tells what a save did: one line on standard error for
// each file that was not written as asked, for each notice about a written
// one and for the old frames it could not keep, in the words of the
// window's messages (nothing for the files written without a remark), and
// last the account of the whole run on one line.
#pragma once

#include <cstdio>

#include "bridge/save_report.h"

namespace quilmark::cli {

void PrintSaveReport(const SaveReport& report, std::FILE* out = stderr);

}  // namespace quilmark::cli
