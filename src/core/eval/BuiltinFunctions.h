#pragma once

#include "core/eval/CalcValue.h"

class CEvalContext;

// A built-in function: its name with the opening parenthesis, and how it computes.
struct BuiltinFunction
{
    const char* pszName;
    bool bTwoArguments;
    CalcValue (*pfnCompute)(CEvalContext& eval, const CalcValue& x, const CalcValue& y);
};

// The first function whose name (case-insensitive, parenthesis included) starts pText, tried in
// the table's order within the text's first letter; nullptr when none does.
const BuiltinFunction* FindBuiltin(const char* pText);
