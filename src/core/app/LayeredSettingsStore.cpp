#include "core/app/LayeredSettingsStore.h"

CLayeredSettingsStore::CLayeredSettingsStore(ISettingsStore& machine, ISettingsStore& user)
    : m_machine(machine), m_user(user)
{}

std::optional<std::string> CLayeredSettingsStore::Read(const std::string& strName) const
{
    if (std::optional<std::string> value = m_user.Read(strName))
        return value;
    return m_machine.Read(strName);
}

bool CLayeredSettingsStore::IsUnreadable(const std::string& strName) const
{
    return !Read(strName) && (m_user.IsUnreadable(strName) || m_machine.IsUnreadable(strName));
}

// A store that could not be read may be away only for a while (a network home, a file in the
// way); what it holds is the user's, so it is neither overwritten nor hidden behind a new value
// in the user's store, which would win over it for good.
bool CLayeredSettingsStore::Write(const std::string& strName, const std::string& strValue)
{
    const bool bMachineUnreadable = m_machine.IsUnreadable(strName);
    const bool bMachine = !bMachineUnreadable && m_machine.Write(strName, strValue);
    if (m_user.IsUnreadable(strName))
        return bMachine;
    if (!m_user.Read(strName) && (bMachine || bMachineUnreadable))
        return bMachine;
    return m_user.Write(strName, strValue) || bMachine;
}
