#pragma once

#include "core/base/Language.h"

#include <QStringList>

#include <optional>

// The program's start-up: one instance only, the process's dialog colours, the random seed, and
// the main window until it is closed.
class CCalcApp
{
public:
    static constexpr int DIALOG_BACK_RED = 231;
    static constexpr int DIALOG_BACK_GREEN = 227;
    static constexpr int DIALOG_BACK_BLUE = 231;

    // Needs a QApplication; returns the process's exit status. A start that finds the
    // calculator already running brings that one forward and returns 0 within a second; when
    // it can neither do that nor become the running one, it says why on standard error and
    // returns 1. A language given starts the window in it and is kept as if chosen in the
    // settings window; a start that only brings the running calculator forward ignores it.
    int Run(std::optional<Language> language = std::nullopt);

    // Takes QT_SCALE_FACTOR and QT_SCREEN_SCALE_FACTORS out of the environment when a factor in
    // them is no number or lies outside 0.1 to 10 (0 gave no visible window, -1 a window of
    // 65,376 pixels that took no text); returns one message for each. Runs before the
    // QApplication exists, which reads them.
    static QStringList RefuseUnusableScaling();

    // The Qt platform to run on when the user chose none: X11 ("xcb") where the session offers
    // it (DISPLAY is set), also inside a Wayland session through XWayland, since only X11 lets
    // the program place its windows, dock the keyboard, keep a window on top and make it
    // translucent; Wayland stays the fallback there should the X server not answer. Otherwise
    // empty, leaving the choice to Qt. strChosen is QT_QPA_PLATFORM, strDisplay DISPLAY and
    // strWayland WAYLAND_DISPLAY.
    static QByteArray ChoosePlatform(const QByteArray& strChosen, const QByteArray& strDisplay,
                                     const QByteArray& strWayland);
    // Sets QT_QPA_PLATFORM by ChoosePlatform; runs before the QApplication exists.
    static void PreferX11();

    // The folder where the console is kept between runs: the user's data folder of the program
    // ($XDG_DATA_HOME/pelmorix); empty when the system names none.
    static QString DataFolder();

private:
    static void SetDialogColors();
};
