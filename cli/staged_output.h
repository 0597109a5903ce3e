#pragma once
// An output file named on the command line whose content only exists once the command has
// succeeded. The command writes a temporary file beside the target; commit() puts it in
// the target's place with one rename. A command that fails (or never commits) leaves an
// existing target byte for byte as it was, creates none, and leaves no temporary file.
#include <QString>

namespace zx::cli {

class StagedOutput {
public:
    explicit StagedOutput(const QString &target);
    ~StagedOutput();   // removes the temporary file unless it was committed
    StagedOutput(const StagedOutput &) = delete;
    StagedOutput &operator=(const StagedOutput &) = delete;

    // Reserves the temporary name in the target's folder; false with error() when the target
    // is a folder or the folder cannot take a new file.
    bool prepare();
    QString path() const { return m_temp; }
    // Renames the written temporary file over the target (an existing target's permissions
    // kept); false with error() and the target untouched.
    bool commit();
    QString error() const { return m_error; }

private:
    QString m_target;
    QString m_temp;
    QString m_error;
};

} // namespace zx::cli
