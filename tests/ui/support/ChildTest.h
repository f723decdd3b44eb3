#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

// Runs the tests of this program that strFilter names as a child process with the environment
// env; whether exactly one ran and passed within nLimitMs (a hang shows as a failure rather than
// as a test that never ends).
inline testing::AssertionResult ChildPasses(const QString& strFilter,
                                            const QProcessEnvironment& env, int nLimitMs)
{
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + strFilter});
    if (!child.waitForFinished(nLimitMs)) {
        child.kill();
        child.waitForFinished();
        return testing::AssertionFailure() << "still running after " << nLimitMs << " ms";
    }
    const QByteArray output = child.readAllStandardOutput();
    if (child.exitCode() != 0 || !output.contains("[  PASSED  ] 1 test"))
        return testing::AssertionFailure() << output.toStdString();
    return testing::AssertionSuccess() << output.toStdString();
}
