#include "tests/desktop/DesktopSession.h"
#include "ui/app/CalcApp.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace
{
// CTest counts this exit status as a skipped test.
constexpr int EXIT_SKIPPED = 77;

struct DesktopChoice
{
    std::string_view name;
    CDesktopSession::Kind kind;
    const char* pszSuites;
};

constexpr DesktopChoice DESKTOPS[] = {
    {"openbox", CDesktopSession::Kind::Openbox, "OpenboxDesktop.*"},
    {"weston", CDesktopSession::Kind::Weston, "WaylandOnly.*"},
    {"weston-xwayland", CDesktopSession::Kind::WestonXWayland, "XWaylandDesktop.*"},
    {"two-screens", CDesktopSession::Kind::TwoScreens, "TwoScreens.*"},
};
} // namespace

// pelmorix_desktop_tests openbox|weston|weston-xwayland|two-screens [gtest options]: starts that desktop,
// chooses the Qt platform as the program does, and runs the desktop's tests on it.
int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    const DesktopChoice* pChoice = nullptr;
    for (const DesktopChoice& choice : DESKTOPS)
        if (argc > 1 && choice.name == argv[1])
            pChoice = &choice;
    if (pChoice == nullptr) {
        std::fprintf(stderr, "usage: %s openbox|weston|weston-xwayland|two-screens\n", argv[0]);
        return 2;
    }
    // The test run chose the offscreen platform for the widget tests; here the program's own
    // choice holds, unless the desktop makes one.
    unsetenv("QT_QPA_PLATFORM");
    CDesktopSession session(pChoice->kind);
    if (!session.Start()) {
        std::printf("%s: %s\n", session.IsMissing() ? "Skipped" : "Failed",
                    session.Problem().c_str());
        return session.IsMissing() ? EXIT_SKIPPED : EXIT_FAILURE;
    }
    CCalcApp::PreferX11();
    QApplication app(argc, argv);
    std::printf("Desktop %s: Qt platform %s\n", argv[1], qPrintable(app.platformName()));
    if (::testing::GTEST_FLAG(filter) == "*")
        ::testing::GTEST_FLAG(filter) = pChoice->pszSuites;
    return RUN_ALL_TESTS();
}
