#include "core/app/SettingsRecord.h"

#include "core/app/SettingsStore.h"
#include "tests/common/SettingsMatchers.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>
#include <string_view>

namespace
{
class CMapStore : public ISettingsStore
{
public:
    std::optional<std::string> Read(const std::string& strName) const override
    {
        const auto it = m_values.find(strName);
        return it == m_values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    bool Write(const std::string& strName, const std::string& strValue) override
    {
        m_values[strName] = strValue;
        return true;
    }
    std::map<std::string, std::string> m_values;
};

constexpr Skin OCEAN = Skin::Ocean;
constexpr Skin GOLD = Skin::Gold;
constexpr Language EN = Language::English;
constexpr Language ZH = Language::Chinese;

CalcSettings Settings(Skin skin, Language language, ColorRef crBack, ColorRef crText)
{
    CalcSettings settings;
    settings.m_nSkin = skin;
    settings.m_nLanguage = language;
    settings.m_crBack = crBack;
    settings.m_crText = crText;
    return settings;
}

// Settings that differ from those of a first start in every persisted field.
CalcSettings Unusual() { return Settings(OCEAN, EN, MakeRgb(1, 2, 3), MakeRgb(4, 5, 6)); }

// Decoding strText over unusual settings leaves the persisted fields of expected.
void ExpectDecodes(std::string_view strText, const CalcSettings& expected)
{
    CalcSettings decoded = Unusual();
    DecodeLastConfig(strText, decoded);
    ExpectSameRecord(decoded, expected);
}
} // namespace

TEST(SettingsRecord, ReadDigitsConvertsLikeAtoi)
{
    const struct
    {
        const char* text;
        std::size_t nStart;
        std::size_t nCount;
        int expected;
    } cases[] = {
        {"10255255255020020245", 2, 3, 255},
        {"10255255255020020245", 17, 3, 245},
        {"10255255255020020245", 0, 1, 1},
        {"10255255255020020245", 11, 3, 20},
        {"10255255255020020245", 19, 3, 5},
        {"10255255255020020245", 20, 3, 0},
        {"10255255255020020245", 99, 3, 0},
        {"  12", 0, 4, 12},
        {"\t\n\v\f\r7", 0, 6, 7},
        {"-12", 0, 3, -12},
        {"+12", 0, 3, 12},
        {"- 1", 0, 3, 0},
        {"1 2", 0, 3, 1},
        {"12a", 0, 3, 12},
        {"a12", 0, 3, 0},
        {"0x1f", 0, 4, 0},
        {"", 0, 3, 0},
        {"-", 0, 1, 0},
        {"99999999999999", 0, 14, INT_MAX},
        {"-99999999999999", 0, 15, INT_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.nStart));
        EXPECT_EQ(ReadDigits(c.text, c.nStart, c.nCount), c.expected);
    }
    EXPECT_EQ(ReadDigits(std::string_view("4\0"
                                          "5",
                                          3),
                         0, 3),
              4);
}

