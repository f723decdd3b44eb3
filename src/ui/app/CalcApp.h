#pragma once

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
    // returns 1.
    int Run();

private:
    static void SetDialogColors();
};
