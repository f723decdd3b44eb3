#pragma once

#include "core/base/Language.h"
#include "core/base/TextOut.h"

#include <cstdio>
#include <string>
#include <vector>

// The long-number calculator on the command line: args are the words after "long", one of
//   add|sub|mul|div|mod A B     fac N     pi N     e N
// An operand "-" is read from pIn, "@FILE" from that file, either only as far as the operand can
// still be accepted. Prints the text the calculator's result box shows and a line break on out
// and returns 0; a refused operand, a zero divisor, a failed computation or an input that cannot
// be read prints a one-line message on err and returns 1; wrong usage prints a one-line usage
// message on err and returns 2. With bShowProgress, err shows the progress of the calculation on
// one line rewritten in place (for a terminal), erased before anything else is written.
int RunLongCommand(const std::vector<std::string>& args, std::FILE* pIn, CTextOut& out,
                   CTextOut& err, Language language, bool bShowProgress = false);
