#include "ui/app/CalcApp.h"

#include "tests/ui/support/CalculatorProcess.h"

#include "core/app/SettingsRecord.h"

#include <QSettings>

TEST(CalcApp, UnusableScaleFactorsAreRefused)
{
    const struct
    {
        const char* pszName;
        const char* pszValue;
        bool bRefused;
    } cases[] = {
        {"QT_SCALE_FACTOR", "0", true},
        {"QT_SCALE_FACTOR", "-1", true},
        {"QT_SCALE_FACTOR", "abc", true},
        {"QT_SCALE_FACTOR", "1e9", true},
        {"QT_SCALE_FACTOR", "0.05", true},
        {"QT_SCALE_FACTOR", "0.1", false},
        {"QT_SCALE_FACTOR", "1.5", false},
        {"QT_SCALE_FACTOR", "10", false},
        {"QT_SCALE_FACTOR", "", false},
        {"QT_SCREEN_SCALE_FACTORS", "1.5;2", false},
        {"QT_SCREEN_SCALE_FACTORS", "eDP-1=1.25;HDMI-1=2;", false},
        {"QT_SCREEN_SCALE_FACTORS", "eDP-1=1.25;HDMI-1=0", true},
        {"QT_SCREEN_SCALE_FACTORS", "2;-1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pszName) + "=" + c.pszValue);
        qputenv(c.pszName, c.pszValue);
        const QStringList warnings = CCalcApp::RefuseUnusableScaling();
        EXPECT_EQ(qgetenv(c.pszName), c.bRefused ? "" : c.pszValue);
        qunsetenv(c.pszName);
        ASSERT_EQ(warnings.size(), c.bRefused ? 1 : 0);
        if (c.bRefused) {
            EXPECT_TRUE(warnings.front().startsWith(QString(c.pszName) + "=" + c.pszValue))
                << warnings.front().toStdString();
        }
    }
}

// The program itself: it warns, and its window comes forward when a second start asks for it.
TEST(CalcApp, StartsWithUnusableScaleFactorAtTheNormalScale)
{
    for (const char* pszFactor : {"0", "-1"}) {
        SCOPED_TRACE(pszFactor);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QProcessEnvironment scaled;
        scaled.insert("QT_SCALE_FACTOR", pszFactor);
        const auto pFirst = StartCalculator(dir, scaled);
        const QString strWarning = QStringLiteral("QT_SCALE_FACTOR=%1 is ignored").arg(pszFactor);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return pFirst->readAllStandardError().contains(strWarning.toUtf8()); }, 10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(dir.filePath("pelmorix.exe")); }));

        const auto pSecond = StartCalculator(dir);
        EXPECT_EQ(ExitCodeOf(*pSecond), 0) << pSecond->readAllStandardError().toStdString();
        pFirst->kill();
        pFirst->waitForFinished(5000);
    }
}

TEST(CalcApp, RunsOnX11WhereTheSessionOffersItAndTheUserChoseNothing)
{
    const struct
    {
        const char* pszName;
        QByteArray strChosen, strDisplay, strWayland, strExpected;
    } cases[] = {
        {"X11 session", "", ":0", "", "xcb"},
        {"Wayland session with XWayland", "", ":0", "wayland-0", "xcb;wayland"},
        {"Wayland session without X11: Qt's choice", "", "", "wayland-0", ""},
        {"the user's choice holds", "wayland", ":0", "wayland-0", ""},
        {"no display at all", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        EXPECT_EQ(CCalcApp::ChoosePlatform(c.strChosen, c.strDisplay, c.strWayland), c.strExpected);
    }
}

// The record the program keeps: the user's file, or where the program may write the
// machine-wide one (as root), that one.
QString KeptRecord(const QTemporaryDir& dir)
{
    for (const char* pszFolder : {"config", "machine-config"}) {
        const QSettings file(dir.filePath(pszFolder) + "/Pelmorix.conf", QSettings::IniFormat);
        const QString strRecord = file.value(LAST_CONFIG_NAME).toString();
        if (!strRecord.isEmpty())
            return strRecord;
    }
    return {};
}

TEST(CalcApp, LangOptionStartsInThatLanguageAndKeepsIt)
{
    const struct
    {
        const char* pszValue;
        int nExitCode;       // -1: keeps running
        char chKeptLanguage; // the record's language digit, or 0 for no record
    } cases[] = {
        {"en", -1, '1'},
        {"zh", -1, '0'},
        {"fr", 2, 0},
        {"", 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszValue);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const auto pProcess = StartCalculator(dir, {}, 0, {"--lang", c.pszValue});
        if (c.nExitCode >= 0) {
            EXPECT_EQ(ExitCodeOf(*pProcess), c.nExitCode);
            EXPECT_TRUE(pProcess->readAllStandardError().contains("--lang takes en or zh"));
            EXPECT_TRUE(KeptRecord(dir).isEmpty());
            continue;
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return !KeptRecord(dir).isEmpty(); }, 10000));
        const QString strRecord = KeptRecord(dir);
        ASSERT_EQ(strRecord.size(), int(LAST_CONFIG_LENGTH)) << strRecord.toStdString();
        EXPECT_EQ(strRecord.at(1), QLatin1Char(c.chKeptLanguage));
        pProcess->kill();
        pProcess->waitForFinished(5000);
    }
}
