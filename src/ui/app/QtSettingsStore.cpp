#include "ui/app/QtSettingsStore.h"

#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include <optional>

namespace
{
constexpr const char* FILE_NAME = "Pelmorix.conf";
// How long saving one file waits for the lock beside it.
constexpr int LOCK_WAIT_MS = 700;

// Opening anything but a plain file (a FIFO, a device) may wait for a writer that never comes.
bool IsPlainFileOrAbsent(const QString& strFile)
{
    const QFileInfo info(strFile);
    return !info.exists() || info.isFile();
}

// QSettings waits for the lock beside the file it writes as long as it takes. A lock that does
// not go away (a directory in its place; a lock left by another host, which QLockFile only
// ages out) would freeze the close, so the lock is tried briefly first and then done without.
// Someone else taking it between this probe and the write is an ordinary short wait.
bool LockComesFree(const QString& strFile)
{
    QLockFile lock(strFile + QStringLiteral(".lock"));
    if (!lock.tryLock(LOCK_WAIT_MS))
        return false;
    lock.unlock();
    return true;
}

// A stored value as text. An unquoted comma makes QSettings read a list; the value is the text
// as it stands.
std::optional<std::string> TextOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    if (!value.isValid() || !value.canConvert<QString>())
        return std::nullopt;
    return value.toString().toStdString();
}

#ifndef Q_OS_WIN
QString UserFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           FILE_NAME;
}

// Where QSettings keeps the system-wide settings: the first XDG configuration directory after
// the user's own.
QString MachineFile()
{
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    if (!dirs.isEmpty())
        dirs.removeFirst();
    return (dirs.isEmpty() ? QStringLiteral("/etc/xdg") : dirs.first()) + '/' + FILE_NAME;
}
#endif
} // namespace

// One settings file (or registry key) as a store. The file is read once, now; one that cannot
// be read is never written.
class CQtSettingsStore::CScope : public ISettingsStore
{
public:
    explicit CScope(const QString& strFile) : m_strFile(strFile)
    {
        if (IsPlainFileOrAbsent(strFile))
            Open(strFile, QSettings::IniFormat);
    }

#ifdef Q_OS_WIN
    CScope(const QString& strKey, QSettings::Format format) { Open(strKey, format); }
#endif

    std::optional<std::string> Read(const std::string& strName) const override
    {
        return TextOf(Value(strName));
    }

    bool IsUnreadable(const std::string& strName) const override
    {
        const QVariant value = Value(strName);
        return !m_pSettings || (value.isValid() && !TextOf(value));
    }

    bool Write(const std::string& strName, const std::string& strValue) override
    {
        if (!m_pSettings || !IsPlainFileOrAbsent(m_strFile) || !m_pSettings->isWritable())
            return false;
        if (!m_strFile.isEmpty() && !LockComesFree(m_strFile))
            return false;
        m_pSettings->setValue(QString::fromStdString(strName), QString::fromStdString(strValue));
        m_pSettings->sync();
        return m_pSettings->status() == QSettings::NoError;
    }

private:
    void Open(const QString& strPath, QSettings::Format format)
    {
        m_pSettings.emplace(strPath, format);
        m_pSettings->setFallbacksEnabled(false);
        if (m_pSettings->status() != QSettings::NoError)
            m_pSettings.reset();
    }

    QVariant Value(const std::string& strName) const
    {
        const QString strKey = QString::fromStdString(strName);
        return m_pSettings && m_pSettings->contains(strKey) ? m_pSettings->value(strKey)
                                                            : QVariant();
    }

    QString m_strFile;                    // empty for a registry key
    std::optional<QSettings> m_pSettings; // empty when the store could not be read
};

CQtSettingsStore::CQtSettingsStore()
#ifdef Q_OS_WIN
    : m_pMachine(std::make_unique<CScope>(R"(HKEY_LOCAL_MACHINE\Software\Pelmorix)",
                                          QSettings::NativeFormat)),
      m_pUser(std::make_unique<CScope>(R"(HKEY_CURRENT_USER\Software\Pelmorix)",
                                       QSettings::NativeFormat)),
#else
    : m_pMachine(std::make_unique<CScope>(MachineFile())),
      m_pUser(std::make_unique<CScope>(UserFile())),
#endif
      m_layered(*m_pMachine, *m_pUser)
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

bool CQtSettingsStore::IsUnreadable(const std::string& strName) const
{
    return m_layered.IsUnreadable(strName);
}

bool CQtSettingsStore::Write(const std::string& strName, const std::string& strValue)
{
    return m_layered.Write(strName, strValue);
}
