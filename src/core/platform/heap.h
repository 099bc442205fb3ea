// How the memory of a long batch run is taken from the system.
#pragma once

namespace quilmark::platform {

// Prepares the heap for a run that reads thousands of files into rows: the
// heap grows in large steps backed by huge pages where the system offers
// them, and large buffers are taken from the heap rather than mapped each
// time. Without it, a sixth of the time of exporting ten thousand files
// went to the page faults of memory touched for the first time. Nothing is
// touched here: what is never used costs nothing. Call it once, early,
// before any thread starts.
void PrepareHeapForLargeRuns();

}  // namespace quilmark::platform
