// termRx throughput with the terminal view and the response buffer on: 50 MB of chronograph
// text in 1 KB chunks. The rate is printed at several sizes: it must not fall as input grows
// (every buffer is trimmed in constant time per chunk).
#include "link/link_session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    zx::LinkSession s(nullptr, nullptr, QStringLiteral("Zentrix0"), 0, nullptr);
    s.bRxTo[0] = true;     // terminal view
    s.bCroRspOn = true;    // response buffer
    s.bExcCapture = true;  // capture queue

    // 1 KB of memory-listing lines, CR LF ended, as the chronograph sends them.
    QString chunk;
    int n = 0;
    while (chunk.size() < 1024)
        chunk += QStringLiteral("MMR:#%1 2875.42 f/s 0.000696 sec  72.5 fah\r\n").arg(n++ % 100, 2, 10, QLatin1Char('0'));
    chunk.truncate(1024);

    const qint64 total = 50LL * 1024 * 1024;
    const qint64 marks[] = {1LL << 20, 5LL << 20, 10LL << 20, 25LL << 20, 50LL << 20};
    QTextStream out(stdout);
    out << "termRx throughput, 1 KB chunks, terminal view + response buffer + capture queue on\n";
    out << "      size    MB/s (this stretch)   MB/s (overall)\n";
    QElapsedTimer all, part;
    all.start();
    part.start();
    qint64 fed = 0, partStart = 0;
    int mark = 0;
    while (fed < total) {
        s.termRx(chunk);
        fed += chunk.size();
        if (s.iExcPend > 15)
            s.excDrain();
        if (fed >= marks[mark]) {
            const double mbPart = double(fed - partStart) / (1 << 20);
            const double sPart = std::max<qint64>(1, part.nsecsElapsed()) / 1e9;
            const double sAll = std::max<qint64>(1, all.nsecsElapsed()) / 1e9;
            out << QStringLiteral("%1 MB   %2   %3\n")
                       .arg(fed >> 20, 7)
                       .arg(mbPart / sPart, 18, 'f', 1)
                       .arg(double(fed) / (1 << 20) / sAll, 16, 'f', 1);
            out.flush();
            part.restart();
            partStart = fed;
            ++mark;
        }
    }
    out << QStringLiteral("buffers at the end: terminal %1, sCroRsp %2, lines %3 (wraps %4)\n")
               .arg(s.txtTerm.size())
               .arg(s.sCroRsp.size())
               .arg(s.counters.rxLines)
               .arg(s.iRxLineWrap);
    return 0;
}
