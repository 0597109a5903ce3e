#include "term/ui/frm_terminal.h"

#include "link/link_session.h"
#include "term/terminal.h"
#include "term/ui/frm_term_stat.h"
#include "term/ui/term_view.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTimer>

namespace zx {

FrmTerminal::FrmTerminal(Terminal &term, QWidget *parent) : QMainWindow(parent), m_term(term)
{
    setObjectName(QStringLiteral("frmTerminal"));
    m_view = new TermView(this);
    setCentralWidget(m_view);
    resize(640, 400);

    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbrStatus"));
    const auto panel = [bar](const char *name, int stretch) {
        auto *l = new QLabel(bar);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(l, stretch);
        return l;
    };
    m_status = panel("Status", 2);
    m_settings = panel("Settings", 2);
    m_connect = panel("ConnectTime", 1);
    m_settings->setText(QStringLiteral("Set: ") + term.link().MSComm1.settings());

    m_stat = new FrmTermStat(term, this);
    buildMenus();

    m_view->sendKey = [this](int key, Qt::KeyboardModifiers mods, const QString &text) {
        if (!m_term.typeKey(key, mods, text))
            return false;
        m_view->moveCursor(QTextCursor::End);
        return true;
    };
    connect(&term, &Terminal::statsChanged, this, &FrmTerminal::refreshStatus);
    connect(&term, &Terminal::settingsTextChanged, m_settings, &QLabel::setText);
    connect(&term, &Terminal::sendEnabledChanged, this, [this](bool on) {
        if (QAction *a = findChild<QAction *>(QStringLiteral("mnuSendText")))
            a->setEnabled(on);
    });

    // The cancel window of a file send (frmCancelSend).
    term.sendStarted = [this](const QString &caption) {
        m_cancel = new QProgressDialog(caption, QStringLiteral("Cancel"), 0, 1000, this);
        m_cancel->setObjectName(QStringLiteral("frmCancelSend"));
        m_cancel->setWindowTitle(QStringLiteral("Send Text File"));
        m_cancel->setMinimumDuration(0);
        m_cancel->setAutoClose(false);
        m_cancel->setAutoReset(false);
        connect(m_cancel, &QProgressDialog::canceled, this, [this] { m_term.cancelSend = true; });
        m_cancel->show();
    };
    term.sendProgress = [this](qint64 sent, qint64 total) {
        if (m_cancel)
            m_cancel->setValue(total > 0 ? int(sent * 1000 / total) : 1000);
    };
    term.sendEnded = [this] { delete m_cancel.data(); };

    refreshLogMenus();
    refreshStatus();
    refreshText();
}

FrmTerminal::~FrmTerminal()
{
    m_term.sendStarted = nullptr;
    m_term.sendProgress = nullptr;
    m_term.sendEnded = nullptr;
}

QAction *FrmTerminal::act(QMenu *menu, const char *name, const QString &text, std::function<void()> run)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, [run = std::move(run)] {
        if (run)
            run();
    });
    return a;
}

