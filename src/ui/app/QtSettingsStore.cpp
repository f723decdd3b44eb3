#include "ui/app/QtSettingsStore.h"

#include <QSettings>

namespace
{
constexpr const char* ORGANISATION = "Pelmorix";
constexpr const char* FILE_NAME = "Pelmorix.conf";
} // namespace

// One QSettings file or registry key as a store.
class CQtSettingsStore::CScope : public ISettingsStore
{
public:
    explicit CScope(QSettings::Scope scope)
#ifdef Q_OS_WIN
        : m_settings(scope == QSettings::SystemScope ? R"(HKEY_LOCAL_MACHINE\Software\Pelmorix)"
                                                     : R"(HKEY_CURRENT_USER\Software\Pelmorix)",
                     QSettings::NativeFormat)
#else
        : m_settings(scope, ORGANISATION)
#endif
    {
        m_settings.setFallbacksEnabled(false);
    }

    explicit CScope(const QString& strFile) : m_settings(strFile, QSettings::IniFormat)
    {
        m_settings.setFallbacksEnabled(false);
    }

    std::optional<std::string> Read(const std::string& strName) const override
    {
        const QString strKey = QString::fromStdString(strName);
        if (!m_settings.contains(strKey))
            return std::nullopt;
        return m_settings.value(strKey).toString().toStdString();
    }

    bool Write(const std::string& strName, const std::string& strValue) override
    {
        if (!m_settings.isWritable())
            return false;
        m_settings.setValue(QString::fromStdString(strName), QString::fromStdString(strValue));
        m_settings.sync();
        return m_settings.status() == QSettings::NoError;
    }

private:
    QSettings m_settings;
};

CQtSettingsStore::CQtSettingsStore()
    : m_pMachine(std::make_unique<CScope>(QSettings::SystemScope)),
      m_pUser(std::make_unique<CScope>(QSettings::UserScope)), m_layered(*m_pMachine, *m_pUser)
{}

CQtSettingsStore::CQtSettingsStore(const QString& strBaseDir)
    : m_pMachine(std::make_unique<CScope>(strBaseDir + "/machine/" + FILE_NAME)),
      m_pUser(std::make_unique<CScope>(strBaseDir + "/user/" + FILE_NAME)),
      m_layered(*m_pMachine, *m_pUser)
{}

CQtSettingsStore::~CQtSettingsStore() = default;

std::optional<std::string> CQtSettingsStore::Read(const std::string& strName) const
{
    return m_layered.Read(strName);
}

bool CQtSettingsStore::Write(const std::string& strName, const std::string& strValue)
{
    return m_layered.Write(strName, strValue);
}
