// MainMod: start-up of the program.
#include "mainform.h"

#include "meterlink/gvarmod.h"
#include "meterlink/modalgate.h"
#include "meterlink/readoutstate.h"
#include "platform/clock.h"
#include "platform/localeforms.h"
#include "platform/portprobe.h"
#include "platform/qtfiledialog.h"
#include "platform/qtmessagebox.h"
#include "platform/qtprinter.h"
#include "platform/qtserialcomm.h"
#include "platform/serialportmap.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Qt's own dialogs in German ("Ja", "Nein", the file dialog's labels), as the rest of
// the program speaks.
void loadGermanTranslations(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
}

} // namespace

int Main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kalvendo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kalvendo"));
    QApplication::setApplicationVersion(QStringLiteral(KALVENDO_VERSION));

    loadGermanTranslations(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kalvendo: Datenlogger für ein Handmultimeter"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Öffnet dieses serielle Gerät beim Start, statt die "
                                                       "USB-Brücke des Messgeräts zu suchen."),
                                        QStringLiteral("gerät"));
    parser.addOption(portOption);
    parser.process(app);

    GVarMod vars; // recordCount 0, pagePoints 0, pageFirst 1, yScale 400, browsing false
    ReadoutState readout;
    ModalGate modal;
    QtSerialComm comm;
    QtFileDialog mainDialog(modal);
    QtFileDialog dataDialog(modal);
    QtMessageBox messages(modal);
    SystemClock clock;
    const LocaleForms forms(QLocale::system());
    const SysfsSerialPortMap portMap;
    SerialPortProbe probe;
    QtPrinter printer;

    MainForm mainForm({vars, readout, comm, mainDialog, dataDialog, messages, clock, forms, portMap,
                       probe, modal, printer});
    mainDialog.setParent(&mainForm);
    dataDialog.setParent(&mainForm);
    messages.setParent(&mainForm);
    mainForm.show();
    mainForm.MDIForm_Load(parser.value(portOption));
    return app.exec();
}

int main(int argc, char *argv[])
{
    return Main(argc, argv);
}