void FrmTerminal::buildMenus()
{
    Terminal &t = m_term;
    const auto hook = [](std::function<void()> &h) {
        return [&h] {
            if (h)
                h();
        };
    };

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    act(file, "mnuOpenPortOnOff", QStringLiteral("&Port-Off"), hook(hooks.togglePort));
    act(file, "mnuProperties", QStringLiteral("P&roperties..."), hook(hooks.properties));
    act(file, "mnuSendText", QStringLiteral("&Send Text File..."), [&t] { t.mnuSendText(); })
        ->setEnabled(t.link().MSComm1.portOpen());
    file->addSeparator();
    act(file, "mnuClearBuf", QStringLiteral("&Clear"), [this] {
        m_term.mnuClearBuf(hooks.showWarn ? hooks.showWarn() : true);
    });
    file->addSeparator();
    act(file, "mnuExit", QStringLiteral("E&xit"), [this] { close(); });

    QMenu *log = menuBar()->addMenu(QStringLiteral("&Log"));
    act(log, "mnuOpenLog", QStringLiteral("&Open Log..."), [&t] { t.mnuOpenLog(); });
    act(log, "mnuCLogStart", QStringLiteral("&Start Log"), [&t] { t.strtCLog(); });
    act(log, "mnuCLogPaz", QStringLiteral("&Pause"), [&t] { t.pauseLog(); });
    act(log, "mnuCLogRes", QStringLiteral("&Resume"), [&t] { t.resumeLog(); });
    act(log, "mnuCloseLog", QStringLiteral("&Close Log"), [&t] { t.closeLog(); });
    log->addSeparator();
    QAction *stamps = act(log, "mnuLogStamps", QStringLiteral("&Time Stamps"), {});
    stamps->setCheckable(true);
    stamps->setChecked(t.log().timestamps());
    connect(stamps, &QAction::toggled, this, [&t](bool on) { t.log().setTimestamps(on); });

    QMenu *port = menuBar()->addMenu(QStringLiteral("&Control"));
    QAction *dtr = act(port, "mnuDTREnable", QStringLiteral("&DTR Enable"), {});
    dtr->setCheckable(true);
    dtr->setChecked(t.link().MSComm1.dtrEnable());
    connect(dtr, &QAction::triggered, this, [this, dtr] {
        m_term.toggleDtr();
        dtr->setChecked(m_term.link().MSComm1.dtrEnable());
    });
    const char *holding[] = {"mnuHCD", "mnuHCTS", "mnuHDSR"};
    const QString holdingText[] = {QStringLiteral("&CD Holding"), QStringLiteral("C&TS Holding"), QStringLiteral("D&SR Holding")};
    for (int i = 0; i < 3; ++i)
        act(port, holding[i], holdingText[i], [this, i] { QMessageBox::information(this, windowTitle(), m_term.holdingText(i)); });
    port->addSeparator();
    const char *values[] = {"mnuInputLen", "mnuRThreshold", "mnuSThreshold"};
    for (int i = 0; i < 3; ++i)
        act(port, values[i], Terminal::titleOf(Terminal::PortValue(i)) + QStringLiteral("..."), [this, i] { askPortValue(i); });

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    act(view, "mnuWrapLineOn", QStringLiteral("&Wrap Lines"), [this] { m_view->setLineWrapMode(QPlainTextEdit::WidgetWidth); });
    act(view, "mnuWrapLineOff", QStringLiteral("&No Wrap"), [this] { m_view->setLineWrapMode(QPlainTextEdit::NoWrap); });
    QAction *hex = act(view, "mnuHexView", QStringLiteral("&Hex View"), {});
    hex->setCheckable(true);
    connect(hex, &QAction::toggled, this, [this](bool on) { m_view->setHexView(on, m_term.link().txtTerm); });
    view->addSeparator();
    act(view, "mnuOnTop", QStringLiteral("On To&p"), [this] { setOnTop(true); });
    act(view, "mnuNotOnTop", QStringLiteral("N&ot On Top"), [this] { setOnTop(false); });
    act(view, "mnuTopOnOff", QStringLiteral("&Top"), [this] {
        setOnTop(!(windowFlags() & Qt::WindowStaysOnTopHint));
    });
    act(view, "mnuWinNormal", QStringLiteral("No&rmal Window"), [this] {
        // The place the window had before it was maximised or minimised; a window manager that
        // forgets it gets it back from Qt's own record.
        const QRect normal = normalGeometry();
        showNormal();
        if (normal.isValid())
            setGeometry(normal);
    });
    view->addSeparator();
    act(view, "mnuStatistics", QStringLiteral("&Statistics..."), [this] {
        m_stat->show();
        m_stat->raise();
    });
    act(view, "mnuVewLogPad", QStringLiteral("&LogPad"), hook(hooks.viewLogPad));
    act(view, "mnuVewIPad", QStringLiteral("&iPad"), hook(hooks.viewIPad));

    QMenu *remote = menuBar()->addMenu(QStringLiteral("&Remote"));
    const char *pages[] = {"mnuCommands", "mnuControl", "mnuDownload", "mnuExport"};
    const QString pageText[] = {QStringLiteral("&Commands"), QStringLiteral("C&ontrol"), QStringLiteral("&Download"),
                                QStringLiteral("&Export")};
    for (int i = 0; i < 4; ++i)
        act(remote, pages[i], pageText[i], [this, i] {
            if (hooks.remotePage)
                hooks.remotePage(i + 1);
        });

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    act(help, "mnuHelp", QStringLiteral("&Terminal Help"), hook(hooks.help));
}

void FrmTerminal::askPortValue(int which)
{
    const auto v = Terminal::PortValue(which);
    bool ok = false;
    const QString answer = QInputDialog::getText(this, Terminal::titleOf(v), Terminal::promptOf(v), QLineEdit::Normal,
                                                 m_term.currentValue(v), &ok);
    if (!ok)
        return;
    const QString error = m_term.setPortValue(v, answer);
    if (!error.isEmpty())
        QMessageBox::warning(this, Terminal::titleOf(v), error);
}

void FrmTerminal::setOnTop(bool on)
{
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown)
        show();
    if (QAction *a = findChild<QAction *>(QStringLiteral("mnuTopOnOff")))
        a->setText(on ? QStringLiteral("&Bottom") : QStringLiteral("&Top"));
}

FrmTermStat *FrmTerminal::statistics() const { return m_stat; }

void FrmTerminal::setTag(const QString &tag)
{
    m_tag = tag;
    putCLogCaption();
}

void FrmTerminal::putCLogCaption()
{
    const QString part = m_term.logCaptionPart();
    setWindowTitle(QStringLiteral("iLoger") + m_tag + part);
}

void FrmTerminal::setPortCommandText(const QString &text)
{
    if (QAction *a = findChild<QAction *>(QStringLiteral("mnuOpenPortOnOff")))
        a->setText(text);
}

void FrmTerminal::refreshLogMenus()
{
    const bool open = m_term.logOpen();
    const bool running = m_term.logRunning();
    const auto enable = [this](const char *name, bool on) {
        if (QAction *a = findChild<QAction *>(QString::fromLatin1(name)))
            a->setEnabled(on);
    };
    enable("mnuOpenLog", !open);
    enable("mnuCLogStart", !open);
    enable("mnuCloseLog", open);
    enable("mnuCLogPaz", running);
    enable("mnuCLogRes", open && !running);
    putCLogCaption();
}

void FrmTerminal::refreshStatus()
{
    m_status->setText(m_term.statusText());
    if (m_term.link().bRxTo[0])
        m_connect->setText(m_term.connectTimeText(0));
}

void FrmTerminal::refreshText()
{
    // One redraw per burst of received text.
    if (m_textPending)
        return;
    m_textPending = true;
    QTimer::singleShot(0, this, [this] {
        m_textPending = false;
        m_view->follow(m_term.link().txtTerm);
    });
}

} // namespace zx
