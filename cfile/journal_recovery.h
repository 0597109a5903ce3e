#pragma once
// Start-up recovery of the lines a CFile journal kept when the program ended without
// saving them (crash, kill, power cut). Each journal left behind is offered, oldest first:
// Yes (preselected) puts its lines into a new CFile, changed and unsaved, whose own
// journal holds them until the user saves or closes it; No sets the journal aside as
// "<name>.old" in the same folder, says where, and never asks about it again.
namespace zx {

class CaptureJournal;
class CFileManager;
class LogPad;
class Prompter;

// Returns the number of CFiles recovered.
int recoverJournals(CaptureJournal &journal, CFileManager &files, LogPad &pad, Prompter &prompter);

} // namespace zx
