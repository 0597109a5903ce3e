#include "notes/ui/frm_tip.h"

#include "notes/notes_store.h"
#include "platform/prompter.h"
#include "platform/termination.h"
#include "platform/ui/named_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx {

namespace {

// Paging buttons are the blue ones the notes refer to.
QPushButton *blueButton(QWidget *parent, const char *name, const QString &text, const QString &tip)
{
    QPushButton *b = namedButton(parent, name, text, tip);
    b->setStyleSheet(QStringLiteral("QPushButton { background: #2f5f9f; color: white; font-weight: bold; padding: 3px 10px; }"));
    return b;
}

QCheckBox *check(QWidget *parent, const char *name, const QString &text)
{
    auto *c = new QCheckBox(text, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

} // namespace

FrmTip::FrmTip(NotesStore &store, Prompter &prompter, QWidget *parent)
    : QDialog(parent, Qt::Window), m_store(store), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("iNotes"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(560, 440);

    m_lblSection = new QLabel(this);
    m_lblSection->setObjectName(QStringLiteral("lblSection"));
    m_txtRefex = new QLineEdit(this);
    m_txtRefex->setObjectName(QStringLiteral("txtRefex"));
    m_txtRefex->setMaxLength(NotesStore::kMaxReference);
    QFont bold = m_txtRefex->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    m_txtRefex->setFont(bold);
    m_txtNotex = new QPlainTextEdit(this);
    m_txtNotex->setObjectName(QStringLiteral("txtNotex"));
    m_txtNotex->setTabChangesFocus(true);

    auto *nav = new QHBoxLayout;
    QPushButton *first = blueButton(this, "cmdFirst", QStringLiteral("|<"), QStringLiteral("First iNote"));
    QPushButton *up = blueButton(this, "cmdUp", QStringLiteral("< Up"), QStringLiteral("Previous iNote"));
    QPushButton *down = blueButton(this, "cmdDown", QStringLiteral("Down >"), QStringLiteral("Next iNote"));
    QPushButton *last = blueButton(this, "cmdLast", QStringLiteral(">|"), QStringLiteral("Last iNote"));
    m_txtGoTo = new QLineEdit(this);
    m_txtGoTo->setObjectName(QStringLiteral("txtGoTo"));
    m_txtGoTo->setPlaceholderText(QStringLiteral("nn.nn.nn.nn"));
    m_txtGoTo->setMaximumWidth(110);
    QPushButton *goTo = namedButton(this, "cmdGoTo", QStringLiteral("&Go To"), QStringLiteral("Show the iNote with this section ID"));
    for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(up), static_cast<QWidget *>(down),
                       static_cast<QWidget *>(last)})
        nav->addWidget(w);
    nav->addStretch();
    nav->addWidget(m_txtGoTo);
    nav->addWidget(goTo);

    auto *edit = new QHBoxLayout;
    m_cmbAddLevel = new QComboBox(this);
    m_cmbAddLevel->setObjectName(QStringLiteral("cmbAddLevel"));
    m_cmbAddLevel->addItems({QStringLiteral("New chapter"), QStringLiteral("New section"), QStringLiteral("New topic"),
                             QStringLiteral("User iNote")});
    m_cmbAddLevel->setCurrentIndex(3);
    QPushButton *addButton = namedButton(this, "cmdAdd", QStringLiteral("&Add"), QStringLiteral("Add an iNote after this one"));
    m_cmdDelete = namedButton(this, "cmdDelete", QStringLiteral("&Delete"), QStringLiteral("Remove this User iNote"));
    m_cmdSave = namedButton(this, "cmdSave", QStringLiteral("&Save"), QStringLiteral("Save the iNotes file"));
    QPushButton *close = namedButton(this, "cmdClose", QStringLiteral("&Close"));
    edit->addWidget(m_cmbAddLevel);
    edit->addWidget(addButton);
    edit->addWidget(m_cmdDelete);
    edit->addStretch();
    edit->addWidget(m_cmdSave);
    edit->addWidget(close);

    auto *options = new QHBoxLayout;
    m_chkRefSee = check(this, "chkRefSee", QStringLiteral("Show section &IDs"));
    m_chkBackup = check(this, "chkBackup", QStringLiteral("&Backup before saving"));
    m_chkVipNotes = check(this, "chkVipNotes", QStringLiteral("Show iNotes at s&tart"));
    options->addWidget(m_chkRefSee);
    options->addWidget(m_chkBackup);
    options->addWidget(m_chkVipNotes);
    options->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblSection);
    layout->addWidget(m_txtRefex);
    layout->addWidget(m_txtNotex, 1);
    layout->addLayout(nav);
    layout->addLayout(edit);
    layout->addLayout(options);

    connect(first, &QPushButton::clicked, this, [this] { step(&NotesStore::moveFirst); });
    connect(up, &QPushButton::clicked, this, [this] { step(&NotesStore::movePrevious); });
    connect(down, &QPushButton::clicked, this, [this] { step(&NotesStore::moveNext); });
    connect(last, &QPushButton::clicked, this, [this] { step(&NotesStore::moveLast); });
    connect(goTo, &QPushButton::clicked, this, &FrmTip::goTo);
    connect(m_txtGoTo, &QLineEdit::returnPressed, this, &FrmTip::goTo);
    connect(addButton, &QPushButton::clicked, this, &FrmTip::add);
    connect(m_cmdDelete, &QPushButton::clicked, this, &FrmTip::remove);
    connect(m_cmdSave, &QPushButton::clicked, this, &FrmTip::save);
    connect(close, &QPushButton::clicked, this, &FrmTip::reject);
    connect(m_chkRefSee, &QCheckBox::toggled, this, &FrmTip::showSection);   // the boxes keep what is typed
    connect(m_chkBackup, &QCheckBox::toggled, this, [this](bool on) { m_store.setBackups(on); });
    const auto edited = [this] {
        if (!m_filling)
            m_cmdSave->setEnabled(true);
    };
    connect(m_txtRefex, &QLineEdit::textEdited, this, edited);
    connect(m_txtNotex, &QPlainTextEdit::textChanged, this, edited);
    refresh();
}

