#include "export/export_driver.h"

#include "cfile/logpad.h"
#include "export/excel_link.h"
#include "export/export_template.h"
#include "link/progress_sink.h"
#include "workbook/workbook.h"

#include <QElapsedTimer>

namespace zx::xls {

namespace {

const char *const kKinds[] = {"LGR", "MMR", "CAP", "TXT"};

QString nowTime() { return LogPad::longTime(QTime::currentTime()); }

QString duration(qint64 ms)
{
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2:%3").arg(s / 3600, 2, 10, QLatin1Char('0')).arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QStringList textLines(const QString &text)
{
    QStringList lines;
    const QStringView all(text);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= all.size(); ++i) {
        if (i < all.size() && all[i] != u'\r' && all[i] != u'\n')
            continue;
        const QStringView line = all.mid(start, i - start);
        if (!line.trimmed().isEmpty())
            lines.append(line.toString());
        start = i + 1;
    }
    return lines;
}

ExportDriver::ExportDriver(ExcelLink &link, const ExportSources &sources, LogPadSink &logPad, ProgressSink &progress,
                           const ExportOptions &options)
    : m_link(link), m_src(sources), m_logPad(logPad), m_progress(progress), m_options(options)
{
}

bool ExportDriver::hasShots(const QStringList &lines, bool captureOnly)
{
    for (const QString &line : lines) {
        if (!captureOnly && readMemoryLine(line).kind == MemoryLine::Header)
            return true; // a listing: its own checks follow
        if ((captureOnly ? !line.contains(QLatin1String("CAP:")) : !line.contains(u'#')) || isLoadLine(line))
            continue; // a load line's note may hold a '#': it is the string's, no shot
        if (readShotLine(line)) {
            m_skipped = 0; // counted again while the rows are written
            return true;
        }
        ++m_skipped;
    }
    return false;
}

bool ExportDriver::step()
{
    ++m_rows;
    m_progress.progressStep();
    if (m_src.pumpEvents && m_rows % 64 == 0)
        m_src.pumpEvents();
    return !(m_src.abortRequested && m_src.abortRequested());
}

int ExportDriver::run(int mode, int sourceKind, int sheet, int type)
{
    m_rows = m_skipped = 0;
    if (sourceKind == SrcLogger)
        sheet = kLastShotSheet;
    // 1.
    if (m_link.exporting || (m_src.busy && m_src.busy()))
        return ExportBusy;
    QElapsedTimer clock;
    clock.start();
    const auto failed = [&](int result) {
        m_logPad.logPadWrite(QStringLiteral("Failed to complete data export...!")
                                 + (type < ExpCFile ? QStringLiteral("  Time=") + nowTime() : QString()),
                             0, 1, 0);
        return result;
    };
    // 2.
    QStringList lines;
    if (type <= ExpEDisk && (!m_src.download || m_src.download(type, lines) != 0))
        return failed(ExportNoDownload);
    if (type == ExpLogger && m_src.loggerText)
        lines = textLines(m_src.loggerText());
    if (type == ExpCFile && m_src.cfileText)
        lines = textLines(m_src.cfileText());
    // Shot lines that give no shot: nothing is written, not even a new workbook.
    if ((type == ExpLogger || type == ExpCFile) && !hasShots(lines, type == ExpCFile)) {
        m_logPad.logPadWrite(QStringLiteral("There are no shots to export in the ")
                                 + (type == ExpLogger ? QStringLiteral("iLoger") : QStringLiteral("CFile")) + QStringLiteral(".")
                                 + (m_skipped > 0 ? QStringLiteral("  Lines Skipped = ") + QString::number(m_skipped) : QString()),
                             0, 1, 0);
        return ExportNoShots;
    }
    // 3.
    if (!m_link.linked) {
        if (const int r = m_link.connect(mode))
            return r;
    }
    // 4.
    m_link.exporting = true;
    wb::Workbook &book = *m_link.book();
    ShotSheetWriter &w = *m_link.writer();
    wb::Worksheet &ws = w.sheet(sheet);
    book.setActiveSheet(book.sheetIndex(ws.name()));
    QString setupError;
    if (m_options.fromSetupSheet
        && !readSetupSheetSwitches(*book.sheet(QString::fromLatin1(kSheetNames[kSetupSheet - 1])), &m_options, &setupError)) {
        m_link.exportEnded(sheet);
        m_logPad.logPadWrite(setupError, 0, 1, 1);
        return failed(ExportBadSetup);
    }
    // 5.
    const QString sourceName = type == ExpLogger ? QStringLiteral("iLoger") : ws.name();
    const QDateTime started = QDateTime::currentDateTime();
    m_logPad.logPadWrite(QStringLiteral("Exporting ") + sourceName + QStringLiteral(" Data and Formulas - ")
                             + QStringLiteral("  Date=") + LogPad::shortDate(started.date()) + QStringLiteral("  Time=")
                             + LogPad::longTime(started.time()),
                         1, 1, 0);
    m_progress.progressOpen(QStringLiteral("Excel is very slow..."), int(std::max<qsizetype>(lines.size(), 1)));
    // 6.
    const QString kind = QString::fromLatin1(kKinds[std::clamp(sourceKind, 0, 3)]);
    const QString model = m_src.chronoModel ? m_src.chronoModel() : QStringLiteral("RV5");
    const int counter = w.beginExport(sheet, QStringLiteral("Source Of This Data: ") + ws.name() + QStringLiteral(" from ") + model);
    int result = ExportOk;
    if (type <= ExpEDisk)
        result = writeListing(sheet, kind, counter, lines);
    else if (type == ExpLogger) {
        const bool listing = std::any_of(lines.cbegin(), lines.cend(), [](const QString &l) {
            return readMemoryLine(l).kind == MemoryLine::Header;
        });
        result = listing ? writeListing(sheet, kind, counter, lines) : writeShotLines(sheet, kind, counter, lines, false);
    } else
        result = writeShotLines(sheet, kind, counter, lines, true);
    if (result == ExportOk || result == ExportAborted)
        w.endExport(sheet, kind, counter, QDateTime::currentDateTime());
    applyVisibility(ws, sheet, m_options, m_link.identifierWidths(), w.nextRow(sheet));
    m_link.sheetChanged(sheet);
    m_link.exportEnded(sheet);
    const bool saved = m_link.save(); // after the window's repaint: a saved export is no change
    m_progress.progressClose();
    // 7.
    if (result != ExportOk) {
        if (result > 100)
            m_logPad.logPadWrite(QStringLiteral("Err(") + QString::number(result) + QStringLiteral(")->Shot records unreadable"), 0, 1, 1);
        return failed(result);
    }
    if (!saved) { // success is only said of rows that are on disk
        m_logPad.logPadWrite(m_link.lastError(), 0, 1, 1);
        return failed(ExportNotSaved);
    }
    const QString done = QStringLiteral("Data Exported to Excel Successfully...") + QStringLiteral("  Process Duration = ")
                         + duration(clock.elapsed())
                         + (m_skipped > 0 ? QStringLiteral("  Lines Skipped = ") + QString::number(m_skipped) : QString());
    if (m_link.savesHeld())
        m_heldSuccess = done; // nothing is on disk yet
    else
        m_logPad.logPadWrite(done, 0, 1, 0);
    if (m_options.showLogPad && m_src.showLogPad)
        m_src.showLogPad();
    return ExportOk;
}

int ExportDriver::writeListing(int sheet, const QString &kind, int counter, const QStringList &lines)
{
    ShotSheetWriter &w = *m_link.writer();
    qsizetype i = 0;
    // The next memory line (prompts and echoes between them are passed over).
    const auto next = [&](MemoryLine &m) {
        while (i < lines.size()) {
            m = readMemoryLine(lines[i++]);
            if (m.kind != MemoryLine::None)
                return true;
        }
        return false;
    };
    int strings = 0;
    MemoryLine m;
    while (strings < kMaxStrings) {
        if (!next(m) || m.kind == MemoryLine::ListingEnd) {
            if (strings == 0)
                return 101;
            break;
        }
        if (m.kind != MemoryLine::Header)
            return 101;
        if (m.size > kMaxStringShots)
            return 102;
        const MemoryLine head = m;
        w.beginBlock(sheet, {kind, counter, ShotSheetWriter::positionText(head.folder, head.string), head.shot});
        for (;;) {
            if (!next(m) || m.kind == MemoryLine::ListingEnd)
                return 104;
            if (m.kind == MemoryLine::StringEnd) {
                if (m.folder != head.folder || m.string != head.string)
                    return 104;
                break;
            }
            if (m.kind != MemoryLine::Shot || m.shot.shot > head.size || m.shot.shot < 1
                || (m.keyed && (m.shot.folder != head.folder || m.shot.string != head.string)))
                return 103;
            ShotRecord s = m.shot;
            s.folder = head.folder;
            s.string = head.string;
            if (!m.keyed) {
                s.velocityUnits = head.shot.velocityUnits;
                s.timeUnits = head.shot.timeUnits;
                s.temperatureUnits = head.shot.temperatureUnits;
            }
            w.writeShot(sheet, s);
            if (!step())
                return ExportAborted;
        }
        w.skipRow(sheet);
        ++strings;
    }
    return ExportOk;
}

int ExportDriver::writeShotLines(int sheet, const QString &kind, int counter, const QStringList &lines, bool captureOnly)
{
    ShotSheetWriter &w = *m_link.writer();
    int lastShot = 0;
    QString lastUnits;
    for (const QString &line : lines) {
        if ((captureOnly ? !line.contains(QLatin1String("CAP:")) : !line.contains(u'#')) || isLoadLine(line))
            continue;
        const std::optional<ShotRecord> shot = readShotLine(line);
        if (!shot) {
            ++m_skipped;
            continue;
        }
        // A shot number that does not go up starts the chronograph's next string.
        if (shot->shot <= lastShot || shot->velocityUnits != lastUnits || lastShot == 0) {
            if (lastShot != 0)
                w.skipRow(sheet);
            w.beginBlock(sheet, {kind, counter, QStringLiteral("Pause(") + QString::number(w.sequence) + u')', *shot});
        }
        lastShot = shot->shot;
        lastUnits = shot->velocityUnits;
        w.writeShot(sheet, *shot);
        if (!step())
            return ExportAborted;
    }
    if (lastShot != 0)
        w.skipRow(sheet);
    return ExportOk;
}

} // namespace zx::xls
