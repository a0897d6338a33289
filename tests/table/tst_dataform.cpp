#include "pipelinerig.h"
#include "testframes.h"
#include "fakeclock.h"
#include "fakedialogs.h"
#include "fakeserialcomm.h"
#include "recordingprinter.h"
#include "recordingviews.h"

#include "meterlink/gvarmod.h"
#include "meterlink/limitflow.h"
#include "meterlink/modalgate.h"
#include "meterlink/readingpipeline.h"
#include "platform/localeforms.h"
#include "table/dataform.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

namespace {

// DC voltage, 50.000V range.
QByteArray dcVolts(std::array<int, 5> digits)
{
    return meterFrame(1, 2, 0, digits);
}

// The table panel fed by the real pipeline, with recording partners.
struct Rig : PipelineRig {
    FakeFileDialog dialog;
    FakeMessageBox messages;
    RecordingPrinter printer;
    CallLog log;
    RecordingChart chart{log, QStringLiteral("chart")};
    DataForm form{vars, clock, forms, dialog, messages, printer, chart,
        [this] { log.calls << QStringLiteral("resync"); }};

    Rig()
    {
        form.Form_Load();
        pipeline.setViews({&form, nullptr, &chart, nullptr, nullptr});
        dialog.whileOpen = [this] { log.calls << QStringLiteral("dialog"); };
    }

    void send(const QByteArray &bytes)
    {
        now += 250;
        clock.current = clock.current.addSecs(1);
        comm.deliver(bytes, now);
    }

    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << form.TextMatrix(r, c);
        return cells;
    }

    int count(const QString &call) const { return int(log.calls.count(call)); }
};

const QStringList kEmptyRow{"", "", "", "", ""};

} // namespace

class TestDataForm : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void threeReadingsNewestOnTop();
    void newEmptiesTheTable();
    void limitResetWritesFUN();
    void emptyLogToolbarDoesNothing_data();
    void emptyLogToolbarDoesNothing();
    void trailingSteps_data();
    void trailingSteps();
};

void TestDataForm::layout()
{
    Rig rig;
    QCOMPARE(rig.form.geometry(), QRect(500, 40, 438, 600));
    QCOMPARE(rig.form.Toolbar1->geometry(), QRect(16, 32, 94, 26));
    rig.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.form));
    QStringList keys;
    for (QAction *a : rig.form.Toolbar1->actions()) {
        keys << a->data().toString();
        QVERIFY(!a->icon().isNull());
        // All four fit; none is hidden behind an overflow button.
        QVERIFY(rig.form.Toolbar1->widgetForAction(a)->isVisible());
    }
    QCOMPARE(keys, (QStringList{"new", "save", "to_xls", "print"}));
    QCOMPARE(rig.form.MSFlexGrid1->geometry(), QRect(16, 64, 401, 505));
    QCOMPARE(rig.form.MSFlexGrid1->font().pointSizeF(), 9.75);
    QCOMPARE(rig.form.Label1->text(), QStringLiteral("14.05.2012 07:03:31"));
    QCOMPARE(rig.form.Label1->y(), (8640 + 80) / 15);
    QCOMPARE(rig.form.Rows(), 2);
    QCOMPARE(rig.row(0), (QStringList{"Nr.", "Funk", "Daten", "Gerät", "Zeit"}));
    QCOMPARE(rig.row(1), kEmptyRow);
}

void TestDataForm::threeReadingsNewestOnTop()
{
    Rig rig;
    rig.send(dcVolts({1, 2, 3, 4, 5}));
    rig.send(meterFrame(2, 7, 0, {0, 0, 1, 2, 3})); // frequency with a range it does not have
    rig.send(dcVolts({0, 0, 5, 0, 0}));

    QCOMPARE(rig.form.Rows(), 5);
    QCOMPARE(rig.form.Label4->text(), QStringLiteral("3"));
    QCOMPARE(rig.row(1), (QStringList{"3", "DC Spannung", "00.500", "V", "14.05.2012\\07:03:34"}));
    // The unknown range leaves function and unit empty in the table, while the record
    // keeps the texts the readout still shows.
    QCOMPARE(
        rig.row(2), (QStringList{"2", "", rig.vars.log[2].valueText, "", "14.05.2012\\07:03:33"}));
    QCOMPARE(rig.vars.log[2].funcName, QStringLiteral("Frequenz"));
    QCOMPARE(rig.vars.log[2].unit, QStringLiteral("V"));
    QCOMPARE(rig.row(3), (QStringList{"1", "DC Spannung", "12.345", "V", "14.05.2012\\07:03:32"}));
    QCOMPARE(rig.row(4), kEmptyRow);
    QCOMPARE(rig.form.MSFlexGrid1->currentIndex().row(), 0);

    // The view shows the same cells as the grid's text.
    const QAbstractItemModel *model = rig.form.MSFlexGrid1->model();
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("00.500"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Funk"));
}

void TestDataForm::newEmptiesTheTable()
{
    Rig rig;
    for (int i = 0; i < 3; ++i)
        rig.send(dcVolts({0, 0, 0, 0, i}));
    rig.log.calls.clear();
    rig.form.toolbarButton(QStringLiteral("new"))->trigger();

    QCOMPARE(rig.vars.recordCount, 0);
    QCOMPARE(rig.form.Rows(), 2);
    QCOMPARE(rig.row(0)[1], QStringLiteral("Funk"));
    QCOMPARE(rig.row(1), kEmptyRow);
    QCOMPARE(rig.form.Label4->text(), QStringLiteral("3")); // until the next reading
    QCOMPARE(rig.log.calls, QStringList{QStringLiteral("chart redraw")});
    QCOMPARE(rig.comm.RThreshold(), 8); // reception goes on

    rig.send(dcVolts({0, 0, 0, 0, 7}));
    QCOMPARE(rig.form.Label4->text(), QStringLiteral("1"));
    QCOMPARE(rig.form.Rows(), 3);
    QCOMPARE(rig.row(1).mid(0, 3), (QStringList{"1", "DC Spannung", "00.007"}));
}

void TestDataForm::limitResetWritesFUN()
{
    Rig rig;
    rig.send(dcVolts({0, 0, 0, 0, 1}));
    rig.send(dcVolts({0, 0, 0, 0, 2}));
    int resyncs = 0;
    LogLimitFlow limit({rig.vars, rig.clock, rig.forms, rig.messages, rig.dialog, rig.form,
        rig.chart, rig.comm, [&resyncs] { ++resyncs; }});
    limit.runLimitFlow(); // answered No

    QCOMPARE(rig.form.Rows(), 2);
    QCOMPARE(rig.row(0), (QStringList{"Nr.", "FUN", "Daten", "Gerät", "Zeit"}));
    QCOMPARE(rig.form.Label4->text(), QStringLiteral("0"));
    QCOMPARE(resyncs, 1);

    rig.form.Toolbar1_ButtonClick(QStringLiteral("new"));
    QCOMPARE(rig.row(0)[1], QStringLiteral("Funk"));
}

void TestDataForm::emptyLogToolbarDoesNothing_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("records");
    QTest::newRow("save") << "save" << 0;
    QTest::newRow("to_xls") << "to_xls" << 0;
    QTest::newRow("print") << "print" << 0;
    QTest::newRow("save after new") << "save" << -2;
    QTest::newRow("a key without a button") << "open" << 2;
}