void FrmTip::showSection()
{
    const Note *n = m_store.currentNote();
    QString section = n ? QStringLiteral("%1 iNote  %2 of %3").arg(n->kind()).arg(m_store.current()).arg(m_store.count())
                        : QStringLiteral("No iNotes loaded - click on <Add> to make your own.");
    if (n && m_chkRefSee->isChecked())
        section += QStringLiteral("   {") + n->id.dotted() + QStringLiteral("}");
    m_lblSection->setText(section);
}

void FrmTip::refresh()
{
    m_filling = true;
    const Note *n = m_store.currentNote();
    const bool user = n && n->isUser();
    showSection();
    m_txtRefex->setText(n ? n->reference() : QString());
    QString body = n ? n->body : QString();
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (body.endsWith(QLatin1Char('\n')))
        body.chop(1);
    m_txtNotex->setPlainText(body);
    m_txtRefex->setReadOnly(!user);
    m_txtNotex->setReadOnly(!user);
    const QString look = user ? QStringLiteral("background: #cfe0ff; color: black;") : QStringLiteral("background: #d8c35a; color: black;");
    m_txtRefex->setStyleSheet(QStringLiteral("QLineEdit { %1 }").arg(look));
    m_txtNotex->setStyleSheet(QStringLiteral("QPlainTextEdit { %1 }").arg(look));
    m_cmdDelete->setEnabled(user);
    m_cmdSave->setEnabled(m_store.changed());
    m_filling = false;
}

void FrmTip::commitEdits()
{
    const Note *n = m_store.currentNote();
    if (n && n->isUser())
        m_store.edit(m_txtRefex->text(), m_txtNotex->toPlainText());
}

void FrmTip::showNote(const NoteId &id, bool modal)
{
    commitEdits();
    m_store.show(id);
    refresh();
    if (modal) {
        exec();
        return;
    }
    show();
    raise();
    activateWindow();
}

void FrmTip::step(void (NotesStore::*move)())
{
    commitEdits();
    (m_store.*move)();
    refresh();
}

void FrmTip::goTo()
{
    const auto id = NoteId::parse(m_txtGoTo->text());
    if (!id) {
        m_prompter.inform(QStringLiteral("Invalid Section ID Numbers - format example: <_nn.nn.nn.nn_>"));
        return;
    }
    commitEdits();
    if (m_store.indexOf(*id) > 0)
        m_store.show(*id);
    else
        m_prompter.inform(QStringLiteral("Section {") + id->dotted() + QStringLiteral("} not found."));
    refresh();
}

void FrmTip::add()
{
    commitEdits();
    m_store.add(m_cmbAddLevel->currentIndex() + 1);
    refresh();
    m_txtRefex->setFocus();
    m_txtRefex->selectAll();
}

// A removed note cannot be had back short of leaving without saving: asked first, No preset.
void FrmTip::remove()
{
    const Note *n = m_store.currentNote();
    if (!n || !n->isUser())
        return;
    const QString question = joinLines({QStringLiteral("Delete ") + n->kind() + QStringLiteral(" iNote {") + n->id.dotted()
                                            + QStringLiteral("} ''") + m_txtRefex->text() + QStringLiteral("''"),
                                        QStringLiteral("Do you want to delete this iNote?")});
    if (m_prompter.ask(question, MsgButtons::YesNo, 2, {}, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    m_store.removeCurrent();
    refresh();
}

void FrmTip::save()
{
    commitEdits();
    m_store.save();
    refresh();
}

bool FrmTip::queryClose()
{
    commitEdits();
    if (!m_store.changed() || terminationRequested())
        return true;
    const MsgAnswer a = m_prompter.ask(joinLines({QStringLiteral("iNotes have been changed! "), QStringLiteral("Save Changes ?")}),
                                       MsgButtons::YesNoCancel, 3);
    if (a == MsgAnswer::Cancel)
        return false;
    return a == MsgAnswer::No || m_store.save();
}

// The close box, Esc and cmdClose all come here (QDialog's close event rejects).
void FrmTip::reject()
{
    if (!queryClose())
        return;
    QDialog::reject();
    Q_EMIT closed();
}

} // namespace zx
