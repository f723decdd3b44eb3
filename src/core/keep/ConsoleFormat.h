#pragma once

#include "core/base/Language.h"
#include "core/keep/KeptConsole.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

// The kept console as a text file, UTF-8 with LF line ends, one record a line, in this order:
//
//     pelmorix-console 1                 the format and its version
//     var <name> <re> <im>               each variable, in name order
//     graph <a> <b> <selected>           the graph's interval and selected slot
//     curve <slot> shown|hidden <expr>   each curve that is not empty, in slot order
//     |<line>                            each console line, oldest first
//     end                                the last line: a file without it was cut short
//
// Numbers are the shortest decimal texts that read back to the same double ("5", "0.1", "-0",
// "1e+300", "inf", "-inf"); a NaN is "nan:" and its 16 hexadecimal bits (sign and payload), so
// every value comes back bit for bit. Names are a letter followed by letters and digits; an
// expression is the rest of its line and holds no white space. Any other line, a record out of
// order, a variable or slot twice, a curve longer than MAX_CURVE_EXPRESSION, or a text after "end"
// makes the file unreadable.
constexpr int CONSOLE_FORMAT_VERSION = 1;
// A curve is defined on a console line, which is read up to 2047 characters: a longer expression
// was never written by the program, and it would be slow to sample.
constexpr std::size_t MAX_CURVE_EXPRESSION = 2047;

enum class KeepProblem
{
    NotConsole,   // no header: some other file
    NewerVersion, // written by a newer version of the program
    CutShort,     // empty, or no "end" line
    BadLine,      // a line that is not a record of this version where it stands
};

// Why a kept console could not be read, with the 1-based line where reading stopped.
class KeepFormatError : public std::runtime_error
{
public:
    KeepFormatError(KeepProblem problem, int nLine);

    KeepProblem Problem() const { return m_problem; }
    int Line() const { return m_nLine; }
    // A short reason, without a full stop, to put inside a sentence.
    std::string Describe(Language language) const;
    static std::string Describe(KeepProblem problem, int nLine, Language language);

private:
    KeepProblem m_problem;
    int m_nLine;
};

std::string WriteKeptConsole(const KeptConsole& kept);
// Throws KeepFormatError. More lines than KeptConsole keeps are accepted and bounded.
KeptConsole ReadKeptConsole(std::string_view strFile);
