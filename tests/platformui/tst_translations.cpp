#include "platformui/translations.h"

#include <QApplication>

#include <gtest/gtest.h>

// The stock dialogs' own words, as Qt's Spanish translations give them.
TEST(Translations, TheStockDialogsSpeakSpanish)
{
    ASSERT_TRUE(platform::installSpanishTranslations(*QCoreApplication::instance()))
        << "Qt's Spanish translations (Debian package qt6-translations-l10n) are not installed";
    const struct {
        const char *context;
        const char *text;
        const char *spanish;
    } rows[] = {
        {"QPlatformTheme", "Open", "Abrir"},
        {"QPlatformTheme", "Cancel", "Cancelar"},
        {"QFileDialog", "Look in:", "Ver en:"},
        {"QColorDialog", "Select Color", "Selecciona color"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(QCoreApplication::translate(row.context, row.text), QString::fromUtf8(row.spanish)) << row.text;
}
