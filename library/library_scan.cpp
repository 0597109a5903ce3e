#include "library/library_scan.h"

#include <QThread>

namespace zx
{

LibraryScan::LibraryScan(QObject *parent) : QObject(parent) {}

LibraryScan::~LibraryScan()
{
    stopThread();
}

void LibraryScan::start(const QStringList &files, LibraryEntries cached)
{
    stopThread();
    const int generation = ++m_generation;
    auto cancel = std::make_shared<std::atomic_bool>(false);
    m_cancel = cancel;
    const int total = int(files.size());
    m_thread = QThread::create([this, files, cached = std::move(cached), cancel, generation, total] {
        for (int i = 0; i < total && !*cancel; ++i) {
            const auto hit = cached.find(files[i]);
            LibraryRead read = readLibraryFile(files[i], hit == cached.end() ? nullptr : &hit->second);
            // Queued to this object's thread: the reads arrive in order, after the ones before.
            QMetaObject::invokeMethod(
                this,
                [this, read = std::move(read), i, total, generation] {
                    if (generation == m_generation)
                        Q_EMIT fileRead(read, i + 1, total);
                },
                Qt::QueuedConnection);
        }
    });
    // Posted after the worker's last read, so it arrives after them.
    connect(
        m_thread, &QThread::finished, this,
        [this, generation] {
            if (generation != m_generation)
                return;
            stopThread();
            Q_EMIT finished();
        },
        Qt::QueuedConnection);
    m_thread->start();
}

void LibraryScan::cancel()
{
    ++m_generation;
    stopThread();
}

void LibraryScan::stopThread()
{
    if (!m_thread)
        return;
    *m_cancel = true;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

} // namespace zx
