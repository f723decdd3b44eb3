#pragma once

// The interface languages. Their values are the digits the settings record stores.
enum class Language
{
    Chinese = 0, // Simplified Chinese, UTF-8
    English = 1,
};

// Where a text looks up the interface language at the moment it is produced. Hosts own the
// language; evaluators, dispatchers and windows keep a reference to their host's source, so a
// change of language reaches every later text.
class ILanguageSource
{
public:
    virtual ~ILanguageSource() = default;
    virtual Language CurrentLanguage() const = 0;
};

// A language held by value, for hosts without settings of their own (the command line, tests).
class FixedLanguage final : public ILanguageSource
{
public:
    explicit FixedLanguage(Language language) : m_language(language) {}
    Language CurrentLanguage() const override { return m_language; }
    void Set(Language language) { m_language = language; }

private:
    Language m_language;
};

// One user-visible text in both languages.
struct Text
{
    const char* en;
    const char* zh;

    const char* In(Language language) const { return language == Language::English ? en : zh; }
};
