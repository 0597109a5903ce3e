#pragma once
// What an importer hands back: the file's series of shots with what the file says about
// them, in the file's own units, or the reason the file did not read.
#include <QString>

#include <vector>

namespace zx::import {

struct ImportedShot {
    int number = 0;       // as the file numbers it (gaps where shots were deleted)
    double velocity = 0;
    QString time;         // time of day as printed, when the file gives one
};

struct ImportedSeries {
    QString title;        // session title, series name or note line
    QString device;       // the chronograph, as far as the file tells
    QString date;         // date (and time) of the session, "yyyy-MM-dd HH:mm" when it read
    QString note;         // load or session note text
    QString velocityUnit; // "f/s" or "m/s"
    int decimals = 1;     // digits the file gives after the point
    QString vendorSummary; // the statistics as the file printed them, with the SD convention
    std::vector<ImportedShot> shots;
};

struct ImportResult {
    QString format;        // readable name of the detected format
    std::vector<ImportedSeries> series;
    QString error;         // empty when the file read; else "line N: expected ..."
    bool ok() const { return error.isEmpty(); }
};

// "line N: expected X, found \"Y\"" (the found text shortened).
QString lineError(int line, const QString &expected, const QString &found = QString());

} // namespace zx::import
