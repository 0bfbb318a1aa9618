#include "echolink/EchoLinkConnector.h"
#include "echolink/EchoLinkError.h"
#include "echolink/standin/LocalEchoLinkSession.h"
#include "echolink/standin/SimProtocol.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace SimProtocol;

// The stand-in runs from a private copy in a temporary folder, so it gets
// its own server name and never meets another test's stand-in.
class TestLocalEchoLinkSession : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QFile::copy(ECHOLINK_SIM_PATH, simPath()));
    }

    void cleanup()
    {
        m_session.reset();
        m_standIn.kill();
        m_standIn.waitForFinished();
        // A killed stand-in leaves its socket and lock files behind.
        QLocalServer::removeServer(name());
        QFile::remove(QDir(QDir::tempPath()).filePath(name() + ".lock"));
        m_dir.reset();
    }

    // Both ways: a member call's argument and an event's text.
    void chatTextSurvivesTheRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("intact");
        QString big;
        while (big.size() < (1 << 20))
            big += "CQ \u65e5\u672c \"quoted\" \\ line\n";
        QTest::newRow("NUL") << QStringView(u"K1ABC>\0!", 8).toString() << true;
        QTest::newRow("line breaks") << "one\ntwo\r\nthree" << true;
        QTest::newRow("quotes and escapes") << "\"}\\u0041{\"" << true;
        QTest::newRow("astral") << "\U0001F4FB 73" << true;
        QTest::newRow("1 MB") << big << true;
        QTest::newRow("lone surrogate keeps the framing") << QString(QChar(0xD800)) + "x" << false;
    }
    void chatTextSurvivesTheRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(bool, intact);
        QVERIFY(startStandIn());
        m_session->sendChatText(text);
        const QJsonArray calls = control(controlRequest(1, Control::calls)).value(Key::result).toArray();
        QCOMPARE(calls.size(), 1);
        QSignalSpy received(m_session.get(), &EchoLinkSession::chatTextReceived);
        QVERIFY(control(controlRequest(2, Control::emitEvent, chatTextReceivedEvent(text))).value(Key::ok).toBool());
        QTRY_COMPARE(received.count(), 1);
        if (intact) {
            QCOMPARE(calls.first().toString(), callLine(Member::sendChatText, text));
            QCOMPARE(received.first().first().toString(), text);
        }
    }

    void serverNameFollowsTheFolder()
    {
        QTemporaryDir other;
        QVERIFY(QFile::link(m_dir->path(), other.filePath("link")));
        QCOMPARE(serverName(other.filePath("link")), name());
        QVERIFY(serverName(other.path()) != name());
    }

    void callsAreAnsweredRecordedAndFail()
    {
        QVERIFY(startStandIn());
        QCOMPARE(m_session->stationCallsign(), QString("N0CALL"));
        m_session->sendChatText("hello there");
        m_session->setBusyFlagA(true);
        m_session->setBusyFlagB(false);
        QCOMPARE(cli({"set", "callsign", "K1ABC"}).code, 0);
        QCOMPARE(cli({"set", "failing", "on"}).code, 0);
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->stationCallsign());
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->sendChatText("x"));
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->setBusyFlagA(true));
        QVERIFY_THROWS_EXCEPTION(EchoLinkError, m_session->setBusyFlagB(true));
        QCOMPARE(cli({"set", "failing", "off"}).code, 0);
        QCOMPARE(m_session->stationCallsign(), QString("K1ABC"));

        const QStringList expected{"Callsign", "SendChatText hello there", "BusyFlagA 1", "BusyFlagB 0", "Callsign",
                                   "SendChatText x", "BusyFlagA 1", "BusyFlagB 1", "Callsign"};
        QCOMPARE(cli({"calls"}).out, expected.join('\n') + '\n');

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
        QTest::newRow("error reply") << encode(errorReply(1, "busy")) << false;
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
        const auto note = [&](const QString &line) { seen << line; };
        EchoLinkSession *s = m_session.get();
        connect(s, &EchoLinkSession::transmitChanged, this, [=](bool on) { note(QString("TX %1").arg(on)); });
        connect(s, &EchoLinkSession::receiveChanged, this, [=](bool on) { note(QString("RX %1").arg(on)); });
        connect(s, &EchoLinkSession::connected, this, [=](auto call, auto name, auto addr) { note(call + name + addr); });
        connect(s, &EchoLinkSession::disconnected, this, [=](const QString &call) { note("Bye " + call); });
        connect(s, &EchoLinkSession::chatTextReceived, this, [=](const QString &text) { note("Chat " + text); });
        connect(s, &EchoLinkSession::closing, this, [=] { note("Closing"); });
        for (const char *command : {"tx on", "rx on", "connected K1ABC Bob Boston", "chat K1ABC>hello there",
                                       "disconnected K1ABC", "rx off", "closing"})
            QCOMPARE(cli(QStringList{"emit"} + QString(command).split(' ')).code, 0);
        QTRY_COMPARE(seen, QStringList({"TX 1", "RX 1", "K1ABCBobBoston", "Chat K1ABC>hello there", "Bye K1ABC",
                                        "RX 0", "Closing"}));
        // The stand-in outlives Closing so a test can still read its calls.
        QCOMPARE(cli({"calls"}).code, 0);
    }

    // An event that comes while a call waits for its reply, or while a handler
    // runs, is delivered only after that handler has ended.
    void eventsWaitForTheHandlerAndTheCallInProgress()
    {
        QLocalServer server;
        QLocalSocket *peer = fakeStandIn(server);
        QVERIFY(peer);
        QStringList seen;
        connect(m_session.get(), &EchoLinkSession::chatTextReceived, this, [&](const QString &text) {
            seen << "begin " + text;
            peer->write("not json\n{\"event\":\"TX\"}\n{\"event\":\"Bogus\"}\n" + encode(okReply(0, "OLD"))
                        + encode(txEvent(true)) + encode(okReply(1, "K1ABC")));
            peer->flush();
            seen << m_session->stationCallsign();
            seen << "end " + text;
        });
        connect(m_session.get(), &EchoLinkSession::transmitChanged, this, [&](bool on) { seen << QString("TX %1").arg(on); });
        peer->write(encode(chatTextReceivedEvent("hi")));
        peer->flush();
        QTRY_COMPARE(seen, QStringList({"begin hi", "K1ABC", "end hi", "TX 1"}));
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
        const QList<QStringList> refused{{"emit"}, {"emit", "tx", "maybe"}, {"emit", "connected", "K1ABC", "Bob"},
                                         {"emit", "chat"}, {"emit", "closing", "now"}, {"set", "failing", "perhaps"},
                                         {"set", "colour", "red"}, {"calls", "all"}, {"--bogus"},
                                         {"burst"}, {"burst", "chat"}, {"burst", "chat", "--count", "3"},
                                         {"burst", "chat", "--from"}, {"burst", "chat", "--from", "f", "--from", "g"},
                                         {"burst", "chat", "--from", "f", "--rate", "0"}, {"burst", "toggles"},
                                         {"burst", "toggles", "0"}, {"burst", "toggles", "2", "--count", "3"}};
        for (const QStringList &args : refused)
            QTest::addRow("%s", qPrintable(args.join(' '))) << args << 2 << "";
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
            QVERIFY(run.err.contains("Usage:"));
    }

    void secondStandInIsRefusedAndTheCommandLineFailsWithoutOne()
    {
        QVERIFY(startStandIn());
        const Run second = cli({"--headless"});
        QCOMPARE(second.code, 1);
        QVERIFY(second.err.contains("another stand-in already serves"));
        QCOMPARE(m_session->stationCallsign(), QString("N0CALL"));

        m_session.reset();
        QTRY_VERIFY(cli({"emit", "closing"}).err.contains("no Vorlane session"));
        QCOMPARE(cli({"quit"}).code, 0);
        QVERIFY(m_standIn.waitForFinished());
        const Run run = cli({"calls"});
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains("no stand-in is running"));
    }

    // Runs twice: the test itself from a copy beside the stand-in's copy, and
    // in that copy, where createEchoLinkSession finds echolink-sim beside it.
    void connectorStartsOneStandIn()
    {
        if (qEnvironmentVariableIsSet("VORLANE_CONNECTOR_CHILD")) {
            for (int i = 0; i < 2; ++i) {
                const auto session = createEchoLinkSession();
                QVERIFY(session);
                QCOMPARE(session->stationCallsign(), QString("N0CALL"));
            }
            return;
        }
        const Run child = runCopy("connectorStartsOneStandIn", {{"VORLANE_CONNECTOR_CHILD", "1"}});
        const Run calls = cli({"calls"});
        cli({"quit"});
        QVERIFY2(child.code == 0, qPrintable(child.out));
        QCOMPARE(calls.out, QString("Callsign\nCallsign\n"));
    }

    // A socket folder nobody can serve in: the stand-in and Vorlane (this
    // test run again from a copy beside the stand-in) both name the cause.
    void unusableSocketFolderIsNamed_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("cause");
        QTest::newRow("path too long") << QString(100, 'd') << "bytes long";
        QTest::newRow("missing folder") << "gone" << "does not exist";
    }
    void unusableSocketFolderIsNamed()
    {
        QFETCH(QString, folder);
        QFETCH(QString, cause);
        if (qEnvironmentVariableIsSet("VORLANE_SOCKET_FOLDER")) {
            qputenv("TMPDIR", qgetenv("VORLANE_SOCKET_FOLDER"));
            QVERIFY(!createEchoLinkSession());
            return;
        }
        QVERIFY(QDir(m_dir->path()).mkpath(QString(100, 'd')));
        const QString tmpdir = m_dir->filePath(folder);
        const QString path = tmpdir + '/' + name();
        const Run standIn = cli({"--headless"}, {{"TMPDIR", tmpdir}});
        const Run vorlane = runCopy(QString("unusableSocketFolderIsNamed:") + QTest::currentDataTag(),
                                    {{"VORLANE_SOCKET_FOLDER", tmpdir}});
        QCOMPARE(standIn.code, 1);
        QCOMPARE(vorlane.code, 0);
        for (const auto &[err, prefix] : {std::pair(standIn.err, "echolink-sim: "), std::pair(vorlane.err, "vorlane: ")}) {
            const QStringList lines = err.split('\n').filter(prefix);
            QVERIFY2(lines.size() == 1 && lines[0].contains(path) && lines[0].contains(cause), qPrintable(err));
        }
    }

    // A burst's events arrive one at a time, in order, and the round trip it
    // reports covers Vorlane's handling of each.
    void burstWaitsForEachEventToBeHandled()
    {
        QVERIFY(startStandIn());
        const QStringList lines{"K1ABC>one", "JA1ABC>\u65e5\u672c", "N0CALL>three <&>"};
        QVERIFY(writeFile("lines.txt", lines.join("\r\n").toUtf8() + "\r\n"));
        QStringList seen;
        connect(m_session.get(), &EchoLinkSession::chatTextReceived, this, [&](const QString &text) {
            seen << text;
            QThread::msleep(handlerMs);
        });
        const Run run = cliBeside({"burst", "chat", "--from", m_dir->filePath("lines.txt"), "--count", "4"});
        QCOMPARE(run.code, 0);
        QCOMPARE(seen, lines + QStringList{lines.first()});
        const QRegularExpressionMatch median = QRegularExpression("^4 events; round trip in microseconds: median (\\d+), ").match(run.out);
        QVERIFY2(median.hasMatch(), qPrintable(run.out));
        QVERIFY2(median.captured(1).toInt() >= handlerMs * 1000, qPrintable(run.out));
    }

    void burstTogglesTransmitAndReceive()
    {
        QVERIFY(startStandIn());
        QStringList seen;
        connect(m_session.get(), &EchoLinkSession::transmitChanged, this, [&](bool on) { seen << QString("TX %1").arg(on); });
        connect(m_session.get(), &EchoLinkSession::receiveChanged, this, [&](bool on) { seen << QString("RX %1").arg(on); });
        QCOMPARE(cliBeside({"burst", "toggles", "3", "--rate", "1000"}).code, 0);
        QCOMPARE(seen, QStringList({"TX 1", "TX 0", "RX 1", "RX 0", "TX 1", "TX 0"}));
    }

    void burstRefusals()
    {
        QVERIFY(startStandIn());
        QVERIFY(writeFile("empty.txt", ""));
        const Run missing = cliBeside({"burst", "chat", "--from", m_dir->filePath("missing.txt")});
        QCOMPARE(missing.code, 1);
        QVERIFY2(missing.err.contains("cannot read") && missing.err.contains("missing.txt"), qPrintable(missing.err));
        const Run empty = cliBeside({"burst", "chat", "--from", m_dir->filePath("empty.txt")});
        QCOMPARE(empty.code, 1);
        QVERIFY2(empty.err.contains("holds no chat line"), qPrintable(empty.err));
        m_session.reset();
        QTRY_VERIFY(cli({"burst", "toggles", "1"}).err.contains("no Vorlane session"));
    }

    // A connection counts as a session until it speaks; one that turns out
    // to be another control connection must not hold a burst up. Two bursts
    // started together meet this whenever one connects before the other
    // has sent its request.
    void burstGoesOnWhenASessionTurnsOutToBeControl()
    {
        QVERIFY(startStandIn());
        QLocalSocket other;
        other.connectToServer(name());
        QVERIFY(other.waitForConnected(1000));
        other.write(encode(callRequest(1, Member::callsign)));
        QTRY_VERIFY(other.bytesAvailable() > 0 || other.waitForReadyRead(10));
        other.readAll();

        int received = 0;
        connect(m_session.get(), &EchoLinkSession::transmitChanged, this, [&] { ++received; });
        connect(m_session.get(), &EchoLinkSession::receiveChanged, this, [&] { ++received; });
        QProcess burst;
        burst.start(simPath(), {"burst", "toggles", "2"});
        QTRY_VERIFY(other.bytesAvailable() > 0 || other.waitForReadyRead(10));
        other.write(encode(controlRequest(2, Control::calls)));
        QTRY_COMPARE_WITH_TIMEOUT(burst.state(), QProcess::NotRunning, 20000);
        QVERIFY2(burst.exitCode() == 0, burst.readAllStandardError().constData());
        QCOMPARE(received, 4);
    }

    // The answer to a ping comes only once the handler of the event before
    // it has ended, also when event and ping arrive in one read.
    void pingIsAnsweredBehindTheEventBeforeIt()
    {
        QLocalServer server;
        QLocalSocket *peer = fakeStandIn(server);
        QVERIFY(peer);
        QStringList seen;
        bool answeredEarly = false;
        connect(m_session.get(), &EchoLinkSession::chatTextReceived, this, [&](const QString &text) {
            seen << text;
            answeredEarly = answeredEarly || peer->waitForReadyRead(50);
        });
        peer->write(encode(chatTextReceivedEvent("a")) + encode(pingMessage(7)));
        peer->flush();
        QByteArray buffer;
        QTRY_VERIFY(buffer.append(peer->readAll()).contains('\n'));
        QCOMPARE(decode(takeLine(buffer).value_or(QByteArray())).value_or(QJsonObject()), pongMessage(7));
        QCOMPARE(seen, QStringList{"a"});
        QVERIFY(!answeredEarly);
    }

