#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <optional>

// The client end of a stream socket in the file system, as QLocalServer
// makes them on Unix. Vorlane needs nothing more of a local socket than
// this, and it spares the program QtNetwork and everything that library
// loads with it.
//
// Non-blocking underneath; the calls that wait take a deadline. Once the
// peer has gone (or an error broke the connection) the socket is closed and
// stays closed.
class UnixSocket
{
public:
    // The folder local sockets go in: TMPDIR, else /tmp. Always absolute,
    // also when that folder is missing and QDir::tempPath() is empty.
    static QString socketFolder();
    // Where the socket of serverName is, in socketFolder().
    static QString serverPath(const QString &serverName);
    // Why no socket can be made at path: too long for the system, folder
    // missing, no permission; empty when none of these is in the way.
    static QString pathProblem(const QString &path);

    // The connection to the server at path; nothing when nobody accepts it
    // before the deadline.
    static std::optional<UnixSocket> connectTo(const QString &path, QDeadlineTimer deadline);

    UnixSocket(UnixSocket &&other) noexcept;
    UnixSocket &operator=(UnixSocket &&other) noexcept;
    UnixSocket(const UnixSocket &) = delete;
    UnixSocket &operator=(const UnixSocket &) = delete;
    ~UnixSocket();

    bool isOpen() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }

    // Sends all of data; false when the connection broke or the deadline
    // passed first.
    bool write(const QByteArray &data, QDeadlineTimer deadline);
    // Whatever has arrived, without waiting; empty when nothing has.
    QByteArray readAvailable();
    // Waits until something can be read (or the peer has gone).
    void waitForReadable(QDeadlineTimer deadline);
    void close();

private:
    explicit UnixSocket(int fd);
    bool waitFor(short events, QDeadlineTimer deadline);

    int m_fd = -1;
};
