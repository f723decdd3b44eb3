#include "ui/app/SingleInstance.h"

#include "tests/ui/support/MainWindowFixture.h"

#include <QProcess>
#include <QSignalSpy>

#include <memory>
#include <vector>

namespace
{
// A real calculator process whose single-instance files live in dir.
std::unique_ptr<QProcess> StartCalculator(const QTemporaryDir& dir)
{
    auto pProcess = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", dir.path());
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    pProcess->setProcessEnvironment(env);
    pProcess->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    pProcess->start(PELMORIX_GUI_PATH, {});
    return pProcess;
}

TEST(SingleInstance, SecondClaimAsksTheFirstToComeForward)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CSingleInstance first(dir.path());
    QSignalSpy requests(&first, &CSingleInstance::ShowRequested);
    ASSERT_TRUE(first.Claim());
    {
        CSingleInstance second(dir.path());
        EXPECT_FALSE(second.Claim());
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return requests.count() == 1; }));

    CSingleInstance other(dir.path(), "another.exe");
    EXPECT_TRUE(other.Claim()) << "another name is another program";
}

TEST(SingleInstance, LockOfAnEndedInstanceIsFreeAgain)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        CSingleInstance first(dir.path());
        ASSERT_TRUE(first.Claim());
    }
    CSingleInstance next(dir.path());
    EXPECT_TRUE(next.Claim());
}

TEST(SingleInstance, SecondProgramExitsAtOnceAndTheFirstComesForward)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CSingleInstance running(dir.path());
    ASSERT_TRUE(running.Claim());
    QTemporaryDir storeDir;
    CQtSettingsStore store(storeDir.path());
    CRandomGenerator random;
    CCalcDlg dialog(random, store);
    dialog.showMinimized();
    QObject::connect(&running, &CSingleInstance::ShowRequested, &dialog,
                     &CCalcDlg::ShowAndActivate);

    const auto pSecond = StartCalculator(dir);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pSecond->state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(pSecond->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(pSecond->exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isVisible() && !dialog.isMinimized(); }));
}

TEST(SingleInstance, SimultaneousStartsOpenOneWindow)
{
    constexpr int STARTS = 4;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < STARTS; ++i)
        processes.push_back(StartCalculator(dir));
    const auto running = [&] {
        int nRunning = 0;
        for (const auto& pProcess : processes)
            nRunning += pProcess->state() != QProcess::NotRunning;
        return nRunning;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return running() == 1; }, 30000));
    QTest::qWait(500);
    EXPECT_EQ(running(), 1);
    for (const auto& pProcess : processes) {
        pProcess->kill();
        pProcess->waitForFinished(5000);
    }
}
} // namespace
