#pragma once
// Text views that grow with received data: the terminal text, the remote panel's progress
// text, the properties progress log. Each drops a fixed number of leading characters once it
// passes its limit. Dropping is O(1) (a start offset; the storage is compacted when the dead
// prefix outgrows the live text), so receiving stays linear in the bytes received.
// A hard cap (a multiple of the limit) bounds memory even when every chunk is longer than
// the number of characters one trim drops.
#include <QString>

namespace zx {

class TrimmedText {
public:
    TrimmedText(int limit, int drop, int hardCap);

    int limit() const { return m_limit; }
    int drop() const { return m_drop; }
    void setDrop(int n) { m_drop = n; }

    qsizetype size() const { return m_buf.size() - m_head; }
    bool isEmpty() const { return size() == 0; }
    QString text() const { return m_buf.mid(m_head); }
    QStringView view() const { return QStringView(m_buf).mid(m_head); }
    void clear();
    void setText(const QString &text);

    // "if it holds more than limit characters, keep the text from character drop+1 on"
    bool trimIfOver();
    // Drop n leading characters.
    void dropFront(qsizetype n);
    // Append at the end and enforce the hard cap.
    void append(QStringView s);
    // Replace the last character (a backspace at the start of a received chunk).
    void chopLast();

    // For views that follow the text incrementally: characters appended since creation, and a
    // count of edits other than appending at the end and dropping at the front (after such an
    // edit a view redraws the whole text).
    qint64 appendedTotal() const { return m_appended; }
    quint64 rewrites() const { return m_rewrites; }

private:
    void enforceCap();
    void compact();

    QString m_buf;
    qsizetype m_head = 0;
    qint64 m_appended = 0;
    quint64 m_rewrites = 0;
    int m_limit;
    int m_drop;
    int m_hardCap;
};

// The terminal text box: 32750 / 79, with a caret that is always put at the end by the
// receive path. Version counts changes so a window can refresh lazily.
class TerminalBuffer : public TrimmedText {
public:
    TerminalBuffer() : TrimmedText(32750, 79, 4 * 32750) {}
    quint64 version() const { return m_version; }
    void touch() { ++m_version; }

private:
    quint64 m_version = 0;
};

} // namespace zx
