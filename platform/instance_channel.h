#pragma once
// One running program per user and settings store takes the drawings the
// desktop opens: a program started with files while another runs hands them
// over and ends, so that the drawings share one window, one file history and
// one set of settings written on exit.
//
// The channel is a local socket (a named pipe on Windows) that only its user
// may open, in a folder only its user may enter. A message is a 4-byte
// big-endian length and that many bytes of UTF-8 paths, each ended by a NUL
// (no path holds one). The program that takes it answers 'K'; the sender
// then confirms with one byte that it leaves the files to it, and only that
// byte makes the receiver open them. A sender that gave up waiting sends no
// confirmation and opens the files itself, so that no file opens twice.
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace instance_channel {

// The channel's name for the settings store at `settings_path`: programs
// kept apart by their settings do not meet. On POSIX a socket path in
// $XDG_RUNTIME_DIR, or else in <temporary folder>/dioramix-<uid>, made when
// missing; empty when neither is a private folder, and then each program
// runs alone.
QString channel_name(const QString& settings_path);

#ifndef Q_OS_WIN
// A real folder (no symbolic link) owned by this user, with mode exactly 0700.
bool is_private_folder(const QString& folder);
#endif

// The longest message taken; a longer one is no list of files.
constexpr int max_message_bytes = 1 << 20;

QByteArray encode_paths(const QStringList& paths);
// Nothing when the bytes are not a message of encode_paths.
std::optional<QStringList> decode_paths(const QByteArray& message);

// Hands `paths` to the program listening on `name`. True only when it
// answered that it took them in time and has been told to open them; false
// at once when nobody listens (or `name` is empty), and then the other
// program does not open them.
bool hand_over(const QString& name, const QStringList& paths, int timeout_ms = 3000);

} // namespace instance_channel

// The running program's end of the channel.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QString name, QObject* parent = nullptr);

    // Starts listening. A name left behind by a program that ended without
    // closing it is taken over; one that another program answers on is not,
    // nor an empty name.
    bool listen();

    // How long a connection may take to send its message and confirm it.
    static constexpr int message_timeout_ms = 5000;

signals:
    // Files whose sender confirmed that it leaves them to this program.
    void files_received(const QStringList& paths);

private:
    void take_connection();
    void read_message(QLocalSocket* socket);
    void read_confirmation(QLocalSocket* socket);

    QString name_;
    QLocalServer* server_;
    // Connections answered and waiting for their confirmation, with their files.
    QHash<QLocalSocket*, QStringList> unconfirmed_;
};
