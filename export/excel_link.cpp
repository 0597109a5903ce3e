#include "export/excel_link.h"
#include "platform/crlf.h"

#include "cfile/file_chooser.h"
#include "export/export_template.h"
#include "export/new_book_place.h"
#include "platform/prompter.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_file.h"
#include "platform/save_file.h"
#include "workbook/xlsx_origin.h"

#include <QDateTime>
#include <QScopeGuard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace zx::xls {

namespace {

constexpr int kCaptureSheet = kLastShotSheet;

bool copyThroughSaveFile(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    return writeWholeFile(to, in.readAll());
}

// A template sheet brought into a workbook: cells, formats, widths and heights.
void copySheet(const wb::Worksheet &from, wb::Worksheet &to)
{
    for (int row = 1; row <= from.usedExtent().row; ++row)
        from.copyRowTo(row, to, row);
    for (int col = 1; col <= from.lastFormattedColumn(); ++col)
        to.setColumnWidth(col, from.columnWidth(col));
    to.setActiveCell(from.activeCell());
}

// The first name nameFor(1), nameFor(2), ... in dir that no file has.
QString firstFreeName(const QDir &dir, const std::function<QString(int)> &nameFor)
{
    for (int n = 1;; ++n)
        if (const QString path = dir.filePath(nameFor(n)); !QFileInfo::exists(path))
            return path;
}

bool isNumberCell(const wb::Worksheet &ws, wb::CellAddr a) { return wb::isNumber(ws.value(a.row, a.col)); }

} // namespace

bool prepareTemplateFiles(const ProgramFiles &files)
{
    QDir().mkpath(files.folder());
    const QString master = files.path(QString::fromLatin1(kMasterTemplateFile));
    if (!QFileInfo::exists(master) && !writeExportTemplate(master).ok)
        return false;
    for (const char *name : {kTemplateFile, kSecondTemplateFile}) {
        const QString path = files.path(QString::fromLatin1(name));
        if (!QFileInfo::exists(path) && !copyThroughSaveFile(master, path))
            return false;
    }
    return true;
}

ExcelLink::ExcelLink(Prompter &prompter, FileChooser &chooser, ProgramFiles files)
    : m_prompter(prompter), m_chooser(chooser), m_files(std::move(files))
{
}

ExcelLink::~ExcelLink() = default;

int ExcelLink::fail(int stage)
{
    linked = false;
    exporting = false;
    m_writer.reset();
    return stage;
}

int ExcelLink::abandon(int stage)
{
    // The workbook being prepared goes: nothing of a failed open stays to block the next.
    m_books.clear();
    m_template.reset();
    return fail(stage);
}

