#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string_view>

namespace qm {

// The counting core reports on standard output, one line per message.
// Callable from any thread: lines never run into each other.
void printLine(std::string_view line);
// One line made of `prefix` and `text`, without joining them first.
void printLine(std::string_view prefix, std::string_view text);
// The same, written a part of the text at a time: `printed(n)` is told, after
// each part, that the first n bytes of the text are written (no longer read).
void printLine(std::string_view prefix, std::string_view text, const std::function<void(std::size_t)>& printed);

// Sends printLine() to another stream (nullptr: back to standard output). Tests capture with it.
void setOutputStream(std::ostream* stream);

// Whether each count prints the counter's whole output ("Output: " and the
// text), which can run to tens of megabytes. On until switched off.
void setCounterOutputPrinted(bool printed);
bool counterOutputPrinted();

// Reports on standard error and stops the process: for missing parts of the bundle.
[[noreturn]] void fatalError(std::string_view message);

} // namespace qm
