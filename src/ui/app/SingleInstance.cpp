#include "ui/app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace
{
constexpr QByteArrayView SHOW_REQUEST = "show\n";
constexpr int CONNECT_ATTEMPTS = 50;
constexpr int CONNECT_PAUSE_MS = 100;
constexpr int IO_TIMEOUT_MS = 1000;
constexpr qint64 MAX_REQUEST_LINE = 64;
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
}

bool CSingleInstance::Claim()
{
    if (!m_lock.tryLock(0)) {
        AskRunningInstance();
        return false;
    }
    // The lock is ours, so a socket left behind by an ended instance can go.
    QLocalServer::removeServer(m_strPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_strPath))
        qWarning("single-instance socket not available: %s", qPrintable(m_server.errorString()));
    return true;
}

// The running instance may hold the lock a moment before it listens, so connecting is retried.
bool CSingleInstance::AskRunningInstance()
{
    for (int nAttempt = 0; nAttempt < CONNECT_ATTEMPTS; ++nAttempt) {
        QLocalSocket socket;
        socket.connectToServer(m_strPath);
        if (socket.waitForConnected(IO_TIMEOUT_MS)) {
            socket.write(SHOW_REQUEST.data(), SHOW_REQUEST.size());
            socket.waitForBytesWritten(IO_TIMEOUT_MS);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(CONNECT_PAUSE_MS);
    }
    return false;
}

void CSingleInstance::OnConnection()
{
    while (QLocalSocket* pSocket = m_server.nextPendingConnection()) {
        connect(pSocket, &QLocalSocket::disconnected, pSocket, &QObject::deleteLater);
        connect(pSocket, &QLocalSocket::readyRead, this,
                [this, pSocket] { ReadRequest(*pSocket); });
        ReadRequest(*pSocket);
    }
}

// Any complete line is a request to come forward; the text of it does not matter.
void CSingleInstance::ReadRequest(QLocalSocket& socket)
{
    bool bRequest = false;
    while (socket.canReadLine()) {
        socket.readLine(MAX_REQUEST_LINE);
        bRequest = true;
    }
    if (bRequest)
        emit ShowRequested();
    else if (socket.bytesAvailable() > MAX_REQUEST_LINE)
        socket.abort(); // not a request; do not collect it without bound
}
