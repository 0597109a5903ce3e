#pragma once
// frmDocument: the CFile window, an MDI child holding the rich-text editor rtfText.
// The text lives in the CFileDoc; the window shows it and forwards its close box to the
// document logic, which asks about unsaved changes.
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>

class QKeyEvent;
class QTextEdit;

namespace zx {

class CFileDoc;
class CFileManager;

class FrmDocument : public QMdiSubWindow {
    Q_OBJECT
public:
    FrmDocument(CFileDoc *doc, CFileManager &files, QWidget *parent = nullptr);
    ~FrmDocument() override;

    CFileDoc *doc() const { return m_doc; }
    QTextEdit *rtfText() const { return m_rtfText; }

    // While this says yes, a typed key first moves the caret to the end of the text
    // (capture on and SoftEdit off).
    void setJumpToEndOnKey(std::function<bool()> f) { m_jumpToEnd = std::move(f); }
    // While this says no (Shoot mode) the record is protected: the text is read-only (it can
    // be selected and copied), typed text goes to its end, and Backspace takes back only
    // what was typed after the last line the LogPad wrote.
    void setEditingAllowed(std::function<bool()> f) { m_editingAllowed = std::move(f); }
    // Brings the editor's read-only state in line with that rule.
    void syncEditPolicy();

    // Called by the document logic when the document is closed: the window goes away
    // without asking again.
    void closeFromLogic();

    // View mode 0 no wrap, 1 wrap at the window, 2 at the given width in pixels.
    void applyViewMode(int mode, int pageWidthPx);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateTitle();
    void detach();
    // A key typed while the text is read-only; true when it was taken.
    bool typeAtEnd(const QKeyEvent *key);

    QPointer<CFileDoc> m_doc;
    CFileManager &m_files;
    QTextEdit *m_rtfText;
    std::function<bool()> m_jumpToEnd;
    std::function<bool()> m_editingAllowed;
    bool m_detached = false;
    bool m_inCloseEvent = false;
};

} // namespace zx
