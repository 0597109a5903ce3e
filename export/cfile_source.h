#pragma once
// A CFile file's text for an export that is not made from an open window (zentrix-cli, the
// benchmark): loaded as the CFile commands load it, rich or plain by its extension.
#include <QString>

namespace zx::xls {

// False with the reason in `error` when the file cannot be read.
bool readCFileText(const QString &path, QString &text, QString &error);

} // namespace zx::xls
