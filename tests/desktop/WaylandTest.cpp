#include "tests/desktop/DesktopSession.h"
#include "tests/ui/support/MainWindowFixture.h"

#include "ui/base/DesktopFeatures.h"
#include "ui/base/QtText.h"
#include "ui/settings/SettingDlg.h"

#include <QProcess>
#include <QTemporaryDir>

namespace
{
constexpr const char* REFUSED[] = {"onTop", "keyboardSnap", "opacity"};

// The calculator itself, as a user starts it, in the test's desktop.
std::unique_ptr<QProcess> StartProgram(const QTemporaryDir& dir)
{
    auto pProcess = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_CONFIG_DIRS", dir.filePath("machine-config"));
    pProcess->setProcessEnvironment(env);
    pProcess->start(PELMORIX_GUI_PATH, {});
    return pProcess;
}

void Stop(QProcess& process)
{
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished(3000);
}

using WaylandOnly = MainWindowFixture;
using XWaylandDesktop = MainWindowFixture;

// Without X11 the program runs on Wayland, and the settings window shows what the compositor
// refuses as disabled, saying why.
TEST_F(WaylandOnly, RunsOnWaylandWithTheRefusedSettingsDisabled)
{
    EXPECT_TRUE(QGuiApplication::platformName().startsWith("wayland"))
        << QGuiApplication::platformName().toStdString();
    m_pDlg->ApplyLanguage();
    for (const char* pszName : REFUSED) {
        SCOPED_TRACE(pszName);
        const auto* pControl = m_pDlg->Row().Setting().findChild<QWidget*>(pszName);
        ASSERT_NE(pControl, nullptr);
        EXPECT_FALSE(pControl->isEnabled());
        EXPECT_EQ(pControl->toolTip(),
                  QtText(WAYLAND_REFUSES, m_pDlg->SettingsHost().CurrentLanguage()));
    }
}

TEST_F(WaylandOnly, TheProgramStartsAndKeepsRunning)
{
    QTemporaryDir dir;
    const auto pProcess = StartProgram(dir);
    ASSERT_TRUE(pProcess->waitForStarted());
    EXPECT_FALSE(pProcess->waitForFinished(1500)) << pProcess->readAllStandardError().toStdString();
    Stop(*pProcess);
}

// With XWayland the program runs on X11, where every setting works.
TEST_F(XWaylandDesktop, RunsOnX11WithEverySetting)
{
    EXPECT_EQ(QGuiApplication::platformName(), "xcb");
    for (const char* pszName : REFUSED) {
        SCOPED_TRACE(pszName);
        const auto* pControl = m_pDlg->Row().Setting().findChild<QWidget*>(pszName);
        ASSERT_NE(pControl, nullptr);
        EXPECT_TRUE(pControl->isEnabled());
    }
}

// The program's own start chooses X11: its main window is an X11 window of XWayland's.
TEST_F(XWaylandDesktop, TheProgramOpensAnX11Window)
{
    if (!HasProgram("xdotool"))
        GTEST_SKIP() << "xdotool is not installed";
    QTemporaryDir dir;
    const auto pProcess = StartProgram(dir);
    ASSERT_TRUE(pProcess->waitForStarted());
    const std::string strSearch = "xdotool search --all --onlyvisible --pid " +
                                  std::to_string(pProcess->processId()) +
                                  " --name '^Pelmorix' 2>/dev/null";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Shell(strSearch).empty(); }, 5000));
    Stop(*pProcess);
}
} // namespace
