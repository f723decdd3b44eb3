#pragma once

#include "core/base/Language.h"
#include "core/eval/AngleUnit.h"
#include "core/eval/CalcValue.h"
#include "core/eval/ParenTable.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class CRandomGenerator;

// Told after every assignment what the variable list shows: one "name = value" line per variable
// in name order, rendered in decimal with the precision and cancellation counts of that moment.
class IVariableListener
{
public:
    virtual ~IVariableListener() = default;
    virtual void VariablesChanged(const std::vector<std::string>& lines, int nCount) = 0;
};

// One evaluator: the console owns one, the graph a second with its own variables. Errors are
// thrown as CalcError with the text in the language its source gives when the error is raised.
// The angle unit is read from angle each time a trigonometric function runs.
class CEvalContext
{
public:
    CEvalContext(const ILanguageSource& language, CRandomGenerator& random, const AngleUnit& angle);
    CEvalContext(const ILanguageSource&&, CRandomGenerator&, const AngleUnit&) = delete;
    CEvalContext(const ILanguageSource&, CRandomGenerator&, const AngleUnit&&) = delete;
    // A copy of other's variables and settings that draws from random and tells no listener:
    // what it evaluates changes nothing of other's.
    CEvalContext(const CEvalContext& other, CRandomGenerator& random);

    // A console line, with blanks removed and an optional "name=" assignment.
    CalcValue EvaluateLine(std::string_view strText);
    // nLength characters of pText; pText must stay NUL-terminated beyond them.
    CalcValue EvaluateExpression(const char* pText, std::size_t nLength);
    CalcValue ParseOperand(const char* pText, std::size_t& nConsumed);
    // pText starts right after "("; returns the characters read, closing parenthesis included.
    std::size_t EvaluateArguments(const char* pText, bool bTwoArguments, CalcValue& first,
                                  CalcValue& second);
    static bool IsOperandEnd(char ch);

    std::string FormatValue(const CalcValue& value) const;
    double Factorial(double x) const;

    // Find-or-create, as the graph does for its abscissa x.
    CalcValue& Variable(const std::string& strName) { return m_mapVars[strName]; }
    const std::map<std::string, CalcValue>& Variables() const { return m_mapVars; }
    void SetVariableListener(IVariableListener* pListener) { m_pVariableListener = pListener; }
    // Replaces the whole table with variables kept from an earlier run and tells the listener.
    void RestoreVariables(std::map<std::string, CalcValue> vars);

    Language CurrentLanguage() const { return m_language.CurrentLanguage(); }
    bool IsDegrees() const { return m_angle.m_bDegrees; }
    // Throws CalcError with text in the current language.
    [[noreturn]] void Raise(const Text& text) const;
    CRandomGenerator& Random() { return m_random; }
    const CRandomGenerator& Random() const { return m_random; }

    int m_nPrecision = 12;
    int m_nLostDigitsRe = 0;
    int m_nLostDigitsIm = 0;
    bool m_bAssignment = false;

private:
    CalcValue ParseTerm(const char* pText, std::size_t nLength, std::size_t& nPos);
    CalcValue ParseSignedOperand(const char* pText, std::size_t& nPos);
    CalcValue ParseLiteralOrName(const char* pText, std::size_t& nConsumed);
    CalcValue ParseDecimal(const char* pText, std::size_t& nConsumed) const;
    const std::string* LongestVariablePrefix(const char* pText) const;
    void Assign(std::string_view strName, const CalcValue& value);
    void NotifyVariables();

    const ILanguageSource& m_language;
    CRandomGenerator& m_random;
    const AngleUnit& m_angle;
    std::map<std::string, CalcValue> m_mapVars;
    IVariableListener* m_pVariableListener = nullptr;
    int m_nDepth = 0;
    // The parentheses of the outermost expression being evaluated.
    ParenTable m_parens;
    // Terms of the sums being read, innermost last.
    std::vector<CalcValue> m_terms;
};
