#pragma once
// The general error report. A procedure that catches a run-time error ends by calling it with
// its location text ("modMain\zapFgsMDI", "modCFile/SaveAll", "moxMain-soxSettings-3"...).
// It does nothing when no error is pending; otherwise it counts the error and shows it in an
// OK box: the description and location at UserLevel 0, a numbered record above.
#include "app/app_context.h"

#include <QDateTime>
#include <QStringList>

namespace zx {

// Common run-time error numbers.
inline constexpr int kErrTypeMismatch = 13;   // a stored value that does not convert

// Marks a run-time error as pending.
void raiseError(AppContext &ctx, int number, const QString &description);
// Reports the pending error (if any) at this location and clears it.
void errorReport(AppContext &ctx, const QString &location);
// raiseError followed by errorReport.
void reportError(AppContext &ctx, int number, const QString &description, const QString &location);

// The box text for an error; count is the error count after raising it.
QString errorReportText(int userLevel, int count, int number, const QString &description,
                        const QString &location, const QDateTime &when);

} // namespace zx
