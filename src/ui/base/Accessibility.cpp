#include "ui/base/Accessibility.h"

#include "ui/base/QtText.h"

#include <QWidget>

namespace
{
bool IsWide(QChar ch) { return ch.unicode() > 0x2E7F; } // CJK and beyond, not Latin or Greek
} // namespace

QString SpokenCaption(const QString& strCaption)
{
    QString strSpoken;
    strSpoken.reserve(strCaption.size());
    for (qsizetype i = 0; i < strCaption.size(); ++i) {
        const QChar ch = strCaption.at(i);
        if (ch != QLatin1Char(' ') || strSpoken.isEmpty()) {
            strSpoken.append(ch);
            continue;
        }
        qsizetype nNext = i;
        while (nNext < strCaption.size() && strCaption.at(nNext) == QLatin1Char(' '))
            ++nNext;
        const bool bPadding =
            nNext < strCaption.size() && IsWide(strSpoken.back()) && IsWide(strCaption.at(nNext));
        if (!bPadding)
            strSpoken.append(strCaption.mid(i, nNext - i));
        i = nNext - 1;
    }
    return strSpoken;
}

void NameControls(const QWidget& window, std::span<const SpokenName> names, Language language)
{
    for (const SpokenName& entry : names) {
        auto* pControl = window.findChild<QWidget*>(QString::fromLatin1(entry.pszName));
        if (pControl != nullptr)
            pControl->setAccessibleName(QtText(entry.name, language));
    }
}
