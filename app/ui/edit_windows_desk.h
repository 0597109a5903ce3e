#pragma once
// The find and replace, date/time and symbol windows in the main window: made on first use,
// opened from the Search tool button and the Edit menu (Find Ctrl+F, Find Next F3,
// Replace Ctrl+H, Date and Time, Symbol), working on the active CFile.
#include "edit/find_session.h"

#include <QObject>
#include <QPointer>

class QAction;

namespace zx {

class CFileWorkspace;
class FrmFind;
class FrmMdi;
class FrmSymbols;
class FrmTimeDate;

class EditWindowsDesk : public QObject {
    Q_OBJECT
public:
    EditWindowsDesk(FrmMdi &mdi, CFileWorkspace &ws, QAction *searchTool);
    ~EditWindowsDesk() override;

    FrmFind *findWindow();
    FrmTimeDate *timeDateWindow();
    FrmSymbols *symbolsWindow();
    FindSession &session() { return m_session; }

private:
    FrmMdi &m_mdi;
    CFileWorkspace &m_ws;
    FindSession m_session;
    QPointer<FrmFind> m_find;
    QPointer<FrmTimeDate> m_timeDate;
    QPointer<FrmSymbols> m_symbols;
};

EditWindowsDesk *installEditWindows(FrmMdi &mdi, CFileWorkspace &ws, QAction *searchTool);
EditWindowsDesk *editWindowsDesk(FrmMdi &mdi);

} // namespace zx
