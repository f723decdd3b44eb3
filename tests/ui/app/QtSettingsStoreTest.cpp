#include "ui/app/QtSettingsStore.h"

#include "core/app/SettingsRecord.h"
#include "tests/common/SettingsMatchers.h"
#include "tests/ui/support/ChildTest.h"
#include "tests/ui/support/MainWindowFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

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

void WriteFile(const QString& strPath, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Runs one test of this program as a child process over the stores in strDir, which are also
// where the program's own stores are (strDir/user the user's configuration directory,
// strDir/machine the system's); whether it passed within nLimitMs (a hang shows as a failure
// rather than as a test that never ends).
testing::AssertionResult ChildPasses(const char* pszTest, const QString& strDir, int nLimitMs)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PELMORIX_SETTINGS_DIR", strDir);
    env.insert("XDG_CONFIG_HOME", strDir + "/user");
    env.insert("XDG_CONFIG_DIRS", strDir + "/machine");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return ChildPasses(QStringLiteral("QtSettingsStoreChild.") + pszTest, env, nLimitMs);
}

// What may stand in the way of a settings file: the program must neither wait for it nor
// remove it.
enum class Obstacle
{
    LockIsADirectory,
    LockOfAnotherHost,
    FileIsAFifo,
};

void Place(Obstacle obstacle, const QString& strFile)
{
    QDir().mkpath(QFileInfo(strFile).absolutePath());
    switch (obstacle) {
    case Obstacle::LockIsADirectory:
        ASSERT_TRUE(QDir().mkpath(strFile + ".lock"));
        break;
    case Obstacle::LockOfAnotherHost:
        // A fresh lock of a process on another machine: its owner cannot be asked whether it
        // still runs, so QLockFile would take it for stale only when it is 30 seconds old.
        WriteFile(strFile + ".lock", "4242\npelmorix\nanother-host.example\n"
                                     "0123456789abcdef0123456789abcdef\n"
                                     "0a1b2c3d-0000-4000-8000-000000000000\n");
        break;
    case Obstacle::FileIsAFifo:
        ASSERT_EQ(mkfifo(QFile::encodeName(strFile).constData(), 0600), 0);
        break;
    }
}

// Nothing was written past the obstacle, and it is still there.
bool StillStands(Obstacle obstacle, const QString& strFile)
{
    const QFileInfo file(strFile);
    if (obstacle == Obstacle::FileIsAFifo)
        return file.exists() && !file.isFile();
    return QFileInfo::exists(strFile + ".lock") && !file.exists();
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

TEST(QtSettingsStore, ListValuedRecordIsReadAsItsText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // An unquoted comma, as an editor may leave it: QSettings reads two list elements.
    WriteFile(dir.filePath("user/Pelmorix.conf"),
              "[General]\nLastConfig=01255255000000000000, 1\n");
    CQtSettingsStore store(dir.path());
    CalcSettings settings;
    LoadSettings(settings, store);
    ExpectSameRecord(settings, YellowOnBlackEnglish());
    EXPECT_TRUE(SaveSettings(settings, store));
    EXPECT_EQ(FileValue(dir, "user"), "01255255000000000000");
}

TEST(QtSettingsStore, UnreadableMachineStoreIsNotHiddenByDefaults)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A directory where the file belongs cannot be read, not even by root.
    ASSERT_TRUE(QDir().mkpath(dir.filePath("machine/Pelmorix.conf")));
    {
        CQtSettingsStore store(dir.path());
        CalcSettings settings;
        LoadSettings(settings, store);
        ExpectSameRecord(settings, CalcSettings{});
        EXPECT_FALSE(SaveSettings(settings, store));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("user/Pelmorix.conf")));

    ASSERT_TRUE(QDir(dir.filePath("machine")).rmdir("Pelmorix.conf"));
    QSettings(dir.filePath("machine/Pelmorix.conf"), QSettings::IniFormat)
        .setValue("LastConfig", "01255255000000000000");
    ExpectSameRecord(LoadedFrom(dir), YellowOnBlackEnglish());
}

// Runs in a child process only: shows the main window over the program's own stores, as the
// parent placed them, and closes it, which saves the settings.
TEST(QtSettingsStoreChild, OpensAndClosesTheMainWindow)
{
    if (qEnvironmentVariableIsEmpty("PELMORIX_SETTINGS_DIR"))
        GTEST_SKIP() << "runs as the child of ObstaclesHoldUpNeitherTheWindowNorItsClose";
    QElapsedTimer timer;
    timer.start();
    CQtSettingsStore store;
    CRandomGenerator random;
    CCalcDlg dialog(random, store);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    std::printf("window after %lld ms\n", timer.restart());
    dialog.close();
    std::printf("closed after %lld ms\n", timer.elapsed());
}

TEST(QtSettingsStore, ObstaclesHoldUpNeitherTheWindowNorItsClose)
{
    const struct
    {
        const char* name;
        Obstacle obstacle;
    } cases[] = {
        {"directory at the lock path", Obstacle::LockIsADirectory},
        {"lock of another host", Obstacle::LockOfAnotherHost},
        {"FIFO as the settings file", Obstacle::FileIsAFifo},
    };
    {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        EXPECT_TRUE(ChildPasses("OpensAndClosesTheMainWindow", dir.path(), 10000));
        EXPECT_EQ(FileValue(dir, "machine"), "10255255255020020245") << "the stores under dir";
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        for (const char* pszScope : {"machine", "user"})
            Place(c.obstacle, dir.filePath(QString(pszScope) + "/Pelmorix.conf"));
        // Far below the half minute a foreign lock held the close, far above a normal start.
        EXPECT_TRUE(ChildPasses("OpensAndClosesTheMainWindow", dir.path(), 10000));
        for (const char* pszScope : {"machine", "user"})
            EXPECT_TRUE(StillStands(c.obstacle, dir.filePath(QString(pszScope) + "/Pelmorix.conf")))
                << pszScope;
    }
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
    EXPECT_TRUE(ChildPasses("LoadsWhatAnotherProcessSaved", dir.path(), 60000));
}
