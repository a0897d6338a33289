#include "fakeclock.h"
#include "fakedialogs.h"
#include "logfixture.h"

#include "platform/localeforms.h"
#include "table/logfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kStamp1 = QStringLiteral("14.05.2012\\07:03:31");
const QString kStamp2 = QStringLiteral("14.05.2012\\07:03:32");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QList<QByteArray> lines(const QByteArray &bytes)
{
    QList<QByteArray> out = bytes.split('\n');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

struct Rig {
    GVarMod vars;
    FakeClock clock;
    LocaleForms forms{QLocale(QLocale::German, QLocale::Germany)};
    FakeMessageBox messages;
    FakeFileDialog dialog;
    LogFileServices services{vars, clock, forms, messages};

    Rig()
    {
        addRecord(vars, QStringLiteral("DC Spannung"), QStringLiteral("12.345"), QStringLiteral("V"), kStamp1);
        addRecord(vars, QStringLiteral("DC Spannung"), QStringLiteral("12.351"), QStringLiteral("V"), kStamp2);
    }
};

} // namespace

class TestLogFiles : public QObject {
    Q_OBJECT
private slots:
    void textReportBytesExact();
    void tabExportBytesExact();
    void oneRecordGivesThreeAndTwoLines();
    void overloadRecord();
    void onlyRecordsUpToTheCount();
    void fullLogLastLines();
    void saveFlowAsksAndWrites();
    void cancelWritesNothing();
    void nameWithoutExtensionAndReplace();
    void failedWriteKeepsOldFileAndSaysSo_data();
    void failedWriteKeepsOldFileAndSaysSo();
    void fileSizeLimitKeepsOldFile();
};

void TestLogFiles::textReportBytesExact()
{
    Rig rig;
    const QByteArray bytes = textReportBytes(rig.vars, QStringLiteral("Kalvendo Daten Logger"), rig.forms,
                                             rig.clock.now());
    QCOMPARE(bytes, QByteArray("Kalvendo Daten Logger14.05.201207:03:31\r\n"
                               "\r\n"
                               " 1 DC Spannung12.345V14.05.2012\\07:03:31\r\n"
                               " 2 DC Spannung12.351V14.05.2012\\07:03:32\r\n"));
    const QByteArray line = lines(bytes).at(2) + '\n';
    QCOMPARE(line.toHex(' '), QByteArray("20 31 20 44 43 20 53 70 61 6e 6e 75 6e 67 31 32 2e 33 34 35 56 "
                                         "31 34 2e 30 35 2e 32 30 31 32 5c 30 37 3a 30 33 3a 33 31 0d 0a"));
}

void TestLogFiles::tabExportBytesExact()
{
    Rig rig;
    const QByteArray bytes = tabExportBytes(rig.vars);
    const QByteArray header = lines(bytes).at(0) + '\n';
    QCOMPARE(header.toHex(' '), QByteArray("4e 4f 2e 09 46 75 6e 6b 09 44 61 74 65 6e 09 47 65 72 e4 74 09 "
                                           "5a 65 69 74 0d 0a"));
    QCOMPARE(bytes.mid(header.size()),
             QByteArray("1\tDC Spannung\t12.345\tV\t14.05.2012\\07:03:31\r\n"
                        "2\tDC Spannung\t12.351\tV\t14.05.2012\\07:03:32\r\n"));
}

void TestLogFiles::oneRecordGivesThreeAndTwoLines()
{
    GVarMod vars;
    addRecord(vars, QStringLiteral("Frequenz"), QStringLiteral("01234"), QStringLiteral("Gerät"), kStamp1);
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray report = textReportBytes(vars, QStringLiteral("T"), forms, FakeClock().now());
    QCOMPARE(lines(report).size(), 3);
    QCOMPARE(report.count("\r\n"), 3);
    QVERIFY(report.endsWith(QByteArray(" 1 Frequenz01234Ger\xE4t14.05.2012\\07:03:31\r\n")));
    const QByteArray tab = tabExportBytes(vars);
    QCOMPARE(lines(tab).size(), 2);
    QVERIFY(!tab.startsWith("\xEF\xBB\xBF"));
}

void TestLogFiles::overloadRecord()
{
    GVarMod vars;
    for (int i = 0; i < 2; ++i)
        addRecord(vars, QStringLiteral("DC Spannung"), QStringLiteral("1.000"), QStringLiteral("V"), kStamp1);
    addRecord(vars, QStringLiteral("Widerstand"), QStringLiteral(".OL"), QStringLiteral("kOhm"), kStamp2);
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray report = textReportBytes(vars, QStringLiteral("T"), forms, FakeClock().now());
    QCOMPARE(lines(report).at(4), QByteArray(" 3 Widerstand.OLkOhm14.05.2012\\07:03:32\r"));
    QCOMPARE(lines(tabExportBytes(vars)).at(3), QByteArray("3\tWiderstand\t.OL\tkOhm\t14.05.2012\\07:03:32\r"));
}

void TestLogFiles::onlyRecordsUpToTheCount()
{
    Rig rig;
    for (int i = 0; i < 5; ++i)
        addRecord(rig.vars, QStringLiteral("old"), QStringLiteral("0"), QStringLiteral("V"), kStamp1);
    rig.vars.clearLog();
    for (int i = 0; i < 3; ++i)
        addRecord(rig.vars, QStringLiteral("neu"), QStringLiteral("1"), QStringLiteral("V"), kStamp2);
    const QByteArray report = textReportBytes(rig.vars, QStringLiteral("T"), rig.forms, rig.clock.now());
    QCOMPARE(lines(report).size(), 2 + 3);
    QVERIFY(!report.contains("old"));
    QCOMPARE(lines(tabExportBytes(rig.vars)).size(), 1 + 3);
}

