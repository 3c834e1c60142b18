#pragma once

#include <string>

namespace qm {

// Hooks for tests that run the whole application:
//   QUILLMARROW_TEST_REPORT=1     prints "listed: <name>" when a project joins
//                                 the list, "selected: <name>" when one is
//                                 selected and "chart drawn: <n> slices" when
//                                 the overview has drawn its chart;
//   QUILLMARROW_QUIT_AFTER=<s>    quits after that many seconds;
//   QUILLMARROW_QUIT_AFTER_FIRST_COUNT=1
//                                 ends the process as soon as the first folder
//                                 has been counted and listed and "all ok"
//                                 printed (status 0, without the teardown), or
//                                 quits when its count has failed (status 1):
//                                 timing a whole start;
//   QUILLMARROW_INSTANCE_KEY=<k>  runs as its own single instance under <k>.
bool testReporting();
void testReport(const std::string& line);
void installTestHooks();

} // namespace qm
