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
    // Writes the machine-wide store, and the user's store too when that fails or when the user
    // already holds a value (which would otherwise hide the new one). False only when no store
    // took the value.
    bool Write(const std::string& strName, const std::string& strValue) override;

private:
    ISettingsStore& m_machine;
    ISettingsStore& m_user;
};
