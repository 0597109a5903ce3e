#include "term/comm_log.h"

#include "platform/serial_port.h"

#include <QDateTime>

namespace zx {

CommLog::CommLog(QObject *parent) : QObject(parent)
{
    m_partial.setSingleShot(true);
    m_partial.setInterval(kPartialMs);
    connect(&m_partial, &QTimer::timeout, this, [this] { flushPending(); });
}

CommLog::~CommLog() { close(); }

bool CommLog::open(const QString &path, bool replace)
{
    close();
    m_error.clear();
    m_atLineStart = true;
    m_file.setFileName(path);
    // Unbuffered: every write goes to the system at once, nothing waits in the file object.
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | QIODevice::Unbuffered | (replace ? QIODevice::Truncate : QIODevice::Append);
    if (!m_file.open(mode)) {
        m_error = m_file.errorString();   // the system's reason: a missing folder, a file for a folder...
        return false;
    }
    // A file that does not end a line gets its next stamp on a line of its own.
    m_atLineStart = m_file.isSequential() || m_file.size() == 0;   // a device has no last byte to look at
    if (!m_atLineStart) {
        QFile tail(path);
        if (tail.open(QIODevice::ReadOnly) && tail.seek(tail.size() - 1))
            m_atLineStart = tail.read(1) == "\n";
    }
    return true;
}

void CommLog::close()
{
    if (!m_file.isOpen())
        return;
    flushPending();
    m_partial.stop();
    m_pending.clear();
    m_file.close();
}

void CommLog::add(QStringView text)
{
    const QByteArray bytes = SerialPort::textToBytes(text);
    if (!m_stamps) {
        m_pending.append(bytes);
        if (!bytes.isEmpty())
            m_atLineStart = bytes.endsWith('\n');
        return;
    }
    for (const char c : bytes) {
        if (m_atLineStart && c != '\r' && c != '\n') {
            m_pending.append(QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toLatin1());
            m_pending.append(' ');
            m_atLineStart = false;
        }
        m_pending.append(c);
        if (c == '\n')
            m_atLineStart = true;
    }
}

bool CommLog::drain(bool all)
{
    if (m_writing)
        return true;   // the write under way (its error box may be up) takes this along
    m_writing = true;
    bool ok = true;
    // The count is taken afresh each round: text that came while the error box was up is
    // written after what was there before it, and nothing twice.
    for (;;) {
        const qsizetype n = all ? m_pending.size() : m_pending.lastIndexOf('\n') + 1;
        if (n <= 0 || !m_file.isOpen())
            break;
        const qint64 done = m_file.write(m_pending.constData(), n);
        // A short write leaves no reason behind (Qt drops the system's error when some bytes
        // went out): the rest is written at once, and that write fails with the reason.
        if (done > 0) {
            m_pending.remove(0, qsizetype(done));
            continue;
        }
        m_error = m_file.errorString();
        if (!onWriteError || !onWriteError(m_error)) {
            ok = false;
            break;
        }
    }
    m_writing = false;
    return ok;
}

bool CommLog::write(QStringView text)
{
    if (!m_file.isOpen())
        return false;
    add(text);
    // Without time stamps each chunk goes out as it came; with them a partial line waits for
    // its end (or the short timer), so that a stamp never lands inside a line.
    const bool ok = drain(!m_stamps);
    if (!m_pending.isEmpty() && !m_writing)
        m_partial.start();
    else
        m_partial.stop();
    return ok;
}

bool CommLog::writeNow(QStringView text)
{
    if (!m_file.isOpen())
        return false;
    add(text);
    m_partial.stop();
    return drain(true);
}

bool CommLog::flushPending()
{
    m_partial.stop();
    if (!m_file.isOpen())
        return false;
    return drain(true);
}

} // namespace zx
