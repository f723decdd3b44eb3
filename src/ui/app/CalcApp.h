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
    // calculator already running brings that one forward and returns at once.
    int Run();

private:
    static void SetDialogColors();
};
