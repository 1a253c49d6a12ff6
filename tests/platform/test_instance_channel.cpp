// A later start of the program hands its files to the one already running.
#include "platform/instance_channel.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <future>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace instance_channel;

namespace {

// hand_over waits without an event loop, so it runs beside the one that
// serves the channel.
std::future<bool> hand_over_later(const QString& name, const QStringList& paths)
{
    return std::async(std::launch::async, [=] { return hand_over(name, paths); });
}

// Serves the channel until the sender has its answer.
bool wait_for(std::future<bool>& result)
{
    const auto answered = [&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; };
    return QTest::qWaitFor(answered, 10000) && result.get();
}

// Puts environment variables back as they were.
class KeptEnvironment {
public:
    explicit KeptEnvironment(std::initializer_list<const char*> names)
    {
        for (const char* name : names) kept_.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
    }
    ~KeptEnvironment()
    {
        for (const auto& [name, set, value] : kept_)
            set ? qputenv(name, value) : qunsetenv(name);
    }

private:
    struct Kept {
        const char* name;
        bool set;
        QByteArray value;
    };
    QList<Kept> kept_;
};

} // namespace

class TestInstanceChannel : public QObject {
    Q_OBJECT
private slots:
    void messages_carry_any_path_and_reject_what_is_not_one()
    {
        const QStringList paths{"/home/ann/Häuser/dome.sdf", "/tmp/a b\nc.sdf", "C:\\Zeichnungen\\Ω.sdf"};
        QCOMPARE(decode_paths(encode_paths(paths)), std::optional<QStringList>(paths));
        QCOMPARE(decode_paths(encode_paths({})), std::optional<QStringList>(QStringList()));

        QByteArray message = encode_paths({"/a.sdf"});
        QVERIFY(!decode_paths(message.left(3)));             // no whole header
        QVERIFY(!decode_paths(message.chopped(1)));          // shorter than it says
        QVERIFY(!decode_paths(message + "x"));               // longer than it says
        QByteArray unended = message;
        unended[unended.size() - 1] = 'x';
        QVERIFY(!decode_paths(unended));                     // the last name not ended
        QVERIFY(!decode_paths(encode_paths({"/a.sdf", ""}))); // an empty name
        QByteArray bad_utf8 = encode_paths({"/a.sdf"});
        bad_utf8[5] = char(0xff);
        QVERIFY(!decode_paths(bad_utf8));
    }

    void names_differ_by_settings_store()
    {
        QCOMPARE(channel_name("/home/ann/.config/dioramix/registry.reg"),
                 channel_name("/home/ann/.config/dioramix/registry.reg"));
        QVERIFY(channel_name("/home/ann/.config/dioramix/registry.reg")
                != channel_name("/home/bob/.config/dioramix/registry.reg"));
    }

    void the_running_program_takes_the_files_and_answers()
    {
        const QString name = channel_name(QTemporaryDir().path());
        QVERIFY(!hand_over(name, {"/a.sdf"}, 500)); // nobody listens yet

        InstanceServer server(name);
        QVERIFY(server.listen());
        QSignalSpy received(&server, &InstanceServer::files_received);
        auto result = hand_over_later(name, {"/x/one.sdf", "/x/two.sdf"});
        QVERIFY(wait_for(result));
        QTRY_COMPARE(received.size(), 1); // once its confirmation is read
        QCOMPARE(received[0][0].toStringList(), QStringList({"/x/one.sdf", "/x/two.sdf"}));

        // A second program finds the name taken by a live one.
        InstanceServer second(name);
        QVERIFY(!second.listen());
        result = hand_over_later(name, {"/x/three.sdf"});
        QVERIFY(wait_for(result));
        QTRY_COMPARE(received.size(), 2);
    }

