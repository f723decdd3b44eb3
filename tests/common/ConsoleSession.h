#pragma once

#include "core/console/LineDispatcher.h"
#include "core/console/TextConsole.h"
#include "core/eval/EvalContext.h"
#include "core/eval/RandomGenerator.h"

#include <string>

// A console as the main window holds it: the evaluator, the text typed and written, and the
// dispatcher that runs a line when Enter is pressed.
struct ConsoleSession
{
    // Types the line and Enter, and returns what the console wrote below it.
    std::string Enter(const std::string& strLine)
    {
        console.Type(strLine + "\n");
        dispatcher.DispatchLine(true);
        return console.TakeWritten();
    }

    FixedLanguage language{Language::English};
    CRandomGenerator random;
    AngleUnit angle;
    CEvalContext eval{language, random, angle};
    CTextConsole console;
    CLineDispatcher dispatcher{eval, console, language};
};
