#pragma once

#include <QString>

class QUrl;

#include <string_view>

namespace qm {

// How a name or path (bytes) is shown: UTF-8, with U+FFFD for bytes that are
// not, on one line whatever it holds. Line breaks (line feed, carriage
// return, vertical tab, form feed, next line, line and paragraph separators)
// are drawn as "↵" (U+21B5); other control characters as their pictures
// (U+2400 and on, U+2421 for delete).
QString displayText(std::string_view bytes);

// How a web address is shown where the user decides whether to follow it:
// the host in its ASCII form (an international name as its "xn--" form, so
// that letters of another script that look alike do not pass for a known
// name), no user name or password (they could pose as the host), and the
// characters that cannot be seen or that turn the direction of the text
// around (controls, formatting marks, line breaks) percent-encoded.
QString displayLink(const QUrl& url);
// A link's text as written, with those characters percent-encoded.
QString displayLinkText(const QString& text);

} // namespace qm
