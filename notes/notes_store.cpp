#include "notes/notes_store.h"
#include "platform/crlf.h"

#include "platform/prompter.h"
#include "platform/save_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace zx {

namespace {

// After a header's ID: the note was added by the user although its fourth number is 0.
const QString kUserMark = QStringLiteral("User");

// The leading whole number of a piece, as the old files were read ("07", " 3", "12abc");
// nothing numeric reads as 0.
int leadingNumber(const QString &piece, bool *ok)
{
    const QString t = piece.trimmed();
    int i = 0;
    while (i < t.size() && t[i].isDigit())
        ++i;
    *ok = (i > 0 || t.isEmpty()) && i <= 2;   // three digits cannot be 0-99
    return i == 0 ? 0 : t.left(i).toInt();
}

// A header holds "<_" at p and a "_>" found from the third character on, beyond p + 2
// (1-based): "<__>" is not one. tail gets what follows the "_>".
std::optional<QString> headerId(const QString &line, QString *tail)
{
    const qsizetype p = line.indexOf(QLatin1String("<_"));
    const qsizetype q = line.indexOf(QLatin1String("_>"), 2);
    if (p < 0 || q < 0 || q + 1 <= p + 3)
        return std::nullopt;
    *tail = line.mid(q + 2);
    return line.mid(p + 2, q - p - 2);
}

bool isReferenceLine(const QString &line)
{
    const qsizetype a = line.indexOf(QLatin1String("<:"));
    return a >= 0 && line.indexOf(QLatin1String(":>"), a + 2) >= 0;
}

bool looksLikeHeader(const QString &line)
{
    return line.contains(QLatin1String("<_")) || line.indexOf(QLatin1String("_>"), 2) >= 0;
}

// Typed paragraphs become lines the reader accepts: at most kMaxLine characters, broken
// at the last blank that fits.
QString fitLines(const QString &body, int maxLine)
{
    QStringList out;
    for (QString line : body.split(QLatin1Char('\n'))) {
        while (line.size() > maxLine) {
            qsizetype cut = line.lastIndexOf(QLatin1Char(' '), maxLine);
            if (cut <= 0)
                cut = maxLine;
            out << line.left(cut);
            line = line.mid(cut).trimmed();
        }
        out << line;
    }
    return out.join(QLatin1Char('\n'));
}

// Writes bytes to path through a temporary file renamed over it once complete; "" or the
// system's reason, path untouched on failure.
QString writeWhole(const QString &path, const QByteArray &bytes)
{
    QString error;
    return writeWholeFile(path, bytes, &error) ? QString() : error;
}

} // namespace

QString NoteId::key() const
{
    QString k;
    for (int v : n)
        k += QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
    return k;
}

QString NoteId::dotted() const
{
    return QStringLiteral("%1.%2.%3.%4").arg(n[0]).arg(n[1]).arg(n[2]).arg(n[3]);
}

QString NoteId::kind() const
{
    return isUser() ? QStringLiteral("User") : QStringLiteral("System");
}

std::optional<NoteId> NoteId::parse(const QString &dotted)
{
    const qsizetype d1 = dotted.indexOf(QLatin1Char('.'));
    const qsizetype d2 = d1 < 0 ? -1 : dotted.indexOf(QLatin1Char('.'), d1 + 1);
    const qsizetype d3 = d2 < 0 ? -1 : dotted.indexOf(QLatin1Char('.'), d2 + 1);
    if (d3 < 0)
        return std::nullopt;
    const QString pieces[4] = {dotted.left(d1), dotted.mid(d1 + 1, d2 - d1 - 1), dotted.mid(d2 + 1, d3 - d2 - 1),
                               dotted.mid(d3 + 1)};
    NoteId id;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        id.n[i] = leadingNumber(pieces[i], &ok);
        if (!ok)
            return std::nullopt;
    }
    return id;
}

QString Note::kind() const
{
    return isUser() ? QStringLiteral("User") : QStringLiteral("System");
}

