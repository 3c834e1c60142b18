#pragma once

#include <QLocale>

class QTranslator;

namespace qm {

// Qt's own translations for `locale` (those of its standard dialogs and
// buttons: the open dialog, message boxes), installed into the application
// from where Qt keeps them (Debian's qt6-translations-l10n). The translator
// is the application's child and leaves the application when deleted. Null
// when Qt has no translation for the locale's languages: Qt's texts stay
// English.
QTranslator* installQtTranslations(const QLocale& locale = QLocale());

} // namespace qm
