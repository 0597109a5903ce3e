#include "cfile/capture_journal.h"

#include "cfile/cfile_doc.h"
#include "cfile/cfile_manager.h"
#include "cfile/journal_loads.h"
#include "link/load_line.h"
#include "platform/save_file.h"
#include "platform/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <cerrno>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace zx {

namespace {

const QString kHeader = QStringLiteral("Zentrix journal");
const QString kSuffix = QStringLiteral(".journal");
// A completed line reaches the disk itself within this time (a power cut loses no more).
constexpr int kSyncMs = 1000;

void syncToDisk(QFile &f)
{
#if defined(Q_OS_UNIX)
    ::fdatasync(f.handle());
#elif defined(Q_OS_WIN)
    ::_commit(f.handle());
#else
    Q_UNUSED(f);
#endif
}

} // namespace

CaptureJournal::CaptureJournal(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(folder), m_syncTimer(new QTimer(this))
{
    m_syncTimer->setSingleShot(true);
    m_syncTimer->setInterval(kSyncMs);
    connect(m_syncTimer, &QTimer::timeout, this, &CaptureJournal::syncPending);
}

CaptureJournal::~CaptureJournal()
{
    syncPending();
}

QString CaptureJournal::folderFor(const SettingsStore &store, const QString &app)
{
    const QFileInfo settings(store.fileName(app));
    // The registry has no folder: the per-user data folder stands in.
    const QString base = settings.isAbsolute() && !settings.filePath().startsWith(QLatin1Char('\\'))
                             ? settings.absolutePath()
                             : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                   QLatin1Char('/') + QLatin1String(SettingsStore::kOrganisation);
    return base + QLatin1Char('/') + app + QStringLiteral("-journal");
}

void CaptureJournal::watch(CFileManager &files)
{
    connect(&files, &CFileManager::closing, this, [this](CFileDoc *doc) { discard(doc); });
}

void CaptureJournal::setPathFor(CFileDoc *doc, const QString &path)
{
    m_paths[doc] = path;
}

QString CaptureJournal::pathOf(const CFileDoc *doc) const
{
    const auto it = m_open.find(doc);
    return it == m_open.end() ? QString() : it->second.file->fileName();
}

QString CaptureJournal::newPathIn(const QString &folder) const
{
    const QString stem = folder + QLatin1Char('/') + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    for (int n = 1;; ++n) {
        const QString path = stem + QLatin1Char('-') + QString::number(n) + kSuffix;
        if (!QFileInfo::exists(path) && !m_written.contains(path))
            return path;
    }
}

CaptureJournal::Open *CaptureJournal::openFor(CFileDoc *doc, QString *error)
{
    if (auto it = m_open.find(doc); it != m_open.end())
        return &it->second;
    const auto named = m_paths.find(doc);
    QString path;
    if (named != m_paths.end()) {
        path = named->second;
    } else {
        if (m_folder.isEmpty() || !QDir().mkpath(m_folder)) {
            *error = QDir::toNativeSeparators(m_folder) + QStringLiteral(": the folder cannot be made");
            return nullptr;
        }
        path = newPathIn(m_folder);
    }
    // NewOnly: whatever is already there (another run's journal, a user's file) is kept.
    auto file = std::make_unique<QFile>(path);
    const QByteArray head = (kHeader + QLatin1Char('\t') + doc->caption() + QLatin1Char('\t')
                             + QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char('\n'))
                                .toUtf8();
    if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        // A folder by that name "exists" too, but its being a folder is what the user can act on.
        *error = QDir::toNativeSeparators(path) + QStringLiteral(": ")
                 + (QFileInfo(path).isDir() ? qt_error_string(EISDIR) : file->errorString());
        return nullptr;
    }
    if (!writeAll(*file, head) || !flushAll(*file)) {
        *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + file->errorString();
        file->close();
        file->remove(); // only the header was in it
        return nullptr;
    }
    m_written << path;
    Open &o = m_open[doc];
    o.file = std::move(file);
    o.sinceSync.start();
    if (m_watched.insert(doc).second) {
        // Saved or reverted: the lines are in the file (or given up by the user's choice).
        connect(doc, &CFileDoc::changedFlagChanged, this, [this, doc](bool changed) {
            if (!changed)
                discard(doc);
        });
        // A load line written or typed while the lines are unsaved joins them. A text document
        // tells where it changed only once it has a layout (an editor gives it one).
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            doc->document()->documentLayout();
        connect(doc->document(), &QTextDocument::contentsChange, this,
                [this, doc](int position, int, int added) { edited(doc, position, added); });
        // Gone without being closed (the program ended some other way): the journal stays.
        connect(doc, &QObject::destroyed, this, [this, doc] {
            if (auto it = m_open.find(doc); it != m_open.end()) {
                it->second.file->flush();
                syncToDisk(*it->second.file);
                m_open.erase(it);
            }
            m_paths.erase(doc);
            m_watched.erase(doc);
        });
    }
    return &o;
}

