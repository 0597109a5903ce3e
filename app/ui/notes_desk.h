#pragma once
// The main window's side of the iNotes: the store loaded from the program folder at start,
// the window (frmTip) with its settings, its caption in the mode and status refresh, the
// View menu command, the notes other parts post by number, and its closing step.
#include "notes/note_poster.h"
#include "notes/notes_store.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace zx {

class FrmMdi;
class FrmTip;
class CaptionModeView;

class NotesDesk : public QObject, public NotePoster {
    Q_OBJECT
public:
    explicit NotesDesk(FrmMdi &mdi);
    ~NotesDesk() override;

    NotesStore &store() { return m_store; }
    FrmTip *window() const;
    void showNote(const NoteId &id, bool modal = false);
    void postNote(int number) override;

private:
    FrmMdi &m_mdi;
    NotesStore m_store;
    QPointer<FrmTip> m_window;
    std::unique_ptr<CaptionModeView> m_caption;
};

// Splash step: the store loaded and the window made (once).
NotesDesk *installNotesDesk(FrmMdi &mdi);
NotesDesk *notesDesk(FrmMdi &mdi);
NotePoster *notePoster(FrmMdi &mdi);
// The end of the start-up: the start-up note shown when ShowVipNotes is 1.
void showStartupNotes(FrmMdi &mdi);

} // namespace zx
