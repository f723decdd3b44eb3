#pragma once

#include "core/app/CalcSettings.h"

#include <cstddef>
#include <string>
#include <string_view>

class ISettingsStore;

// The persisted part of the settings (skin, language, background and text colour) as the
// 20-digit text of the value LastConfig: skin, language, then red, green and blue of the
// background and of the text, three digits each.
constexpr std::size_t LAST_CONFIG_LENGTH = 20;
inline constexpr const char* LAST_CONFIG_NAME = "LastConfig";

// The atoi value of the nCount characters from nStart (clipped to the text): leading white space,
// an optional sign, then digits up to the first other character; 0 without digits.
int ReadDigits(std::string_view strText, std::size_t nStart, std::size_t nCount);

std::string EncodeLastConfig(const CalcSettings& settings);
// Sets the four persisted fields. A field whose digits lie beyond the end of a short text keeps
// the value of a first start (skin 1, Chinese, white background, blue text); colour components
// keep their low 8 bits; a skin digit other than 0 to 3 or a language other than 0 or 1 counts as
// missing.
void DecodeLastConfig(std::string_view strText, CalcSettings& settings);

// A missing value gives the settings of a first start.
void LoadSettings(CalcSettings& settings, const ISettingsStore& store);
// False when the value could not be stored; nothing else is reported.
bool SaveSettings(const CalcSettings& settings, ISettingsStore& store);