QString Note::reference() const
{
    const qsizetype a = refLine.indexOf(QLatin1String("<:"));
    const qsizetype b = a < 0 ? -1 : refLine.indexOf(QLatin1String(":>"), a + 2);
    return b < 0 ? QString() : refLine.mid(a + 2, b - a - 2);
}

QString Note::refLineOf(const QString &reference)
{
    return QStringLiteral("<:") + reference + QStringLiteral(":>");
}

bool NotesStore::askContinue(FormatError kind, int lineNumber, const QString &line)
{
    QString invalid;
    switch (kind) {
    case FormatError::SectionId:
        invalid = QStringLiteral("Section ID Numbers - format example: <_nn.nn.nn.nn_>");
        break;
    case FormatError::ReferenceLine:
        invalid = QStringLiteral("Reference Line - format example: <:your refence text:>");
        break;
    case FormatError::LineSize:
        invalid = QStringLiteral("Input Line Size - maximum allowed (%1) characters.").arg(kMaxLine);
        break;
    }
    const QStringList lines{QStringLiteral("Format Error on Line Number (%1)  ").arg(lineNumber),
                            QStringLiteral("Invalid ") + invalid,
                            QStringLiteral("Input Was: ''") + line + QStringLiteral("''"),
                            QStringLiteral("Number of valid sections added: (%1)").arg(count()),
                            QStringLiteral("Continue Anyway..?")};
    return m_prompter.ask(joinLines(lines), MsgButtons::YesNo, 2) == MsgAnswer::Yes;
}

// Adds in key order. A second section with a key already read is kept under the next free
// number of its section (fourth level), so that saving does not drop it; the user is told and
// decides, like a format error, whether loading goes on (No sets *stop).
bool NotesStore::insertLoaded(Note note, int lineNumber, const QString &line, bool *stop)
{
    const NoteId read = note.id;
    if (indexOf(read) > 0) {
        note.id = freeUserId(read);
        const bool kept = note.id != read;
        const QStringList lines{QStringLiteral("Section {") + read.dotted() + QStringLiteral("} Already Exists..!"),
                                QStringLiteral("Format Error on Line Number (%1)  ").arg(lineNumber),
                                QStringLiteral("Input Was: ''") + line + QStringLiteral("''"),
                                kept ? QStringLiteral("It was kept as User iNote {") + note.id.dotted() + QStringLiteral("}.")
                                     : QStringLiteral("No free section ID left: saving the iNotes will leave it out."),
                                QStringLiteral("Number of valid sections added: (%1)").arg(count() + (kept ? 1 : 0)),
                                QStringLiteral("Continue Anyway..?")};
        if (kept) {
            insertSorted(note);
            m_renumbered = true;
        }
        *stop = m_prompter.ask(joinLines(lines), MsgButtons::YesNo, 2) != MsgAnswer::Yes;
        return kept;
    }
    return insertSorted(note);
}

// The first number of the section's fourth level after id's own (then before it) that no
// note holds; id itself when all 99 are taken.
NoteId NotesStore::freeUserId(const NoteId &id) const
{
    NoteId free = id;
    for (int step = 1; step < kMaxNumber + 1; ++step) {
        free.n[3] = (id.n[3] + step - 1) % kMaxNumber + 1;
        if (indexOf(free) == 0)
            return free;
    }
    return id;
}

bool NotesStore::insertSorted(const Note &note)
{
    const QString key = note.id.key();
    const auto at = std::lower_bound(m_notes.begin(), m_notes.end(), key,
                                     [](const Note &x, const QString &k) { return x.id.key() < k; });
    if (at != m_notes.end() && at->id.key() == key)
        return false;
    m_notes.insert(at, note);
    return true;
}

