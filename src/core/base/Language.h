#pragma once

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
