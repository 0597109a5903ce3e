#pragma once
// The communication log file: one append-only writer for the terminal window, the remote
// panel's log and zentrix-cli term. Text goes out as the bytes it came as (Windows-1252, one
// byte per character), each received chunk written to the system at once, so a crash keeps
// everything received. With time stamps a partial line waits in memory for its end or a short
// timer. A write that fails asks onWriteError; text that comes while it asks is queued behind
// what failed and written once, in order, by the same write.
#include <QFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

namespace zx {

class CommLog : public QObject {
    Q_OBJECT
public:
    static constexpr int kPartialMs = 250;   // a partial line is written after this much quiet

    explicit CommLog(QObject *parent = nullptr);
    ~CommLog() override;

    // Opens path for appending (replace: emptied first). False with error() telling why.
    bool open(const QString &path, bool replace);
    // Writes what is pending and closes the file.
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString fileName() const { return m_file.fileName(); }
    QString error() const { return m_error; }

    // Each line stamped with the local time (ISO 8601 with milliseconds) where it starts.
    void setTimestamps(bool on) { m_stamps = on; }
    bool timestamps() const { return m_stamps; }

    // Received text: written at once (with time stamps: complete lines at once, a partial
    // line kept for its end). False when a write failed and the error handler gave up.
    bool write(QStringView text);
    // Text written at once, with what was pending before it (tag lines).
    bool writeNow(QStringView text);
    // Writes the pending partial line.
    bool flushPending();
    qsizetype pendingBytes() const { return m_pending.size(); }

    // Asked when a write fails, with the system's error text: true retries, false gives up
    // (the log is then closed by the caller or left as it is). Never asked again while it
    // is asking: writes meanwhile only queue their text.
    std::function<bool(const QString &error)> onWriteError;

private:
    void add(QStringView text);
    bool drain(bool all);   // all pending bytes, or complete lines only

    QFile m_file;
    QByteArray m_pending;
    QTimer m_partial;
    QString m_error;
    bool m_stamps = false;
    bool m_atLineStart = true;
    bool m_writing = false;
};

} // namespace zx
