#pragma once
// frmTip, the iNotes window: shows one note of the NotesStore (its reference and body), pages
// through the set, adds, edits and removes User notes, saves the file. System notes are shown
// on dark yellow and cannot be changed, User notes on blue.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zx {

class NotesStore;
class Prompter;
struct NoteId;

class FrmTip : public QDialog {
    Q_OBJECT
public:
    FrmTip(NotesStore &store, Prompter &prompter, QWidget *parent = nullptr);

    // The note with this ID (else the first), shown modal when asked.
    void showNote(const NoteId &id, bool modal);
    // Brings the controls in line with the store's current note.
    void refresh();
    // What is typed into the boxes of a User note, taken into the store.
    void commitEdits();

    QCheckBox *chkRefSee() const { return m_chkRefSee; }
    QCheckBox *chkBackup() const { return m_chkBackup; }
    QCheckBox *chkVipNotes() const { return m_chkVipNotes; }
    QLineEdit *txtGoTo() const { return m_txtGoTo; }

    // The close question ("iNotes have been changed!"): false when the user cancelled or
    // the save failed. When the program is told to end it asks nothing: the shutdown keeps
    // changed notes in the recovery copy.
    bool queryClose();

Q_SIGNALS:
    void closed();

protected:
    void reject() override;

private:
    void showSection();
    void step(void (NotesStore::*move)());
    void goTo();
    void add();
    void remove();
    void save();

    NotesStore &m_store;
    Prompter &m_prompter;
    QLabel *m_lblSection;
    QLineEdit *m_txtRefex;
    QPlainTextEdit *m_txtNotex;
    QCheckBox *m_chkRefSee;
    QCheckBox *m_chkBackup;
    QCheckBox *m_chkVipNotes;
    QLineEdit *m_txtGoTo;
    QComboBox *m_cmbAddLevel;
    QPushButton *m_cmdDelete;
    QPushButton *m_cmdSave;
    bool m_filling = false;
};

} // namespace zx
