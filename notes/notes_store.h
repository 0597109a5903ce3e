#pragma once
// The iNotes: short help and warning texts for spots of the program, kept in memory for the
// whole run and in one text file ("zentnots.ini" in the program folder). Each note has a
// section ID of four numbers 0-99 ("3.12.0.7"); a fourth number of 0 marks a System note that
// ships with the program, 1-99 a User note the user added and may edit.
//
// File format, one note after another:
//   <_3.12.0.7_>          header: the dotted ID
//   <:Reference text:>    the note's title line
//   body lines ...
// A note the user added as a new chapter, section or topic has a fourth number of 0 like the
// System notes; its header carries " User" after the ID so that it stays his:
//   <_6.0.0.0_> User
// Lines over 500 characters, broken headers and missing title lines (a header straight after a
// header among them) stop loading for the user's decision; a body over 10000 characters is
// cut. A second section with an ID already read is kept under the next free User number of
// its section and the user told, so that the next save keeps it. Saving writes a temporary
// file beside the notes file and renames it over it only when complete, after an optional
// numbered backup (zentnots001.ini, ... zentnots1000.ini, with no upper limit). When the
// program is told to end, changed notes go to a recovery copy (zentnots-recovered.ini) that the
// next start offers.
#include "docformat/plain_text_codec.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace zx {

class Prompter;

struct NoteId {
    std::array<int, 4> n{};

    // "03120007": the four numbers with two digits each; orders and finds notes.
    QString key() const;
    // "3.12.0.7"
    QString dotted() const;
    bool isUser() const { return n[3] > 0; }
    QString kind() const;   // "User" or "System"
    // Three dots at rising positions; each piece read by its leading number, 0 to 99.
    static std::optional<NoteId> parse(const QString &dotted);
    bool operator==(const NoteId &) const = default;
};

struct Note {
    NoteId id;
    QString refLine;   // the title line as stored: "<:" reference ":>"
    QString body;      // lines, each ended by CR LF
    bool added = false;   // added by the user at a higher level (fourth number 0): still his

    // User notes can be edited and removed: a fourth number of 1-99, or added by the user.
    bool isUser() const { return added || id.isUser(); }
    QString kind() const;   // "User" or "System"

    QString reference() const;   // the text between "<:" and ":>"
    static QString refLineOf(const QString &reference);
};

class NotesStore {
public:
    static constexpr int kMaxLine = 500;
    static constexpr int kMaxBody = 10000;
    static constexpr int kMaxReference = 64;
    static constexpr int kMaxNumber = 99;
    static inline const QString kFileName = QStringLiteral("zentnots.ini");

    explicit NotesStore(Prompter &prompter) : m_prompter(prompter) {}

    // Reads path into the set (replacing it). False only when there is no such file (told to
    // the user); a broken file keeps the notes read before the user stopped.
    bool load(const QString &path);
    // Writes the set back to the file it came from; false (told, with the path and the
    // system's reason) when it could not, the file then as it was.
    bool save();
    QString path() const { return m_path; }

    // The copy changed notes are kept in when the program is told to end: beside the notes
    // file, "zentnots-recovered.ini".
    QString recoveryPath() const;
    // Writes the set to the recovery copy and asks nothing; "" or what failed and why.
    QString saveRecovery() const;
    // A recovery copy left by an earlier run is offered: Yes takes its notes (the notes file is
    // backed up first, then rewritten) and removes the copy once saved; No removes the copy.
    // The notes file itself is never removed.
    void offerRecovery();

    const QList<Note> &notes() const { return m_notes; }
    int count() const { return int(m_notes.size()); }
    int current() const { return m_current; }   // 1-based, 0 none
    const Note *currentNote() const;
    int indexOf(const NoteId &id) const;        // 1-based, 0 not there

    // The note with this ID on show, else the first; false when the ID is not there.
    bool show(const NoteId &id);
    // Previous/next within 1..count; at either end a message says so and nothing moves.
    void movePrevious();
    void moveNext();
    void moveFirst() { m_current = count() > 0 ? 1 : 0; }
    void moveLast() { m_current = count(); }

    // A new note after the current one, its ID stepped at level 1-4 (4: the next User note of
    // the section). False (told) when the number is at 99 or the ID exists already.
    bool add(int level);
    // Changes the current note; only User notes can be changed or removed.
    bool edit(const QString &reference, const QString &body);
    bool removeCurrent();

    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }
    bool backups() const { return m_backups; }
    void setBackups(bool on) { m_backups = on; }

private:
    enum class FormatError { SectionId, ReferenceLine, LineSize };
    bool askContinue(FormatError kind, int lineNumber, const QString &line);
    bool insertLoaded(Note note, int lineNumber, const QString &line, bool *stop);
    bool insertSorted(const Note &note);
    NoteId freeUserId(const NoteId &id) const;
    bool saveTo(bool backup);
    QString writeBackup();
    QString writeSet(const QString &path) const;

    Prompter &m_prompter;
    QString m_path;
    QList<Note> m_notes;
    int m_current = 0;
    bool m_changed = false;
    bool m_renumbered = false;   // a second section with a key already read was kept under another
    bool m_backups = false;
    int m_backupCounter = 0;   // lives for the run: each backup takes the next free number
    PlainTextFormat m_format;
};

} // namespace zx
