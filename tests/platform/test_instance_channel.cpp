// A later start of the program hands its files to the one already running.
#include "platform/instance_channel.h"
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <future>

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
    const QDeadlineTimer deadline(10000);
    while (result.wait_for(std::chrono::seconds(0)) != std::future_status::ready && !deadline.hasExpired())
        QTest::qWait(10);
    return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready && result.get();
}

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
        QCOMPARE(received.size(), 1);
        QCOMPARE(received[0][0].toStringList(), QStringList({"/x/one.sdf", "/x/two.sdf"}));

        // A second program finds the name taken by a live one.
        InstanceServer second(name);
        QVERIFY(!second.listen());
        result = hand_over_later(name, {"/x/three.sdf"});
        QVERIFY(wait_for(result));
        QCOMPARE(received.size(), 2);
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
        QCOMPARE(received.size(), 1);
        QCOMPARE(received[0][0].toStringList(), QStringList({"/x/fine.sdf"}));
        QTRY_COMPARE_WITH_TIMEOUT(stalled.state(), QLocalSocket::UnconnectedState,
                                  InstanceServer::message_timeout_ms + 2000);
        QCOMPARE(received.size(), 1);
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
        QCOMPARE(received.size(), 1);
#endif
    }
};

QTEST_MAIN(TestInstanceChannel)
#include "test_instance_channel.moc"
