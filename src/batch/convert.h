// The desktop Convert command: takes the input file, the output folder and the format from
// the main window, checks them (the first problem is shown in a warning box), records the
// output folder among the recent ones and runs the progress window.
#pragma once
#include "batch/batch_context.h"

namespace rondix {

// Returns when a check has failed or the progress window has closed.
void Convert(BatchContext& ctx);

}  // namespace rondix
