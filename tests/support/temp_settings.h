#pragma once
// Points QSettings at a private temporary folder for the life of a test.
#include <QTemporaryDir>

namespace zx::test {

class TempSettings {
public:
    TempSettings();
    ~TempSettings();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldXdg;
};

} // namespace zx::test
