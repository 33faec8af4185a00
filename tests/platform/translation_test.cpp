// Qt's own dialogs speak German whatever the locale: the application object loads Qt's German
// translation.
#include "application.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(Translation, QtsFileDialogSpeaksGerman) {
    // Installed by the application object already; a second call changes nothing.
    ASSERT_TRUE(LoadGermanQtTranslation()) << "Debian's qt6-translations-l10n is missing";
    QFileDialog dialog(nullptr, QStringLiteral("Laden einer Aufgabenstellung"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto* box = dialog.findChild<QDialogButtonBox*>();
    ASSERT_TRUE(box);
    ASSERT_TRUE(box->button(QDialogButtonBox::Cancel));
    EXPECT_EQ(box->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    QStringList labels;
    for (auto* l : dialog.findChildren<QLabel*>()) labels << l->text();
    EXPECT_FALSE(labels.join(u'|').contains(QStringLiteral("Look in")))
        << labels.join(u'|').toStdString();
}
