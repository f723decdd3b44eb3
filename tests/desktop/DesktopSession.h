#pragma once

#include <QRect>
#include <QString>

#include <memory>
#include <string>
#include <vector>

// A desktop of its own for the desktop tests, started before the application opens the window
// system and ended with the process: a window manager (openbox) on a virtual X server (Xvfb) on a
// free display, or a headless Wayland compositor (weston), with or without XWayland; or two
// screens of the offscreen platform. It sets DISPLAY, WAYLAND_DISPLAY, XDG_SESSION_TYPE and, for
// the two screens, QT_QPA_PLATFORM for the application to come.
class CDesktopSession
{
public:
    enum class Kind
    {
        Openbox,
        Weston,
        WestonXWayland,
        TwoScreens, // no server: Qt's offscreen platform with two screens side by side
    };

    explicit CDesktopSession(Kind kind);
    ~CDesktopSession();
    CDesktopSession(const CDesktopSession&) = delete;
    CDesktopSession& operator=(const CDesktopSession&) = delete;

    // False, with the reason in Problem(), when a program is missing or a server does not come up.
    bool Start();
    const std::string& Problem() const { return m_strProblem; }
    // The failure is a program that is not installed, not a server that failed.
    bool IsMissing() const { return m_bMissing; }
    Kind Which() const { return m_kind; }

private:
    struct Server;
    bool StartOpenbox();
    bool StartWeston(bool bXWayland);
    bool StartTwoScreens();
    std::unique_ptr<Server> Spawn(const std::vector<std::string>& args, const std::string& strLog);
    bool Fail(std::string strProblem, bool bMissing = false);

    Kind m_kind;
    std::string m_strDir; // logs and the compositor's runtime directory
    std::vector<std::unique_ptr<Server>> m_servers;
    std::string m_strProblem;
    bool m_bMissing = false;
};

// The output of a shell command, or nothing when it fails.
std::string Shell(const std::string& strCommand);
bool HasProgram(const char* pszName);

// Real input through the X server, as a user's: what the window manager sees too.
namespace xinput
{
void Click(const QPoint& ptGlobal);
void Drag(const QPoint& ptFrom, const QPoint& way);
void Key(const char* pszKey);
// Focus through the window manager, as a taskbar click or Alt+Tab gives it.
void Activate(unsigned long window);
// The window's place on the screen as the X server has it.
QRect Geometry(unsigned long window);
} // namespace xinput
