#pragma once

#include "core/app/LayeredSettingsStore.h"

#include <QString>

#include <memory>

// The settings on disk: the machine-wide settings of organisation "Pelmorix" (on Windows the
// registry key Software\Pelmorix of the local machine), with the user's own settings beside them
// for users who may not write the machine-wide ones. Reads prefer the user's value. Only plain
// files are opened, and a save waits for another writer's lock only briefly.
class CQtSettingsStore : public ISettingsStore
{
public:
    CQtSettingsStore();
    // Keeps the two stores as INI files strBaseDir/machine/Pelmorix.conf and
    // strBaseDir/user/Pelmorix.conf instead, so tests never touch the real ones.
    explicit CQtSettingsStore(const QString& strBaseDir);
    ~CQtSettingsStore() override;

    std::optional<std::string> Read(const std::string& strName) const override;
    bool IsUnreadable(const std::string& strName) const override;
    bool Write(const std::string& strName, const std::string& strValue) override;

private:
    class CScope;

    std::unique_ptr<CScope> m_pMachine;
    std::unique_ptr<CScope> m_pUser;
    CLayeredSettingsStore m_layered;
};
