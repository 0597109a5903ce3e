#include "export/book_journal.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace zx::xls {

namespace {

const QByteArray kHeader = "Zentrix capture journal";
// A flushed line survives a crash of the program at once; it reaches the disk itself (survives
// a power cut) at the next line a second or more later.
constexpr qint64 kSyncMs = 1000;

QByteArray oneLine(const QString &s)
{
    QString t = s;
    t.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t.toUtf8();
}

} // namespace

BookJournal::BookJournal() = default;
BookJournal::~BookJournal() = default;

QString BookJournal::pathFor(const QString &bookPath) { return bookPath + QStringLiteral(".journal"); }

bool BookJournal::append(const QString &bookPath, const Resume &at, const Entry &e)
{
    const QString path = pathFor(bookPath);
    if (m_file && m_file->fileName() != path)
        close();
    if (!m_file) {
        // A journal already there (a save failed since) keeps its lines and its first line.
        auto f = std::make_unique<QFile>(path);
        const bool fresh = !f->exists() || f->size() == 0;
        if (!f->open(QIODevice::WriteOnly | QIODevice::Append)) {
            m_error = QStringLiteral("%1: %2").arg(path, f->errorString());
            return false;
        }
        if (fresh) {
            const QByteArray head = kHeader + '\t' + QByteArray::number(at.sequence) + '\t' + QByteArray::number(at.counter)
                                    + '\t' + QByteArray::number(at.nextRow) + '\t' + (at.grams ? "1" : "0") + '\n';
            if (f->write(head) != head.size()) {
                m_error = QStringLiteral("%1: %2").arg(path, f->errorString());
                f->remove();
                return false;
            }
        }
        m_file = std::move(f);
        m_sinceSync.start();
    }
    const QByteArray text = e.newBlock ? QByteArray("B\n") : "S\t" + oneLine(e.line) + '\n';
    if (m_file->write(text) != text.size() || !m_file->flush()) {
        m_error = QStringLiteral("%1: %2").arg(path, m_file->errorString());
        return false;
    }
    if (m_sinceSync.elapsed() >= kSyncMs) {
        ::fdatasync(m_file->handle());
        m_sinceSync.restart();
    }
    return true;
}

void BookJournal::clear(const QString &bookPath)
{
    close();
    QFile::remove(pathFor(bookPath));
}

void BookJournal::close()
{
    if (m_file) {
        m_file->flush();
        ::fdatasync(m_file->handle());
    }
    m_file.reset();
}

std::optional<BookJournal::Contents> BookJournal::read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> head = f.readLine().trimmed().split('\t');
    if (head.size() != 5 || head[0] != kHeader)
        return std::nullopt;
    Contents c;
    c.at = {head[1].toInt(), head[2].toInt(), head[3].toInt(), head[4] == "1"};
    while (!f.atEnd()) {
        QByteArray line = f.readLine();
        if (!line.endsWith('\n'))
            break; // the last line was cut short by the crash
        line.chop(1);
        if (line == "B")
            c.entries.append(Entry{true, {}});
        else if (line.startsWith("S\t"))
            c.entries.append(Entry{false, QString::fromUtf8(line.mid(2))});
    }
    return c;
}

} // namespace zx::xls
