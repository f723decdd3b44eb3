#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QTimer>

#include <optional>
#include <utility>

class QDeadlineTimer;
class QLocalSocket;

// One running calculator per user. The first start holds a lock file in the user's temporary
// runtime directory for its whole life and listens on a local socket beside it; a later start
// finds the lock taken, asks the running one through the socket to show itself and waits for its
// answer. Taking the lock is atomic, so two starts at the same moment never both become the
// running one. The running one stays reachable: when its socket file has gone (a cleaner of the
// runtime directory) or its server has stopped (as it does when accepting a connection fails),
// it listens again.
class CSingleInstance : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* MARK_NAME = "pelmorix.exe";
    // How long a later start waits in all for the running one to come forward, in ms.
    static constexpr int ANSWER_TIMEOUT_MS = 800;
    // How often the running one makes sure that it can be reached, in ms.
    static constexpr int CHECK_INTERVAL_MS = 500;

    enum class ClaimResult
    {
        Running,   // this process is now the running instance
        Forwarded, // another one runs and has come forward
        Failed,    // neither; ErrorString() says why
    };

    // The user's runtime directory (XDG_RUNTIME_DIR or Qt's private fallback), else the temp dir.
    static QString DefaultDirectory();

    explicit CSingleInstance(const QString& strDirectory = DefaultDirectory(),
                             const QString& strName = QString::fromLatin1(MARK_NAME),
                             QObject* pParent = nullptr);

    // Returns within ANSWER_TIMEOUT_MS and a little more.
    ClaimResult Claim();
    // Why the last Claim failed, as one sentence for the user.
    QString ErrorString() const { return m_strError; }
    // The local socket a later start connects to.
    QString ServerPath() const { return m_strPath; }

signals:
    void ShowRequested();

private:
    using FileId = std::pair<quint64, quint64>; // device, inode

    ClaimResult AskRunningInstance();
    static bool AskToShow(QLocalSocket& socket, const QDeadlineTimer& deadline);
    QString RunningProcess() const;
    bool Listen();
    void KeepReachable();
    bool HoldsLock() const;
    void OnConnection();
    void ReadRequest(QLocalSocket& socket);
    static std::optional<FileId> IdOf(const QString& strPath);

    QString m_strPath;
    QLockFile m_lock;
    QLocalServer m_server;
    QTimer m_check;
    std::optional<FileId> m_socketId;
    bool m_bListenWarned = false;
    QString m_strError;
};
