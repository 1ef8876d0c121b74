#pragma once
// The audit command: reads every page (in -j threads; no window is involved), prints
// the summary or the JSON lines, and tells the exit status.

#include "batch/batch_options.h"

#include <cstdio>

namespace lumora::batch {

// 0, or 1 when a page could not be read or a finding named by --fail-on occurred.
// With `showProgress`, `err` also shows how many pages are done while they are read.
int runAudit(const Options& options, int jobs, std::FILE* out, std::FILE* err, bool showProgress);

} // namespace lumora::batch
