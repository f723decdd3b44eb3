#pragma once

#include "core/eval/CalcValue.h"
#include "core/graph/CurveTable.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

class CEvalContext;

// What the console keeps between runs: its text, the console evaluator's variables and the
// graph's curves with their interval. Precision, radix, angle unit and the window settings are
// not part of it.
struct KeptConsole
{
    // At most this many of the newest lines are kept, and together at most this many bytes.
    static constexpr std::size_t MAX_LINES = 10'000;
    static constexpr std::size_t MAX_TEXT_BYTES = 4 * 1024 * 1024;

    std::vector<std::string> lines{std::string()}; // UTF-8, without line breaks; at least one
    std::map<std::string, CalcValue> variables;
    double dA = 0.0; // the graph's interval
    double dB = 0.0;
    int nSelected = 0;                   // the graph's selected slot
    std::vector<CurveDefinition> curves; // slot order, each slot once

    // Drops the oldest lines beyond MAX_LINES and MAX_TEXT_BYTES; the newest line always stays.
    void BoundLines();

    friend bool operator==(const KeptConsole&, const KeptConsole&) = default;
};

// The state of a running console: its lines as they stand (bounded), the evaluator's variables
// and the curve table's curves.
KeptConsole CaptureConsole(std::vector<std::string> lines, const CEvalContext& eval,
                           const CCurveTable& curves);
// Puts the variables into eval (the listener hears of them) and the curves into curves, sampled
// anew; the lines are the caller's to show.
void RestoreConsole(const KeptConsole& kept, CEvalContext& eval, CCurveTable& curves);
