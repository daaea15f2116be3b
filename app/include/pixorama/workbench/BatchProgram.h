#pragma once

#include <ostream>
#include <string>
#include <vector>

// pixorama-batch: the sequence, stitching and sinogram jobs without a
// display. args are the command-line words after the program name; help
// goes to out, progress, messages and the reason of a failure to err.
// Returns the exit status: 0 when the job went through, 1 when it failed,
// 2 when the command line was not understood.
int RunBatchProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
