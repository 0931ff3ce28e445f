#pragma once
// Runs the command-line check: sign in, then each read in turn, printing what landed in the
// session store (or which failure notifications came) after every step.
#include "backend/cli/CliOptions.h"

#include <QTextStream>

namespace backend::cli {

// Returns the process exit status (0 all reads succeeded, 1 a read failed, 2 no sign-in).
int run(const Options& options, QTextStream& out, QTextStream& err);

}  // namespace backend::cli
