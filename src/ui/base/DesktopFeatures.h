#pragma once

#include "core/base/Language.h"

#include <QString>

// What the window system lets the program do with its own windows. X11 allows everything; a
// Wayland compositor places the windows itself, keeps none on top at a program's wish and
// ignores a window's opacity.
struct DesktopFeatures
{
    bool bPlace = true;     // put a window at a place of the program's choosing, move it there
    bool bStayOnTop = true; // keep a window above the others
    bool bOpacity = true;   // make a window translucent

    // The features of the Qt platform plugin named strPlatform ("xcb", "wayland", ...).
    static DesktopFeatures OfPlatform(const QString& strPlatform);
    // The features of the platform the application runs on.
    static DesktopFeatures Current();
};

// Why a setting is shown disabled on a window system that refuses it.
inline constexpr Text WAYLAND_REFUSES{
    "The Wayland compositor does not let programs do this. Start Pelmorix in an X11 session, "
    "or with QT_QPA_PLATFORM=xcb where XWayland is available.",
    "Wayland 合成器不允许程序这样做。请在 X11 会话中启动 Pelmorix，或在有 XWayland 时以 "
    "QT_QPA_PLATFORM=xcb 启动。"};
