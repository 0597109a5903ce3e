#pragma once
// Message boxes shown with QMessageBox: the requested buttons, the preselected one as default,
// system-modal boxes as application-modal, foreground boxes on top of every window.
#include "platform/prompter.h"

#include <memory>

class QWidget;

namespace zx {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    MsgAnswer show(const MsgRequest &request) override;

private:
    QWidget *m_parent;
};

// The desktop program's prompter: real boxes, or a ScriptPrompter when ZX_PROMPT_ANSWERS is set
// (scripts and tests run the program without anyone to press buttons).
std::unique_ptr<Prompter> createDesktopPrompter();

} // namespace zx
