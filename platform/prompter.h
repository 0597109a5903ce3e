#pragma once
// Message boxes as an interface, so logic code can ask questions without widgets.
// The GUI shows real boxes, zentrix-cli answers from flags, tests answer from a queue.
#include <QString>

namespace zx {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

struct MsgRequest {
    QString text;                 // lines joined with "\r\n", shown as given
    QString title;                // empty: the instance name
    MsgButtons buttons = MsgButtons::Ok;
    int defaultButton = 1;        // 1-based index into the buttons
    MsgIcon icon = MsgIcon::None;
    bool systemModal = false;
    bool foreground = false;
};

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
};

} // namespace zx
