#pragma once

#include <string>

// Interface languages: texts are English when the language value is LANGUAGE_ENGLISH and
// Simplified Chinese (UTF-8) for every other value.
constexpr int LANGUAGE_CHINESE = 0;
constexpr int LANGUAGE_ENGLISH = 1;

// Where a text looks up the interface language at the moment it is produced. Hosts own the
// language; evaluators, dispatchers and windows keep a reference to their host's source, so a
// change of language reaches every later message.
class ILanguageSource
{
public:
    virtual ~ILanguageSource() = default;
    virtual int Language() const = 0;
};

// A language held by value, for hosts without settings of their own (the command line, tests).
class FixedLanguage final : public ILanguageSource
{
public:
    explicit FixedLanguage(int nLanguage) : m_nLanguage(nLanguage) {}
    int Language() const override { return m_nLanguage; }
    void Set(int nLanguage) { m_nLanguage = nLanguage; }

private:
    int m_nLanguage;
};

// One user-visible text in both languages.
struct Text
{
    const char* en;
    const char* zh;

    const char* In(int nLanguage) const { return nLanguage == LANGUAGE_ENGLISH ? en : zh; }
};

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
