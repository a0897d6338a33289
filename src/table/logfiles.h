#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class Clock;
class FileDialog;
class GVarMod;
class LocaleForms;
class MessageBox;

// The two files the log leaves the program in: the text report and the tab export.
// Both are Windows-1252 text with CR LF after every line.

QByteArray textReportBytes(const GVarMod &vars, const QString &title, const LocaleForms &forms,
                           const QDateTime &now);
QByteArray tabExportBytes(const GVarMod &vars);

enum class SaveResult {
    Saved,     // the file holds the whole log
    Cancelled, // the dialog gave no name; nothing was written
    Failed,    // a name was given but the file could not be written; the user was told
};

struct LogFileServices {
    const GVarMod &vars;
    const Clock &clock;
    const LocaleForms &forms;
    MessageBox &messages;
};

// Asks for a name in the dialog given and writes the whole log. An existing file is
// replaced only by a complete new one: a failed write leaves it as it was.
SaveResult saveTextReport(const LogFileServices &services, FileDialog &dialog, const QString &title);
SaveResult saveTabExport(const LogFileServices &services, FileDialog &dialog);

// Writes bytes to the file named, all or nothing. On failure returns false with the
// reason in *error.
bool writeWholeFile(const QString &fileName, const QByteArray &bytes, QString *error);
