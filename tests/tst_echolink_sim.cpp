#include "platform/EchoLinkConnector.h"
#include "platform/EchoLinkError.h"
#include "platform/LocalEchoLinkSession.h"
#include "platform/SimProtocol.h"
#include "support/FakeEchoLinkSession.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace SimProtocol;

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

QString bigChatText()
{
    QString text;
    while (text.size() < (1 << 20))
        text += QStringLiteral("CQ \u65e5\u672c \"quoted\" \\ line\n");
    return text;
}

} // namespace

// The stand-in runs from a private copy in a temporary folder, so it gets
// its own server name and never meets another test's stand-in.
class TestEchoLinkSim : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QFile::copy(QStringLiteral(ECHOLINK_SIM_PATH), simPath()));
    }

    void cleanup()
    {
        m_session.reset();
        m_standIn.kill();
        m_standIn.waitForFinished();
        // A killed stand-in leaves its socket and lock files behind.
        QLocalServer::removeServer(name());
        QFile::remove(QDir(QDir::tempPath()).filePath(name() + QStringLiteral(".lock")));
        m_dir.reset();
    }

    void protocolCarriesAnyText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("intact");
        QTest::newRow("NUL") << QStringView(u"a\0b", 3).toString() << true;
        QTest::newRow("line breaks") << QStringLiteral("one\ntwo\r\nthree") << true;
        QTest::newRow("quotes and escapes") << QStringLiteral("\"}\\u0041{\"") << true;
        QTest::newRow("astral") << QStringLiteral("\U0001F4FB 73") << true;
        QTest::newRow("1 MB") << bigChatText() << true;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + QStringLiteral("x") << false;
    }
    void protocolCarriesAnyText()
    {
        QFETCH(QString, text);
        QFETCH(bool, intact);
        QByteArray line = encode(chatTextReceivedEvent(text));
        QCOMPARE(line.count('\n'), 1);
        QVERIFY(line.endsWith('\n'));
        const auto taken = takeLine(line);
        QVERIFY(taken && line.isEmpty());
        const auto message = decode(*taken);
        QVERIFY(message);
        const auto event = validEvent(*message);
        QVERIFY(event);
        if (intact)
            QCOMPARE(event->value(Key::text).toString(), text);
    }

    void serverNameFollowsTheFolder()
    {
        QTemporaryDir other;
        QVERIFY(QFile::link(m_dir->path(), other.filePath(QStringLiteral("link"))));
        QCOMPARE(serverName(other.filePath(QStringLiteral("link"))), name());
        QVERIFY(serverName(other.path()) != name());
        QVERIFY(name().startsWith(QStringLiteral("vorlane-echolink-")));
    }

    void callsAreAnsweredAndRecordedLikeTheFake()
    {
        QVERIFY(startStandIn());
        FakeEchoLinkSession fake;
        for (EchoLinkSession *session : {static_cast<EchoLinkSession *>(m_session.get()), static_cast<EchoLinkSession *>(&fake)}) {
            QCOMPARE(session->stationCallsign(), QStringLiteral("N0CALL"));
            session->SendChatText(QStringLiteral("hello there"));
            session->setBusyFlagA(true);
            session->setBusyFlagB(false);
        }
        QCOMPARE(cli({QStringLiteral("set"), QStringLiteral("callsign"), QStringLiteral("K1ABC")}).code, 0);
        QCOMPARE(m_session->stationCallsign(), QStringLiteral("K1ABC"));

        const Run calls = cli({QStringLiteral("calls")});
        QCOMPARE(calls.code, 0);
        const QStringList expected{"Callsign", "SendChatText hello there", "BusyFlagA 1", "BusyFlagB 0", "Callsign"};
        QCOMPARE(calls.out, expected.join(u'\n') + u'\n');
        QCOMPARE(fake.calls, expected.mid(0, 4));
    }

    void failingCallsThrowButAreRecorded()
    {
        QVERIFY(startStandIn());
        QCOMPARE(cli({QStringLiteral("set"), QStringLiteral("failing"), QStringLiteral("on")}).code, 0);
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->stationCallsign());
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->SendChatText(QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->setBusyFlagA(true));
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->setBusyFlagB(true));
        QCOMPARE(cli({QStringLiteral("set"), QStringLiteral("failing"), QStringLiteral("off")}).code, 0);
        QCOMPARE(m_session->stationCallsign(), QStringLiteral("N0CALL"));
        QCOMPARE(cli({QStringLiteral("calls")}).out,
                 QStringLiteral("Callsign\nSendChatText x\nBusyFlagA 1\nBusyFlagB 1\nCallsign\n"));
    }

    void killedStandInMakesCallsThrow()
    {
        QVERIFY(startStandIn());
        m_standIn.kill();
        QVERIFY(m_standIn.waitForFinished());
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->setBusyFlagA(true));
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->stationCallsign());
    }

    void failedCallThrows_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("hangUp");
        QTest::newRow("no reply") << QByteArray() << false;
        QTest::newRow("error reply") << encode(errorReply(1, QStringLiteral("busy"))) << false;
        QTest::newRow("reply without callsign") << encode(okReply(1)) << false;
        QTest::newRow("hung up") << QByteArray() << true;
    }
    void failedCallThrows()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, hangUp);
        QLocalServer server;
        QLocalSocket *peer = fakeStandIn(server);
        QVERIFY(peer);
        peer->write(answer);
        peer->flush();
        if (hangUp)
            peer->abort();
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->stationCallsign());
    }

    void eventsArriveInOrder()
    {
        QVERIFY(startStandIn());
        QStringList seen;
        connect(m_session.get(), &EchoLinkSession::TX, this, [&](bool on) { seen << QStringLiteral("TX %1").arg(on); });
        connect(m_session.get(), &EchoLinkSession::RX, this, [&](bool on) { seen << QStringLiteral("RX %1").arg(on); });
        connect(m_session.get(), &EchoLinkSession::Connected, this,
                [&](const QString &call, const QString &name, const QString &addr) {
                    seen << QStringLiteral("Connected %1|%2|%3").arg(call, name, addr);
                });
        connect(m_session.get(), &EchoLinkSession::DisConnected, this,
                [&](const QString &call) { seen << QStringLiteral("DisConnected ") + call; });
        connect(m_session.get(), &EchoLinkSession::ChatTextReceived, this,
                [&](const QString &text) { seen << QStringLiteral("Chat ") + text; });
        connect(m_session.get(), &EchoLinkSession::Closing, this, [&] { seen << QStringLiteral("Closing"); });

        const QList<QStringList> commands{{"emit", "tx", "on"},
                                          {"emit", "rx", "on"},
                                          {"emit", "connected", "K1ABC", "Bob", "Boston MA"},
                                          {"emit", "chat", "K1ABC>hello", "there"},
                                          {"emit", "disconnected", "K1ABC"},
                                          {"emit", "rx", "off"},
                                          {"emit", "closing"}};
        for (const QStringList &command : commands)
            QCOMPARE(cli(command).code, 0);
        const QStringList expected{"TX 1", "RX 1", "Connected K1ABC|Bob|Boston MA", "Chat K1ABC>hello there",
                                   "DisConnected K1ABC", "RX 0", "Closing"};
        QTRY_COMPARE(seen, expected);
        // The stand-in outlives Closing so a test can still read its calls.
        QCOMPARE(cli({QStringLiteral("calls")}).code, 0);
    }

    // An event that comes while a call waits for its reply, or while a handler
    // runs, is delivered only after that handler has ended.
    void eventsWaitForTheHandlerAndTheCallInProgress()
    {
        QLocalServer server;
        QLocalSocket *peer = fakeStandIn(server);
        QVERIFY(peer);
        QStringList seen;
        connect(m_session.get(), &EchoLinkSession::ChatTextReceived, this, [&](const QString &text) {
            seen << QStringLiteral("begin ") + text;
            peer->write("not json\n{\"event\":\"TX\"}\n{\"event\":\"Bogus\"}\n" + encode(okReply(0, QStringLiteral("OLD")))
                        + encode(txEvent(true)) + encode(okReply(1, QStringLiteral("K1ABC"))));
            peer->flush();
            seen << m_session->stationCallsign();
            seen << QStringLiteral("end ") + text;
        });
        connect(m_session.get(), &EchoLinkSession::TX, this, [&](bool on) { seen << QStringLiteral("TX %1").arg(on); });
        peer->write(encode(chatTextReceivedEvent(QStringLiteral("hi"))));
        peer->flush();
        QTRY_COMPARE(seen, QStringList({"begin hi", "K1ABC", "end hi", "TX 1"}));
    }

    void chatTextSurvivesTheRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("NUL") << QStringView(u"K1ABC>\0!", 8).toString();
        QTest::newRow("1 MB") << bigChatText();
    }
    void chatTextSurvivesTheRoundTrip()
    {
        QFETCH(QString, text);
        QVERIFY(startStandIn());
        m_session->SendChatText(text);
        const QJsonObject calls = control(controlRequest(1, Control::calls));
        QCOMPARE(calls.value(Key::result).toArray().last().toString(), callLine(Member::sendChatText, text));

        QSignalSpy received(m_session.get(), &EchoLinkSession::ChatTextReceived);
        QVERIFY(control(controlRequest(2, Control::emitEvent, chatTextReceivedEvent(text))).value(Key::ok).toBool());
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.first().first().toString(), text);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::newRow("calls, none yet") << QStringList{"calls"} << 0 << "";
        QTest::newRow("emit tx") << QStringList{"emit", "tx", "off"} << 0 << "TX raised for 1 session(s)\n";
        QTest::newRow("emit chat") << QStringList{"emit", "chat", "a", "b"} << 0 << "ChatTextReceived raised for 1 session(s)\n";
        QTest::newRow("set callsign") << QStringList{"set", "callsign", "JA1XYZ"} << 0 << "callsign JA1XYZ\n";
        QTest::newRow("set failing") << QStringList{"set", "failing", "on"} << 0 << "failing on\n";
        QTest::newRow("emit nothing") << QStringList{"emit"} << 2 << "";
        QTest::newRow("tx maybe") << QStringList{"emit", "tx", "maybe"} << 2 << "";
        QTest::newRow("connected short") << QStringList{"emit", "connected", "K1ABC", "Bob"} << 2 << "";
        QTest::newRow("chat empty") << QStringList{"emit", "chat"} << 2 << "";
        QTest::newRow("closing extra") << QStringList{"emit", "closing", "now"} << 2 << "";
        QTest::newRow("failing perhaps") << QStringList{"set", "failing", "perhaps"} << 2 << "";
        QTest::newRow("unknown setting") << QStringList{"set", "colour", "red"} << 2 << "";
        QTest::newRow("calls extra") << QStringList{"calls", "all"} << 2 << "";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "";
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        // Bad arguments are refused before any stand-in is asked.
        if (code != 2)
            QVERIFY(startStandIn());
        const Run run = cli(args);
        QCOMPARE(run.code, code);
        QCOMPARE(run.out, out);
        QCOMPARE(run.err.isEmpty(), code == 0);
        if (code == 2)
            QVERIFY(run.err.contains(QStringLiteral("Usage:")));
    }

    void commandLineFailsWithoutStandInOrSession()
    {
        QVERIFY(startStandIn());
        m_session.reset();
        QTRY_VERIFY(cli({QStringLiteral("emit"), QStringLiteral("closing")}).err.contains(QStringLiteral("no Vorlane session")));
        QCOMPARE(cli({QStringLiteral("quit")}).code, 0);
        QVERIFY(m_standIn.waitForFinished());
        const Run run = cli({QStringLiteral("calls")});
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains(QStringLiteral("no stand-in is running")));
    }

    void secondStandInIsRefused()
    {
        QVERIFY(startStandIn());
        const Run second = cli({QStringLiteral("--headless")});
        QCOMPARE(second.code, 1);
        QVERIFY(second.err.contains(QStringLiteral("another stand-in already serves")));
        QCOMPARE(m_session->stationCallsign(), QStringLiteral("N0CALL"));
    }

    // Runs twice: the test itself from a copy beside the stand-in's copy, and
    // in that copy, where createEchoLinkSession finds echolink-sim beside it.
    void connectorStartsOneStandIn()
    {
        if (qEnvironmentVariableIsSet("VORLANE_CONNECTOR_CHILD")) {
            for (int i = 0; i < 2; ++i) {
                const auto session = createEchoLinkSession();
                QVERIFY(session);
                QCOMPARE(session->stationCallsign(), QStringLiteral("N0CALL"));
            }
            return;
        }
        const QString self = m_dir->filePath(QStringLiteral("tst_copy"));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), self));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VORLANE_CONNECTOR_CHILD"), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.start(self, {QStringLiteral("connectorStartsOneStandIn")});
        QVERIFY(child.waitForFinished(30000));
        const Run calls = cli({QStringLiteral("calls")});
        cli({QStringLiteral("quit")});
        QVERIFY2(child.exitCode() == 0, child.readAllStandardOutput().constData());
        QCOMPARE(calls.out, QStringLiteral("Callsign\nCallsign\n"));
    }

