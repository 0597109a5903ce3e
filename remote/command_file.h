#pragma once
// The remote control panel's command file "zentcmds.ini": one command per line, shown in the
// panel's command lists; clicking an item sends its character code to the chronograph.
//
//   column 1     "."                                  (else error 10)
//   column 2     list number "0" to "3"               (else error +100)
//   column 3     "1": send as control character (code AND 191), anything else: plain
//   column 4     the character whose code is sent
//   columns 5-6  spaces appended to the caption, 0 to 40 (above 40: error +1000)
//   column 7     not used
//   column 8 on  the caption
//
// Lines of 7 characters or fewer and lines that begin with "......." are skipped. The first bad
// line stops the reading; the commands read before it are kept.
#include <QList>
#include <QString>
#include <QStringList>

namespace zx {

struct RemoteCommand {
    int list = 0;       // 0..3
    QString caption;    // with its trailing spaces
    int code = 0;       // the character code to send
};

struct CommandFile {
    QList<RemoteCommand> commands;
    int errorCode = 0;  // 0: every line was good
    QString errorLine;  // the first bad line

    static constexpr const char *kFileName = "zentcmds.ini";

    // "RemCtr-Err:" + code + " Str:" + the line, and the file's name on the next line.
    QString errorText(const QString &fileName) const;
};

// The error code of one line (0 when good); a good line fills *out unless out is null.
int parseCommandLine(const QString &line, RemoteCommand *out);
CommandFile parseCommandLines(const QStringList &lines);
// Reads the file as the program's plain text (UTF-8 or Windows-1252). A missing file gives
// no commands and no error.
CommandFile readCommandFile(const QString &path);

} // namespace zx
