// MainMod: start-up of the program.
#include "mainform.h"
#include "programparts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>

namespace {

// --help and --version only print, so they must work where there is no display, as in a
// terminal over ssh; the window system is not even looked for then.
void skipWindowSystemForPrintingOptions(int argc, char *argv[])
{
    static constexpr const char *printingOptions[] = {"-h", "--help", "--help-all", "-?", "-v", "--version"};
    for (int i = 1; i < argc; ++i) {
        for (const char *option : printingOptions) {
            if (std::strcmp(argv[i], option) == 0 && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
                return;
            }
        }
    }
}

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
    skipWindowSystemForPrintingOptions(argc, argv);
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
