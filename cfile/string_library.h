#pragma once
// The strings of many CFiles as table rows: per string its file, number, the tag line before
// it (source, device, date of an import; Start/Stop stamps of a capture), the unit and the
// statistics recomputed from the shots. A file read before and unchanged since (same size and
// modification time) is not read again.
#include "cfile/string_stats.h"
#include "cfile/string_tags.h"
#include "link/load_line.h"

#include <QDateTime>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace zx {

struct LibraryRow {
    QString path;
    int string = 0;   // 1-based within the file
    QString tag;      // the string's tag line without "TAG:": a user's, an import's or the Start stamp
    QDate date;       // from the tag lines before it (an import's Date, a capture's Start)
    QString chronograph; // the device the tag lines name; empty when unknown
    QString unit;     // "f/s" or "m/s"
    StringStats stats;
    std::optional<LoadData> load; // the LOAD: line of the string, when it has one
};

// The rows of one text (a file's, or an open CFile's current text) named path.
std::vector<LibraryRow> libraryRows(const QString &path, const QStringList &lines);

// A path's CFiles: the file itself, or a folder's .rtf, .cap and .txt files by name.
QStringList cfilesAt(const QString &path);

// A file's rows as read when the file had this size and modification time.
struct LibraryEntry {
    QDateTime modified;
    qint64 size = 0;
    std::vector<LibraryRow> rows;
};
using LibraryEntries = std::map<QString, LibraryEntry>;

// One file for the library: the cached entry when the file still has its size and time, else
// the file read again. Touches nothing shared, so a worker thread may call it.
struct LibraryRead {
    QString path;
    bool ok = false;
    bool parsed = false; // read from the file, not from the cached entry
    QString error;       // when not ok
    LibraryEntry entry;
};
LibraryRead readLibraryFile(const QString &path, const LibraryEntry *cached);

class StringLibrary {
public:
    // Rows of every file, in the files' order; files that do not read are named in *unreadable
    // with the reason ("path: reason").
    std::vector<LibraryRow> rows(const QStringList &files, QStringList *unreadable);
    // One file's rows through the cache, the other files' entries kept (a scan in steps).
    // False with *error when the file does not read.
    bool fileRows(const QString &path, std::vector<LibraryRow> *out, QString *error);
    // Files parsed by the last rows() call (the others came from the cache).
    int filesParsed() const { return m_parsed; }

    // For a scan on another thread: copies of the files' entries to read against, and each
    // read handed back here (on the library's thread) to keep, or to forget the file.
    LibraryEntries entries(const QStringList &files) const;
    void keep(const LibraryRead &read);

private:
    LibraryEntries m_cache;
    int m_parsed = 0;
};

} // namespace zx
