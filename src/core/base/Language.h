#pragma once

// Interface languages: texts are English when the language value is LANGUAGE_ENGLISH and
// Simplified Chinese (UTF-8) for every other value.
constexpr int LANGUAGE_CHINESE = 0;
constexpr int LANGUAGE_ENGLISH = 1;

// One user-visible text in both languages.
struct Text
{
    const char* en;
    const char* zh;

    const char* In(int nLanguage) const { return nLanguage == LANGUAGE_ENGLISH ? en : zh; }
};
