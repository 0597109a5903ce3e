#pragma once
// Answers "is another copy of this program file running?" across processes. Each running copy
// holds a lock file in a folder shared by the copies of one program file that use one settings
// folder; a lock whose process has died is stale and is cleaned up. The folder is under the
// system's temporary folder, or ZX_RUNTIME_DIR when set; "records.lock" there serialises the
// instance choice of copies that start together.
#include <QString>

#include <memory>

class QLockFile;

namespace zx {

class CopyRegistry {
public:
    CopyRegistry(const QString &programFile, const QString &settingsFolder);
    ~CopyRegistry();
    CopyRegistry(const CopyRegistry &) = delete;
    CopyRegistry &operator=(const CopyRegistry &) = delete;

    // Registers this copy (held until destruction) and tells whether another copy holds its lock.
    bool registerAndCheck();
    // The lock every copy holds while it chooses and records its instance number, so copies
    // started together never take the same one. False when it could not be had in time
    // (the copy then goes on unlocked rather than not at all).
    bool lockRecords(int timeoutMs = 10000);
    void unlockRecords();
    QString folder() const { return m_folder; }

private:
    QString m_folder;
    std::unique_ptr<QLockFile> m_own;
    std::unique_ptr<QLockFile> m_records;
};

} // namespace zx
