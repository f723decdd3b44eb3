#include "ui/app/SingleInstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>

#include <sys/stat.h>

namespace
{
constexpr QByteArrayView SHOW_REQUEST = "show\n";
constexpr QByteArrayView SHOWN_ANSWER = "shown\n";
constexpr int CONNECT_PAUSE_MS = 50;
// A connection that has not asked for anything by then is closed: it holds a descriptor.
constexpr int IDLE_CONNECTION_MS = 2000;
constexpr qint64 MAX_REQUEST_LINE = 64;

int RemainingMs(const QDeadlineTimer& deadline)
{
    return int(std::max<qint64>(0, deadline.remainingTime()));
}

QString WhyNotConnected(const QLocalSocket& socket)
{
    switch (socket.error()) {
    case QLocalSocket::ServerNotFoundError:
        return QStringLiteral("the socket is missing");
    case QLocalSocket::ConnectionRefusedError:
        return QStringLiteral("nobody listens on it");
    default:
        return socket.errorString();
    }
}
} // namespace

QString CSingleInstance::DefaultDirectory()
{
    const QString strRuntime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return strRuntime.isEmpty() ? QDir::tempPath() : strRuntime;
}

CSingleInstance::CSingleInstance(const QString& strDirectory, const QString& strName,
                                 QObject* pParent)
    : QObject(pParent), m_strPath(QDir(strDirectory).filePath(strName)),
      m_lock(m_strPath + QStringLiteral(".lock"))
{
    // Only a lock whose owner process has ended is stale, however old it is.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnConnection);
    m_check.setInterval(CHECK_INTERVAL_MS);
    connect(&m_check, &QTimer::timeout, this, &CSingleInstance::KeepReachable);
}

CSingleInstance::ClaimResult CSingleInstance::Claim()
{
    if (m_lock.tryLock(0)) {
        Listen();
        m_check.start();
        return ClaimResult::Running;
    }
    if (m_lock.error() == QLockFile::LockFailedError)
        return AskRunningInstance();
    m_strError = QStringLiteral("Pelmorix cannot start: its lock file %1 cannot be created%2.")
                     .arg(m_lock.fileName(), m_lock.error() == QLockFile::PermissionError
                                                 ? QStringLiteral(" (permission denied)")
                                                 : QString());
    return ClaimResult::Failed;
}

// The running instance may hold the lock a moment before it listens, or be listening again after
// its socket went away, so connecting is retried until the deadline.
CSingleInstance::ClaimResult CSingleInstance::AskRunningInstance()
{
    const QDeadlineTimer deadline(ANSWER_TIMEOUT_MS);
    QString strConnectError;
    do {
        QLocalSocket socket;
        socket.connectToServer(m_strPath);
        if (socket.waitForConnected(RemainingMs(deadline))) {
            if (AskToShow(socket, deadline))
                return ClaimResult::Forwarded;
            m_strError = QStringLiteral("Pelmorix is already running%1, but it did not come "
                                        "forward within %2 ms.")
                             .arg(RunningProcess())
                             .arg(ANSWER_TIMEOUT_MS);
            return ClaimResult::Failed;
        }
        strConnectError = WhyNotConnected(socket);
        QThread::msleep(std::min(CONNECT_PAUSE_MS, RemainingMs(deadline)));
    } while (!deadline.hasExpired());
    m_strError = QStringLiteral("Pelmorix is already running%1, but it cannot be reached through "
                                "%2: %3. Try again in a moment.")
                     .arg(RunningProcess(), m_strPath, strConnectError);
    return ClaimResult::Failed;
}

bool CSingleInstance::AskToShow(QLocalSocket& socket, const QDeadlineTimer& deadline)
{
    socket.write(SHOW_REQUEST.data(), SHOW_REQUEST.size());
    socket.flush();
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(RemainingMs(deadline)))
            return false;
    return true;
}

QString CSingleInstance::RunningProcess() const
{
    qint64 nPid = 0;
    QString strHost, strApp;
    if (!m_lock.getLockInfo(&nPid, &strHost, &strApp))
        return QString();
    return QStringLiteral(" (process %1)").arg(nPid);
}

bool CSingleInstance::Listen()
{
    // The lock is ours, so whatever stands at the socket's path (left by an ended instance, or
    // our own socket after the server stopped) can go.
    m_server.close();
    QLocalServer::removeServer(m_strPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_strPath)) {
        // Tried again every check; said once.
        if (!m_bListenWarned)
            qWarning("single-instance socket not available: %s",
                     qPrintable(m_server.errorString()));
        m_bListenWarned = true;
        m_socketId.reset();
        return false;
    }
    m_bListenWarned = false;
    m_socketId = IdOf(m_strPath);
    return true;
}

void CSingleInstance::KeepReachable()
{
    if (m_server.isListening() && m_socketId && IdOf(m_strPath) == m_socketId)
        return;
    // Without the lock another instance may have started and own the path now.
    if (HoldsLock())
        Listen();
}

bool CSingleInstance::HoldsLock() const
{
    qint64 nPid = 0;
    QString strHost, strApp;
    return m_lock.getLockInfo(&nPid, &strHost, &strApp) &&
           nPid == QCoreApplication::applicationPid();
}

std::optional<CSingleInstance::FileId> CSingleInstance::IdOf(const QString& strPath)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(strPath).constData(), &info) != 0)
        return std::nullopt;
    return FileId(info.st_dev, info.st_ino);
}

void CSingleInstance::OnConnection()
{
    while (QLocalSocket* pSocket = m_server.nextPendingConnection()) {
        connect(pSocket, &QLocalSocket::disconnected, pSocket, &QObject::deleteLater);
        connect(pSocket, &QLocalSocket::readyRead, this,
                [this, pSocket] { ReadRequest(*pSocket); });
        QTimer::singleShot(IDLE_CONNECTION_MS, pSocket, &QLocalSocket::abort);
        ReadRequest(*pSocket);
    }
}

// Any complete line is a request to come forward; the text of it does not matter. The answer
// tells the asking start that the window is up.
void CSingleInstance::ReadRequest(QLocalSocket& socket)
{
    bool bRequest = false;
    while (socket.canReadLine()) {
        socket.readLine(MAX_REQUEST_LINE);
        bRequest = true;
    }
    if (bRequest) {
        emit ShowRequested();
        socket.write(SHOWN_ANSWER.data(), SHOWN_ANSWER.size());
        socket.disconnectFromServer();
    } else if (socket.bytesAvailable() > MAX_REQUEST_LINE) {
        socket.abort(); // not a request; do not collect it without bound
    }
}