private:
    QString simPath() const { return m_dir->filePath(QStringLiteral("echolink-sim")); }
    QString name() const { return serverName(m_dir->path()); }
    bool startStandIn()
    {
        m_standIn.start(simPath(), {QStringLiteral("--headless")});
        const QDeadlineTimer deadline(5000);
        while (m_standIn.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            if ((m_session = LocalEchoLinkSession::connectTo(name(), 100)))
                return true;
            QTest::qWait(10);
        }
        return false;
    }

    Run cli(const QStringList &args)
    {
        QProcess process;
        process.start(simPath(), args);
        if (!process.waitForFinished(10000))
            process.kill();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    QJsonObject control(const QJsonObject &request)
    {
        QLocalSocket socket;
        socket.connectToServer(name());
        if (!socket.waitForConnected(1000))
            return {};
        socket.write(encode(request));
        QByteArray buffer;
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            if (const auto line = takeLine(buffer))
                return decode(*line).value_or(QJsonObject());
            socket.waitForReadyRead(100);
            buffer += socket.readAll();
        }
        return {};
    }
    // A server in this test that the session talks to; returns its end.
    QLocalSocket *fakeStandIn(QLocalServer &server)
    {
        if (!server.listen(name()))
            return nullptr;
        m_session = LocalEchoLinkSession::connectTo(name(), 1000);
        if (!m_session || !server.waitForNewConnection(1000))
            return nullptr;
        return server.nextPendingConnection();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_standIn;
    std::unique_ptr<LocalEchoLinkSession> m_session;
};

QTEST_MAIN(TestEchoLinkSim)
#include "tst_echolink_sim.moc"