void TestLogFiles::fullLogLastLines()
{
    GVarMod vars;
    while (!vars.isFull())
        addRecord(vars, QStringLiteral("DC Spannung"), QStringLiteral("1.234"), QStringLiteral("V"), kStamp1);
    const LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    const QList<QByteArray> report = lines(textReportBytes(vars, QStringLiteral("T"), forms, FakeClock().now()));
    QCOMPARE(report.size(), 2 + 50000);
    QVERIFY(report.last().startsWith(QByteArray::fromHex("20353030303020")));
    const QList<QByteArray> tab = lines(tabExportBytes(vars));
    QCOMPARE(tab.size(), 1 + 50000);
    QVERIFY(tab.last().startsWith(QByteArray::fromHex("3530303030 09")));
}

void TestLogFiles::saveFlowAsksAndWrites()
{
    QTemporaryDir dir;
    Rig rig;
    rig.dialog.answers = {dir.filePath("log.txt"), dir.filePath("log.xls")};
    QCOMPARE(saveTextReport(rig.services, rig.dialog, QStringLiteral("Kalvendo Report")), SaveResult::Saved);
    QCOMPARE(saveTabExport(rig.services, rig.dialog), SaveResult::Saved);
    QCOMPARE(rig.dialog.titles, (QStringList{"Save", "Save"}));
    QCOMPARE(rig.dialog.filters, (QStringList{"text files (*.txt)|*.txt", "xls files (*.xls)|*.xls"}));
    QVERIFY(readAll(dir.filePath("log.txt")).startsWith("Kalvendo Report14.05.201207:03:31\r\n\r\n 1 "));
    QCOMPARE(readAll(dir.filePath("log.xls")), tabExportBytes(rig.vars));
    QVERIFY(rig.messages.asked.isEmpty());
}

void TestLogFiles::cancelWritesNothing()
{
    QTemporaryDir dir;
    Rig rig;
    QCOMPARE(saveTextReport(rig.services, rig.dialog, QStringLiteral("T")), SaveResult::Cancelled);
    QCOMPARE(saveTabExport(rig.services, rig.dialog), SaveResult::Cancelled);
    QVERIFY(QDir(dir.path()).isEmpty());
    QVERIFY(rig.messages.asked.isEmpty());
}

void TestLogFiles::nameWithoutExtensionAndReplace()
{
    QTemporaryDir dir;
    Rig rig;
    const QString plain = dir.filePath("messung");
    writeFile(plain, QByteArray(100000, 'x'));
    rig.dialog.answers = {plain};
    QCOMPARE(saveTabExport(rig.services, rig.dialog), SaveResult::Saved);
    QCOMPARE(readAll(plain), tabExportBytes(rig.vars)); // replaced, nothing of the old left
    QVERIFY(!QFile::exists(plain + ".xls"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"messung"});
}

void TestLogFiles::failedWriteKeepsOldFileAndSaysSo_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("missing folder") << "missing/log.txt";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("device node") << "/dev/full";
}

void TestLogFiles::failedWriteKeepsOldFileAndSaysSo()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder");
    const QString path = target.startsWith('/') ? target : dir.filePath(target);
    const QFileInfo before(path);
    Rig rig;
    rig.dialog.answers = {path};
    QCOMPARE(saveTextReport(rig.services, rig.dialog, QStringLiteral("T")), SaveResult::Failed);
    QCOMPARE(rig.messages.asked.size(), 1);
    QVERIFY(rig.messages.asked.first().startsWith("Die Datei konnte nicht gespeichert werden"));
    QVERIFY(rig.messages.asked.first().contains(QDir::toNativeSeparators(path)));
    const QFileInfo after(path);
    QCOMPARE(after.exists(), before.exists());
    QCOMPARE(after.isDir(), before.isDir());
    if (target == "/dev/full")
        QVERIFY(!after.isFile()); // still the device, not a file renamed over it
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestLogFiles::fileSizeLimitKeepsOldFile()
{
    // Root may write into read-only folders; a file size limit fails a write for anyone.
    QTemporaryDir dir;
    const QString path = dir.filePath("old.txt");
    writeFile(path, "the report of yesterday\r\n");
    GVarMod vars;
    for (int i = 0; i < 2000; ++i)
        addRecord(vars, QStringLiteral("DC Spannung"), QStringLiteral("1.234"), QStringLiteral("V"), kStamp1);
    FakeClock clock;
    LocaleForms forms(QLocale(QLocale::German, QLocale::Germany));
    FakeMessageBox messages;
    FakeFileDialog dialog;
    dialog.answers = {path};

    rlimit old{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 4096;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &tight) == 0);
    const SaveResult result = saveTextReport({vars, clock, forms, messages}, dialog, QStringLiteral("T"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(result, SaveResult::Failed);
    QCOMPARE(readAll(path), QByteArray("the report of yesterday\r\n"));
    QCOMPARE(messages.asked.size(), 1);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.txt"});
}

QTEST_GUILESS_MAIN(TestLogFiles)
#include "tst_logfiles.moc"
