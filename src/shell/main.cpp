// MainMod: start-up of the program.
#include "mainform.h"
#include "programparts.h"

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

    ProgramParts parts;
    MainForm mainForm(parts.services());
    parts.setDialogParent(&mainForm);
    mainForm.show();
    mainForm.MDIForm_Load(parser.value(portOption));
    return app.exec();
}

int main(int argc, char *argv[])
{
    return Main(argc, argv);
}
