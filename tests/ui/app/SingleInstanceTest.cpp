#include "ui/app/SingleInstance.h"

#include "tests/ui/support/CalculatorProcess.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>

#include <vector>

namespace
{
TEST(SingleInstance, SecondClaimAsksTheFirstToComeForward)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CSingleInstance first(dir.path());
    QSignalSpy requests(&first, &CSingleInstance::ShowRequested);
    ASSERT_EQ(first.Claim(), CSingleInstance::ClaimResult::Running);
    {
        // The first one cannot answer while this thread waits for it.
        CSingleInstance second(dir.path());
        EXPECT_EQ(second.Claim(), CSingleInstance::ClaimResult::Failed);
        EXPECT_TRUE(second.ErrorString().contains("did not come forward"))
            << second.ErrorString().toStdString();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return requests.count() == 1; }));

    CSingleInstance other(dir.path(), "another.exe");
    EXPECT_EQ(other.Claim(), CSingleInstance::ClaimResult::Running)
        << "another name is another program";
}

TEST(SingleInstance, LockOfAnEndedInstanceIsFreeAgain)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        CSingleInstance first(dir.path());
        ASSERT_EQ(first.Claim(), CSingleInstance::ClaimResult::Running);
    }
    CSingleInstance next(dir.path());
    EXPECT_EQ(next.Claim(), CSingleInstance::ClaimResult::Running);
}

TEST(SingleInstance, SecondProgramExitsAtOnceAndTheFirstComesForward)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CSingleInstance running(dir.path());
    ASSERT_EQ(running.Claim(), CSingleInstance::ClaimResult::Running);
    QTemporaryDir storeDir;
    CQtSettingsStore store(storeDir.path());
    CRandomGenerator random;
    CCalcDlg dialog(random, store);
    dialog.showMinimized();
    QObject::connect(&running, &CSingleInstance::ShowRequested, &dialog,
                     &CCalcDlg::ShowAndActivate);

    const auto pSecond = StartCalculator(dir);
    EXPECT_EQ(ExitCodeOf(*pSecond), 0) << pSecond->readAllStandardError().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isVisible() && !dialog.isMinimized(); }));

    // A cleaner of the runtime directory takes the socket away: the running one listens again.
    dialog.showMinimized();
    ASSERT_TRUE(QFile::remove(running.ServerPath()));
    const auto pThird = StartCalculator(dir);
    EXPECT_EQ(ExitCodeOf(*pThird), 0) << pThird->readAllStandardError().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isVisible() && !dialog.isMinimized(); }));
}

// A start that finds the lock taken but no running instance that comes forward says so and
// fails, instead of ending quietly as if it had been answered.
TEST(SingleInstance, UnansweredStartSaysWhyAndFails)
{
    const struct
    {
        const char* name;
        bool bListen;
        const char* pszMessage;
    } cases[] = {
        {"nobody listens", false, "cannot be reached"},
        {"nobody answers", true, "did not come forward"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QLockFile lock(dir.filePath("pelmorix.exe.lock"));
        ASSERT_TRUE(lock.tryLock(0));
        QLocalServer mute;
        if (c.bListen) {
            ASSERT_TRUE(mute.listen(dir.filePath("pelmorix.exe")));
        }

        const auto pStart = StartCalculator(dir);
        EXPECT_EQ(ExitCodeOf(*pStart), 1);
        const QString strError = pStart->readAllStandardError();
        EXPECT_TRUE(strError.contains(c.pszMessage)) << strError.toStdString();
    }
}

// Accepting a connection fails when the running one has no descriptor left, and Qt's server then
// stops for good. Once descriptors are free again, the running one listens again.
TEST(SingleInstance, RunningInstanceListensAgainAfterRunningOutOfDescriptors)
{
    constexpr rlim_t FILE_LIMIT = 64;
    constexpr std::size_t MAX_CLIENTS = 200;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto pFirst = StartCalculator(dir, {}, FILE_LIMIT);
    const QString strSocket = dir.filePath("pelmorix.exe");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(strSocket); }, 20000));

    std::vector<std::unique_ptr<QLocalSocket>> clients;
    const bool bServerStopped = QTest::qWaitFor(
        [&] {
            if (clients.size() < MAX_CLIENTS) {
                clients.push_back(std::make_unique<QLocalSocket>());
                clients.back()->connectToServer(strSocket);
                clients.back()->waitForConnected(100);
            }
            return !QFileInfo::exists(strSocket);
        },
        20000);
    clients.clear();
    ASSERT_TRUE(bServerStopped) << "the first instance took " << MAX_CLIENTS << " connections";
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(strSocket); }, 10000));

    const auto pSecond = StartCalculator(dir);
    EXPECT_EQ(ExitCodeOf(*pSecond), 0) << pSecond->readAllStandardError().toStdString();
    pFirst->kill();
    pFirst->waitForFinished(5000);
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
