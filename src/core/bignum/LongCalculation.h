#pragma once

#include "core/base/Language.h"

#include <cstddef>
#include <string>
#include <string_view>

class LongOperand;

// Operators of the long-number calculator, numbered as its radio buttons.
enum class LongOperator
{
    Add = 1,
    Sub,
    Mul,
    Div,
    Mod,
    Fac,
};

// Limits on what a calculation accepts, set by the result box's 100,000,000 characters: pi or e
// to 99,999,999 digits (a few minutes and 0.9 GB) and 14,000,000! (94,000,000 digits, about
// two minutes and 0.5 GB). Operands come from boxes of 50,000 characters; the command line may
// pass longer ones up to the limit.
constexpr int LONG_MAX_CONSTANT_DIGITS = 99'999'999;
constexpr int LONG_MAX_FACTORIAL = 14'000'000;
constexpr int LONG_MAX_OPERAND_DIGITS = 20'000'000;

// What one calculation gives the window: either a result or a message for a message box.
struct LongResult
{
    std::string strResult;  // the result box text; empty after a message or a cancellation
    int nDigits = 0;        // the count beside the result: its length less the point of pi or e
    std::string strMessage; // empty on success
    std::string strCaption; // the message box caption; empty for the application's title
    bool bCancelled = false;
};

// One press of Calculate: pi or e when the first box holds "pi" or "e" (any case) and the second
// box is not empty, else the operator on the boxes' integers. White space in the boxes is
// ignored; any other character that is not a digit is refused with its 1-based position. Runs
// for as long as the numbers need: call it off the GUI thread. It answers to the current control
// of its thread (LongControl.h): when that is cancelled it stops early with bCancelled set, and
// its progress reaches the full share with a result.
LongResult CalculateLong(LongOperator op, std::string_view strFirst, std::string_view strSecond,
                         Language language);
// The same with operands taken apart while they were read (the command line reads them from
// files and standard input): a too long operand is refused with the length message, also as a
// divisor. The operands' texts are dropped as soon as their numbers are read.
LongResult CalculateLong(LongOperator op, LongOperand&& first, LongOperand&& second,
                         Language language);
