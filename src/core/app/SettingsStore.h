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
    // False when the value could not be stored.
    virtual bool Write(const std::string& strName, const std::string& strValue) = 0;
};
