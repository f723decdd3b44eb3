#pragma once

#include <string>
#include <string_view>

// What dispatching needs from the console text: the GUI console, the command-line front end and
// the tests each implement it.
class IConsoleText
{
public:
    virtual ~IConsoleText() = default;
    // Index of the line that holds the caret (the start of the selection).
    virtual int CaretLine() const = 0;
    // The bytes (UTF-8) of line nLine without its line break; empty for a line that does not exist.
    virtual std::string LineText(int nLine) const = 0;
    // Replaces the selection; "\r\n" in strText is one line break.
    virtual void ReplaceSelection(std::string_view strText) = 0;
    // Empties the whole console.
    virtual void ClearText() = 0;
};

// What dispatching needs from the graph. Synchronous, so an error (CalcError) can travel back into
// the dispatcher's guard.
class ICurveHost
{
public:
    virtual ~ICurveHost() = default;
    // strText is the line from its fourth character on ("0,6,sin(x)" or " x*x"); nSlot 0..9.
    virtual void DrawCurve(std::string_view strText, int nSlot, bool bShow) = 0;
    virtual void ClearCurves() = 0;
};
