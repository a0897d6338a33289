#include "logfiles.h"

#include "meterlink/gvarmod.h"
#include "platform/clock.h"
#include "platform/filedialog.h"
#include "platform/localeforms.h"
#include "platform/messagebox.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

#include <functional>

namespace {

constexpr QStringView kLineEnd = u"\r\n";
constexpr qsizetype kTypicalLine = 48;

const QString kSaveTitle = QStringLiteral("Save");
const QString kTextFilter = QStringLiteral("text files (*.txt)|*.txt");
const QString kTabFilter = QStringLiteral("xls files (*.xls)|*.xls");

QByteArray toCodePage(const QString &text)
{
    // The files are 8-bit text in the code page the logs have always been read in.
    QStringEncoder encoder("windows-1252");
    return encoder.encode(text);
}

// The report's and the export's callers read the count once: records arriving while the
// file is written (none can, on the one thread) would not be in it either way.
SaveResult save(const LogFileServices &services, FileDialog &dialog, const QString &filter,
                const std::function<QByteArray()> &bytes)
{
    const QString fileName = dialog.askSaveFileName(kSaveTitle, filter);
    if (fileName.isEmpty())
        return SaveResult::Cancelled;
    QString error;
    if (writeWholeFile(fileName, bytes(), &error))
        return SaveResult::Saved;
    services.messages.tell(QStringLiteral("Die Datei konnte nicht gespeichert werden:\n%1\n\n%2")
                               .arg(QDir::toNativeSeparators(fileName), error));
    return SaveResult::Failed;
}

} // namespace

QByteArray textReportBytes(const GVarMod &vars, const QString &title, const LocaleForms &forms,
                           const QDateTime &now)
{
    const int count = vars.recordCount;
    QString text;
    text.reserve(64 + qsizetype(count) * kTypicalLine);
    text += title;
    text += forms.shortDate(now.date());
    text += forms.longTime(now.time());
    text += kLineEnd;
    text += kLineEnd;
    for (int i = 1; i <= count; ++i) {
        const ReadingRecord &r = vars.log[i];
        // The blank before the number is where a sign would stand.
        text += u' ';
        text += QString::number(r.nr);
        text += u' ';
        text += r.funcName;
        text += r.valueText;
        text += r.unit;
        text += r.stamp;
        text += kLineEnd;
    }
    return toCodePage(text);
}

QByteArray tabExportBytes(const GVarMod &vars)
{
    const int count = vars.recordCount;
    QString text;
    text.reserve(64 + qsizetype(count) * kTypicalLine);
    text += QStringLiteral("NO.\tFunk\tDaten\tGerät\tZeit");
    text += kLineEnd;
    for (int i = 1; i <= count; ++i) {
        const ReadingRecord &r = vars.log[i];
        text += QString::number(r.nr);
        text += u'\t';
        text += r.funcName;
        text += u'\t';
        text += r.valueText;
        text += u'\t';
        text += r.unit;
        text += u'\t';
        text += r.stamp;
        text += kLineEnd;
    }
    return toCodePage(text);
}

bool writeWholeFile(const QString &fileName, const QByteArray &bytes, QString *error)
{
    const QFileInfo info(fileName);
    // Only a regular file, or a new one in an existing folder: QSaveFile would rename its
    // temporary file over a device node, and a folder is no file at all.
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("Das ist keine gewöhnliche Datei.");
        return false;
    }
    if (!info.exists() && !info.absoluteDir().exists()) {
        *error = QStringLiteral("Der Ordner %1 existiert nicht.")
                     .arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

SaveResult saveTextReport(const LogFileServices &services, FileDialog &dialog, const QString &title)
{
    return save(services, dialog, kTextFilter, [&] {
        return textReportBytes(services.vars, title, services.forms, services.clock.now());
    });
}

SaveResult saveTabExport(const LogFileServices &services, FileDialog &dialog)
{
    return save(services, dialog, kTabFilter, [&] { return tabExportBytes(services.vars); });
}
