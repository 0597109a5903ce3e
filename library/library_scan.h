#pragma once
// Reading a list of CFiles for the String Library on a worker thread. The worker gets copies
// of the cache entries it may reuse and hands each file's read back, in the files' order, as
// fileRead on this object's thread, where the caller keeps it in its StringLibrary: the cache
// is only ever touched by one thread. cancel() stops the worker and drops the reads it made
// but had not yet handed over.
#include "cfile/string_library.h"

#include <QObject>

#include <atomic>
#include <memory>

class QThread;

namespace zx
{

class LibraryScan : public QObject
{
    Q_OBJECT
public:
    explicit LibraryScan(QObject *parent = nullptr);
    ~LibraryScan() override;

    // Starts reading files (a scan already running is cancelled first).
    void start(const QStringList &files, LibraryEntries cached);
    // Stops at the file being read and waits for the worker; no signal follows.
    void cancel();
    bool running() const { return m_thread != nullptr; }

Q_SIGNALS:
    // done: files handed over so far, this one included, of total.
    void fileRead(const zx::LibraryRead &read, int done, int total);
    void finished();

private:
    void stopThread();

    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic_bool> m_cancel;
    int m_generation = 0; // reads of a cancelled scan that arrive late are dropped
};

} // namespace zx
