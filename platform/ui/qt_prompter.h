#pragma once
// Message boxes shown with QMessageBox: the requested buttons, the preselected one as default,
// system-modal boxes as application-modal, foreground boxes on top of every window, each box
// over the window the user works in. Once the program is asked to end, no box appears and an
// open one is answered with the answer that changes nothing (terminationAnswer).
#include "platform/prompter.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace zx {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget *parent = nullptr, const QString &logFile = {}) : m_parent(parent), m_logFile(logFile) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    MsgAnswer show(const MsgRequest &request) override;

private:
    MsgAnswer present(const MsgRequest &request);
    QWidget *boxParent() const;
    QPointer<QWidget> m_parent;
    QString m_logFile;   // every box is logged there too (see ScriptPrompter)
};

// How the desktop program answers its boxes: a person, or (for scripts and tests) the
// answers given with --answers; --answers-log names a log of every box either way.
struct PromptOptions {
    bool scripted = false;   // --answers given (an empty list answers every box by its default)
    QString answers;         // button names in order, comma-separated
    QString logFile;
};
std::unique_ptr<Prompter> createDesktopPrompter(const PromptOptions &options);

} // namespace zx
