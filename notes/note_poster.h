#pragma once
// Other parts of the program post numbered notes (the message list: warnings and the help
// behind their questions) to the iNotes window without knowing the window. The main window
// implements it (app/ui/notes_desk).
#include "notes/notes_store.h"

namespace zx {

class NotePoster {
public:
    virtual ~NotePoster() = default;
    // Shows message-list note `number` in the iNotes window.
    virtual void postNote(int number) = 0;
};

// Message-list note n lives in chapter 20 of the iNotes file: section 20.n.0.0.
inline NoteId messageNoteId(int number)
{
    return NoteId{{20, number, 0, 0}};
}

} // namespace zx
