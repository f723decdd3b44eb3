#include "ui/app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace
{
// Debian's qt6-translations-l10n puts it in Qt's translations folder.
constexpr const char* CHINESE_QT_TEXTS = "qtbase_zh_CN";
} // namespace

CQtTranslation::~CQtTranslation() { Remove(); }

bool CQtTranslation::Apply(Language language)
{
    if (language == Language::English) {
        Remove();
        return true;
    }
    if (m_bInstalled)
        return true;
    if (!m_translator.load(QString::fromLatin1(CHINESE_QT_TEXTS),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    m_bInstalled = QCoreApplication::installTranslator(&m_translator);
    return m_bInstalled;
}

void CQtTranslation::Remove()
{
    if (!m_bInstalled)
        return;
    QCoreApplication::removeTranslator(&m_translator);
    m_bInstalled = false;
}
