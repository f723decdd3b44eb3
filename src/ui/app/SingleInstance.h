#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

class QLocalSocket;

// One running calculator per user. The first start holds a lock file in the user's temporary
// runtime directory for its whole life and listens on a local socket beside it; a later start
// finds the lock taken, asks the running one through the socket to show itself, and gives up.
// Taking the lock is atomic, so two starts at the same moment never both become the running one.
class CSingleInstance : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* MARK_NAME = "pelmorix.exe";

    // The user's runtime directory (XDG_RUNTIME_DIR or Qt's private fallback), else the temp dir.
    static QString DefaultDirectory();

    explicit CSingleInstance(const QString& strDirectory = DefaultDirectory(),
                             const QString& strName = QString::fromLatin1(MARK_NAME),
                             QObject* pParent = nullptr);

    // True when this process is now the running instance; false when another one runs (it has
    // been asked to come forward if it could be reached).
    bool Claim();

signals:
    void ShowRequested();

private:
    bool AskRunningInstance();
    void OnConnection();
    void ReadRequest(QLocalSocket& socket);

    QString m_strPath;
    QLockFile m_lock;
    QLocalServer m_server;
};
