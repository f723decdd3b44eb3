#pragma once

#include "core/base/Language.h"

#include <QTranslator>

// Qt's own texts (the colour chooser, message box buttons, the edit boxes' context menus) in the
// interface language: Qt's translation of the language, from Qt's translations folder, installed
// while the language is Chinese and taken away again for English, which Qt speaks by itself.
class CQtTranslation
{
public:
    CQtTranslation() = default;
    CQtTranslation(const CQtTranslation&) = delete;
    CQtTranslation& operator=(const CQtTranslation&) = delete;
    ~CQtTranslation();

    // False when the translation is wanted but not installed on this system (Qt then speaks
    // English); the program goes on either way.
    bool Apply(Language language);
    bool IsInstalled() const { return m_bInstalled; }

private:
    void Remove();

    QTranslator m_translator;
    bool m_bInstalled = false;
};
