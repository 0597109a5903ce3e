#pragma once
// The live capture's journal beside a linked workbook ("<workbook>.journal"). Every shot line
// that becomes a "Capture" row, and the start of every new statistics block, is appended and
// flushed at once, so a crash or a kill loses no row that was captured; the workbook itself is
// saved only at a new block, at unlink and at exit. A successful save of the workbook removes
// the journal. Its first line records where the Capture sheet stood when the workbook was last
// saved, so that linking the same workbook again replays the rows exactly where they belong.
#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QFile;

namespace zx::xls {

class BookJournal {
public:
    // The Capture sheet as saved: the shot sequence, the export counter, the next row and
    // whether the block weighs in grams.
    struct Resume {
        int sequence = 0;
        int counter = 0;
        int nextRow = 0;
        bool grams = false;
    };
    struct Entry {
        bool newBlock = false; // a new statistics block begins with the shot that follows
        QString line;          // the shot line as captured
    };
    struct Contents {
        Resume at;
        QList<Entry> entries;
    };

    BookJournal();
    ~BookJournal(); // an open journal is closed, never removed

    static QString pathFor(const QString &bookPath);

    // Appends e to bookPath's journal; the first entry after a clear writes `at` first.
    // False (and error()) when the journal cannot be written.
    bool append(const QString &bookPath, const Resume &at, const Entry &e);
    // The workbook was saved: its journal goes.
    void clear(const QString &bookPath);
    // The workbook is let go without a save: the journal stays for the next link.
    void close();
    QString error() const { return m_error; }

    // A journal's contents, or nothing when there is none or it is not a capture journal.
    static std::optional<Contents> read(const QString &path);

private:
    std::unique_ptr<QFile> m_file;
    QElapsedTimer m_sinceSync;
    QString m_error;
};

} // namespace zx::xls
