#pragma once
// One CFile: its text (a QTextDocument), caption, changed flag and caret.
// The window (frmDocument) shows it; without a window (zentrix-cli, tests) the
// document keeps its own caret, so the LogPad writer works the same in both.
#include <QObject>
#include <QTextCursor>
#include <QTextDocument>
#include <functional>

namespace zx {

class CFileDoc : public QObject {
    Q_OBJECT
public:
    explicit CFileDoc(const QString &caption, QObject *parent = nullptr);

    QTextDocument *document() { return &m_doc; }
    const QTextDocument *document() const { return &m_doc; }

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // Named for a file it was never loaded from nor saved to (a CFile the remote panel names):
    // Save asks before it replaces a file of that name that has appeared meanwhile.
    bool isNewFile() const { return m_newFile; }
    void setNewFile(bool newFile) { m_newFile = newFile; }

    // bChanged: set by every change of the text, typed or written by the program.
    bool bChanged() const { return m_changed; }
    void setChanged(bool changed);

    // Window state to restore: 0 normal, 1 minimised, 2 maximised.
    int windowState() const { return m_windowState; }
    void setWindowState(int state) { m_windowState = state; }

    bool isEmptyText() const { return m_doc.isEmpty(); }

    // The caret: the editor's cursor when a window is bound, else our own.
    QTextCursor caret() const;
    void setCaret(const QTextCursor &c);
    void bindCaret(std::function<QTextCursor()> get, std::function<void(const QTextCursor &)> set);

    // Where the text the LogPad last wrote ends: what lies before it is the record,
    // which the user cannot change while shots are recorded.
    int recordEnd() const { return m_recordEnd; }
    void setRecordEnd(int position) { m_recordEnd = position; }

    // The current line (1-based) and total lines of the caret's block layout.
    int caretLine() const;
    int lineCount() const;

Q_SIGNALS:
    void captionChanged(const QString &caption);
    void changedFlagChanged(bool changed);

private:
    QTextDocument m_doc;
    QString m_caption;
    bool m_changed = false;
    bool m_newFile = false;
    int m_windowState = 0;
    int m_recordEnd = 0;
    QTextCursor m_caret;
    std::function<QTextCursor()> m_getCaret;
    std::function<void(const QTextCursor &)> m_setCaret;
};

} // namespace zx
