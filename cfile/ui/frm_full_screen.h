#pragma once
// frmFullScreen: a CFile shown on the whole screen for reading at a distance (the LogPad while
// shooting): the same document, so captured shots appear as they arrive. cmdRemote opens the
// keypad (the chronograph's keys within reach of the full view), cmdClose or Esc ends the view. Closes itself when the CFile goes.
#include <QWidget>

#include <functional>

class QTextDocument;
class QTextEdit;

namespace zx {

class FrmFullScreen : public QWidget {
    Q_OBJECT
public:
    explicit FrmFullScreen(QWidget *parent = nullptr);

    void showDocument(QTextDocument *doc, const QString &caption);
    void setOpenRemote(std::function<void()> f) { m_openRemote = std::move(f); }
    // Run after the view let go of the document: the CFile window lays it out again for its width.
    void setOnClosed(std::function<void()> f) { m_onClosed = std::move(f); }
    QTextEdit *view() const { return m_view; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void release();

    QTextEdit *m_view;
    QTextDocument *m_placeholder;
    std::function<void()> m_openRemote;
    std::function<void()> m_onClosed;
    QMetaObject::Connection m_gone;
};

} // namespace zx
