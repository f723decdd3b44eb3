#include "core/app/LayeredSettingsStore.h"

#include "core/app/SettingsRecord.h"
#include "tests/common/SettingsMatchers.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
// A store that may refuse every write, as the machine-wide store does for an ordinary user.
class CFakeStore : public ISettingsStore
{
public:
    explicit CFakeStore(bool bWritable) : m_bWritable(bWritable) {}

    std::optional<std::string> Read(const std::string& strName) const override
    {
        const auto it = m_values.find(strName);
        return it == m_values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    bool IsUnreadable(const std::string&) const override { return m_bUnreadable; }
    bool Write(const std::string& strName, const std::string& strValue) override
    {
        if (m_bWritable)
            m_values[strName] = strValue;
        return m_bWritable;
    }
    std::optional<std::string> Value() const { return Read("LastConfig"); }

    bool m_bWritable;
    bool m_bUnreadable = false;
    std::map<std::string, std::string> m_values;
};

const char* const YELLOW_BLACK = "01255255000000000000";
const char* const FIRST_START = "10255255255020020245";
} // namespace

TEST(LayeredSettingsStore, WritesGoWhereTheyAreKept)
{
    const struct
    {
        const char* name;
        bool bMachineWritable;
        bool bUserWritable;
        std::optional<std::string> userBefore;
        bool bResult;
        std::optional<std::string> machineAfter;
        std::optional<std::string> userAfter;
    } cases[] = {
        {"machine store writable", true, true, std::nullopt, true, YELLOW_BLACK, std::nullopt},
        {"machine store read-only", false, true, std::nullopt, true, std::nullopt, YELLOW_BLACK},
        {"own value kept up to date", true, true, FIRST_START, true, YELLOW_BLACK, YELLOW_BLACK},
        {"nothing writable", false, false, std::nullopt, false, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeStore machine(c.bMachineWritable), user(c.bUserWritable);
        if (c.userBefore)
            user.m_values["LastConfig"] = *c.userBefore;
        CLayeredSettingsStore store(machine, user);
        EXPECT_EQ(store.Write("LastConfig", YELLOW_BLACK), c.bResult);
        EXPECT_EQ(machine.Value(), c.machineAfter);
        EXPECT_EQ(user.Value(), c.userAfter);
        if (c.bResult) {
            EXPECT_EQ(store.Read("LastConfig"), YELLOW_BLACK)
                << "the saved value is the one read back";
        }
    }
}

// A store that could not be read (and so answers nothing) keeps what it may hold: it is not
// written, and the user's store takes no value that would hide the machine-wide one for good.
TEST(LayeredSettingsStore, UnreadableValuesAreNeitherOverwrittenNorHidden)
{
    const struct
    {
        const char* name;
        bool bMachineUnreadable;
        bool bUserUnreadable;
        std::optional<std::string> userBefore;
        bool bResult;
        std::optional<std::string> userAfter;
        int nMachineWrites;
    } cases[] = {
        {"machine store unreadable", true, false, std::nullopt, false, std::nullopt, 0},
        {"own value already hides it", true, false, FIRST_START, true, YELLOW_BLACK, 0},
        {"own store unreadable", false, true, std::nullopt, true, std::nullopt, 1},
        {"both unreadable", true, true, std::nullopt, false, std::nullopt, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeStore machine(true), user(true);
        machine.m_bUnreadable = c.bMachineUnreadable;
        user.m_bUnreadable = c.bUserUnreadable;
        if (c.userBefore)
            user.m_values["LastConfig"] = *c.userBefore;
        CLayeredSettingsStore store(machine, user);
        EXPECT_EQ(store.Write("LastConfig", YELLOW_BLACK), c.bResult);
        EXPECT_EQ(user.Value(), c.userAfter);
        EXPECT_EQ(int(machine.m_values.size()), c.nMachineWrites);
    }
}

TEST(LayeredSettingsStore, ReadsPreferTheUsersValue)
{
    CFakeStore machine(false), user(true);
    CLayeredSettingsStore store(machine, user);
    EXPECT_EQ(store.Read("LastConfig"), std::nullopt);
    machine.m_values["LastConfig"] = FIRST_START;
    EXPECT_EQ(store.Read("LastConfig"), FIRST_START);
    user.m_values["LastConfig"] = YELLOW_BLACK;
    EXPECT_EQ(store.Read("LastConfig"), YELLOW_BLACK);
    EXPECT_EQ(store.Read("Other"), std::nullopt);
}

TEST(LayeredSettingsStore, OrdinaryUserKeepsSettingsAcrossRuns)
{
    CFakeStore machine(false), user(true);
    machine.m_values["LastConfig"] = FIRST_START;

    CalcSettings first;
    {
        CLayeredSettingsStore store(machine, user);
        LoadSettings(first, store);
        first.m_nSkin = Skin::Ocean;
        first.m_nLanguage = Language::English;
        first.m_crBack = MakeRgb(255, 255, 0);
        first.m_crText = MakeRgb(0, 0, 0);
        EXPECT_TRUE(SaveSettings(first, store));
    }
    CalcSettings second;
    CLayeredSettingsStore store(machine, user);
    LoadSettings(second, store);
    ExpectSameRecord(second, first);
    EXPECT_EQ(machine.Value(), FIRST_START);
}