bool CaptureJournal::failed(const QString &path, const QString &reason)
{
    if (!m_failing && onWriteError)
        onWriteError(QStringLiteral("The recovery journal could not be written:\n") + (path.isEmpty() ? reason : QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason)
                     + QStringLiteral("\nThe lines are in the CFile; save it to keep them."));
    m_failing = true;
    return false;
}

bool CaptureJournal::record(CFileDoc *doc, const QString &text)
{
    m_inLogPad = false;
    return write(doc, text);
}

void CaptureJournal::edited(CFileDoc *doc, int position, int added)
{
    if (m_inLogPad)
        return;
    QTextDocument *text = doc->document();
    QStringList lines;
    for (QTextBlock b = text->findBlock(position), last = text->findBlock(position + added); b.isValid(); b = b.next()) {
        if (isLoadLine(b.text())) {
            if (lines.isEmpty())
                lines = text->toPlainText().split(QLatin1Char('\n'));
            write(doc, loadRecord(lines, b.blockNumber()));
        }
        if (b == last)
            break;
    }
}

bool CaptureJournal::write(CFileDoc *doc, const QString &text)
{
    if (!doc || text.isEmpty())
        return true;
    QString error;
    Open *o = openFor(doc, &error);
    if (!o)
        return failed(QString(), error);
    const QByteArray bytes = text.toUtf8();
    if (!writeAll(*o->file, bytes) || !flushAll(*o->file))
        return failed(o->file->fileName(), o->file->errorString());
    m_failing = false;
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        if (o->sinceSync.elapsed() >= kSyncMs) {
            syncToDisk(*o->file);
            o->sinceSync.restart();
            o->unsynced = false;
        } else {
            o->unsynced = true;
            if (!m_syncTimer->isActive())
                m_syncTimer->start();
        }
    }
    return true;
}

void CaptureJournal::syncPending()
{
    for (auto &[doc, o] : m_open) {
        if (o.unsynced) {
            syncToDisk(*o.file);
            o.sinceSync.restart();
            o.unsynced = false;
        }
    }
}

void CaptureJournal::discard(CFileDoc *doc)
{
    const auto it = m_open.find(doc);
    if (it == m_open.end())
        return;
    it->second.file->close();
    it->second.file->remove();
    m_open.erase(it);
}

std::optional<CaptureJournal::Entry> CaptureJournal::read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString all = QString::fromUtf8(f.readAll());
    Entry e;
    e.path = path;
    e.started = QFileInfo(path).lastModified();
    const qsizetype eol = all.indexOf(QLatin1Char('\n'));
    const QString head = eol < 0 ? all : all.left(eol);
    if (head.startsWith(kHeader + QLatin1Char('\t'))) {
        const qsizetype first = head.indexOf(QLatin1Char('\t')), last = head.lastIndexOf(QLatin1Char('\t'));
        e.caption = head.mid(first + 1, last - first - 1);
        const QDateTime t = QDateTime::fromString(head.mid(last + 1), Qt::ISODateWithMs);
        if (t.isValid())
            e.started = t;
        e.text = eol < 0 ? QString() : placeLoadRecords(all.mid(eol + 1));
    } else {
        // Not a journal header: keep every byte as text.
        e.caption = QFileInfo(path).completeBaseName();
        e.text = all;
    }
    return e;
}

QList<CaptureJournal::Entry> CaptureJournal::leftovers() const
{
    QList<Entry> found;
    if (m_folder.isEmpty())
        return found;
    const QDir dir(m_folder);
    for (const QFileInfo &fi : dir.entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files)) {
        if (m_written.contains(fi.absoluteFilePath()) || m_written.contains(fi.filePath()))
            continue;
        if (auto e = read(fi.absoluteFilePath()))
            found << *e;
    }
    std::sort(found.begin(), found.end(), [](const Entry &a, const Entry &b) { return a.started < b.started; });
    return found;
}

} // namespace zx
