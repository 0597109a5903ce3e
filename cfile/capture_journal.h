#pragma once
// The recovery journal. Every piece of text the LogPad writes into a CFile (remarks,
// tags, captured shots) is also appended to a plain UTF-8 file and flushed at once, so a
// crash, a kill or a power cut loses no recorded line. One journal per CFile, opened by
// the first write after the CFile was created, loaded or saved; it is removed when the
// CFile is saved or reverted (its changed flag clears) or closed by the user. A journal
// whose CFile ended any other way stays behind for the next start to recover. Load lines
// written or typed into a journalled CFile outside the LogPad go in as records that put them
// back in their place (cfile/journal_loads).
#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

class QFile;
class QTimer;

namespace zx {

class CFileDoc;
class CFileManager;
class SettingsStore;

class CaptureJournal : public QObject {
    Q_OBJECT
public:
    // Journals of CFiles without a path of their own go into folder (created on first use).
    explicit CaptureJournal(const QString &folder, QObject *parent = nullptr);
    ~CaptureJournal() override;  // open journals are closed, never removed

    // The instance's journal folder: "<app>-journal" beside its settings file.
    static QString folderFor(const SettingsStore &store, const QString &app);
    QString folder() const { return m_folder; }

    // Removes the journal of a CFile the user closes.
    void watch(CFileManager &files);
    // Journals doc into path instead of a file of the folder (zentrix-cli: beside --out).
    void setPathFor(CFileDoc *doc, const QString &path);
    // Appends text written into doc. False when the journal cannot be written; the first
    // failure (and the first after the journal worked again) goes to onWriteError.
    bool record(CFileDoc *doc, const QString &text);
    // The LogPad is about to insert the text it then records: that change is not an edit.
    void aboutToRecord() { m_inLogPad = true; }
    // Told, with the journal's path and the system's reason, that recorded lines are not
    // safe on disk. An existing file is never emptied to begin a journal.
    std::function<void(const QString &message)> onWriteError;
    // Removes doc's journal (its lines are saved, or the user let them go).
    void discard(CFileDoc *doc);
    QString pathOf(const CFileDoc *doc) const;

    struct Entry {
        QString path;
        QString caption;     // the CFile's caption when the journal began
        QDateTime started;
        QString text;        // what the LogPad wrote, with the load lines in their places
    };
    // Journals in the folder that this object did not write: left by a run that ended
    // abnormally. Oldest first.
    QList<Entry> leftovers() const;
    static std::optional<Entry> read(const QString &path);

private:
    struct Open {
        std::unique_ptr<QFile> file;
        QElapsedTimer sinceSync;
        bool unsynced = false;
    };
    Open *openFor(CFileDoc *doc, QString *error);
    bool failed(const QString &path, const QString &reason);
    QString newPathIn(const QString &folder) const;
    void syncPending();
    bool write(CFileDoc *doc, const QString &text);
    void edited(CFileDoc *doc, int position, int added);

    QString m_folder;
    std::map<const CFileDoc *, QString> m_paths;   // explicit paths
    std::map<const CFileDoc *, Open> m_open;
    std::set<const CFileDoc *> m_watched;          // save, revert and end are connected
    QStringList m_written;                         // every file this object began
    QTimer *m_syncTimer;
    bool m_failing = false;                        // the last write failed and was reported
    bool m_inLogPad = false;
};

} // namespace zx
