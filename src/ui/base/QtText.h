#pragma once

#include "core/base/Language.h"

#include <QString>

#include <string_view>

// A bilingual text in one language, as Qt's string.
inline QString QtText(const Text& text, Language language)
{
    return QString::fromUtf8(text.In(language));
}

// The UTF-16 units of str, for the core's scanners; valid while str is unchanged.
inline std::u16string_view Utf16View(const QString& str)
{
    return {reinterpret_cast<const char16_t*>(str.utf16()), std::size_t(str.size())};
}

// Cuts strLine to its first nLength UTF-16 units (nLength below its size), one fewer where the
// cut would leave half of a surrogate pair at the end.
inline void CutLine(QString& strLine, qsizetype nLength)
{
    if (nLength > 0 && strLine.at(nLength - 1).isHighSurrogate())
        --nLength;
    strLine.truncate(nLength);
}
