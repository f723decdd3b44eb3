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

bool CLayeredSettingsStore::Write(const std::string& strName, const std::string& strValue)
{
    const bool bMachine = m_machine.Write(strName, strValue);
    if (bMachine && !m_user.Read(strName))
        return true;
    return m_user.Write(strName, strValue) || bMachine;
}
