#include "ui/base/DesktopFeatures.h"

#include <QGuiApplication>

DesktopFeatures DesktopFeatures::OfPlatform(const QString& strPlatform)
{
    // "wayland", "wayland-egl", "wayland-brcm": the plugins of one protocol.
    if (strPlatform.startsWith(QLatin1String("wayland")))
        return {false, false, false};
    return {};
}

DesktopFeatures DesktopFeatures::Current() { return OfPlatform(QGuiApplication::platformName()); }