bool NotesStore::load(const QString &path)
{
    m_notes.clear();
    m_current = 0;
    m_changed = false;
    m_renumbered = false;
    m_path = path;
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        const QFileInfo fi(path);
        MsgRequest r;
        r.title = QStringLiteral("Error - iNotes file missing");
        r.text = joinLines({QStringLiteral("Help iNotes file is mising..."), QString(), QStringLiteral("Missing File Name,"),
                            fi.fileName(), QStringLiteral("Directory Location,"), QDir::toNativeSeparators(fi.absolutePath()),
                            QString(), QStringLiteral("Please contact Zentrix support (support@zentrix.example)"),
                            QStringLiteral("or try to find the missing file."),
                            QStringLiteral("You can always download a new copy of this software")});
        r.icon = MsgIcon::Exclamation;
        r.foreground = true;
        m_prompter.show(r);
        return false;
    }
    const DecodedText decoded = PlainTextCodec::decode(file.readAll());
    m_format = decoded.format;
    QStringList lines = decoded.text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();   // the file's last line break

    std::optional<Note> open;
    bool expectRef = false;
    NoteId headerIdRead;
    bool headerUser = false;
    int openedAt = 0;
    QString openedBy;
    bool stop = false;
    const auto closeOpen = [&] {
        if (open)
            insertLoaded(*open, openedAt, openedBy, &stop);
        open.reset();
    };
    for (int i = 0; i < lines.size() && !stop; ++i) {
        const QString &line = lines[i];
        const int number = i + 1;
        if (line.size() > kMaxLine) {
            stop = !askContinue(FormatError::LineSize, number, line);
            expectRef = false;
            continue;
        }
        QString tail;
        const auto idText = headerId(line, &tail);
        if (expectRef && idText) {   // a header cannot stand for the reference line of the one before
            expectRef = false;
            stop = !askContinue(FormatError::ReferenceLine, number, line);
            continue;
        }
        if (idText) {
            closeOpen();
            if (stop)
                break;
            const auto id = NoteId::parse(*idText);
            expectRef = id.has_value();
            if (!id) {
                stop = !askContinue(FormatError::SectionId, number, line);
                continue;
            }
            headerIdRead = *id;
            headerUser = tail.trimmed().compare(kUserMark, Qt::CaseInsensitive) == 0;
            openedAt = number;
            openedBy = line;
            continue;
        }
        if (expectRef) {
            expectRef = false;
            if (isReferenceLine(line))
                open = Note{headerIdRead, line, {}, headerUser && !headerIdRead.isUser()};
            else
                stop = !askContinue(FormatError::ReferenceLine, number, line);
            continue;
        }
        if (looksLikeHeader(line)) {
            stop = !askContinue(FormatError::SectionId, number, line);
            continue;
        }
        if (!open)
            continue;   // before the first section, or after one that was cut
        open->body += line + kCrLf;
        if (open->body.size() > kMaxBody) {
            open->body.truncate(kMaxBody);
            closeOpen();
            MsgRequest r;   // in front of the splash and the iNotes window, as the format errors are
            r.text = joinLines(
                {QStringLiteral("Errot at line number (%1) - Text is  to long...!").arg(number),
                 QStringLiteral("A Section size can not exceed %1 characters per section,").arg(kMaxBody),
                 QStringLiteral("this includes Carriage-Returns and Line-Feeds"),
                 QStringLiteral("To reduce memory usage - text was truncated to %1 characters per section.").arg(kMaxBody)});
            r.foreground = true;
            m_prompter.show(r);
        }
    }
    if (!stop)
        closeOpen();
    m_current = count();
    m_changed = m_renumbered;   // the file no longer matches the set: the close question offers the save
    return true;
}

