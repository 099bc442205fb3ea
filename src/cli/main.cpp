// quilmark-cli: the track list's adding, list writing and saving for
// scripts, without a display. Stored settings are read, never written.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_options.h"
#include "cli/stderr_presenter.h"
#include "platform/heap.h"
#include "platform/registry.h"
#include "platform/terminal.h"
#include "platform/user_registry.h"
#include "settings/settings_store.h"

int main(int argc, char** argv) {
  using namespace quilmark;
  platform::PrepareHeapForLargeRuns();
  const std::vector<std::string> args(argv + 1, argv + argc);
  const cli::ParseResult parsed = cli::ParseCommandLine(args);
  if (!parsed.options) {
    std::fprintf(stderr, "quilmark-cli: %s\n%s", parsed.error.c_str(), cli::kUsage);
    return 2;
  }
  const cli::Options& options = *parsed.options;
  if (options.verb == cli::Verb::Help) {
    std::fputs(cli::kUsage, stdout);
    return 0;
  }

  Settings settings;
  try {
    const platform::UserRegistry registry(platform::UserRegistry::DefaultPath());
    LoadSettings(registry, settings);
  } catch (const platform::RegistryError& e) {
    std::fprintf(stderr, "%s\n", cli::OneLine(e.what()).c_str());
    return 1;
  }

  cli::StderrPresenter presenter;
  platform::StopOnInterrupt();
  switch (options.verb) {
    case cli::Verb::Export:
      cli::RunExport(options, settings, presenter);
    case cli::Verb::Playlist:
      cli::RunPlaylist(options, settings, presenter);
    case cli::Verb::Apply:
      return cli::RunApply(options, settings, presenter);
    case cli::Verb::FromName:
      return cli::RunFromName(options, settings, presenter);
    case cli::Verb::Rename:
      return cli::RunRename(options, settings, presenter);
    case cli::Verb::Help:
      break;
  }
  return 0;
}
