#include "ui/app/CalcApp.h"

#include "core/eval/RandomGenerator.h"
#include "ui/app/CalcDlg.h"
#include "ui/app/QtSettingsStore.h"
#include "ui/app/SingleInstance.h"

#include <QApplication>
#include <QPalette>

#include <cstdint>
#include <cstdio>
#include <ctime>

int CCalcApp::Run()
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
    SetDialogColors();
    CRandomGenerator random;
    random.RandomSeed(std::uint32_t(std::time(nullptr)));
    CQtSettingsStore store;
    CCalcDlg dialog(random, store);
    QObject::connect(&instance, &CSingleInstance::ShowRequested, &dialog,
                     &CCalcDlg::ShowAndActivate);
    dialog.show();
    return QApplication::exec();
}

void CCalcApp::SetDialogColors()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window,
                     QColor(DIALOG_BACK_RED, DIALOG_BACK_GREEN, DIALOG_BACK_BLUE));
    palette.setColor(QPalette::WindowText, Qt::black);
    QApplication::setPalette(palette);
}
