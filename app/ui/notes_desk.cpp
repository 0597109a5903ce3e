#include "app/ui/notes_desk.h"

#include "app/ui/chrono_desk.h"
#include "app/ui/frm_mdi.h"
#include "app/ui/mode_apply.h"
#include "notes/notes_settings_keys.h"
#include "notes/ui/frm_tip.h"
#include "platform/program_files.h"
#include "platform/termination.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>

#include <cstdio>

namespace zx {

namespace {

const NoteId kStartupNote{{1, 0, 0, 0}};

} // namespace

NotesDesk::NotesDesk(FrmMdi &mdi) : QObject(&mdi), m_mdi(mdi), m_store(*mdi.context().prompter)
{
    setObjectName(QStringLiteral("notesDesk"));
    AppContext &ctx = mdi.context();
    const QString app = ctx.instanceName();

    // Load step: the file, then the window's settings.
    m_store.load(ProgramFiles::forDesktop().path(NotesStore::kFileName));
    m_store.offerRecovery();   // changes kept when an earlier run was told to end
    m_window = new FrmTip(m_store, *ctx.prompter, &mdi);
    m_window->chkRefSee()->setChecked(ctx.store.readBool(app, keys::frmVipNotes::RefNumSee));
    m_window->chkBackup()->setChecked(ctx.store.readBool(app, keys::frmVipNotes::BackupNotes));
    m_window->chkVipNotes()->setChecked(ctx.showVipNotes == 1);
    m_window->txtGoTo()->setText(ctx.store.read(app, keys::frmVipNotes::ABGoTo));
    connect(m_window->chkVipNotes(), &QCheckBox::toggled, this, [&ctx](bool on) { ctx.showVipNotes = on ? 1 : 0; });

    if (ChronoDesk *desk = chronoDesk(mdi)) {
        m_caption = std::make_unique<CaptionModeView>(m_window, CaptionModeView::Notes);
        desk->statusRefresh().addView(m_caption.get());
    }
    if (QMenu *view = mdi.menuNamed(QStringLiteral("mnuView"))) {
        QAction *a = view->addAction(QStringLiteral("&iNotes..."));
        a->setObjectName(QStringLiteral("mnuViewNotes"));
        connect(a, &QAction::triggered, this, [this] {
            const Note *n = m_store.currentNote();
            showNote(n ? n->id : kStartupNote);
        });
    }

    // Before the program may end: changed notes asked for; Cancel keeps the program and
    // this window open.
    mdi.addCloseQuery([this] {
        if (!m_window || m_window->queryClose())
            return true;
        m_window->show();
        m_window->raise();
        return false;
    });
    // Closing step (first of the support windows): its settings. Told to end, the program
    // asked nothing: changed notes go to the recovery copy the next start offers.
    mdi.shutdownHooks().supportClosing.insert(mdi.shutdownHooks().supportClosing.begin(), [this, &ctx, app] {
        if (!m_window)
            return;
        ctx.store.writeBool(app, keys::frmVipNotes::RefNumSee, m_window->chkRefSee()->isChecked());
        ctx.store.writeBool(app, keys::frmVipNotes::BackupNotes, m_window->chkBackup()->isChecked());
        ctx.store.write(app, keys::frmVipNotes::ABGoTo, m_window->txtGoTo()->text());
        m_window->commitEdits();
        if (terminationRequested() && m_store.changed())
            if (const QString why = m_store.saveRecovery(); !why.isEmpty())
                std::fprintf(stderr, "Error in saving iNotes file...! %s\n", qPrintable(why));
        m_window->hide();
    });
}

NotesDesk::~NotesDesk()
{
    if (ChronoDesk *desk = chronoDesk(m_mdi); desk && m_caption)
        desk->statusRefresh().removeView(m_caption.get());
}

FrmTip *NotesDesk::window() const
{
    return m_window;
}

void NotesDesk::showNote(const NoteId &id, bool modal)
{
    if (m_window) {
        m_window->showNote(id, modal);
        m_mdi.refreshModeStatus();
    }
}

void NotesDesk::postNote(int number)
{
    if (m_mdi.isMinimized())
        m_mdi.showNormal();
    showNote(messageNoteId(number));
}

NotesDesk *installNotesDesk(FrmMdi &mdi)
{
    if (NotesDesk *d = notesDesk(mdi))
        return d;
    return new NotesDesk(mdi);
}

NotesDesk *notesDesk(FrmMdi &mdi)
{
    return mdi.findChild<NotesDesk *>(QStringLiteral("notesDesk"), Qt::FindDirectChildrenOnly);
}

NotePoster *notePoster(FrmMdi &mdi)
{
    return notesDesk(mdi);
}

void showStartupNotes(FrmMdi &mdi)
{
    if (mdi.context().showVipNotes != 1)
        return;
    if (NotesDesk *d = notesDesk(mdi))
        d->showNote(kStartupNote);
}

} // namespace zx