private:
    static constexpr int handlerMs = 20;

    struct Run
    {
        int code = -1;
        QString out;
        QString err;
    };

    QString simPath() const { return m_dir->filePath("echolink-sim"); }
    QString name() const { return serverName(m_dir->path()); }
    bool startStandIn()
    {
        m_standIn.start(simPath(), {"--headless"});
        const QDeadlineTimer deadline(5000);
        while (m_standIn.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            if ((m_session = LocalEchoLinkSession::connectTo(name(), 100)))
                return true;
            QTest::qWait(10);
        }
        return false;
    }

    // The stand-in, or another program, with additions to the environment.
    Run cli(const QStringList &args, const QMap<QString, QString> &environment = {}, const QString &program = {})
    {
        QProcessEnvironment merged = QProcessEnvironment::systemEnvironment();
        for (auto it = environment.cbegin(); it != environment.cend(); ++it)
            merged.insert(it.key(), it.value());
        QProcess process;
        process.setProcessEnvironment(merged);
        process.start(program.isEmpty() ? simPath() : program, args);
        if (!process.waitForFinished(30000))
            process.kill();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }
    // The stand-in's command line while this test's session keeps handling
    // events: the burst waits for it.
    Run cliBeside(const QStringList &args)
    {
        QProcess process;
        process.start(simPath(), args);
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000))
            process.kill();
        process.waitForFinished();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }
    bool writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir->filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    // This test again, from a copy beside the stand-in's copy.
    Run runCopy(const QString &function, const QMap<QString, QString> &environment)
    {
        const QString self = m_dir->filePath("tst_copy");
        QFile::copy(QCoreApplication::applicationFilePath(), self);
        return cli({function}, environment, self);
    }

    // A control request straight over the socket, for texts no command line can carry.
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

QTEST_MAIN(TestLocalEchoLinkSession)
#include "tst_localecholinksession.moc"