    void garbage_and_stalled_senders_are_dropped_and_the_channel_stays_open()
    {
        const QString name = channel_name(QTemporaryDir().path());
        InstanceServer server(name);
        QVERIFY(server.listen());
        QSignalSpy received(&server, &InstanceServer::files_received);

        QLocalSocket oversized;
        oversized.connectToServer(name);
        QVERIFY(oversized.waitForConnected(1000));
        QByteArray header(4, '\0');
        qToBigEndian<quint32>(max_message_bytes + 1, header.data());
        oversized.write(header);
        QTRY_COMPARE_WITH_TIMEOUT(oversized.state(), QLocalSocket::UnconnectedState, 2000);

        QLocalSocket malformed;
        malformed.connectToServer(name);
        QVERIFY(malformed.waitForConnected(1000));
        malformed.write(QByteArray::fromHex("00000003") + QByteArray("a\0b", 3)); // not ended by a NUL
        QTRY_COMPARE_WITH_TIMEOUT(malformed.state(), QLocalSocket::UnconnectedState, 2000);

        // Half a message, then silence: others are served meanwhile.
        QLocalSocket stalled;
        stalled.connectToServer(name);
        QVERIFY(stalled.waitForConnected(1000));
        stalled.write(encode_paths({"/x/slow.sdf"}).left(7));
        auto result = hand_over_later(name, {"/x/fine.sdf"});
        QVERIFY(wait_for(result));
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received[0][0].toStringList(), QStringList({"/x/fine.sdf"}));
        QTRY_COMPARE_WITH_TIMEOUT(stalled.state(), QLocalSocket::UnconnectedState,
                                  InstanceServer::message_timeout_ms + 2000);
        QCOMPARE(received.size(), 1);
    }

    void a_sender_that_gave_up_leaves_the_files_to_itself()
    {
        const QString name = channel_name(QTemporaryDir().path());
        InstanceServer server(name);
        QVERIFY(server.listen());
        QSignalSpy received(&server, &InstanceServer::files_received);
        // Nobody serves the channel while this one waits: it gives up and
        // opens the file itself. The server reads it later and answers, but
        // is never told to open it.
        QVERIFY(!hand_over(name, {"/x/late.sdf"}, 200));
        auto result = hand_over_later(name, {"/x/next.sdf"});
        QVERIFY(wait_for(result));
        QTRY_VERIFY(server.findChildren<QLocalSocket*>().isEmpty());
        QCOMPARE(received.size(), 1);
        QCOMPARE(received[0][0].toStringList(), QStringList{"/x/next.sdf"});
    }

    void the_channel_lives_only_in_a_private_folder()
    {
#ifdef Q_OS_WIN
        QSKIP("Named pipes have no folder");
#else
        QTemporaryDir temp;
        QTemporaryDir runtime;
        const KeptEnvironment kept{"TMPDIR", "XDG_RUNTIME_DIR"};
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        const QString own = temp.filePath(QStringLiteral("dioramix-%1").arg(geteuid()));
        const auto folder_of = [] { return QFileInfo(channel_name("/ann/registry.reg")).absolutePath(); };

        // The runtime folder when it is private; else a folder of our own, made 0700.
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QCOMPARE(folder_of(), runtime.path());
        QVERIFY(chmod(QFile::encodeName(runtime.path()).constData(), 0755) == 0);
        QCOMPARE(folder_of(), own);
        QVERIFY(is_private_folder(own));
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(folder_of(), own);

        // Open to others, or a symbolic link to a private folder: no
        // channel, and the program runs alone.
        QVERIFY(chmod(QFile::encodeName(own).constData(), 0755) == 0);
        QCOMPARE(channel_name("/ann/registry.reg"), QString());
        QVERIFY(!InstanceServer(QString()).listen());
        QVERIFY(!hand_over(QString(), {"/a.sdf"}));
        QVERIFY(QDir().rmdir(own));
        QVERIFY(chmod(QFile::encodeName(runtime.path()).constData(), 0700) == 0);
        QVERIFY(QFile::link(runtime.path(), own));
        QCOMPARE(channel_name("/ann/registry.reg"), QString());
#endif
    }

    void a_name_left_by_a_program_that_died_is_taken_over()
    {
#ifdef Q_OS_WIN
        QSKIP("Named pipes vanish with their program");
#else
        QTemporaryDir dir;
        const QString name = dir.filePath("left-behind");
        QFile leftover(name);
        QVERIFY(leftover.open(QIODevice::WriteOnly));
        leftover.close();
        InstanceServer server(name);
        QVERIFY(server.listen());
        QSignalSpy received(&server, &InstanceServer::files_received);
        auto result = hand_over_later(name, {"/x/one.sdf"});
        QVERIFY(wait_for(result));
        QTRY_COMPARE(received.size(), 1);
#endif
    }
};

QTEST_MAIN(TestInstanceChannel)
#include "test_instance_channel.moc"
