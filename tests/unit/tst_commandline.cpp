#include "app/CommandLine.h"

#include <QtTest>

using CommandLine::Request;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<Request>("expected");
        QTest::newRow("nothing") << QStringList{} << Request::Run;
        QTest::newRow("--help") << QStringList{"--help"} << Request::Help;
        QTest::newRow("-h") << QStringList{"-h"} << Request::Help;
        QTest::newRow("--version") << QStringList{"--version"} << Request::Version;
        QTest::newRow("help wins over version") << QStringList{"--version", "--help"} << Request::Help;
        QTest::newRow("version after help") << QStringList{"-h", "--version"} << Request::Help;

        // Qt's own options and their values are Qt's, with one dash or two.
        QTest::newRow("-platform NAME") << QStringList{"-platform", "offscreen"} << Request::Run;
        QTest::newRow("--platform NAME --version") << QStringList{"--platform", "offscreen", "--version"}
                                                   << Request::Version;
        QTest::newRow("-session ID -reverse") << QStringList{"-session", "1a2b", "-reverse"} << Request::Run;
        QTest::newRow("-style=NAME") << QStringList{"-style=fusion"} << Request::Run;
        QTest::newRow("-qmljsdebugger=PORT") << QStringList{"-qmljsdebugger=port:1234"} << Request::Run;
        QTest::newRow("a value that looks like ours") << QStringList{"-style", "--help"} << Request::Run;

        QTest::newRow("unknown option") << QStringList{"--bogus"} << Request::BadArguments;
        QTest::newRow("-v") << QStringList{"-v"} << Request::BadArguments;
        QTest::newRow("a word") << QStringList{"vln.ini"} << Request::BadArguments;
        QTest::newRow("a lone dash") << QStringList{"-"} << Request::BadArguments;
        QTest::newRow("--help=yes") << QStringList{"--help=yes"} << Request::BadArguments;
        QTest::newRow("refusal wins over help") << QStringList{"--help", "--bogus"} << Request::BadArguments;
        QTest::newRow("Qt option without its value") << QStringList{"--version", "-platform"}
                                                     << Request::BadArguments;
        QTest::newRow("=VALUE on a Qt option that takes none") << QStringList{"-reverse=1"}
                                                                << Request::BadArguments;
    }
    void read()
    {
        QFETCH(QStringList, args);
        QFETCH(Request, expected);
        QCOMPARE(CommandLine::read(args), expected);
    }

    // echolink-sim reads its own options from what Qt leaves.
    void withoutQtOptions()
    {
        QCOMPARE(CommandLine::withoutQtOptions({"-platform", "offscreen", "--headless", "--idle-exit", "5"}),
                 QStringList({"--headless", "--idle-exit", "5"}));
        QCOMPARE(CommandLine::withoutQtOptions({"--idle-exit", "-reverse", "--display", ":1"}),
                 QStringList({"--idle-exit"}));
        QCOMPARE(CommandLine::withoutQtOptions({"--headless", "-geometry"}), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
