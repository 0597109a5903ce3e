#include "app/ui/mode_apply.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>

namespace zx {

namespace {

void applyToAction(QAction *a, const CmdState &s)
{
    if (s.enabled)
        a->setEnabled(*s.enabled);
    if (s.checked) {
        if (!a->isCheckable())
            a->setCheckable(true);
        a->setChecked(*s.checked);
    }
    if (s.visible)
        a->setVisible(*s.visible);
    if (s.text)
        a->setText(*s.text);
}

} // namespace

void applyCommandStates(QWidget *root, const CommandStates &states)
{
    if (!root)
        return;
    const auto &map = states.map();
    // One pass over the window's actions and menus, looking names up in the map.
    const auto actions = root->findChildren<QAction *>();
    for (QAction *a : actions) {
        const QString n = a->objectName();
        if (n.isEmpty())
            continue;
        auto it = map.constFind(n);
        if (it != map.constEnd())
            applyToAction(a, *it);
    }
    const auto menus = root->findChildren<QMenu *>();
    for (QMenu *m : menus) {
        auto it = map.constFind(m->objectName());
        if (it == map.constEnd())
            continue;
        applyToAction(m->menuAction(), *it);
        if (it->text)
            m->setTitle(*it->text);
    }
    const auto buttons = root->findChildren<QAbstractButton *>();
    for (QAbstractButton *b : buttons) {
        auto it = map.constFind(b->objectName());
        if (it == map.constEnd())
            continue;
        if (it->enabled)
            b->setEnabled(*it->enabled);
        if (it->checked && b->isCheckable())
            b->setChecked(*it->checked);
        if (it->visible)
            b->setVisible(*it->visible);
    }
}

void MainWindowModeView::applyView(const ViewState &v)
{
    if (!m_window)
        return;
    m_window->setWindowTitle(v.mainCaption);
    applyCommandStates(m_window, v.commands);
    if (auto *sens = m_window->findChild<QLabel *>(QStringLiteral("sbrPanelSens")))
        sens->setText(v.sensitivityText);
}

void MainWindowModeView::applyCommands(const CommandStates &c)
{
    applyCommandStates(m_window, c);
}

void CaptionModeView::applyView(const ViewState &v)
{
    if (!m_window)
        return;
    switch (m_which) {
    case Remote: m_window->setWindowTitle(v.remoteCaption); break;
    case Terminal: m_window->setWindowTitle(v.terminalCaption); break;
    case Properties: m_window->setWindowTitle(v.propertiesCaption); break;
    case Notes: m_window->setWindowTitle(v.notesCaption); break;
    }
}

} // namespace zx
