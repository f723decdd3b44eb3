#include "tests/desktop/DesktopSession.h"

#include <QLibraryInfo>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
using namespace std::chrono_literals;

// Waits up to five seconds for ready to hold.
template <class Ready>
bool WaitFor(Ready ready)
{
    for (int i = 0; i < 250; ++i) {
        if (ready())
            return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

bool Exists(const std::string& strPath)
{
    struct stat info
    {};
    return stat(strPath.c_str(), &info) == 0;
}

std::string ReadFile(const std::string& strPath)
{
    std::ifstream file(strPath);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A display number that no X server holds.
int FreeDisplay()
{
    for (int n = 140; n < 400; ++n)
        if (!Exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
            !Exists("/tmp/.X" + std::to_string(n) + "-lock"))
            return n;
    return -1;
}

bool HasQtPlatform(const char* pszPlugin)
{
    const QString strDir = QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/";
    return Exists((strDir + pszPlugin).toStdString());
}
} // namespace

struct CDesktopSession::Server
{
    pid_t pid = -1;
    ~Server()
    {
        if (pid <= 0)
            return;
        kill(pid, SIGTERM);
        for (int i = 0; i < 100 && waitpid(pid, nullptr, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(20ms);
        if (waitpid(pid, nullptr, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    bool Running() const { return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0; }
};

CDesktopSession::CDesktopSession(Kind kind) : m_kind(kind)
{
    char szDir[] = "/tmp/pelmorix-desktop-XXXXXX";
    if (mkdtemp(szDir) != nullptr)
        m_strDir = szDir;
}

CDesktopSession::~CDesktopSession()
{
    // The window manager goes before its server, the compositor last.
    while (!m_servers.empty())
        m_servers.pop_back();
    if (!m_strDir.empty())
        std::system(("rm -rf '" + m_strDir + "'").c_str());
}

bool CDesktopSession::Start()
{
    if (m_strDir.empty())
        return Fail("no temporary directory");
    switch (m_kind) {
    case Kind::Openbox:
        return StartOpenbox();
    case Kind::Weston:
        return StartWeston(false);
    case Kind::TwoScreens:
        return StartTwoScreens();
    case Kind::WestonXWayland:
        break;
    }
    return StartWeston(true);
}

bool CDesktopSession::StartTwoScreens()
{
    const std::string strConfig = m_strDir + "/screens.json";
    std::ofstream(strConfig) << R"({"screens": [
        {"name": "left", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96},
        {"name": "right", "x": 1920, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + strConfig).c_str(), 1);
    return true;
}

bool CDesktopSession::Fail(std::string strProblem, bool bMissing)
{
    m_strProblem = std::move(strProblem);
    m_bMissing = bMissing;
    return false;
}

std::unique_ptr<CDesktopSession::Server> CDesktopSession::Spawn(
    const std::vector<std::string>& args, const std::string& strLog)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string strPath = m_strDir + "/" + strLog;
    posix_spawn_file_actions_addopen(&actions, 1, strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    auto pServer = std::make_unique<Server>();
    if (posix_spawnp(&pServer->pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pServer->pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pServer;
}

bool CDesktopSession::StartOpenbox()
{
    for (const char* pszProgram : {"Xvfb", "openbox", "xdotool"})
        if (!HasProgram(pszProgram))
            return Fail(std::string(pszProgram) + " is not installed", true);
    const int nDisplay = FreeDisplay();
    const std::string strDisplay = ":" + std::to_string(nDisplay);
    m_servers.push_back(
        Spawn({"Xvfb", strDisplay, "-screen", "0", "1920x1080x24", "-nolisten", "tcp", "-noreset"},
              "xvfb.log"));
    if (!WaitFor([&] { return Exists("/tmp/.X11-unix/X" + std::to_string(nDisplay)); }))
        return Fail("Xvfb did not start on " + strDisplay);
    setenv("DISPLAY", strDisplay.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    setenv("XDG_SESSION_TYPE", "x11", 1);
    m_servers.push_back(Spawn({"openbox"}, "openbox.log"));
    // openbox names the current desktop once it manages the screen.
    if (!WaitFor([] { return !Shell("xdotool get_desktop 2>/dev/null").empty(); }))
        return Fail("openbox did not start");
    return true;
}

bool CDesktopSession::StartWeston(bool bXWayland)
{
    if (!HasProgram("weston"))
        return Fail("weston is not installed", true);
    if (bXWayland && !HasProgram("Xwayland"))
        return Fail("Xwayland is not installed", true);
    if (!bXWayland && !HasQtPlatform("libqwayland-generic.so"))
        return Fail("Qt's Wayland platform (qt6-wayland) is not installed", true);
    const std::string strRuntime = m_strDir + "/runtime";
    mkdir(strRuntime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", strRuntime.c_str(), 1);
    std::vector<std::string> args{"weston", "--backend=headless-backend.so",
                                  "--socket=pelmorix-test", "--idle-time=0"};
    if (bXWayland)
        args.emplace_back("--xwayland");
    m_servers.push_back(Spawn(args, "weston.log"));
    if (!WaitFor([&] { return Exists(strRuntime + "/pelmorix-test"); }))
        return Fail("weston did not start: " + ReadFile(m_strDir + "/weston.log"));
    setenv("WAYLAND_DISPLAY", "pelmorix-test", 1);
    setenv("XDG_SESSION_TYPE", "wayland", 1);
    unsetenv("DISPLAY");
    if (!bXWayland)
        return true;
    // weston names the display XWayland will serve once a client connects.
    const std::string strMark = "xserver listening on display ";
    std::string strLog;
    if (!WaitFor([&] {
            return (strLog = ReadFile(m_strDir + "/weston.log")).find(strMark) != std::string::npos;
        }))
        return Fail("weston started no XWayland: " + strLog);
    const std::size_t nAt = strLog.find(strMark) + strMark.size();
    setenv("DISPLAY", strLog.substr(nAt, strLog.find('\n', nAt) - nAt).c_str(), 1);
    return true;
}

std::string Shell(const std::string& strCommand)
{
    FILE* pPipe = popen(strCommand.c_str(), "r");
    if (pPipe == nullptr)
        return {};
    std::string strOut;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), int(buffer.size()), pPipe) != nullptr)
        strOut += buffer.data();
    return pclose(pPipe) == 0 ? strOut : std::string();
}

bool HasProgram(const char* pszName)
{
    return std::system(("command -v " + std::string(pszName) + " >/dev/null 2>&1").c_str()) == 0;
}

namespace xinput
{
namespace
{
std::string At(const QPoint& pt) { return std::to_string(pt.x()) + " " + std::to_string(pt.y()); }
} // namespace

void Click(const QPoint& ptGlobal) { Shell("xdotool mousemove " + At(ptGlobal) + " click 1"); }

// In ten steps, as a hand moves, with the button held throughout.
void Drag(const QPoint& ptFrom, const QPoint& way)
{
    std::string strCommand = "xdotool mousemove " + At(ptFrom) + " mousedown 1";
    for (int i = 1; i <= 10; ++i)
        strCommand += " sleep 0.03 mousemove " + At(ptFrom + way * i / 10);
    Shell(strCommand + " sleep 0.1 mouseup 1");
}

void Key(const char* pszKey) { Shell(std::string("xdotool key ") + pszKey); }

void Activate(unsigned long window)
{
    Shell("xdotool windowactivate --sync " + std::to_string(window));
}

QRect Geometry(unsigned long window)
{
    const std::string strOut = Shell("xdotool getwindowgeometry --shell " + std::to_string(window));
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::istringstream lines(strOut);
    for (std::string strLine; std::getline(lines, strLine);) {
        std::sscanf(strLine.c_str(), "X=%d", &x);
        std::sscanf(strLine.c_str(), "Y=%d", &y);
        std::sscanf(strLine.c_str(), "WIDTH=%d", &cx);
        std::sscanf(strLine.c_str(), "HEIGHT=%d", &cy);
    }
    return {x, y, cx, cy};
}
} // namespace xinput
