#include "platform/instance_channel.h"
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QTimer>
#include <QtEndian>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace instance_channel {

namespace {

constexpr int header_bytes = 4;
constexpr char taken = 'K';
constexpr char confirmed = 'Y';

#ifndef Q_OS_WIN
// The user's runtime folder, else a folder of the user's own in the
// temporary folder, made when missing: somewhere nobody else can place or
// reach a socket. Empty when neither can be had.
QString socket_folder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && is_private_folder(runtime)) return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/dioramix-%1").arg(::geteuid());
    const QByteArray path = QFile::encodeName(own);
    // Exactly 0700, whatever the umask took away.
    if (::mkdir(path.constData(), 0700) == 0) ::chmod(path.constData(), 0700);
    return is_private_folder(own) ? own : QString();
}
#endif

} // namespace

#ifndef Q_OS_WIN
bool is_private_folder(const QString& folder)
{
    struct stat st;
    return ::lstat(QFile::encodeName(folder).constData(), &st) == 0 && S_ISDIR(st.st_mode)
        && st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0700;
}
#endif

QString channel_name(const QString& settings_path)
{
    const QString name = QStringLiteral("dioramix-")
        + QString::fromLatin1(QCryptographicHash::hash(settings_path.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
#ifdef Q_OS_WIN
    return name;
#else
    const QString folder = socket_folder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name);
#endif
}

QByteArray encode_paths(const QStringList& paths)
{
    QByteArray payload;
    for (const QString& path : paths) {
        payload += path.toUtf8();
        payload += '\0';
    }
    QByteArray message(header_bytes, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), message.data());
    return message + payload;
}

std::optional<QStringList> decode_paths(const QByteArray& message)
{
    if (message.size() < header_bytes || message.size() > header_bytes + max_message_bytes) return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(message.constData());
    if (length != quint32(message.size() - header_bytes)) return std::nullopt;
    const QByteArray payload = message.mid(header_bytes);
    if (!payload.isEmpty() && !payload.endsWith('\0')) return std::nullopt;

    QStringList paths;
    qsizetype start = 0;
    while (start < payload.size()) {
        const qsizetype end = payload.indexOf('\0', start);
        if (end == start) return std::nullopt; // an empty name
        QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString path = decode(QByteArrayView(payload).sliced(start, end - start));
        if (decode.hasError()) return std::nullopt;
        paths += path;
        start = end + 1;
    }
    return paths;
}

bool hand_over(const QString& name, const QStringList& paths, int timeout_ms)
{
    if (name.isEmpty()) return false;
    const QDeadlineTimer deadline(timeout_ms);
    const auto left = [&deadline] { return int(deadline.remainingTime()); };
    QLocalSocket socket;
    // Aborted, not closed: closing would still send what waits to be written.
    const auto give_up = [&socket] {
        socket.abort();
        return false;
    };
    socket.connectToServer(name);
    if (!socket.waitForConnected(left())) return give_up();
    socket.write(encode_paths(paths));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(left())) return give_up();
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(left())) return give_up();
    char answer = 0;
    if (socket.read(&answer, 1) != 1 || answer != taken) return give_up();
    // From here the files are the other program's.
    socket.write(&confirmed, 1);
    if (!socket.flush() && !socket.waitForBytesWritten(left())) return give_up();
    socket.disconnectFromServer();
    return true;
}

} // namespace instance_channel

InstanceServer::InstanceServer(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceServer::take_connection);
}

bool InstanceServer::listen()
{
    if (name_.isEmpty()) return false;
    // Listening would replace a live program's socket, so ask first.
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(1000)) {
        probe.abort();
        return false;
    }
    QLocalServer::removeServer(name_);
    return server_->listen(name_);
}

void InstanceServer::take_connection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { unconfirmed_.remove(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (unconfirmed_.contains(socket))
                read_confirmation(socket);
            else
                read_message(socket);
        });
        // A sender that stalls is dropped, not waited for.
        QTimer::singleShot(message_timeout_ms, socket, [this, socket] {
            // A confirmation already here counts, however late we look at it.
            if (unconfirmed_.contains(socket) && socket->waitForReadyRead(0)) return;
            socket->abort();
            socket->deleteLater();
        });
    }
}

void InstanceServer::read_message(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < instance_channel::header_bytes) return;
    char header[instance_channel::header_bytes];
    socket->peek(header, sizeof header);
    const quint32 length = qFromBigEndian<quint32>(header);
    if (length > quint32(instance_channel::max_message_bytes)) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(instance_channel::header_bytes) + length) return;

    const std::optional<QStringList> paths =
        instance_channel::decode_paths(socket->read(instance_channel::header_bytes + qint64(length)));
    if (!paths) {
        socket->abort();
        return;
    }
    unconfirmed_.insert(socket, *paths);
    socket->write(&instance_channel::taken, 1);
    socket->flush();
}

void InstanceServer::read_confirmation(QLocalSocket* socket)
{
    char byte = 0;
    if (socket->read(&byte, 1) != 1) return;
    const QStringList paths = unconfirmed_.take(socket);
    socket->disconnect(this); // one message per connection
    socket->abort();
    socket->deleteLater();
    if (byte == instance_channel::confirmed && !paths.isEmpty()) emit files_received(paths);
}
