#include "platform/instance_channel.h"
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QTimer>
#include <QtEndian>

namespace instance_channel {

namespace {

constexpr int header_bytes = 4;
constexpr char taken = 'K';

} // namespace

QString channel_name(const QString& settings_path)
{
    const QString name = QStringLiteral("dioramix-")
        + QString::fromLatin1(QCryptographicHash::hash(settings_path.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
#ifndef Q_OS_WIN
    // The user's own runtime folder, where nobody else can place a socket;
    // without one, Qt's temporary folder with the socket open to its user only.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return QDir(runtime).filePath(name);
#endif
    return name;
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
    const QDeadlineTimer deadline(timeout_ms);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(int(deadline.remainingTime()))) return false;
    socket.write(encode_paths(paths));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime()))) return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(int(deadline.remainingTime()))) return false;
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == taken;
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
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read_message(socket); });
        // A sender that stalls is dropped, not waited for.
        QTimer::singleShot(message_timeout_ms, socket, [socket] {
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
    socket->disconnect(this); // one message per connection
    if (!paths) {
        socket->abort();
        return;
    }
    socket->write(&instance_channel::taken, 1);
    socket->disconnectFromServer();
    if (!paths->isEmpty()) emit files_received(*paths);
}