int ExcelLink::excOpen(int mode, const QString &callerTitle)
{
    // A save that fails while the workbook is made ready ends excOpen; its caller tells why.
    m_opening = true;
    const auto openingEnds = qScopeGuard([this] { m_opening = false; });
    // 1.
    exporting = true;
    m_lastError.clear();
    if (linked) {
        m_lastError = QStringLiteral("A workbook is linked already: ") + QFileInfo(bookPath()).fileName();
        exporting = false;
        return 9;
    }
    // 2. The program's own workbook is always there, of a version it knows, ready, and its
    // window reports to this link.
    connected = true;
    // 3.
    if (!prepareTemplateFiles(m_files)) {
        m_lastError = QStringLiteral("The template files cannot be made in ") + QDir::toNativeSeparators(m_files.folder());
        m_prompter.inform(callerTitle + kCrLf + QStringLiteral("Error creating Excle file name...!"));
        return fail(30);
    }
    // 4.
    OpenBook opened;
    if (mode != 1) {
        opened.book = std::make_unique<wb::Workbook>();
        const QString wanted = !m_newBookPath.isEmpty() || !hooks.newBookPath ? QString() : hooks.newBookPath();
        if (!wanted.isEmpty()) {
            // The free name is taken again at the first save: a file that appears meanwhile stays.
            opened.target = Target::NewFree;
            opened.source = wanted;
            opened.path = freeTargetPath(opened.target, wanted);
        } else {
            opened.path = m_newBookPath.isEmpty()
                              ? m_files.path(QStringLiteral("Book-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")) + QStringLiteral(".xlsx"))
                              : m_newBookPath;
        }
    } else if (const int stage = chooseOwnBook(opened)) {
        return fail(stage);
    }
    m_books.push_back(std::move(opened));
    // 5.
    if (m_books.size() >= 2) {
        m_books.pop_back();
        m_lastError = QStringLiteral("Another workbook is open.");
        return fail(13);
    }
    wb::Workbook &book = *m_books.front().book;
    // 6.
    if (const int stage = prepare(book, mode != 1))
        return abandon(stage);
    // Live rows a crash kept from this very workbook go back onto its Capture sheet.
    const int recovered = mode == 1 && m_books.front().target == Target::InPlace ? replayJournal() : 0;
    // 7.
    if (mode != 1) {
        wb::Worksheet &first = book.sheet(0);
        first.setValue(1, 1, QStringLiteral("Help"));
        // A file URL (forward slashes, "file:///") opens on every system and in every program.
        first.setHyperlink(1, 1, QUrl::fromLocalFile(QFileInfo(m_files.path(QString::fromLatin1(kHelpPageFile))).absoluteFilePath()).toString());
    }
    // 8.
    for (const char *name : kSheetNames)
        if (!book.sheet(QString::fromLatin1(name))) {
            m_lastError = QStringLiteral("The workbook has no sheet \"%1\".").arg(QString::fromLatin1(name));
            return abandon(90);
        }
    if (!save())
        return abandon(90);
    linked = true;
    exporting = false;
    if (recovered > 0)
        m_prompter.inform(QStringLiteral("Zentrix ended before %1 captured shot%2 could be saved in %3.")
                              .arg(recovered)
                              .arg(recovered == 1 ? QString() : QStringLiteral("s"), QFileInfo(bookPath()).fileName())
                          + kCrLf + QStringLiteral("They have been recovered and added to its Capture sheet."));
    if (m_view)
        m_view->showWorkbook(book, bookPath(), this);
    if (hooks.refreshMain)
        hooks.refreshMain();
    return 0;
}

QString ExcelLink::freeTargetPath(Target target, const QString &source)
{
    const QFileInfo from(source);
    if (target == Target::NewFree)
        return freeBookPath(source);
    if (target == Target::Reserved)
        return firstFreeName(from.dir(), [](int n) { return QStringLiteral("CBook%1.xlsx").arg(n); });
    return copyBesidePath(source);
}

QString copyBesidePath(const QString &source)
{
    const QFileInfo from(source);
    const QString stem = from.completeBaseName() + QStringLiteral(" Zentrix");
    return firstFreeName(from.dir(), [&stem](int n) {
        return n == 1 ? stem + QStringLiteral(".xlsx") : stem + u' ' + QString::number(n) + QStringLiteral(".xlsx");
    });
}

int ExcelLink::chooseOwnBook(OpenBook &out)
{
    const QString reserved = QString::fromLatin1(kTemplateFile);
    QString path;
    bool rename = false;
    for (;;) {
        QStringList chosen{m_ownBookPath};
        if (m_ownBookPath.isEmpty()) {
            if (hooks.progressVisible)
                hooks.progressVisible(false);
            chosen = m_chooser.openFiles(QStringLiteral("Open"), QStringLiteral("CBoox files (*.xlsx)|*.xlsx|"), false);
            if (hooks.progressVisible)
                hooks.progressVisible(true);
        }
        if (chosen.isEmpty() || chosen.front().isEmpty())
            return 12;
        path = chosen.front();
        if (QFileInfo(path).fileName().compare(reserved, Qt::CaseInsensitive) != 0)
            break;
        // The copy takes the first CBookN name no file has: an earlier session's is kept.
        const QString renamed = QFileInfo(freeTargetPath(Target::Reserved, path)).fileName();
        const QString text = QStringLiteral("File name  ") + reserved + QStringLiteral("  is reserved for Excel Templates.") + kCrLf
                             + QStringLiteral("This name can not be used for your own work because of conflict.") + kCrLf
                             + QStringLiteral("You must choose another file, rename this one, or let zentrix fix it.  ") + kCrLf
                             + QStringLiteral("To resolve this conflict  ") + reserved + QStringLiteral("  file will be renamed to") + kCrLf
                             + QStringLiteral("\t\t") + renamed + kCrLf + kCrLf + QStringLiteral("Do you want to rename  ") + reserved
                             + QStringLiteral("  file to ") + renamed + QStringLiteral("  ?");
        const MsgAnswer a = m_prompter.ask(text, MsgButtons::YesNoCancel, 3);
        if (a == MsgAnswer::Cancel)
            return 12;
        if (a == MsgAnswer::Yes) {
            rename = true;
            break;
        }
        if (!m_ownBookPath.isEmpty())
            return 12; // no other file to choose
    }
    QString error;
    out.book = wb::readXlsx(path, &error);
    if (!out.book) {
        m_lastError = error;
        return 12;
    }
    out.path = path;
    // Nothing is written yet: the first save (excOpen's last step) makes the copy, so a failure
    // before it leaves no file behind.
    if (rename)
        out.target = Target::Reserved;
    else if (!wb::writtenByThisProgram(path))
        out.target = Target::CopyBeside;
    if (out.target != Target::InPlace) {
        out.source = path;
        out.path = freeTargetPath(out.target, path);
    }
    return 0;
}

