#pragma once

#include <string>
#include <vector>

namespace qm {

// Runs an executable with standard output and standard error joined in one
// pipe and no standard input, reads to the end of its output, reaps the
// child and returns everything it wrote (the bytes as written). It never
// fails to its caller: when the executable cannot be started it prints
// "ERROR: " and the reason, and returns the empty text. Holds the calling
// thread until the output ends.
std::string runProcess(const std::string& executable, const std::vector<std::string>& arguments);

} // namespace qm
