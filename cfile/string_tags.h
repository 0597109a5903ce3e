#pragma once
// What the tag lines before a string say about it: the day it was fired and the chronograph.
// An import writes "Import-{file} Device-{name} Date-{yyyy-MM-dd HH:mm}"; a capture writes
// "Start-{Date=<short date>  Time=...}" then "Device-{ RV5 ...} Port-{COMn}". The Stop tag
// written after a string closes the one before, so its date is not the next string's. The
// program's other tag lines (the device, a dated status such as the calibration's) name no string.
#include <QDate>
#include <QStringList>

namespace zx
{

struct StringTags {
    QDate date;          // invalid when no tag gives a date that reads
    QString chronograph; // empty when no tag names one
    QString tag;         // the nearest tag a user wrote, else the import's, else the Start stamp
};

// tags: the tag lines' texts (without "TAG:"), the nearest to the string first.
StringTags readStringTags(const QStringList &tags);

// A date as the program writes it: ISO ("2026-05-01", a time may follow) or the system
// locale's short date (two-digit years taken as this century).
QDate readTagDate(const QString &text);

} // namespace zx
