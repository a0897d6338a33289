// Makes the README's screenshots: the program's own forms, driven by the meter simulator
// over a pseudo-terminal, grabbed to PNG files.
#include "graph/graphform.h"
#include "readout/showform.h"
#include "shell/connectform.h"
#include "shell/mainform.h"
#include "shell/programparts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QComboBox>
#include <QTimer>

#include <cstdio>

namespace {

void waitFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

bool save(QWidget *widget, const QString &path)
{
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption simOption("simulator", "path of kalvendo-metersim", "path");
    const QCommandLineOption outOption("out", "folder for the PNG files", "dir", "docs/screenshots");
    const QCommandLineOption secondsOption("seconds", "seconds of readings before the pictures", "s", "8");
    const QCommandLineOption offlineOption("offline", "also take the offline state");
    parser.addOptions({simOption, outOption, secondsOption, offlineOption});
    parser.process(app);
    QDir().mkpath(parser.value(outOption));
    const QDir out(parser.value(outOption));

    // German dates and times, and no bridge: the simulator is the meter.
    ProgramParts parts(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("/nonexistent"));
    QtSerialComm &comm = parts.comm;
    MainForm mainForm(parts.services());
    parts.setDialogParent(&mainForm);
    mainForm.show();

    bool ok = true;
    if (parser.isSet(offlineOption)) {
        mainForm.MDIForm_Load();
        waitFor(300);
        ok &= save(&mainForm, out.filePath("kalvendo-offline.png"));
    }

    QProcess simulator;
    simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    simulator.start(parser.value(simOption), {"--interval", "60", "--wait-open", "--settle", "100"});
    if (!simulator.waitForReadyRead(5000)) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();
    if (parser.isSet(offlineOption)) {
        comm.setDevicePath(device);
        mainForm.connectForm()->Combo1->setEditText(device);
        mainForm.connectForm()->btn_conn_Click();
    } else {
        mainForm.MDIForm_Load(device);
    }
    // A scale that fits the demo's volts.
    mainForm.showForm()->Combo1->setCurrentText(QStringLiteral("20"));
    mainForm.showForm()->Combo1_Click();
    waitFor(parser.value(secondsOption).toInt() * 1000);
    ok &= save(&mainForm, out.filePath("kalvendo-online.png"));

    // The graph window over the same page.
    mainForm.showForm()->Image1_Click();
    if (GraphForm *graph = mainForm.showForm()->graphForm()) {
        waitFor(1000);
        ok &= save(graph, out.filePath("kalvendo-graph.png"));
    } else {
        ok = false;
    }

    simulator.terminate();
    simulator.waitForFinished(3000);
    comm.setPortOpen(false);
    return ok ? 0 : 1;
}
