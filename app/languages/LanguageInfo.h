#pragma once

#include <QColor>
#include <QIcon>

#include <string>

namespace qm {

// The colour text of a language: the "color" of its language-colour entry,
// "#DDDDDD" when the language (or its "color") is missing.
std::string languageColorText(const std::string& name);
QColor languageColor(const std::string& name);
// A small filled circle in the language's colour.
QIcon languageDot(const std::string& name);

// The content kinds of the first supported language named exactly `name`,
// joined with ", "; empty when there is none.
std::string supportedContents(const std::string& name);

} // namespace qm