TEST(SettingsRecord, KnownRecordsRoundTrip)
{
    const struct
    {
        CalcSettings settings;
        const char* text;
    } cases[] = {
        {CalcSettings{}, "10255255255020020245"},
        {Settings(OCEAN, EN, MakeRgb(255, 255, 0), MakeRgb(0, 0, 0)), "01255255000000000000"},
        {Settings(GOLD, EN, MakeRgb(7, 80, 200), MakeRgb(100, 9, 0)), "11007080200100009000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(EncodeLastConfig(c.settings), c.text);
        ExpectDecodes(c.text, c.settings);
    }
}

TEST(SettingsRecord, RandomRecordsRoundTrip)
{
    std::mt19937 rng(4711);
    for (int i = 0; i < 2000; ++i) {
        const CalcSettings settings =
            Settings(Skin(rng() % 2), Language(rng() % 2), ColorRef(rng() & 0xFFFFFF),
                     ColorRef(rng() & 0xFFFFFF));
        const std::string strText = EncodeLastConfig(settings);
        SCOPED_TRACE(strText);
        ASSERT_EQ(strText.size(), LAST_CONFIG_LENGTH);
        CalcSettings decoded;
        DecodeLastConfig(strText, decoded);
        ExpectSameRecord(decoded, settings);
    }
}

TEST(SettingsRecord, ForeignTextsDecodeFieldByField)
{
    const struct
    {
        const char* text;
        CalcSettings expected;
    } cases[] = {
        {"10300255255020020245", Settings(GOLD, ZH, MakeRgb(44, 255, 255), MakeRgb(20, 20, 245))},
        {"01-01999256000000512", Settings(OCEAN, EN, MakeRgb(255, 231, 0), MakeRgb(0, 0, 0))},
        {"ab cdefghijklmnopqrs", Settings(OCEAN, ZH, 0, 0)},
        {"10255255255020020245999", CalcSettings{}},
        // Skin and language other than 0 or 1 are taken as missing.
        {"75255255255020020245", Settings(GOLD, ZH, MakeRgb(255, 255, 255), MakeRgb(20, 20, 245))},
        // Short texts fill what they hold; the rest is that of a first start.
        {"", CalcSettings{}},
        {"0", Settings(OCEAN, ZH, MakeRgb(255, 255, 255), MakeRgb(20, 20, 245))},
        {"01", Settings(OCEAN, EN, MakeRgb(255, 255, 255), MakeRgb(20, 20, 245))},
        {"0100", Settings(OCEAN, EN, MakeRgb(255, 255, 255), MakeRgb(20, 20, 245))},
        {"01000000", Settings(OCEAN, EN, MakeRgb(0, 0, 255), MakeRgb(20, 20, 245))},
        {"0100000000000000000", Settings(OCEAN, EN, MakeRgb(0, 0, 0), MakeRgb(0, 0, 245))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ExpectDecodes(c.text, c.expected);
    }
}

TEST(SettingsRecord, LoadAndSaveUseTheValueLastConfig)
{
    CMapStore store;
    CalcSettings loaded = Unusual();
    LoadSettings(loaded, store);
    ExpectSameRecord(loaded, CalcSettings{});

    const CalcSettings chosen = Settings(OCEAN, EN, MakeRgb(255, 255, 0), MakeRgb(0, 0, 0));
    EXPECT_TRUE(SaveSettings(chosen, store));
    EXPECT_EQ(store.m_values,
              (std::map<std::string, std::string>{{"LastConfig", "01255255000000000000"}}));

    CalcSettings reloaded;
    reloaded.m_bOnTop = false;
    reloaded.m_nOpacity = 40;
    LoadSettings(reloaded, store);
    ExpectSameRecord(reloaded, chosen);
    EXPECT_FALSE(reloaded.m_bOnTop) << "only the persisted fields are loaded";
    EXPECT_EQ(reloaded.m_nOpacity, 40);
}

TEST(SettingsRecord, SkinDigitsRoundTripAndAnOtherDigitReadsAsTheDefaultSkin)
{
    const CalcSettings rest = Settings(GOLD, EN, MakeRgb(7, 80, 200), MakeRgb(100, 9, 0));
    const struct
    {
        char digit;
        Skin expected;
        bool bWritten; // the system writes this digit itself
    } cases[] = {
        {'0', Skin::Ocean, true},         {'1', Skin::Gold, true},    {'2', Skin::Night, true},
        {'3', Skin::FollowDesktop, true}, {'4', DEFAULT_SKIN, false}, {'9', DEFAULT_SKIN, false},
        {'x', Skin::Ocean, false}, // no digit: 0, as atoi reads it
    };
    for (const auto& c : cases) {
        const std::string strText = c.digit + std::string("1007080200100009000");
        SCOPED_TRACE(strText);
        CalcSettings expected = rest;
        expected.m_nSkin = c.expected;
        ExpectDecodes(strText, expected);
        if (c.bWritten) {
            EXPECT_EQ(EncodeLastConfig(expected), strText);
        }
    }
}
