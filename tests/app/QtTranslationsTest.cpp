#include "app/lifecycle/QtTranslations.h"
#include "app/opening/OpenPanel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

namespace qm {
namespace {

struct Case {
    const char* locale;
    bool translated; // Qt has a translation for its language
    const char* cancel;
    const char* lookIn; // the open dialog's label above the folder
};

// The texts of Qt's own catalogue (Debian's qt6-translations-l10n).
const Case cases[] = {
    {"de_DE", true, "Abbrechen", "Suchen in:"},
    {"fr_FR", true, "Annuler", "Voir dans :"},
    {"pt_BR", true, "Cancelar", "Procurar em:"},
    // Qt has no Icelandic: its English stays.
    {"is_IS", false, "Cancel", "Look in:"},
};

TEST(QtTranslations, StandardDialogsSpeakTheLocalesLanguage)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const std::unique_ptr<QTranslator> translator(installQtTranslations(QLocale(QString::fromLatin1(c.locale))));
        EXPECT_EQ(translator != nullptr, c.translated);

        OpenPanel panel;
        const auto* buttons = panel.findChild<QDialogButtonBox*>();
        ASSERT_TRUE(buttons && buttons->button(QDialogButtonBox::Cancel));
        EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().toStdString(), c.cancel);
        const auto* lookIn = panel.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        ASSERT_TRUE(lookIn);
        EXPECT_EQ(lookIn->text().toStdString(), c.lookIn);

        QMessageBox box;
        box.setStandardButtons(QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text().toStdString(), c.cancel);
    }
    // Each translator left with its deletion: English again.
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancel"));
}

} // namespace
} // namespace qm
