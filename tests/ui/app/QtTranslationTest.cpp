#include "ui/app/QtTranslation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

#include <gtest/gtest.h>

namespace
{
QString BasicColours() { return QCoreApplication::translate("QColorDialog", "&Basic colors"); }

TEST(QtTranslationTest, QtSpeaksTheInterfaceLanguage)
{
    const QString strFile =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm");
    if (!QFileInfo::exists(strFile))
        GTEST_SKIP() << strFile.toStdString() << " is missing (Debian: qt6-translations-l10n)";
    CQtTranslation translation;
    ASSERT_TRUE(translation.Apply(Language::Chinese));
    EXPECT_EQ(BasicColours(), QString::fromUtf8("基本颜色(&B)"));
    ASSERT_TRUE(translation.Apply(Language::Chinese)); // again: installed once
    ASSERT_TRUE(translation.Apply(Language::English));
    EXPECT_EQ(BasicColours(), QStringLiteral("&Basic colors"));
    EXPECT_FALSE(translation.IsInstalled());
}
} // namespace