int ExcelLink::prepare(wb::Workbook &book, bool newBook)
{
    // The sheets are brought in from the template the program builds (the .xlsx reader keeps
    // no cell formats), with what the user changed in the template file laid over it.
    std::unique_ptr<wb::Workbook> file = readTemplateFile();
    if (!file)
        return 40;
    m_template = buildExportTemplate();
    applyTemplateEdits(*file, *m_template);
    int step = 0;
    for (const char *name : kSheetNames) {
        ++step;
        const QString sheetName = QString::fromLatin1(name);
        const wb::Worksheet *from = m_template->sheet(sheetName);
        if (!from) {
            m_lastError = QStringLiteral("The template has no sheet \"%1\".").arg(sheetName);
            return 40 + step;
        }
        if (!book.sheet(sheetName))
            copySheet(*from, book.addSheet(sheetName));
    }
    // The template measures: the identifier columns get their width back when shown again.
    const wb::Worksheet &shots = *m_template->sheet(QString::fromLatin1(kSheetNames[0]));
    if (shots.columnWidth(2) <= 0 || shots.columnWidth(3) <= 0) {
        m_lastError = QStringLiteral("The template's columns B and C have no width.");
        return 60;
    }
    m_widths = {shots.columnWidth(2), shots.columnWidth(3)};
    const wb::Worksheet &setup = *book.sheet(QString::fromLatin1(kSheetNames[kSetupSheet - 1]));
    int stage = 70;
    for (const wb::CellAddr a : {kGrainsToGramsCell, kGramsToGrainsCell, kFeetToMetresCell}) {
        if (!isNumberCell(setup, a)) {
            const wb::CellValue v = setup.value(a.row, a.col);
            m_lastError = QStringLiteral("Cell %1 of the \"%2\" sheet %3; the export's formulas need a number there.")
                              .arg(wb::cellName(a.row, a.col), setup.name(),
                                   wb::isEmpty(v) ? QStringLiteral("is empty")
                                                  : QStringLiteral("holds \"%1\"").arg(wb::displayText(v)));
            return stage;
        }
        ++stage;
    }
    m_writer = std::make_unique<ShotSheetWriter>(book, *m_template);
    m_writer->blockGrains = [this] { return hooks.bulletGrains ? hooks.bulletGrains() : 0.0; };
    if (newBook)
        book.setActiveSheet(0);
    return 0;
}

