// The batch commands over the shared core. Each returns the exit status:
// 0 when everything asked was done, 1 when a file could not be read,
// written or renamed or a name did not fit the pattern, 2 for a pattern
// that is none.
#pragma once

#include "cli/cli_options.h"
#include "settings/settings.h"
#include "ui/msgbox.h"

namespace quilmark::cli {

// `settings` are the stored ones; the options override them for this run.
// Export and playlist end the process with their status once what they
// wrote is flushed, leaving the list's memory to the system.
[[noreturn]] void RunExport(const Options& options, Settings settings, MessagePresenter& presenter);
[[noreturn]] void RunPlaylist(const Options& options, Settings settings,
                              MessagePresenter& presenter);
int RunApply(const Options& options, Settings settings, MessagePresenter& presenter);
int RunFromName(const Options& options, Settings settings, MessagePresenter& presenter);
int RunRename(const Options& options, Settings settings, MessagePresenter& presenter);

}  // namespace quilmark::cli
