#pragma once
// The real system behind StartupEnvironment: copies seen through lock files, the primary
// screen from the GUI application, the program folder from the executable's path.
#include "app/copy_registry.h"
#include "app/startup.h"

namespace zx {

class DesktopEnvironment : public StartupEnvironment {
public:
    DesktopEnvironment();
    bool anotherCopyRunning() override;
    void lockInstanceRecords() override { m_copies.lockRecords(); }
    void unlockInstanceRecords() override { m_copies.unlockRecords(); }
    QSize primaryScreenSize() const override;
    QString programDir() const override;

private:
    CopyRegistry m_copies;
};

// The folder that holds this user's settings (XDG_CONFIG_HOME or its default).
QString settingsFolder();

} // namespace zx
