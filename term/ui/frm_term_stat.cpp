#include "term/ui/frm_term_stat.h"

#include "link/link_session.h"
#include "term/terminal.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

namespace zx {

FrmTermStat::FrmTermStat(Terminal &term, QWidget *parent) : QDialog(parent), m_term(term)
{
    setObjectName(QStringLiteral("frmTermStat"));
    setWindowTitle(QStringLiteral("iLoger Statistics"));
    auto *grid = new QGridLayout(this);
    static const char *const names[] = {"RxBytes", "RxLines", "RxMesgs", "RxError",
                                        "TxBytes", "TxLines", "TxMesgs", "TxError"};
    static const char *const titles[] = {"Received characters", "Received lines", "Received messages", "Receive errors",
                                         "Sent characters", "Sent lines", "Sent messages", "Send errors"};
    for (int i = 0; i < 8; ++i) {
        auto *title = new QToolButton(this);
        title->setObjectName(QStringLiteral("labTit") + QLatin1String(names[i]));
        title->setText(QString::fromLatin1(titles[i]));
        title->setAutoRaise(true);
        title->setToolTip(QStringLiteral("Click to reset"));
        auto *value = new QLabel(this);
        value->setObjectName(QStringLiteral("lab") + QLatin1String(names[i]));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(90);
        m_values[size_t(i)] = value;
        const int row = i % 4, col = (i / 4) * 2;
        grid->addWidget(title, row, col);
        grid->addWidget(value, row, col + 1);
        connect(title, &QToolButton::clicked, this, [this, i] { m_term.resetCounter(i); });
    }
    m_events = new QPlainTextEdit(this);
    m_events->setObjectName(QStringLiteral("txtComBufMsg"));
    m_events->setReadOnly(true);
    grid->addWidget(m_events, 4, 0, 1, 4);
    connect(&term, &Terminal::statsChanged, this, &FrmTermStat::showCounters);
    connect(&term, &Terminal::eventsChanged, this, &FrmTermStat::showEvents);
    showCounters();
    showEvents();
}

void FrmTermStat::showCounters()
{
    const TermCounters &c = m_term.link().counters;
    const qint32 v[] = {c.rxChars, c.rxLines, c.rxEvents, c.rxErrors, c.txChars, c.txLines, c.txMsgs, c.txErrors};
    for (size_t i = 0; i < 8; ++i)
        m_values[i]->setText(QString::number(v[i]));
}

void FrmTermStat::showEvents()
{
    QString text = m_term.eventList();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_events->setPlainText(text);
}

} // namespace zx
