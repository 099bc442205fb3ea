// What the platform tests share: the scratch-file helpers, and a child
// process to run a piece in (environment changes there stay there).
#pragma once

#include "support/child_run.h"
#include "support/temp_dir.h"

namespace quilmark::platform {

using quilmark::testing::CountEntries;
using quilmark::testing::Exists;
using quilmark::testing::ReadBytes;
using quilmark::testing::RunInChild;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

}  // namespace quilmark::platform
