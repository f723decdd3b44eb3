#include "core/app/SettingsRecord.h"

#include "core/app/SettingsStore.h"
#include "core/base/CharClass.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <iterator>

namespace
{
struct DigitField
{
    std::size_t nStart;
    std::size_t nWidth;
};

// Skin, language, background red, green, blue, text red, green, blue.
constexpr DigitField FIELDS[] = {{0, 1}, {1, 1}, {2, 3}, {5, 3}, {8, 3}, {11, 3}, {14, 3}, {17, 3}};
constexpr std::size_t FIELD_COUNT = std::size(FIELDS);
static_assert(FIELDS[FIELD_COUNT - 1].nStart + FIELDS[FIELD_COUNT - 1].nWidth ==
              LAST_CONFIG_LENGTH);

using Components = std::array<int, FIELD_COUNT>;

Components ComponentsOf(const CalcSettings& settings)
{
    const ColorRef crBack = settings.m_crBack, crText = settings.m_crText;
    return {int(settings.m_nSkin), int(settings.m_nLanguage),
            RedOf(crBack),         GreenOf(crBack),
            BlueOf(crBack),        RedOf(crText),
            GreenOf(crText),       BlueOf(crText)};
}

int InRangeElse(int nValue, int nLast, int nDefault)
{
    return nValue >= 0 && nValue <= nLast ? nValue : nDefault;
}
} // namespace

int ReadDigits(std::string_view strText, std::size_t nStart, std::size_t nCount)
{
    const std::string_view strField = strText.substr(std::min(nStart, strText.size()), nCount);
    std::size_t i = 0;
    while (i < strField.size() && IsBlank(strField[i]))
        ++i;
    const bool bNegative = i < strField.size() && strField[i] == '-';
    if (i < strField.size() && (strField[i] == '-' || strField[i] == '+'))
        ++i;
    long long nValue = 0;
    for (; i < strField.size() && IsDigit(strField[i]); ++i)
        nValue = std::min<long long>(nValue * 10 + (strField[i] - '0'), 1LL + INT_MAX);
    if (bNegative)
        nValue = -nValue;
    return int(std::clamp<long long>(nValue, INT_MIN, INT_MAX));
}

std::string EncodeLastConfig(const CalcSettings& settings)
{
    const Components c = ComponentsOf(settings);
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%01d%01d%03d%03d%03d%03d%03d%03d", c[0], c[1], c[2], c[3],
                  c[4], c[5], c[6], c[7]);
    return std::string(buffer).substr(0, LAST_CONFIG_LENGTH);
}

void DecodeLastConfig(std::string_view strText, CalcSettings& settings)
{
    const Components defaults = ComponentsOf(CalcSettings{});
    Components c = defaults;
    for (std::size_t i = 0; i < FIELD_COUNT; ++i)
        if (FIELDS[i].nStart + FIELDS[i].nWidth <= strText.size())
            c[i] = ReadDigits(strText, FIELDS[i].nStart, FIELDS[i].nWidth);
    settings.m_nSkin = Skin(InRangeElse(c[0], int(Skin::FollowDesktop), defaults[0]));
    settings.m_nLanguage = Language(InRangeElse(c[1], 1, defaults[1]));
    settings.m_crBack = MakeRgb(c[2], c[3], c[4]);
    settings.m_crText = MakeRgb(c[5], c[6], c[7]);
}

void LoadSettings(CalcSettings& settings, const ISettingsStore& store)
{
    DecodeLastConfig(store.Read(LAST_CONFIG_NAME).value_or(std::string()), settings);
}

bool SaveSettings(const CalcSettings& settings, ISettingsStore& store)
{
    return store.Write(LAST_CONFIG_NAME, EncodeLastConfig(settings));
}