std::unique_ptr<wb::Workbook> ExcelLink::readTemplateFile()
{
    const QString path = m_files.path(QString::fromLatin1(kTemplateFile));
    QString error;
    if (auto file = wb::readXlsx(path, &error))
        return file;
    // Made again from the program's own template; the broken file is kept beside it.
    const QFileInfo info(path);
    const QString kept = firstFreeName(info.dir(), [&info](int n) {
        return info.completeBaseName() + (n == 1 ? QStringLiteral(" broken.xlsx") : QStringLiteral(" broken %1.xlsx").arg(n));
    });
    if (!QFile::rename(path, kept) || !copyThroughSaveFile(m_files.path(QString::fromLatin1(kMasterTemplateFile)), path)) {
        m_lastError = error;
        return nullptr;
    }
    QString again;
    auto file = wb::readXlsx(path, &again);
    if (!file) {
        m_lastError = again;
        return nullptr;
    }
    m_prompter.inform(error + kCrLf + QStringLiteral("The template ") + info.fileName()
                          + QStringLiteral(" has been made again from Zentrix's own; the broken file is kept as ")
                          + QFileInfo(kept).fileName() + u'.',
                      {}, MsgIcon::Exclamation);
    return file;
}

void ExcelLink::applyTemplateEdits(const wb::Workbook &file, wb::Workbook &templ)
{
    for (const char *name : kSheetNames) {
        const QString sheetName = QString::fromLatin1(name);
        const int at = file.sheetIndex(sheetName);
        wb::Worksheet *to = templ.sheet(sheetName);
        if (at < 0 || !to)
            continue;
        const wb::Worksheet *from = &file.sheet(at);
        for (int col = 1; col <= from->lastFormattedColumn(); ++col)
            if (from->columnWidth(col) > 0)
                to->setColumnWidth(col, from->columnWidth(col));
        for (int row = 1; row <= std::min(from->lastFormattedRow(), kFirstShotRow); ++row)
            if (from->rowHeight(row) > 0)
                to->setRowHeight(row, from->rowHeight(row));
    }
    // The conversion constants the formulas read.
    const QString setup = QString::fromLatin1(kSheetNames[kSetupSheet - 1]);
    if (const int at = file.sheetIndex(setup); at >= 0)
        for (const wb::CellAddr a : {kGrainsToGramsCell, kGramsToGrainsCell, kFeetToMetresCell})
            if (isNumberCell(file.sheet(at), a))
                templ.sheet(setup)->setValue(a.row, a.col, file.sheet(at).value(a.row, a.col));
}

int ExcelLink::connect(int mode)
{
    const int stage = excOpen(mode);
    if (stage == 0)
        return 0;
    // The stage's cause on the lines below (none for a cancelled file choice).
    m_prompter.inform(QStringLiteral("Zentrix to Excel Connection Failed...!") + (m_lastError.isEmpty() ? QString() : kCrLf + m_lastError),
                      {}, MsgIcon::Exclamation);
    return 1000 + stage;
}

bool ExcelLink::save()
{
    if (!book())
        return false;
    if (m_holdSaves)
        return true;
    OpenBook &b = m_books.front();
    if (b.target != Target::InPlace && !b.written)
        b.path = freeTargetPath(b.target, b.source); // a file that appeared since is never replaced
    const wb::XlsxResult r = wb::writeXlsx(*b.book, b.path);
    m_lastError = r.error;
    if (!r.ok) { // every caller's failed save reaches the user: the old file is kept, the new rows are not on disk
        if (!m_opening)
            m_prompter.inform(r.error, {}, MsgIcon::Exclamation);
        return false;
    }
    m_journal.clear(b.path);
    if (m_view && linked)
        m_view->bookSaved(b.path);
    if (b.target == Target::CopyBeside && !b.written)
        m_prompter.inform(QFileInfo(b.source).fileName() + QStringLiteral(" was made by another program: Zentrix leaves it as it is.")
                          + kCrLf + QStringLiteral("Its sheets and the export sheets are saved in the copy") + kCrLf
                          + QStringLiteral("\t") + QFileInfo(b.path).fileName() + kCrLf
                          + QStringLiteral("in the same folder. Open the copy to go on with it."));
    if (b.target == Target::NewFree && !b.written && hooks.newBookSaved)
        hooks.newBookSaved(b.path);
    b.written = true;
    return true;
}

void ExcelLink::sheetChanged(int sheet)
{
    // By name: a user's workbook may have sheets of its own before the export sheets.
    if (m_view && linked && m_writer)
        m_view->cellsChanged(book()->sheetIndex(m_writer->sheet(sheet).name()));
}

