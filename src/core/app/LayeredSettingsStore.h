#pragma once

#include "core/app/SettingsStore.h"

// The machine-wide store with the user's own store beside it. A user who may not write the
// machine-wide store keeps the settings in the own store, and the own value, once there, wins.
class CLayeredSettingsStore : public ISettingsStore
{
public:
    CLayeredSettingsStore(ISettingsStore& machine, ISettingsStore& user);

    // The user's value when there is one, else the machine-wide value.
    std::optional<std::string> Read(const std::string& strName) const override;
    // True when neither store gives a value and one of them could not be read.
    bool IsUnreadable(const std::string& strName) const override;
    // Writes the machine-wide store, and the user's store too when that fails or when the user
    // already holds a value (which would otherwise hide the new one). A store that could not be
    // read is not written, and while the machine-wide one cannot be read the user's store takes
    // no value that would hide it. False when no store took the value.
    bool Write(const std::string& strName, const std::string& strValue) override;

private:
    ISettingsStore& m_machine;
    ISettingsStore& m_user;
};