// The notes file as it is, copied to the next free numbered name: zentnots001.ini and on, past
// 999 as far as it takes. "" or what failed and why.
QString NotesStore::writeBackup()
{
    if (!QFileInfo::exists(m_path))
        return {};
    const QFileInfo fi(m_path);
    const QString stem = fi.fileName().left(fi.fileName().size() - 4);
    const QString ext = fi.fileName().right(3);
    QString name;
    do {
        ++m_backupCounter;
        name = fi.dir().filePath(stem + QStringLiteral("%1.").arg(m_backupCounter, 3, 10, QLatin1Char('0')) + ext);
    } while (QFileInfo::exists(name));
    QFile in(m_path);
    if (!in.open(QIODevice::ReadOnly))
        return QDir::toNativeSeparators(m_path) + QStringLiteral(" - ") + in.errorString();
    const QString why = writeWhole(name, in.readAll());
    return why.isEmpty() ? QString() : QStringLiteral("Backup ") + QDir::toNativeSeparators(name) + QStringLiteral(" - ") + why;
}

// The whole set into path: a temporary file beside it that replaces path only once it is
// completely written. "" or the system's reason; on failure path is as it was.
QString NotesStore::writeSet(const QString &path) const
{
    QString text;
    for (const Note &n : m_notes) {
        const QString mark = n.added && !n.id.isUser() ? QStringLiteral(" ") + kUserMark : QString();
        text += QStringLiteral("<_") + n.id.dotted() + QStringLiteral("_>") + mark + kCrLf + n.refLine + kCrLf + n.body;
    }
    PlainTextFormat format = m_format;
    format.crlf = true;
    return writeWhole(path, PlainTextCodec::encode(text.replace(kCrLf, QStringLiteral("\n")), format));
}

bool NotesStore::save()
{
    return saveTo(m_backups);
}

bool NotesStore::saveTo(bool backup)
{
    QString why;
    const QFileInfo fi(m_path);
    if (m_path.isEmpty())
        why = QStringLiteral("No iNotes file name.");
    else if (fi.exists() && !fi.isWritable())   // renaming over it would succeed where the user said no
        why = QStringLiteral("The file is read-only.");
    else if (backup)
        why = writeBackup();
    if (why.isEmpty())
        why = writeSet(m_path);
    if (!why.isEmpty()) {
        m_prompter.inform(joinLines({QStringLiteral("Error in saving iNotes file...!"), QDir::toNativeSeparators(m_path), why}),
                          {}, MsgIcon::Critical);
        return false;
    }
    m_changed = false;
    return true;
}

QString NotesStore::recoveryPath() const
{
    if (m_path.isEmpty())
        return {};
    const QFileInfo fi(m_path);
    const QString suffix = fi.suffix().isEmpty() ? QString() : QStringLiteral(".") + fi.suffix();
    return fi.dir().filePath(fi.completeBaseName() + QStringLiteral("-recovered") + suffix);
}

QString NotesStore::saveRecovery() const
{
    const QString path = recoveryPath();
    if (path.isEmpty())
        return QStringLiteral("No iNotes file name.");
    const QString why = writeSet(path);
    return why.isEmpty() ? QString() : QDir::toNativeSeparators(path) + QStringLiteral(" - ") + why;
}

void NotesStore::offerRecovery()
{
    const QString recovered = recoveryPath();
    if (recovered.isEmpty() || !QFileInfo(recovered).isFile())
        return;
    const QStringList lines{QStringLiteral("iNotes were not saved when the program was last ended!"),
                            QStringLiteral("Your changes were kept in:"), QDir::toNativeSeparators(recovered), QString(),
                            QStringLiteral("Yes - use the recovered iNotes (your iNotes file is backed up first)"),
                            QStringLiteral("No - discard the recovered iNotes"), QString(),
                            QStringLiteral("Restore Recovered iNotes ?")};
    if (m_prompter.ask(joinLines(lines), MsgButtons::YesNo, 1, {}, MsgIcon::Question) != MsgAnswer::Yes) {
        QFile::remove(recovered);
        return;
    }
    const QString notesFile = m_path;
    const bool loaded = load(recovered);
    m_path = notesFile;
    if (!loaded) {   // could not be read after all: the notes file as before, the copy left alone
        load(notesFile);
        return;
    }
    m_changed = true;
    if (saveTo(true))   // always a backup: the notes file's old text stays at hand
        QFile::remove(recovered);
}