void ExcelLink::writeLinkStatus(const QString &text)
{
    wb::Worksheet &ws = m_writer->sheet(kCaptureSheet);
    ws.setValue(kLinkStatusCell.row, kLinkStatusCell.col, text);
    wb::CellFormat f;
    f.fontSize = 10;
    f.bold = true;
    f.colorIndex = text == u"Link On" ? 10 : 3;
    f.align = wb::HAlign::Left;
    ws.setFormat(kLinkStatusCell.row, kLinkStatusCell.col, f);
    ws.setActiveCell(kLinkStatusCell);
    book()->setActiveSheet(book()->sheetIndex(ws.name()));
    sheetChanged(kCaptureSheet);
}

void ExcelLink::beginCapture()
{
    ShotSheetWriter &w = *m_writer;
    w.sequence = 0;
    const QString model = hooks.chronoModel ? hooks.chronoModel() : QStringLiteral("RV5");
    m_captureCounter = w.beginExport(kCaptureSheet, QStringLiteral("Source Of This Data: ") + QString::fromLatin1(kSheetNames[kCaptureSheet - 1])
                                                        + QStringLiteral(" from ") + model);
    w.beginBlock(kCaptureSheet, {QStringLiteral("CAP"), m_captureCounter, QStringLiteral("Pause(0)"), ShotRecord{}});
    // These begin rows show the default units until the first shot: it begins the block again
    // in its own units (a metric chronograph's first block is in grams).
    newBlockRequest = true;
}

void ExcelLink::linkOn()
{
    if (exporting)
        return;
    if (!linked && connect(3) != 0)
        return;
    if (exporting || !linked)
        return;
    beginCapture();
    liveLink = true;
    liveSkipped = 0;
    m_journalFailTold = false;
    if (hooks.liveQueue)
        hooks.liveQueue(true);
    writeLinkStatus(QStringLiteral("Link On"));
    save();
    if (hooks.chronoWarnings && hooks.chronoWarnings() && !(hooks.chronoReady && hooks.chronoReady())
        && m_prompter.ask(QStringLiteral("Calibrate Chronograph Now?"), MsgButtons::YesNo, 2) == MsgAnswer::Yes
        && hooks.calibrate)
        hooks.calibrate();
    if (hooks.refreshMain)
        hooks.refreshMain();
}

void ExcelLink::linkOff()
{
    if (exporting || !linked)
        return;
    if (hooks.recordingShots && hooks.recordingShots()) {
        const QString text = QStringLiteral("Excel can not be Unlinked while Chronograph") + kCrLf
                             + QStringLiteral("sensors are still on, this may cause loss of data.") + kCrLf
                             + QStringLiteral("You must first turn sensors off - click on <Stop>.") + kCrLf + kCrLf
                             + QStringLiteral("Do you want to Unlink Excel anyway.?");
        if (m_prompter.ask(text, MsgButtons::YesNo, 2) != MsgAnswer::Yes)
            return;
    }
    writeLinkStatus(QStringLiteral("Link Off"));
    liveLink = false;
    if (hooks.liveQueue)
        hooks.liveQueue(false);
    save();
    if (hooks.refreshMain)
        hooks.refreshMain();
}

void ExcelLink::applyShot(const ShotRecord &shot)
{
    ShotSheetWriter &w = *m_writer;
    if (newBlockRequest) {
        if (w.blockHasNoShots(kCaptureSheet))
            w.reopenEmptyBlock(kCaptureSheet);
        else
            w.skipRow(kCaptureSheet);
        w.beginBlock(kCaptureSheet, {QStringLiteral("CAP"), m_captureCounter,
                                     QStringLiteral("Pause(") + QString::number(w.sequence) + u')', shot});
        newBlockRequest = false;
    }
    w.writeShot(kCaptureSheet, shot, true);
}

void ExcelLink::journal(const BookJournal::Entry &e)
{
    const ShotSheetWriter &w = *m_writer;
    if (m_journal.append(bookPath(), {w.sequence, m_captureCounter, w.nextRow(kCaptureSheet), w.blockInGrams(kCaptureSheet)}, e)
        || m_journalFailTold)
        return;
    m_journalFailTold = true; // once a link: the capture goes on
    m_prompter.inform(QStringLiteral("The capture journal cannot be written:") + kCrLf + m_journal.error() + kCrLf
                          + QStringLiteral("Captured rows reach the workbook only at each new block and when the link ends."),
                      {}, MsgIcon::Exclamation);
}

