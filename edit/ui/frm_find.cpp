#include "edit/ui/frm_find.h"

#include "cfile/cfile_doc.h"
#include "edit/edit_settings_keys.h"
#include "edit/find_session.h"
#include "platform/prompter.h"
#include "platform/screen_fit.h"
#include "platform/settings_store.h"
#include "platform/ui/named_button.h"

#include <QApplication>
#include <QGuiApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include <exception>
#include <new>

namespace zx {

namespace {

QCheckBox *check(QWidget *parent, const char *name, const QString &text)
{
    auto *c = new QCheckBox(text, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QComboBox *historyBox(QWidget *parent, const char *name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumWidth(260);
    c->lineEdit()->setMaxLength(32767);   // the limit is told, not silently applied
    return c;
}

QStringList entries(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

void remember(QComboBox *box, const QString &text)
{
    const QSignalBlocker block(box);   // not a change of the search
    const QStringList list = addToHistory(entries(box), text);
    box->clear();
    box->addItems(list);
    box->setCurrentIndex(list.isEmpty() ? -1 : 0);
    box->setEditText(text);
}

double twipsPerPixel(const QWidget *w)
{
    const QScreen *s = w->screen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

} // namespace

FrmFind::FrmFind(FindSession &session, Prompter &prompter, FindTarget target, FindSettingsAccess settings, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_session(session), m_prompter(prompter), m_target(std::move(target)),
      m_settings(std::move(settings))
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    setAttribute(Qt::WA_QuitOnClose, false);

    m_cboText = historyBox(this, "cboText");
    m_cboText->lineEdit()->setPlaceholderText(QStringLiteral("Enter your text here..."));
    m_cboReplace = historyBox(this, "cboReplace");
    m_cmbDirection = new QComboBox(this);
    m_cmbDirection->setObjectName(QStringLiteral("cmbDirection"));
    for (const FindScope &s : findScopes())
        m_cmbDirection->addItem(s.entry, s.code);
    m_lblDirection = new QLabel(this);
    m_lblDirection->setObjectName(QStringLiteral("lblDirection"));
    m_lblStatus = new QLabel(this);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_lblStatus->setMinimumWidth(200);

    m_chkWholeWord = check(this, "chkWholeWord", QStringLiteral("Match &whole word only"));
    m_chkMatchCase = check(this, "chkMatchCase", QStringLiteral("Match &case"));
    m_chkBlock = check(this, "chkBlock", QStringLiteral("Within selected &block"));
    m_chkPatternMatch = check(this, "chkPatternMatch", QStringLiteral("&Pattern match"));
    m_chkFcsTrkOff = check(this, "chkFcsTrkOff", QStringLiteral("&Keep focus here"));

    m_cmdFind = namedButton(this, "cmdFind", QStringLiteral("&Find"));
    m_cmdFind->setDefault(true);
    m_cmdReplace = namedButton(this, "cmdReplace", QStringLiteral("&Replace"));
    m_cmdRepAtt = namedButton(this, "cmdRepAtt", QStringLiteral("@"));
    m_cmdRepAtt->setToolTip(QStringLiteral("Replace this one and find the next"));
    m_cmdRepAtt->setMaximumWidth(36);
    m_cmdReplaceAll = namedButton(this, "cmdReplaceAll", QStringLiteral("Replace &All"));
    QPushButton *reset = namedButton(this, "cmdFndRst", QStringLiteral("Rese&t"));
    QPushButton *close = namedButton(this, "cmdClose", QStringLiteral("Close"));
    QPushButton *history = namedButton(this, "cmdHistory", QStringLiteral("&History"));
    auto *historyMenu = new QMenu(history);
    historyMenu->addAction(QStringLiteral("Clear Find History"), this,
                           [this] { clearHistory(m_cboText, QStringLiteral("Clear Find History?")); });
    historyMenu->addAction(QStringLiteral("Clear Replace History"), this,
                           [this] { clearHistory(m_cboReplace, QStringLiteral("Clear Replace History?")); });
    history->setMenu(historyMenu);
    m_cmdShowReplace = namedButton(this, "cmdShowReplace", QStringLiteral("Show Replace"));
    m_cmdShowExtensions = namedButton(this, "cmdShowExtensions", QStringLiteral("Hide Extensions"));
    m_cmdShowSpecial = namedButton(this, "cmdShowSpecial", QStringLiteral("Hide Special Features"));

    // Find row, replace panel, extensions (scope and options), command column.
    auto *fields = new QGridLayout;
    auto *lblFind = new QLabel(QStringLiteral("Fi&nd what:"), this);
    lblFind->setBuddy(m_cboText);
    fields->addWidget(lblFind, 0, 0);
    fields->addWidget(m_cboText, 0, 1);
    // The replace row: its label and its box line up with the find row's.
    m_replacePanel = new QWidget(this);
    auto *rp = new QHBoxLayout(m_replacePanel);
    rp->setContentsMargins(0, 0, 0, 0);
    rp->addWidget(m_cboReplace, 1);
    rp->addWidget(m_cmdRepAtt);
    m_lblReplace = new QLabel(QStringLiteral("Re&place with:"), this);
    m_lblReplace->setBuddy(m_cboReplace);
    fields->addWidget(m_lblReplace, 1, 0);
    fields->addWidget(m_replacePanel, 1, 1);
    fields->setColumnStretch(1, 1);

    m_extensions = new QGroupBox(QStringLiteral("Search"), this);
    auto *ext = new QHBoxLayout(m_extensions);
    ext->addWidget(m_cmbDirection);
    ext->addWidget(m_lblDirection, 1);
    m_special = new QGroupBox(QStringLiteral("Options"), this);
    auto *opt = new QGridLayout(m_special);
    opt->addWidget(m_chkWholeWord, 0, 0);
    opt->addWidget(m_chkMatchCase, 0, 1);
    opt->addWidget(m_chkBlock, 1, 0);
    opt->addWidget(m_chkPatternMatch, 1, 1);
    opt->addWidget(m_chkFcsTrkOff, 2, 0);

    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(m_extensions);
    left->addWidget(m_special);
    left->addWidget(m_lblStatus);
    left->addStretch();
    auto *commands = new QVBoxLayout;
    for (QPushButton *b : {m_cmdFind, m_cmdReplace, m_cmdReplaceAll, reset, history, m_cmdShowReplace, m_cmdShowExtensions,
                           m_cmdShowSpecial, close})
        commands->addWidget(b);
    commands->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(commands);

    const auto scopeChanged = [this] {
        m_lblDirection->setText(findScopeOf(m_cmbDirection->currentData().toInt()).description);
        resetSearch();
    };
    connect(m_cmbDirection, &QComboBox::currentIndexChanged, this, scopeChanged);
    for (QCheckBox *c : {m_chkWholeWord, m_chkMatchCase, m_chkBlock, m_chkPatternMatch, m_chkFcsTrkOff})
        connect(c, &QCheckBox::toggled, this, &FrmFind::resetSearch);
    connect(m_cboText, &QComboBox::editTextChanged, this, &FrmFind::resetSearch);
    // A history entry chosen becomes the text of its box.
    for (QComboBox *box : {m_cboText, m_cboReplace})
        connect(box, &QComboBox::activated, this, [this, box](int i) {
            guarded("frmFind-hst2Usr", [&] { box->setEditText(box->itemText(i)); });
        });
    connect(m_cmdFind, &QPushButton::clicked, this, &FrmFind::find);
    connect(m_cmdReplace, &QPushButton::clicked, this, &FrmFind::replace);
    connect(m_cmdRepAtt, &QPushButton::clicked, this, &FrmFind::replace);
    connect(m_cmdReplaceAll, &QPushButton::clicked, this, &FrmFind::replaceAll);
    connect(reset, &QPushButton::clicked, this, [this] {
        CFileDoc *doc = m_target.currentDoc ? m_target.currentDoc() : nullptr;
        const QString question = doc && m_session.changedSince(*doc) ? QStringLiteral("Reset CFile Search Parameters..?")
                                                                      : QStringLiteral("Reset Search Parameters?");
        if (m_prompter.ask(question, MsgButtons::YesNo, 2) == MsgAnswer::Yes)
            resetSearch();
    });
    connect(close, &QPushButton::clicked, this, &FrmFind::close);
    connect(m_cmdShowReplace, &QPushButton::clicked, this, [this] { showReplace(m_replacePanel->isHidden()); });
    connect(m_cmdShowExtensions, &QPushButton::clicked, this, [this] {
        showPanel(m_extensions, m_cmdShowExtensions, QStringLiteral("Extensions"), m_extensions->isHidden());
    });
    connect(m_cmdShowSpecial, &QPushButton::clicked, this, [this] {
        showPanel(m_special, m_cmdShowSpecial, QStringLiteral("Special Features"), m_special->isHidden());
    });

    m_cmbDirection->setCurrentIndex(0);
    scopeChanged();
    showReplace(false);
    loadSettings();
}

FrmFind::~FrmFind() = default;   // the settings are the exit's business (saveSettings)

template <class F> void FrmFind::guarded(const char *location, F &&f)
{
    const auto report = [&](int number, const QString &description) {
        if (m_target.report)
            m_target.report(description, number, QString::fromLatin1(location));
    };
    try {
        f();
    } catch (const std::bad_alloc &) {
        report(7, QStringLiteral("Out of memory"));
    } catch (const std::exception &e) {
        report(5, QString::fromLocal8Bit(e.what()));
    }
}

void FrmFind::loadSettings()
{
    if (!m_settings.store || (m_settings.read && !m_settings.read()))
        return;
    const SettingsStore &s = *m_settings.store;
    guarded("frmFind-txt2Hst", [&] {
        m_cboText->addItems(splitHistory(s.read(m_settings.app, keys::frmMDI::SearchFindHistory)));
        m_cboReplace->addItems(splitHistory(s.read(m_settings.app, keys::frmMDI::SearchReplaceHistory)));
        m_cboText->setEditText(QString());
        m_cboReplace->setEditText(QString());
    });
    const auto left = SettingsStore::parseInt(s.read(m_settings.app, keys::frmMDI::SearchWindowLeft));
    const auto top = SettingsStore::parseInt(s.read(m_settings.app, keys::frmMDI::SearchWindowTop));
    if (!left || !top)
        return;
    // Kept only while the window lies wholly on the screens, as the main window's place.
    QList<QRect> screens;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (QScreen *sc : QGuiApplication::screens())
        if (sc != QGuiApplication::primaryScreen())
            screens << sc->availableGeometry();
    const double tpp = twipsPerPixel(this);
    move(fitWindowPlace(QRect(QPoint(int(*left / tpp), int(*top / tpp)), frameSize()), screens));
}

void FrmFind::saveSettings()
{
    if (!m_settings.store || (m_settings.write && !m_settings.write()))
        return;
    SettingsStore &s = *m_settings.store;
    guarded("frmFind-hst2Txt", [&] {
        s.write(m_settings.app, keys::frmMDI::SearchFindHistory, joinHistory(entries(m_cboText)));
        s.write(m_settings.app, keys::frmMDI::SearchReplaceHistory, joinHistory(entries(m_cboReplace)));
    });
    s.writeInt(m_settings.app, keys::frmMDI::SearchWindowLeft, int(x() * twipsPerPixel(this)));
    s.writeInt(m_settings.app, keys::frmMDI::SearchWindowTop, int(y() * twipsPerPixel(this)));
}

void FrmFind::showPanel(QWidget *panel, QPushButton *sw, const QString &what, bool on)
{
    panel->setVisible(on);
    sw->setText((on ? QStringLiteral("Hide ") : QStringLiteral("Show ")) + what);
    adjustSize();
}

void FrmFind::showReplace(bool on)
{
    m_replacePanel->setVisible(on);
    m_lblReplace->setVisible(on);
    // The replace commands go with their panel: its text is not checked while it is hidden.
    m_cmdReplace->setVisible(on);
    m_cmdReplaceAll->setVisible(on);
    m_cmdShowReplace->setText(on ? QStringLiteral("Hide Replace") : QStringLiteral("Show Replace"));
    setWindowTitle(on ? QStringLiteral("Find and Replace") : QStringLiteral("Find"));
    adjustSize();
}

void FrmFind::open(bool withReplace)
{
    if (withReplace)
        showReplace(true);
    if (m_target.activeDoc) {
        if (CFileDoc *doc = m_target.activeDoc()) {
            const QString sel = doc->caret().selectedText();
            if (!sel.isEmpty() && !sel.contains(QChar::ParagraphSeparator)) {
                bool ok = false;
                const QString text = FindSession::limitSelection(m_prompter, QStringLiteral("Find"), sel, &ok);
                if (ok)
                    m_cboText->setEditText(text);
            }
        }
    }
    show();
    raise();
    activateWindow();
    m_cboText->setFocus();
    m_cboText->lineEdit()->selectAll();
}

// The boxes and options into the session; false when the user would not go on with a text
// over the limit. The replace text counts only for a replace command.
bool FrmFind::takeInput(bool forReplace)
{
    bool ok = true;
    guarded("frmFind-makHow", [&] {
        ok = false;
        const QString findText = FindSession::limitTyped(m_prompter, QStringLiteral("Find"), m_cboText->currentText(), &ok);
        if (!ok)
            return;
        if (forReplace) {
            const QString replaceText =
                FindSession::limitTyped(m_prompter, QStringLiteral("Replace"), m_cboReplace->currentText(), &ok);
            if (!ok)
                return;
            m_session.setReplaceText(replaceText);
        }
        m_session.setFindText(findText);
        m_session.setScope(m_cmbDirection->currentData().toInt());
        FindOptions o;
        o.wholeWord = m_chkWholeWord->isChecked();
        o.matchCase = m_chkMatchCase->isChecked();
        o.withinBlock = m_chkBlock->isChecked();
        o.patternMatch = m_chkPatternMatch->isChecked();
        o.focusTrackOff = m_chkFcsTrkOff->isChecked();
        m_session.setOptions(o);
    });
    return ok;
}

void FrmFind::resetSearch()
{
    guarded("frmFind-newFind", [&] {
        m_session.reset();
        m_cmdFind->setText(QStringLiteral("&Find"));
        m_lblStatus->clear();
        m_cmdReplace->setEnabled(false);
        m_cmdRepAtt->setEnabled(false);
    });
}

// The replace buttons serve a hit only.
void FrmFind::afterSearch(bool found)
{
    guarded("frmFind-SetFound", [&] {
        m_lblStatus->setText(m_session.status());
        m_cmdFind->setText(found ? QStringLiteral("&Find Next") : QStringLiteral("&Find"));
        m_cmdReplace->setEnabled(found);
        m_cmdRepAtt->setEnabled(found);
        if (found && !m_chkFcsTrkOff->isChecked() && m_target.focusDoc)
            m_target.focusDoc();
    });
}

void FrmFind::find()
{
    guarded("frmFind-mexFind", [&] {
        if (!takeInput(false))
            return;
        CFileDoc *doc = m_target.activeDoc ? m_target.activeDoc() : nullptr;
        if (!doc)
            return;
        guarded("frmFind-usr2Hst", [&] { remember(m_cboText, m_session.findText()); });
        afterSearch(m_session.find(*doc));
    });
}

void FrmFind::findNext()
{
    if (m_cboText->currentText().isEmpty()) {
        open(false);
        return;
    }
    find();
}

// The boxes taken and the active CFile when it may be changed; null (a beep while the record
// is protected) otherwise.
CFileDoc *FrmFind::replaceTarget()
{
    if (!takeInput(true))
        return nullptr;
    CFileDoc *doc = m_target.activeDoc ? m_target.activeDoc() : nullptr;
    if (doc && m_target.editable && !m_target.editable()) {
        QApplication::beep();
        return nullptr;
    }
    return doc;
}

void FrmFind::replace()
{
    guarded("frmFind-mexReplace", [&] {
        CFileDoc *doc = replaceTarget();
        if (!doc)
            return;
        guarded("frmFind-usr2Hst", [&] { remember(m_cboReplace, m_session.replaceText()); });
        if (m_session.replace(*doc))
            afterSearch(m_session.found());
    });
}

void FrmFind::replaceAll()
{
    guarded("frmFind-mexReplaceAll", [&] {
        CFileDoc *doc = replaceTarget();
        if (!doc)
            return;
        guarded("frmFind-usr2Hst", [&] {
            remember(m_cboText, m_session.findText());
            remember(m_cboReplace, m_session.replaceText());
        });
        if (m_session.replaceAll(*doc) >= 0) {
            const QSignalBlocker block(m_cmbDirection);   // the session went over the whole text
            m_cmbDirection->setCurrentIndex(0);
            m_lblDirection->setText(findScopeOf(0).description);
            resetSearch();
        }
    });
}

void FrmFind::clearHistory(QComboBox *box, const QString &question)
{
    if (m_prompter.ask(question, MsgButtons::YesNo, 2) != MsgAnswer::Yes)
        return;
    const QString text = box->currentText();
    box->clear();
    box->setEditText(text);
}

} // namespace zx
