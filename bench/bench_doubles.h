#pragma once
// Stand-ins the benchmarks hand to the CFile manager: every box takes its preselected button,
// every file dialog is cancelled.
#include "cfile/file_chooser.h"
#include "platform/prompter.h"

namespace zx::bench {

class SilentPrompter : public zx::Prompter {
public:
    zx::MsgAnswer show(const zx::MsgRequest &r) override { return zx::defaultAnswer(r); }
};

class NoChooser : public zx::FileChooser {
public:
    QStringList openFiles(const QString &, const QString &, bool) override { return {}; }
    QString saveFile(const QString &, const QString &, const QString &) override { return {}; }
};

} // namespace zx::bench
