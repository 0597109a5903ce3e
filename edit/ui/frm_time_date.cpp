#include "edit/ui/frm_time_date.h"

#include "cfile/cfile_doc.h"
#include "platform/prompter.h"
#include "platform/ui/named_button.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace zx {

FrmTimeDate::FrmTimeDate(Prompter &prompter, InsertTarget target, Clock clock, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_prompter(prompter), m_target(std::move(target)), m_clock(std::move(clock))
{
    setObjectName(QStringLiteral("frmTimeDate"));
    setWindowTitle(QStringLiteral("Date and Time"));
    setAttribute(Qt::WA_QuitOnClose, false);

    m_lstDates = new QListWidget(this);
    m_lstDates->setObjectName(QStringLiteral("lstDates"));
    m_lstDates->setMinimumSize(260, 250);
    m_txtCustom = new QLineEdit(this);
    m_txtCustom->setObjectName(QStringLiteral("txtCustom"));
    m_txtCustom->setPlaceholderText(QStringLiteral("e.g. dddd, d mmmm yyyy  hh:mm"));
    m_lblSample = new QLabel(this);
    m_lblSample->setObjectName(QStringLiteral("lblSample"));
    m_lblSample->setMinimumWidth(220);
    QPushButton *insertButton = namedButton(this, "cmdInsert", QStringLiteral("&Insert"));
    insertButton->setDefault(true);
    QPushButton *custom = namedButton(this, "cmdInsCusFor", QStringLiteral("Insert &Custom"));
    m_cmdUndo = namedButton(this, "cmdUndo", QStringLiteral("&Undo"));
    m_cmdUndo->setEnabled(false);
    QPushButton *close = namedButton(this, "cmdClose", QStringLiteral("Close"));

    auto *commands = new QVBoxLayout;
    for (QPushButton *b : {insertButton, m_cmdUndo, close})
        commands->addWidget(b);
    commands->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(m_lstDates, 1);
    top->addLayout(commands);
    auto *customRow = new QGridLayout;
    customRow->addWidget(new QLabel(QStringLiteral("Your own format:"), this), 0, 0);
    customRow->addWidget(m_txtCustom, 0, 1);
    customRow->addWidget(custom, 0, 2);
    customRow->addWidget(new QLabel(QStringLiteral("Sample:"), this), 1, 0);
    customRow->addWidget(m_lblSample, 1, 1, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(customRow);

    connect(insertButton, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *item = m_lstDates->currentItem())
            insert(item->text(), true);
    });
    // Straight from the list: inserted, not counted.
    connect(m_lstDates, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) { insert(item->text(), false); });
    connect(custom, &QPushButton::clicked, this, [this] { insert(formatDateTime(m_txtCustom->text(), m_clock()), true); });
    connect(m_txtCustom, &QLineEdit::textChanged, this,
            [this](const QString &pattern) { m_lblSample->setText(formatDateTime(pattern, m_clock())); });
    connect(m_cmdUndo, &QPushButton::clicked, this, &FrmTimeDate::undo);
    connect(close, &QPushButton::clicked, this, &FrmTimeDate::close);
}

void FrmTimeDate::open()
{
    // Each opening counts its own insertions: an earlier opening's cannot be undone from here.
    if (!isVisible()) {
        m_undo.reset();
        m_cmdUndo->setEnabled(false);
    }
    m_lstDates->clear();
    m_lstDates->addItems(dateTimeEntries(m_clock()));
    m_lstDates->setCurrentRow(0);
    m_lblSample->setText(formatDateTime(m_txtCustom->text(), m_clock()));
    show();
    raise();
    activateWindow();
}

void FrmTimeDate::insert(const QString &text, bool counted)
{
    CFileDoc *doc = m_target.editableDoc ? m_target.editableDoc() : nullptr;
    if (!doc) {
        QApplication::beep();
        return;
    }
    // An empty custom pattern inserts nothing: counting it would let Undo take back an
    // unrelated edit of the user's.
    if (insertAtCaret(*doc, text)) {
        if (counted)
            m_undo.counted();
        m_insertedInto = doc;
        m_revisionAfter = doc->document()->revision();
    }
    m_cmdUndo->setEnabled(m_undo.undoEnabled());
}

void FrmTimeDate::undo()
{
    CFileDoc *doc = m_target.editableDoc ? m_target.editableDoc() : nullptr;
    if (!doc)
        return;
    // The CFile's last edit is taken back only when it is this window's insertion: not what
    // the user typed after it, nor another CFile's edit.
    if (m_undo.count() < 2 && (doc != m_insertedInto || doc->document()->revision() != m_revisionAfter)) {
        m_prompter.inform(joinLines({QStringLiteral("Can not undo insert.!"), QStringLiteral("The CFile was changed after the insert.")}));
        m_undo.reset();
        m_cmdUndo->setEnabled(false);
        return;
    }
    m_undo.undo(m_prompter, [doc] {
        QTextCursor c = doc->caret();
        doc->document()->undo(&c);
        doc->setCaret(c);
    });
    m_cmdUndo->setEnabled(m_undo.undoEnabled());
}

} // namespace zx
