// Find and replace on a large CFile: 100,000 hits in a 10 MB document. Prints the time of
// Find Next (per search, and a whole-text search that finds nothing) and of Replace All,
// and whether Replace All stays one undo step.
#include "cfile/cfile_doc.h"
#include "edit/find_session.h"
#include "platform/prompter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextCursor>

#include <cstdio>

namespace {

// Says Yes to the Replace All question and keeps quiet otherwise.
class YesPrompter : public zx::Prompter {
public:
    zx::MsgAnswer show(const zx::MsgRequest &r) override
    {
        return r.buttons == zx::MsgButtons::YesNo ? zx::MsgAnswer::Yes : zx::defaultAnswer(r);
    }
};

constexpr int kHits = 100000;

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // 100,000 lines of about 100 characters, one hit in each.
    const QString line = QStringLiteral("12:00:01  Shot 0001  2875.4 fps  V0 A12 needle  ES 12.3 SD 4.1 remark text to fill the line ....");
    QString text;
    text.reserve(kHits * (line.size() + 1));
    for (int i = 0; i < kHits; ++i)
        text += line + QLatin1Char('\n');
    zx::CFileDoc doc(QStringLiteral("bench"));
    doc.document()->setPlainText(text);
    std::printf("document: %.1f MB, %d lines, %d hits\n", text.size() / 1e6, doc.document()->blockCount() - 1, kHits);

    YesPrompter prompter;
    zx::FindSession session(prompter);
    session.setFindText(QStringLiteral("needle"));
    QElapsedTimer t;
    t.start();
    constexpr int kSteps = 5000;
    for (int i = 0; i < kSteps; ++i)
        session.find(doc);
    std::printf("find next: %d hits in %.1f ms, %.1f us per search\n", kSteps, t.nsecsElapsed() / 1e6,
                t.nsecsElapsed() / 1e3 / kSteps);

    session.setFindText(QStringLiteral("haystack"));
    t.restart();
    session.find(doc);   // searches the whole text, then tells "Text Not Found"
    std::printf("find with no hit (whole text): %.1f ms\n", t.nsecsElapsed() / 1e6);

    session.setFindText(QStringLiteral("needle"));
    session.setReplaceText(QStringLiteral("pin"));
    t.restart();
    const int count = session.replaceAll(doc);
    std::printf("replace all: %d replaced in %.1f ms\n", count, t.nsecsElapsed() / 1e6);
    t.restart();
    doc.document()->undo();
    // Loading left no history, so one undo that restores the text and leaves nothing to
    // undo means Replace All was one step.
    const bool oneStep = doc.document()->toPlainText() == text && !doc.document()->isUndoAvailable();
    std::printf("one undo: %.1f ms, text restored as one step: %s\n", t.nsecsElapsed() / 1e6, oneStep ? "yes" : "no");
    return count == kHits && oneStep ? 0 : 1;
}
