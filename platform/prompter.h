#pragma once
// Message boxes as an interface, so logic code can ask questions without widgets.
// The GUI shows real boxes, zentrix-cli answers from flags, tests answer from a queue.
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zx {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

struct MsgRequest {
    QString text;                 // lines joined with "\r\n", shown as given
    QString title;                // empty: the instance name (appTitle())
    MsgButtons buttons = MsgButtons::Ok;
    int defaultButton = 1;        // 1-based index into the buttons
    MsgIcon icon = MsgIcon::None;
    bool systemModal = false;
    bool foreground = false;
};

// The answers of a button set, left to right.
QList<MsgAnswer> buttonAnswers(MsgButtons buttons);
// The answer of the preselected button (the first when the index is out of range).
MsgAnswer defaultAnswer(const MsgRequest &request);
// "Ok", "Cancel", "Yes", "No", "Abort", "Retry", "Ignore".
QString answerName(MsgAnswer answer);
// Case-insensitive inverse of answerName.
std::optional<MsgAnswer> answerFromName(const QString &name);
// Message lines are joined with CR LF.
QString joinLines(const QStringList &lines);

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual MsgAnswer show(const MsgRequest &request) = 0;

    // Convenience for the common "OK only" message.
    void inform(const QString &text, const QString &title = {}, MsgIcon icon = MsgIcon::None)
    {
        MsgRequest r;
        r.text = text;
        r.title = title;
        r.icon = icon;
        show(r);
    }

    // A question shown system-modal and in front, as every question of the program is.
    MsgAnswer ask(const QString &text, MsgButtons buttons, int defaultButton, const QString &title = {},
                  MsgIcon icon = MsgIcon::None)
    {
        MsgRequest r;
        r.text = text;
        r.title = title;
        r.buttons = buttons;
        r.defaultButton = defaultButton;
        r.icon = icon;
        r.systemModal = true;
        r.foreground = true;
        return show(r);
    }
};

} // namespace zx
