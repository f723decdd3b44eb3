#pragma once

#include <stdexcept>
#include <string>

// An evaluation error. The message is chosen in the interface language at the point of raising and
// is shown unchanged by whoever catches it (the console dispatcher, the graph, the CLI).
class CalcError : public std::runtime_error
{
public:
    explicit CalcError(const std::string& strMessage) : std::runtime_error(strMessage) {}
};
