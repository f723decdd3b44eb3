#pragma once

#include "tests/ui/support/MainWindowFixture.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

#include <sys/resource.h>

// A real calculator process on the offscreen platform whose single-instance files and settings
// live in dir, with the variables of extra added to its environment; with nFileLimit, it may
// hold only that many file descriptors.
inline std::unique_ptr<QProcess> StartCalculator(const QTemporaryDir& dir,
                                                 const QProcessEnvironment& extra = {},
                                                 rlim_t nFileLimit = 0,
                                                 const QStringList& arguments = {})
{
    auto pProcess = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", dir.path());
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_CONFIG_DIRS", dir.filePath("machine-config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert(extra);
    pProcess->setProcessEnvironment(env);
    if (nFileLimit > 0) {
        pProcess->setChildProcessModifier([nFileLimit] {
            const rlimit limit = {nFileLimit, nFileLimit};
            setrlimit(RLIMIT_NOFILE, &limit);
        });
    }
    pProcess->start(PELMORIX_GUI_PATH, arguments);
    return pProcess;
}

// Waits for a start that is to end by itself; its exit code, or -1 when it does not end in time.
inline int ExitCodeOf(QProcess& process)
{
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}
