// The cost of showing one received chat message with a short and with a long
// history. 20 000 messages of about 80 characters go through ChatPanel into a
// visible ChatHistoryView (run with QT_QPA_PLATFORM=offscreen); each append
// is timed together with the event processing that repaints the widget. The
// mean at about 1 KB of history comes from many short runs started from an
// empty history, the mean at about 1 MB from the one long run.

#include "chat/ActivityLog.h"
#include "chat/ChatPanel.h"
#include "chat/ChatView.h"
#include "desktop/Clipboard.h"
#include "settings/Settings.h"
#include "system/Clock.h"
#include "system/ProgramFolders.h"
#include "ui/widgets/ChatHistoryView.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <vector>

namespace {

const int messages = 20000;
const int shortRuns = 300;

class NoClipboard : public Clipboard
{
public:
    void setText(const QString &) override {}
};

// The chat controls of the main window, as small as will do.
class BenchView : public QWidget, public ChatView
{
public:
    BenchView()
    {
        auto *layout = new QVBoxLayout(this);
        for (QWidget *w : std::initializer_list<QWidget *>{&history, &input, &dateBox, &timeBox, &logBox, &callsign})
            layout->addWidget(w);
        timeBox.setChecked(true);
        QFont font = history.font();
        font.setPointSize(9);
        history.setFont(font);
        resize(376, 480);
    }

    void appendHistory(const QString &chunk) override { history.appendCrLfText(chunk); }
    void setHistory(const QString &text) override { history.setCrLfText(text); }
    void moveHistoryCaretToEnd() override { history.moveCaretToEnd(); }
    QString selectedHistoryText() const override { return history.selectedCrLfText(); }
    QString inputText() const override { return input.text(); }
    void clearInput() override { input.clear(); }
    void focusInput() override { input.setFocus(); }
    ChatSwitches switches() const override
    {
        return {dateBox.isChecked(), timeBox.isChecked(), logBox.isChecked()};
    }
    void setConnectedCall(const QString &call) override { callsign.setText(call); }

    ChatHistoryView history;
    QLineEdit input;
    QCheckBox dateBox{QStringLiteral("Date")};
    QCheckBox timeBox{QStringLiteral("Time")};
    QCheckBox logBox{QStringLiteral("Log")};
    QLabel callsign;
};

QString message(int i)
{
    static const QString words = QStringLiteral(
        "good evening from the shack, the band is open tonight and signals are strong 73 de ");
    return QStringLiteral("JA%1ABC>").arg(i % 10) + words.mid(i % 7, 73);
}

// One append's cost: wall-clock time, and the processor time of the program,
// which other programs on a busy machine do not inflate.
struct Cost
{
    qint64 wallNs;
    qint64 cpuNs;
};

double mean(const std::vector<qint64> &ns)
{
    return std::accumulate(ns.begin(), ns.end(), 0.0) / 1000.0 / double(ns.size());
}

double median(std::vector<qint64> ns)
{
    const auto middle = ns.begin() + std::ptrdiff_t(ns.size() / 2);
    std::nth_element(ns.begin(), middle, ns.end());
    return *middle / 1000.0;
}

// The appends made while the history was between low and high characters
// long. The median shows whether a mean is carried by a few slow appends.
struct Bucket
{
    Bucket(qsizetype from, qsizetype to) : low(from), high(to) {}

    void add(qsizetype length, Cost cost)
    {
        if (length < low || length >= high)
            return;
        wall.push_back(cost.wallNs);
        cpu.push_back(cost.cpuNs);
    }
    void print(const char *name) const
    {
        std::printf("append at %s  wall mean %7.1f us, median %7.1f us | cpu mean %7.1f us, median %7.1f us"
                    " (%zu appends)\n",
                    name, mean(wall), median(wall), mean(cpu), median(cpu), wall.size());
    }

    qsizetype low;
    qsizetype high;
    std::vector<qint64> wall;
    std::vector<qint64> cpu;
};

Cost timedReceive(ChatPanel &panel, int i)
{
    QElapsedTimer timer;
    const std::clock_t cpuStart = std::clock();
    timer.start();
    panel.onChatTextReceived(message(i));
    QCoreApplication::processEvents();
    const qint64 wallNs = timer.nsecsElapsed();
    const double cpuNs = double(std::clock() - cpuStart) * 1e9 / CLOCKS_PER_SEC;
    return {wallNs, qint64(cpuNs)};
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    NoClipboard clipboard;
    SystemClock clock;
    Settings settings;
    settings.programFolder = ProgramFolders::system().program;
    ActivityLog log(settings, clock);
    BenchView view;
    ChatPanel panel(settings, clock, SessionRef([] { return nullptr; }), clipboard, log, view);
    view.show();
    QCoreApplication::processEvents();

    Bucket small{512, 1536};
    for (int run = 0; run < shortRuns; ++run) {
        panel.clearHistory();
        for (int i = 0; panel.history().length() < small.high; ++i) {
            const qsizetype before = panel.history().length();
            small.add(before, timedReceive(panel, i));
        }
    }

    panel.clearHistory();
    Bucket large{1000 * 1000, 1100 * 1000};
    QElapsedTimer total;
    total.start();
    for (int i = 0; i < messages; ++i) {
        const qsizetype before = panel.history().length();
        large.add(before, timedReceive(panel, i));
    }
    const qint64 totalMs = total.elapsed();

    std::printf("messages appended      %d (history %lld characters, %lld blocks)\n", messages,
                static_cast<long long>(panel.history().length()),
                static_cast<long long>(view.history.document()->blockCount()));
    small.print("~1 KB");
    large.print("~1 MB");
    std::printf("ratio of the means 1 MB / 1 KB: wall %.2f, cpu %.2f\n", mean(large.wall) / mean(small.wall),
                mean(large.cpu) / mean(small.cpu));
    std::printf("whole run              %lld ms\n", static_cast<long long>(totalMs));
    return 0;
}
