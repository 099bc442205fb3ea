// What the command-line program needs of the terminal it runs in: Ctrl+C
// as a request to stop.
#pragma once

namespace quilmark::platform {

// From now on the first Ctrl+C (SIGINT) only sets a flag, which long runs
// ask between files, so that they end cleanly; the program's own handler
// is gone after it, so a second Ctrl+C ends the program at once.
void StopOnInterrupt();
// Whether Ctrl+C came since StopOnInterrupt.
bool Interrupted();

}  // namespace quilmark::platform
