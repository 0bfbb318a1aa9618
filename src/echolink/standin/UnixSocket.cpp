#include "UnixSocket.h"

#include "system/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// sun_path holds the path and its terminating NUL.
constexpr qsizetype maxPathBytes = sizeof(sockaddr_un::sun_path) - 1;

// A full listen queue refuses at once rather than waiting; try again.
constexpr int busyRetryMs = 10;

int pollTimeout(QDeadlineTimer deadline)
{
    const qint64 remaining = deadline.remainingTime();
    return remaining < 0 ? -1 : int(qMin<qint64>(remaining, INT_MAX));
}

} // namespace

QString UnixSocket::socketFolder()
{
    return Folders::tempFolder();
}

QString UnixSocket::serverPath(const QString &serverName)
{
    if (QDir::isAbsolutePath(serverName))
        return serverName;
    return QDir(socketFolder()).filePath(serverName);
}

QString UnixSocket::pathProblem(const QString &path)
{
    const qsizetype length = QFile::encodeName(path).size();
    if (length > maxPathBytes)
        return QStringLiteral("the path is %1 bytes long, over the system's limit of %2").arg(length).arg(maxPathBytes);
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists())
        return QStringLiteral("the folder %1 does not exist").arg(folder.filePath());
    if (!folder.isDir())
        return QStringLiteral("%1 is not a folder").arg(folder.filePath());
    if (::access(QFile::encodeName(folder.filePath()).constData(), W_OK | X_OK) != 0) {
        const int error = errno;
        return QStringLiteral("cannot create files in the folder %1: %2")
            .arg(folder.filePath(), QString::fromLocal8Bit(std::strerror(error)));
    }
    return {};
}

std::optional<UnixSocket> UnixSocket::connectTo(const QString &path, QDeadlineTimer deadline)
{
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (encoded.size() > maxPathBytes)
        return std::nullopt;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));

    UnixSocket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.isOpen())
        return std::nullopt;
    for (;;) {
        if (::connect(socket.m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
            return socket;
        if (errno == EINTR)
            continue;
        if (errno == EINPROGRESS) {
            int error = 0;
            socklen_t length = sizeof error;
            if (socket.waitFor(POLLOUT, deadline)
                && ::getsockopt(socket.m_fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
                return socket;
            return std::nullopt;
        }
        if (errno != EAGAIN || deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(busyRetryMs);
    }
}

UnixSocket::UnixSocket(int fd)
    : m_fd(fd)
{
}

UnixSocket::UnixSocket(UnixSocket &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
{
}

UnixSocket &UnixSocket::operator=(UnixSocket &&other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

UnixSocket::~UnixSocket()
{
    close();
}

bool UnixSocket::write(const QByteArray &data, QDeadlineTimer deadline)
{
    qsizetype sent = 0;
    while (isOpen() && sent < data.size()) {
        // MSG_NOSIGNAL: a stand-in that has gone must not kill us with SIGPIPE.
        const ssize_t n = ::send(m_fd, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL);
        if (n >= 0)
            sent += n;
        else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!waitFor(POLLOUT, deadline))
                return false;
        } else if (errno != EINTR)
            close();
    }
    return isOpen();
}

QByteArray UnixSocket::readAvailable()
{
    QByteArray data;
    char chunk[16 * 1024];
    while (isOpen()) {
        const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
        if (n > 0)
            data.append(chunk, n);
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        else
            close();
    }
    return data;
}

void UnixSocket::waitForReadable(QDeadlineTimer deadline)
{
    waitFor(POLLIN, deadline);
}

void UnixSocket::close()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
}

bool UnixSocket::waitFor(short events, QDeadlineTimer deadline)
{
    pollfd entry{m_fd, events, 0};
    for (;;) {
        const int n = ::poll(&entry, 1, pollTimeout(deadline));
        if (n > 0)
            return (entry.revents & events) != 0;
        if (n == 0 || errno != EINTR)
            return false;
    }
}
