#pragma once

namespace qm {

// Whether each count prints the counter's whole output ("Output: " and the
// text: 27 MB for the Linux kernel) to standard output. Only where someone
// reads it: started from a desktop menu, standard output is the session's
// log. It is printed when
//   QUILLMARROW_PRINT_COUNTER_OUTPUT=1    asks for it (=0 declines it, even
//                                         on a terminal),
//   standard output is a terminal, or
//   QUILLMARROW_QUIT_AFTER_FIRST_COUNT    is set (the timing runs read it).
// `askedFor` and `quitAfterFirstCount` are the variables' values, null when
// unset.
bool printsCounterOutput(bool standardOutputIsTerminal, const char* askedFor, const char* quitAfterFirstCount);

// The same for this process.
bool printsCounterOutput();

} // namespace qm
