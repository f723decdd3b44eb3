#pragma once

#include "core/base/Language.h"

// The evaluator's and dispatcher's messages.
namespace msg
{
inline constexpr Text SYNTAX_ERROR{"syntax Error", "句法错误"};
inline constexpr Text DIVISOR_ZERO{"divisor can not be zero", "除数不能为零"};
inline constexpr Text MISSING_PAREN{"missing ')'", "丢失')'"};
inline constexpr Text MISSING_COMMA{"missing ','", "丢失','"};
inline constexpr Text DOMAIN_ERROR{"field of definition wrong", "定义域错误"};
inline constexpr Text DATA_OVERFLOW{"data overflow", "数据溢出"};
inline constexpr Text VAR_BEGIN_ALPHA{"variable must begin with alpha", "变量必须字母开头"};
inline constexpr Text VAR_NON_ALNUM{"non alphanumeric value in variable", "变量名中有非法字符"};
inline constexpr Text RESERVED_NAME{"reserved name", "保留的变量名"};
inline constexpr Text COMPLEX_VALUE{"Complex value", "Complex value"};
inline constexpr Text FACT_TOO_LONG{"can not exceed 18 bits", "不能超过18位"};
inline constexpr Text ERROR_PREFIX{"Error: [", "错误: ["};
} // namespace msg