void ExcelLink::captureLine(const QString &line)
{
    if (!liveLink || !linked || !m_writer)
        return;
    if (exporting) {
        m_waiting.append(line);
        return;
    }
    const std::optional<ShotRecord> shot = readShotLine(line);
    if (!shot) {
        ++liveSkipped;
        return;
    }
    if (newBlockRequest) {
        if (!m_writer->blockHasNoShots(kCaptureSheet))
            save(); // the finished block is on disk before the next one starts
        journal({true, {}});
    }
    journal({false, line});
    applyShot(*shot);
    sheetChanged(kCaptureSheet);
}

void ExcelLink::exportEnded(int sheet)
{
    exporting = false;
    if (!liveLink || !linked)
        return;
    if (sheet == kCaptureSheet)
        newBlockRequest = true;
    const QStringList waiting = std::exchange(m_waiting, {});
    for (const QString &line : waiting)
        captureLine(line);
}

int ExcelLink::replayJournal()
{
    const std::optional<BookJournal::Contents> c = BookJournal::read(BookJournal::pathFor(bookPath()));
    if (!c)
        return 0;
    ShotSheetWriter &w = *m_writer;
    w.sequence = c->at.sequence;
    m_captureCounter = c->at.counter;
    w.resumeAt(kCaptureSheet, c->at.nextRow, c->at.grams);
    int shots = 0;
    for (const BookJournal::Entry &e : c->entries) {
        if (e.newBlock) {
            newBlockRequest = true;
        } else if (const std::optional<ShotRecord> shot = readShotLine(e.line)) {
            applyShot(*shot);
            ++shots;
        }
    }
    newBlockRequest = false;
    return shots;
}

void ExcelLink::dropBooks()
{
    closingByProgram = true;
    if (m_view && !m_books.empty())
        m_view->closeByProgram();
    m_books.clear();
    m_writer.reset();
    m_journal.close();
    m_waiting.clear();
    closingByProgram = false;
    linked = false;
    if (liveLink && hooks.liveQueue)
        hooks.liveQueue(false);
    liveLink = false;
}

bool ExcelLink::closeWorkbook()
{
    if (!linked)
        return false;
    save();
    dropBooks();
    if (hooks.refreshMain)
        hooks.refreshMain();
    return true;
}

void ExcelLink::release()
{
    if (!connected)
        return;
    connected = false;
    if (linked)
        save();
    dropBooks();
}

void ExcelLink::workbookSaved(const QString &filePath)
{
    if (m_books.empty())
        return;
    OpenBook &b = m_books.front();
    m_journal.clear(b.path); // what it held is in the file written now
    if (filePath == b.path)
        return;
    // Save As: the link writes to the new file from now on; it is the program's own.
    b.path = filePath;
    b.source.clear();
    b.target = Target::InPlace;
    b.written = true;
}

bool ExcelLink::sheetBeforeDoubleClick(const QString &sheetName, int, int)
{
    if (!sheetName.contains(QLatin1String("Capture")))
        return false;
    if (hooks.mainWindow)
        hooks.mainWindow(true);
    if (m_prompter.ask(QStringLiteral("Start New Statistics Block?"), MsgButtons::YesNo, 2) == MsgAnswer::Yes)
        newBlockRequest = true;
    return true;
}

void ExcelLink::workbookBeforeClose(const QString &bookName)
{
    if (closingByProgram || m_books.empty() || bookName != QFileInfo(bookPath()).fileName())
        return;
    if (hooks.mainWindow)
        hooks.mainWindow(false);
    if (hooks.postNote)
        hooks.postNote(10);
    // The window's question saved the changes or the user let them go: either way no journal
    // may bring them back.
    m_journal.clear(bookPath());
    m_books.clear();
    m_writer.reset();
    m_journal.close();
    linked = false;
    if (liveLink && hooks.liveQueue)
        hooks.liveQueue(false);
    liveLink = false;
    if (hooks.refreshMain)
        hooks.refreshMain();
}

} // namespace zx::xls
