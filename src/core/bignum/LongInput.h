#pragma once

#include "core/bignum/LongCalculation.h"

#include <string>
#include <string_view>

// Input rules of the long-number calculator's first box and the texts around its boxes.

// The first box's typing filter: true when the text as it now stands must lose the character
// before the caret. The box keeps a digit string, or "pi", "p" or "e" in any case on their own.
bool IsFirstTextRejected(std::string_view strText);

// 1-based position (in characters) of the first character of the first box that is neither a
// digit nor part of a leading "pi" or "e" in any case; 0 when every character passes.
int FirstIllegalPosition(std::string_view strText);

// The warning shown when the first box loses the focus with an illegal character at nPosition.
std::string FirstIllegalWarning(int nPosition, Language language);

// The elapsed-time label: hours (0 to 23), minutes and seconds as "%02d:%02d:%02d".
std::string FormatElapsed(long long nSeconds);

// The progress of a running calculation nElapsedMs after its start: the share done in whole
// percent (100 only at the end) and, once the time so far can tell it, the time left.
std::string FormatProgress(double dFraction, long long nElapsedMs, Language language);

// What is said when a calculation ends: done with the digit count, or stopped; empty for one that
// ended with a message, which says it itself.
std::string FormatEnd(const LongResult& result, Language language);
