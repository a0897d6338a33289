#include "pipelinerig.h"
#include "testframes.h"
#include "fakeclock.h"
#include "fakedialogs.h"
#include "fakeserialcomm.h"
#include "logfixture.h"
#include "recordingviews.h"

#include "meterlink/gvarmod.h"
#include "meterlink/limitflow.h"
#include "meterlink/modalgate.h"
#include "meterlink/readingpipeline.h"
#include "platform/localeforms.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The table as the pipeline and the reset drive it; cheap with 50000 rows.
class LimitTable final : public ReadingTableView, public LimitTableView {
public:
    explicit LimitTable(CallLog &log) : m_log(log) { }
    QString countCaption;
    QString topNr;
    int rows = 0;

    void setCountCaption(const QString &text) override
    {
        countCaption = text;
        m_log.calls << QStringLiteral("count %1").arg(text);
    }
    void insertRowOnTop(const QString &nrText) override
    {
        ++rows;
        topNr = nrText;
        m_log.calls << QStringLiteral("row %1").arg(nrText);
    }
    void setCurrentRowText(int, const QString &) override { }
    void resetTable(const QString &column1Header) override
    {
        rows = 0;
        m_log.calls << QStringLiteral("reset %1").arg(column1Header);
    }

private:
    CallLog &m_log;
};

// The pipeline with the limit flow, and a log one reading short of full.
struct Rig : PipelineRig {
    FakeFileDialog dialog;
    FakeMessageBox messages;
    CallLog log;
    LimitTable table{log};
    RecordingReadout readoutView{log};
    RecordingChart chart{log, QStringLiteral("chart")};
    LogLimitFlow limit{
        {vars, clock, forms, messages, dialog, table, chart, comm, [this] {
             log.calls << QStringLiteral("resync with threshold %1").arg(comm.RThreshold());
         }}};

    Rig()
    {
        pipeline.setViews({&table, &readoutView, &chart, nullptr, &limit});
        const QString func = QStringLiteral("Kapazitaet");
        const QString unit = QStringLiteral("uF");
        const QString stamp = QStringLiteral("14.05.2012\\07:03:31");
        for (int i = 1; i < ReadingLog::capacity; ++i)
            addRecord(vars, func, QStringLiteral("00001"), unit, stamp, 1);
        table.countCaption = QString::number(vars.recordCount);
        table.rows = vars.recordCount;
    }
};

} // namespace

class TestLimitFlow : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
};

void TestLimitFlow::answers_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("fileName"); // "" cancels the dialog
    QTest::addColumn<bool>("reset");
    QTest::newRow("No") << false << "" << true;
    QTest::newRow("Yes and a name") << true << "report.txt" << true;
    QTest::newRow("Yes and cancel") << true << "" << false;
    QTest::newRow("Yes and a file that cannot be written") << true << "missing/report.txt" << false;
}

void TestLimitFlow::answers()
{
    QFETCH(bool, yes);
    QFETCH(QString, fileName);
    QFETCH(bool, reset);
    Rig rig;
    QTemporaryDir dir;
    const QString path = fileName.isEmpty() ? QString() : dir.filePath(fileName);
    rig.messages.answers << yes;
    if (!path.isEmpty())
        rig.dialog.answers << path;

    // What the user sees while asked.
    QStringList callsBeforeQuestion;
    int countAtQuestion = 0;
    QString valueAtQuestion;
    rig.messages.whileOpen = [&] {
        if (!callsBeforeQuestion.isEmpty())
            return; // a later notice
        callsBeforeQuestion = rig.log.calls;
        countAtQuestion = rig.vars.recordCount;
        valueAtQuestion = rig.vars.log[ReadingLog::capacity].valueText;
        rig.log.calls.clear();
    };

    rig.send(microfarads(4711));

    QCOMPARE(rig.messages.asked.value(0), QStringLiteral("Bitte abspeichern!"));
    QCOMPARE(callsBeforeQuestion,
        (QStringList{
            "count 50000", "row 50000", "readout", "chart relabel 49901", "chart redraw"}));
    QCOMPARE(countAtQuestion, 50000);
    QCOMPARE(valueAtQuestion, QStringLiteral("04711"));
    QCOMPARE(rig.dialog.titles.size(), yes ? 1 : 0);

    if (fileName == QLatin1String("report.txt")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines.size(), 2 + 50000 + 1); // the last line end leaves an empty piece
        QVERIFY(lines[0].startsWith("Kalvendo Report14.05.2012"));
        QVERIFY(lines[50001].startsWith(" 50000 Kapazitaet04711uF"));
    }
    if (fileName.startsWith(QLatin1String("missing"))) {
        QCOMPARE(rig.messages.asked.size(), 2);
        QVERIFY(rig.messages.asked[1].contains(QStringLiteral("nicht gespeichert")));
    }

    if (reset) {
        QCOMPARE(rig.log.calls,
            (QStringList{"reset FUN", "chart redraw", "count 0", "resync with threshold 0"}));
        QCOMPARE(rig.vars.recordCount, 0);
        QVERIFY(!rig.vars.browsing);
        QCOMPARE(rig.vars.pageFirst, 49901); // until the next reading
        QCOMPARE(rig.readout.valueText, QStringLiteral("04711"));

        // Once the line is quiet the resynchronisation turns reception on again.
        rig.comm.setRThreshold(8);
        rig.send(microfarads(5));
        QCOMPARE(rig.vars.recordCount, 1);
        QCOMPARE(rig.table.countCaption, QStringLiteral("1"));
        QCOMPARE(rig.table.topNr, QStringLiteral("1"));
        QCOMPARE(rig.vars.pageFirst, 1);
        QCOMPARE(rig.vars.pagePoints, 1);
    } else {
        QVERIFY(rig.log.calls.isEmpty());
        QCOMPARE(rig.vars.recordCount, 50000);
        QCOMPARE(rig.table.countCaption, QStringLiteral("50000"));
        QCOMPARE(rig.comm.RThreshold(), 8);

        // Reception stays on, but every frame finds the log full and is dropped, without
        // another question.
        const int asked = int(rig.messages.asked.size());
        rig.send(microfarads(6));
        rig.send(microfarads(7));
        QCOMPARE(rig.vars.recordCount, 50000);
        QCOMPARE(rig.vars.log[50000].valueText, QStringLiteral("04711"));
        QCOMPARE(rig.table.rows, 50000);
        QCOMPARE(rig.messages.asked.size(), asked);
        QVERIFY(rig.log.calls.isEmpty());
        QCOMPARE(rig.comm.InBufferCount(), 0);
    }
}

QTEST_GUILESS_MAIN(TestLimitFlow)
#include "tst_limitflow.moc"
