// RTF speed on a generated shot log: write and read in MB/s, and the peak memory it takes.
// Usage: bench_rtf [megabytes of RTF, default 10]
#include "docformat/rtf_reader.h"
#include "docformat/rtf_writer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>
#include <ctime>

namespace {

double cpuSeconds() // this thread's CPU time: wall time is meaningless on a busy machine
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

long peakKb() // VmHWM: the most resident memory the process has had so far
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// A day at the range: tags, remarks and shot lines with a few formats, as the LogPad holds them.
void buildShotLog(QTextDocument &doc, qsizetype targetChars)
{
    QTextCursor c(&doc);
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Courier New")});
    plain.setFontPointSize(10);
    QTextCharFormat tag = plain;
    tag.setFontWeight(QFont::Bold);
    tag.setForeground(QColor(0, 0, 160));
    QTextCharFormat rem = plain;
    rem.setFontItalic(true);
    rem.setForeground(QColor(0, 128, 0));
    QTextCharFormat hot = plain;
    hot.setForeground(QColor(200, 0, 0));
    hot.setFontUnderline(true);
    c.beginEditBlock();
    int shot = 0;
    int string = 0;
    while (doc.characterCount() < targetChars) {
        if (shot % 10 == 0) {
            c.insertText(QStringLiteral("TAG: 05/12/2026 10:%1:00 String %2").arg(shot % 60, 2, 10, QLatin1Char('0')).arg(++string), tag);
            c.insertBlock();
            c.insertText(QStringLiteral("REM: 168gr SMK, 43.5gr Varget, temperature 18\u00B0C \u2013 wind 5 km/h"), rem);
            c.insertBlock();
        }
        ++shot;
        c.insertText(QStringLiteral("  %1   ").arg(shot % 10 + 1, 2), plain);
        c.insertText(QStringLiteral("%1").arg(2800 + (shot * 37) % 50), shot % 7 == 0 ? hot : plain);
        c.insertText(QStringLiteral(" fps\tE=%1 ft-lb\tCAP:%2").arg(2900 + shot % 90).arg(shot), plain);
        c.insertBlock();
    }
    c.endEditBlock();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const double megabytes = argc > 1 ? QByteArray(argv[1]).toDouble() : 10.0;

    QTextDocument doc;
    doc.setUndoRedoEnabled(false);
    // about 1.6 bytes of RTF per character of this log
    buildShotLog(doc, qsizetype(megabytes * 1024 * 1024 / 1.6));
    const long baseKb = peakKb();

    QElapsedTimer t;
    t.start();
    double cpu = cpuSeconds();
    const QByteArray rtf = zx::RtfWriter::write(&doc);
    const double writeSec = t.nsecsElapsed() / 1e9;
    const double writeCpu = cpuSeconds() - cpu;
    const double mb = rtf.size() / (1024.0 * 1024.0);
    const long afterWriteKb = peakKb();

    QTextDocument back;
    t.restart();
    cpu = cpuSeconds();
    const auto r = zx::RtfReader::read(rtf, &back);
    const double readSec = t.nsecsElapsed() / 1e9;
    const double readCpu = cpuSeconds() - cpu;
    const long afterReadKb = peakKb();

    std::printf("shot log: %d paragraphs, %d characters, %.1f MB of RTF\n", doc.blockCount(),
                doc.characterCount(), mb);
    std::printf("write: %.3f s CPU  %.1f MB/s  (wall %.3f s)\n", writeCpu, mb / writeCpu, writeSec);
    std::printf("read:  %.3f s CPU  %.1f MB/s  (wall %.3f s; %s, same text: %s)\n", readCpu, mb / readCpu,
                readSec, r.ok ? "ok" : "FAILED", back.toRawText() == doc.toRawText() ? "yes" : "NO");
    std::printf("peak memory (VmHWM): %ld MB after building, %ld MB after writing, %ld MB after reading\n",
                baseKb / 1024, afterWriteKb / 1024, afterReadKb / 1024);
    std::printf("reading took %.1f MB above the peak before it (%.1f x the RTF size)\n",
                (afterReadKb - afterWriteKb) / 1024.0, (afterReadKb - afterWriteKb) / 1024.0 / mb);
    return r.ok ? 0 : 1;
}