void TestDataForm::emptyLogToolbarDoesNothing()
{
    QFETCH(QString, key);
    QFETCH(int, records);
    Rig rig;
    for (int i = 0; i < std::abs(records); ++i)
        rig.send(dcVolts({0, 0, 0, 0, i}));
    if (records < 0)
        rig.form.Toolbar1_ButtonClick(QStringLiteral("new"));
    rig.log.calls.clear();
    const int rows = rig.form.Rows();

    rig.form.Toolbar1_ButtonClick(key);
    QVERIFY(rig.dialog.titles.isEmpty());
    QCOMPARE(rig.printer.operations, 0);
    QVERIFY(rig.messages.asked.isEmpty());
    QVERIFY(rig.log.calls.isEmpty()); // no resynchronisation, no redraw
    QCOMPARE(rig.comm.RThreshold(), 8);
    QCOMPARE(rig.form.Rows(), rows);
}

void TestDataForm::trailingSteps_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("giveName");
    QTest::addColumn<int>("printerFailsAt");
    QTest::addColumn<QString>("filter");
    QTest::newRow("save cancelled") << "save" << false << -1 << "text files (*.txt)|*.txt";
    QTest::newRow("to_xls cancelled") << "to_xls" << false << -1 << "xls files (*.xls)|*.xls";
    QTest::newRow("save written") << "save" << true << -1 << "text files (*.txt)|*.txt";
    QTest::newRow("to_xls written") << "to_xls" << true << -1 << "xls files (*.xls)|*.xls";
    QTest::newRow("print") << "print" << false << -1 << "";
    QTest::newRow("print failing") << "print" << false << 3 << "";
}

void TestDataForm::trailingSteps()
{
    QFETCH(QString, key);
    QFETCH(bool, giveName);
    QFETCH(int, printerFailsAt);
    QFETCH(QString, filter);
    Rig rig;
    rig.send(dcVolts({1, 2, 3, 4, 5}));
    rig.log.calls.clear();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("log"));
    if (giveName)
        rig.dialog.answers << file;
    rig.printer.failAt = printerFailsAt;

    rig.form.toolbarButton(key)->trigger();

    if (filter.isEmpty()) {
        QVERIFY(rig.dialog.titles.isEmpty());
        QCOMPARE(rig.log.calls, QStringList{QStringLiteral("resync")});
        QCOMPARE(rig.printer.ended, printerFailsAt < 0);
        QCOMPARE(rig.printer.aborted, printerFailsAt >= 0);
        QCOMPARE(rig.printer.textsOn(1).size(), printerFailsAt < 0 ? 12 : 0);
        QCOMPARE(rig.messages.asked.size(), printerFailsAt < 0 ? 0 : 1);
    } else {
        QCOMPARE(rig.dialog.filters, QStringList{filter});
        QCOMPARE(rig.log.calls, (QStringList{"dialog", "resync"}));
        QCOMPARE(QFile::exists(file), giveName);
        QFile f(file);
        if (giveName && f.open(QIODevice::ReadOnly)) {
            const QByteArray first = f.readLine();
            QVERIFY2(
                first.startsWith(
                    key == QLatin1String("save") ? "Kalvendo Daten Logger14.05.2012" : "NO.\tFunk"),
                first.constData());
        }
    }
    QCOMPARE(rig.vars.recordCount, 1); // the log stays as it is
}

QTEST_MAIN(TestDataForm)
#include "tst_dataform.moc"