const Note *NotesStore::currentNote() const
{
    return m_current >= 1 && m_current <= count() ? &m_notes[m_current - 1] : nullptr;
}

int NotesStore::indexOf(const NoteId &id) const
{
    for (int i = 0; i < count(); ++i)
        if (m_notes[i].id == id)
            return i + 1;
    return 0;
}

bool NotesStore::show(const NoteId &id)
{
    const int at = indexOf(id);
    m_current = at > 0 ? at : (count() > 0 ? 1 : 0);
    return at > 0;
}

void NotesStore::movePrevious()
{
    if (m_current <= 1)
        m_prompter.inform(QStringLiteral("Top Reached - Nowhere To Go...!"));
    else
        --m_current;
}

void NotesStore::moveNext()
{
    if (m_current >= count())
        m_prompter.inform(QStringLiteral("Bottom Reached - Nowhere To Go...!"));
    else
        ++m_current;
}

bool NotesStore::add(int level)
{
    const Note *cur = currentNote();
    NoteId id = cur ? cur->id : NoteId{};
    const int at = std::clamp(level, 1, 4) - 1;
    if (id.n[at] >= kMaxNumber) {
        m_prompter.inform(joinLines({QStringLiteral("You have to many iNotes already...!"),
                                     QStringLiteral("Only 99 iNotes per section are allowed."),
                                     QStringLiteral("Your current section is {") + id.dotted() + QStringLiteral("}")}));
        return false;
    }
    ++id.n[at];
    for (int i = at + 1; i < 4; ++i)
        id.n[i] = 0;
    // Every note added here is the user's, whatever the level.
    Note note{id, {}, {}, !id.isUser()};
    const QString kind = note.kind();
    note.refLine = Note::refLineOf(QStringLiteral("New ") + kind + QStringLiteral(" Reference Added {") + id.dotted() + QStringLiteral("}"));
    note.body = QStringLiteral("New ") + kind + QStringLiteral(" Chapter Added {") + id.dotted() + QStringLiteral("}") + kCrLf;
    if (!insertSorted(note)) {
        m_current = indexOf(id);
        m_prompter.inform(joinLines({QStringLiteral("Section {") + id.dotted() + QStringLiteral("} Already Exists..!"),
                                     QStringLiteral("Scroll to the end with blue <Down> button"),
                                     QStringLiteral("until you reach the end, then click on <Add>,"),
                                     QStringLiteral("or keep clinking on <Add> until end is reached.")}));
        return false;
    }
    m_current = indexOf(id);
    m_changed = true;
    return true;
}

bool NotesStore::edit(const QString &reference, const QString &body)
{
    if (m_current < 1 || m_current > count() || !m_notes[m_current - 1].isUser())
        return false;
    Note &n = m_notes[m_current - 1];
    QString b = fitLines(QString(body).replace(kCrLf, QStringLiteral("\n")), kMaxLine).replace(QLatin1Char('\n'), kCrLf);
    if (!b.isEmpty() && !b.endsWith(kCrLf))
        b += kCrLf;
    b.truncate(kMaxBody);
    // A body line that reads as a header would break the file: it is kept out.
    b.replace(QLatin1String("<_"), QLatin1String("< _")).replace(QLatin1String("_>"), QLatin1String("_ >"));
    const QString ref = Note::refLineOf(reference.left(kMaxReference).remove(QLatin1Char('\n')));
    if (ref == n.refLine && b == n.body)
        return false;
    n.refLine = ref;
    n.body = b;
    m_changed = true;
    return true;
}

bool NotesStore::removeCurrent()
{
    if (m_current < 1 || m_current > count() || !m_notes[m_current - 1].isUser())
        return false;
    m_notes.removeAt(m_current - 1);
    m_current = std::min(m_current, count());
    m_changed = true;
    return true;
}

} // namespace zx
