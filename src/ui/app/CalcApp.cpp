#include "ui/app/CalcApp.h"

#include "core/eval/RandomGenerator.h"
#include "ui/app/CalcDlg.h"
#include "ui/app/QtSettingsStore.h"
#include "ui/app/SingleInstance.h"

#include <QApplication>
#include <QPalette>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

namespace
{
constexpr double MIN_SCALE_FACTOR = 0.1;
constexpr double MAX_SCALE_FACTOR = 10.0;

bool IsUsableFactor(const QByteArray& text)
{
    bool bNumber = false;
    const double dFactor = text.toDouble(&bNumber);
    return bNumber && dFactor >= MIN_SCALE_FACTOR && dFactor <= MAX_SCALE_FACTOR;
}

// "1.5;2" or "HDMI-1=1.5;DP-2=2": one factor per screen.
bool AreUsableScreenFactors(const QByteArray& text)
{
    for (const QByteArray& factor : text.split(';'))
        if (!factor.isEmpty() && !IsUsableFactor(factor.mid(factor.lastIndexOf('=') + 1)))
            return false;
    return true;
}

struct ScaleVariable
{
    const char* pszName;
    bool (*IsUsable)(const QByteArray& text);
};

constexpr ScaleVariable SCALE_VARIABLES[] = {
    {"QT_SCALE_FACTOR", IsUsableFactor},
    {"QT_SCREEN_SCALE_FACTORS", AreUsableScreenFactors},
};

// Requests to end: a logout or kill (SIGTERM), a closed terminal (SIGHUP), Ctrl+C (SIGINT).
constexpr int END_SIGNALS[] = {SIGTERM, SIGHUP, SIGINT};

// The write end of the pipe through which a signal handler wakes the event loop; a handler can
// reach nothing else.
int g_nEndSignalPipe = -1;

void OnEndSignal(int)
{
    const char ch = 0;
    [[maybe_unused]] const ssize_t nWritten = ::write(g_nEndSignalPipe, &ch, 1);
}

// From now on a request to end is kept in a pipe for the event loop; returns its read end, or -1
// when there is no pipe and the signals keep their default action.
int CatchEndSignals()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return -1;
    g_nEndSignalPipe = fds[1];
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int nSignal : END_SIGNALS)
        ::sigaction(nSignal, &action, nullptr);
    return fds[0];
}

// A request to end, also one that came before, closes the main window as its close button does,
// so the console is kept, and then ends the event loop.
void CloseOnEndSignals(QWidget& window, int nPipe)
{
    if (nPipe < 0)
        return;
    auto* pNotifier = new QSocketNotifier(nPipe, QSocketNotifier::Read, &window);
    QObject::connect(pNotifier, &QSocketNotifier::activated, &window, [&window, nPipe] {
        char buffer[16];
        while (::read(nPipe, buffer, sizeof buffer) > 0) {}
        window.close();
        QCoreApplication::quit();
    });
}
} // namespace

int CCalcApp::Run(std::optional<Language> language)
{
    CSingleInstance instance;
    switch (instance.Claim()) {
    case CSingleInstance::ClaimResult::Running:
        break;
    case CSingleInstance::ClaimResult::Forwarded:
        return 0;
    case CSingleInstance::ClaimResult::Failed:
        std::fprintf(stderr, "pelmorix: %s\n", qPrintable(instance.ErrorString()));
        return 1;
    }
    const int nEndSignals = CatchEndSignals();
    SetDialogColors();
    CRandomGenerator random;
    random.RandomSeed(std::uint32_t(std::time(nullptr)));
    CQtSettingsStore store;
    CCalcDlg dialog(random, store, DataFolder());
    if (language)
        dialog.SettingsHost().ChooseLanguage(*language);
    QObject::connect(&instance, &CSingleInstance::ShowRequested, &dialog,
                     &CCalcDlg::ShowAndActivate);
    CloseOnEndSignals(dialog, nEndSignals);
    dialog.show();
    return QApplication::exec();
}

QStringList CCalcApp::RefuseUnusableScaling()
{
    QStringList warnings;
    for (const ScaleVariable& variable : SCALE_VARIABLES) {
        const QByteArray value = qgetenv(variable.pszName);
        // Empty is unset, for Qt too.
        if (value.isEmpty() || variable.IsUsable(value))
            continue;
        qunsetenv(variable.pszName);
        warnings << QStringLiteral("%1=%2 is ignored: a scale factor must be a number from %3 "
                                   "to %4.")
                        .arg(QString::fromLatin1(variable.pszName), QString::fromLocal8Bit(value))
                        .arg(MIN_SCALE_FACTOR)
                        .arg(MAX_SCALE_FACTOR);
    }
    return warnings;
}

QByteArray CCalcApp::ChoosePlatform(const QByteArray& strChosen, const QByteArray& strDisplay,
                                    const QByteArray& strWayland)
{
    if (!strChosen.isEmpty() || strDisplay.isEmpty())
        return {};
    return strWayland.isEmpty() ? QByteArrayLiteral("xcb") : QByteArrayLiteral("xcb;wayland");
}

void CCalcApp::PreferX11()
{
    const QByteArray strPlatform =
        ChoosePlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"));
    if (!strPlatform.isEmpty())
        qputenv("QT_QPA_PLATFORM", strPlatform);
}

QString CCalcApp::DataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void CCalcApp::SetDialogColors()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window,
                     QColor(DIALOG_BACK_RED, DIALOG_BACK_GREEN, DIALOG_BACK_BLUE));
    palette.setColor(QPalette::WindowText, Qt::black);
    QApplication::setPalette(palette);
}
