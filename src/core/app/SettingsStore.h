#pragma once

#include <optional>
#include <string>

// A place where named settings values survive between runs.
class ISettingsStore
{
public:
    virtual ~ISettingsStore() = default;
    // The stored value, or nothing when it is missing or cannot be read.
    virtual std::optional<std::string> Read(const std::string& strName) const = 0;
    // True when a value may be stored under strName that Read cannot give (the store could not be
    // opened or parsed, or the value is not text): writing would destroy it, and a value written
    // elsewhere could hide it.
    virtual bool IsUnreadable(const std::string& strName) const { return false; }
    // False when the value could not be stored.
    virtual bool Write(const std::string& strName, const std::string& strValue) = 0;
};

// An on/off switch kept in a store as "1" or "0": on unless "0" is stored, so a switch that was
// never set (or cannot be read) is on.
inline bool ReadSwitch(const ISettingsStore& store, const std::string& strName)
{
    const std::optional<std::string> strValue = store.Read(strName);
    return !strValue || *strValue != "0";
}

inline bool WriteSwitch(ISettingsStore& store, const std::string& strName, bool bOn)
{
    return store.Write(strName, bOn ? "1" : "0");
}
