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
        if (!tags.isEmpty())
            row.tag = tags.front();
        const StringTags said = readStringTags(tags);
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

std::vector<LibraryRow> StringLibrary::rows(const QStringList &files, QStringList *unreadable)
{
    m_parsed = 0;
    std::vector<LibraryRow> out;
    std::map<QString, Entry> kept; // files no longer asked for leave the cache
    for (const QString &path : files) {
        const QFileInfo info(path);
        if (!info.exists() || info.isDir()) {
            *unreadable << path + QStringLiteral(": no such file");
            continue;
        }
        const auto hit = m_cache.find(path);
        if (hit != m_cache.end() && hit->second.modified == info.lastModified() && hit->second.size == info.size()) {
            out.insert(out.end(), hit->second.rows.begin(), hit->second.rows.end());
            kept[path] = std::move(hit->second);
            continue;
        }
        Entry e{info.lastModified(), info.size(), {}};
        QString error;
        ++m_parsed;
        if (!readRows(path, &e.rows, &error)) {
            *unreadable << path + QStringLiteral(": ") + error;
            continue;
        }
        out.insert(out.end(), e.rows.begin(), e.rows.end());
        kept[path] = std::move(e);
    }
    m_cache = std::move(kept);
    return out;
}

bool StringLibrary::fileRows(const QString &path, std::vector<LibraryRow> *out, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        *error = QStringLiteral("no such file");
        return false;
    }
    const auto hit = m_cache.find(path);
    if (hit != m_cache.end() && hit->second.modified == info.lastModified() && hit->second.size == info.size()) {
        *out = hit->second.rows;
        return true;
    }
    Entry e{info.lastModified(), info.size(), {}};
    if (!readRows(path, &e.rows, error)) {
        m_cache.erase(path);
        return false;
    }
    *out = e.rows;
    m_cache[path] = std::move(e);
    return true;
}

} // namespace zx
