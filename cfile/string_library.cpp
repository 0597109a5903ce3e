#include "cfile/string_library.h"

#include "cfile/cfile_codec.h"
#include "cfile/cfile_names.h"
#include "cfile/shot_strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace zx {

namespace {

bool readRows(const QString &path, std::vector<LibraryRow> *out, QString *error)
{
    const int cls = extClass(fileTitle(path));
    bool rich = isRichClass(cls);
    if (!rich && !isPlainClass(cls)) {
        QFile f(path);
        rich = f.open(QIODevice::ReadOnly) && f.read(5) == "{\\rtf";
    }
    QTextDocument doc;
    if (const FileError e = loadCFileText(doc, path, rich)) {
        *error = e.description;
        return false;
    }
    *out = libraryRows(path, doc.toPlainText().split(u'\n'));
    return true;
}

} // namespace

std::vector<LibraryRow> libraryRows(const QString &path, const QStringList &lines)
{
    std::vector<LibraryRow> out;
    int n = 0;
    for (const ShotString &s : findShotStrings(lines)) {
        LibraryRow row;
        row.path = path;
        row.string = ++n;
        row.unit = s.shots.front().velocityUnits;
        row.load = s.load;
        QStringList tags; // nearest first
        for (int i = s.firstLine - 1; i >= 0; --i) {
            const QString l = lines[i].trimmed();
            if (l.startsWith(QLatin1String("TAG:")))
                tags << l.mid(4).trimmed();
            else if (readShotLine(l) || l.startsWith(QLatin1String("MMR:")))
                break; // the tags of an earlier string are not this one's
        }
        const StringTags said = readStringTags(tags);
        row.tag = said.tag;
        row.date = said.date;
        row.chronograph = said.chronograph;
        StatsAccumulator acc;
        for (const ShotRecord &r : s.shots)
            acc.add(r.velocity);
        row.stats = acc.stats();
        out.push_back(std::move(row));
    }
    return out;
}

QStringList cfilesAt(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return {path};
    QStringList out;
    const QDir dir(path);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        if (const int cls = extClass(name); isRichClass(cls) || cls == 4)
            out << dir.filePath(name);
    return out;
}

LibraryRead readLibraryFile(const QString &path, const LibraryEntry *cached)
{
    LibraryRead out;
    out.path = path;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        out.error = QStringLiteral("no such file");
        return out;
    }
    if (cached && cached->modified == info.lastModified() && cached->size == info.size()) {
        out.ok = true;
        out.entry = *cached;
        return out;
    }
    out.parsed = true;
    out.entry.modified = info.lastModified();
    out.entry.size = info.size();
    out.ok = readRows(path, &out.entry.rows, &out.error);
    return out;
}

std::vector<LibraryRow> StringLibrary::rows(const QStringList &files, QStringList *unreadable)
{
    m_parsed = 0;
    std::vector<LibraryRow> out;
    LibraryEntries kept; // files no longer asked for leave the cache
    for (const QString &path : files) {
        const auto hit = m_cache.find(path);
        LibraryRead r = readLibraryFile(path, hit == m_cache.end() ? nullptr : &hit->second);
        m_parsed += r.parsed;
        if (!r.ok) {
            *unreadable << path + QStringLiteral(": ") + r.error;
            continue;
        }
        out.insert(out.end(), r.entry.rows.begin(), r.entry.rows.end());
        kept[path] = std::move(r.entry);
    }
    m_cache = std::move(kept);
    return out;
}

bool StringLibrary::fileRows(const QString &path, std::vector<LibraryRow> *out, QString *error)
{
    const auto hit = m_cache.find(path);
    const LibraryRead r = readLibraryFile(path, hit == m_cache.end() ? nullptr : &hit->second);
    keep(r);
    *out = r.entry.rows;
    *error = r.error;
    return r.ok;
}

LibraryEntries StringLibrary::entries(const QStringList &files) const
{
    LibraryEntries out;
    for (const QString &path : files)
        if (const auto hit = m_cache.find(path); hit != m_cache.end())
            out.insert(*hit);
    return out;
}

void StringLibrary::keep(const LibraryRead &read)
{
    if (read.ok)
        m_cache[read.path] = read.entry;
    else
        m_cache.erase(read.path);
}

} // namespace zx
