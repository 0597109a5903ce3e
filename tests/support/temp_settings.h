#pragma once
// Points QSettings, the program's own files (ZX_PROGRAM_DIR) and the documents folder at a
// private temporary folder for the life of a test.
#include <QTemporaryDir>

namespace zx::test {

class TempSettings {
public:
    TempSettings();
    ~TempSettings();
    QString path() const { return m_dir.path(); }
    // Every instance starts without a port scan or an open port: the user selects
    // the chronograph by hand (for tests that are not about the start-up selection).
    void selectChronographByHand() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldXdg;
    QByteArray m_oldProgramDir;
};

} // namespace zx::test
