#pragma once

#include "core/eval/CalcError.h"
#include "core/eval/EvalContext.h"
#include "core/eval/RandomGenerator.h"

#include <gtest/gtest.h>
#include <string>

// An evaluator as the console holds it; Eval renders a line the way the console shows a decimal
// result, or "!" followed by the error text.
struct EvalCase
{
    const char* pszLine;
    const char* pszExpected;
};

class EvalFixture : public ::testing::Test
{
protected:
    void ExpectRendered(std::initializer_list<EvalCase> cases)
    {
        for (const EvalCase& c : cases) {
            SCOPED_TRACE(c.pszLine);
            EXPECT_EQ(Eval(c.pszLine), c.pszExpected);
        }
    }

    std::string Eval(std::string_view strLine)
    {
        eval.m_nLostDigitsRe = 0;
        eval.m_nLostDigitsIm = 0;
        try {
            return eval.FormatValue(eval.EvaluateLine(strLine));
        } catch (const CalcError& error) {
            return std::string("!") + error.what();
        }
    }

    CalcValue Value(std::string_view strLine) { return eval.EvaluateLine(strLine); }

    FixedLanguage language{Language::English};
    CRandomGenerator random;
    AngleUnit angle;
    CEvalContext eval{language, random, angle};
};
