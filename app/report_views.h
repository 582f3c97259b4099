#pragma once

#include <ostream>

#include "app/report_options.h"

namespace tovrik {

// Prints the view the options ask for to `out`, and notes to `err`. Returns
// the exit status; throws RunError where a run stops.
int RunReport(const ReportOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tovrik
