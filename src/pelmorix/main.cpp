#include "ui/app/CalcApp.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <optional>

namespace
{
// The program's own options; Qt's (-platform, -style, -display ...) come on top.
void AddOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Scientific calculator: type an expression, press Enter, read the result.\n"
                       "A second start brings the running calculator forward."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        QStringLiteral("lang"),
        QStringLiteral("Interface language: en (English) or zh (Simplified Chinese). Kept for the "
                       "next starts, as if chosen in the settings window."),
        QStringLiteral("en|zh")));
}

// The language of --lang; none when the option is absent. False when its value is neither.
bool ReadLanguage(const QCommandLineParser& parser, std::optional<Language>& language)
{
    if (!parser.isSet(QStringLiteral("lang")))
        return true;
    const QString strValue = parser.value(QStringLiteral("lang"));
    if (strValue == QLatin1String("en"))
        language = Language::English;
    else if (strValue == QLatin1String("zh"))
        language = Language::Chinese;
    else
        return false;
    return true;
}

// --help and --version are answered before the window system is opened, so that they also work
// in a terminal without a display; either ends the process. Anything else, such as an unknown
// option, is left to the parse after QApplication has taken out the options that are Qt's.
void AnswerHelpAndVersion(int argc, char* argv[])
{
    QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    AddOptions(parser);
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}
} // namespace

int main(int argc, char* argv[])
{
    // The application name is also the X11 window class, which the desktop entry's
    // StartupWMClass names; the desktop file name is the window's app id on Wayland.
    QCoreApplication::setApplicationName(QStringLiteral("pelmorix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELMORIX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(PELMORIX_APP_ID));
    AnswerHelpAndVersion(argc, argv);
    for (const QString& strWarning : CCalcApp::RefuseUnusableScaling())
        std::fprintf(stderr, "pelmorix: %s\n", qPrintable(strWarning));
    CCalcApp::PreferX11();

    QApplication app(argc, argv);
    QCommandLineParser parser;
    AddOptions(parser);
    parser.process(app);
    std::optional<Language> language;
    if (!ReadLanguage(parser, language)) {
        std::fprintf(stderr, "pelmorix: --lang takes en or zh, not \"%s\"\n",
                     qPrintable(parser.value(QStringLiteral("lang"))));
        return 2;
    }
    return CCalcApp().Run(language);
}
