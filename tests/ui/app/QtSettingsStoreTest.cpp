#include "ui/app/QtSettingsStore.h"

#include "core/app/SettingsRecord.h"
#include "tests/common/SettingsMatchers.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{
CalcSettings YellowOnBlackEnglish()
{
    CalcSettings settings;
    settings.m_nSkin = Skin::Ocean;
    settings.m_nLanguage = Language::English;
    settings.m_crBack = MakeRgb(255, 255, 0);
    settings.m_crText = MakeRgb(0, 0, 0);
    return settings;
}

// What the INI file of one scope holds under LastConfig, read past the store.
QString FileValue(const QTemporaryDir& dir, const char* pszScope)
{
    return QSettings(dir.filePath(QString(pszScope) + "/Pelmorix.conf"), QSettings::IniFormat)
        .value("LastConfig")
        .toString();
}

CalcSettings LoadedFrom(const QTemporaryDir& dir)
{
    CQtSettingsStore store(dir.path());
    CalcSettings settings = YellowOnBlackEnglish();
    settings.m_crText = MakeRgb(9, 9, 9);
    LoadSettings(settings, store);
    return settings;
}
} // namespace

TEST(QtSettingsStore, FirstStartWithoutFilesGivesDefaults)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ExpectSameRecord(LoadedFrom(dir), CalcSettings{});
}

TEST(QtSettingsStore, SavedRecordIsRestoredByAFreshStore)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        CQtSettingsStore store(dir.path());
        EXPECT_TRUE(SaveSettings(YellowOnBlackEnglish(), store));
    }
    EXPECT_EQ(FileValue(dir, "machine"), "01255255000000000000");
    EXPECT_FALSE(QFile::exists(dir.filePath("user/Pelmorix.conf")));
    ExpectSameRecord(LoadedFrom(dir), YellowOnBlackEnglish());
}

TEST(QtSettingsStore, UnwritableMachineStoreFallsBackToTheUserStore)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A plain file where the machine directory belongs: no one, not even root, can write there.
    QFile blocker(dir.filePath("machine"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    {
        CQtSettingsStore store(dir.path());
        EXPECT_TRUE(SaveSettings(YellowOnBlackEnglish(), store));
    }
    EXPECT_EQ(FileValue(dir, "user"), "01255255000000000000");
    ExpectSameRecord(LoadedFrom(dir), YellowOnBlackEnglish());
}

TEST(QtSettingsStore, UsersValueWinsOverTheMachineWideOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings(dir.filePath("machine/Pelmorix.conf"), QSettings::IniFormat)
        .setValue("LastConfig", "01255255000000000000");
    ExpectSameRecord(LoadedFrom(dir), YellowOnBlackEnglish());

    QSettings(dir.filePath("user/Pelmorix.conf"), QSettings::IniFormat)
        .setValue("LastConfig", "10255255255020020245");
    ExpectSameRecord(LoadedFrom(dir), CalcSettings{});
}

// Runs in a child process only: loads what the parent saved into PELMORIX_SETTINGS_DIR.
TEST(QtSettingsStoreChild, LoadsWhatAnotherProcessSaved)
{
    const QString strDir = qEnvironmentVariable("PELMORIX_SETTINGS_DIR");
    if (strDir.isEmpty())
        GTEST_SKIP() << "runs as the child of SavedRecordIsRestoredInAFreshProcess";
    CQtSettingsStore store(strDir);
    CalcSettings settings;
    LoadSettings(settings, store);
    ExpectSameRecord(settings, YellowOnBlackEnglish());
}

TEST(QtSettingsStore, SavedRecordIsRestoredInAFreshProcess)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        CQtSettingsStore store(dir.path());
        ASSERT_TRUE(SaveSettings(YellowOnBlackEnglish(), store));
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PELMORIX_SETTINGS_DIR", dir.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=QtSettingsStoreChild.LoadsWhatAnotherProcessSaved"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAllStandardOutput();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}
