#include "ui/base/SaveAs.h"

#include "core/keep/KeepTexts.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

namespace
{
QString ChooseWithSystemDialog(QWidget* pParent, const QString& strTitle,
                               const QString& strSuggested, const QStringList& filters,
                               int* pFilter)
{
    QString strFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (strFolder.isEmpty() || !QDir(strFolder).exists())
        strFolder = QDir::homePath();
    QString strFilter = filters.value(0);
    const QString strPath =
        QFileDialog::getSaveFileName(pParent, strTitle, QDir(strFolder).filePath(strSuggested),
                                     filters.join(QStringLiteral(";;")), &strFilter);
    *pFilter = std::max(0, int(filters.indexOf(strFilter)));
    return strPath;
}

void ReportInMessageBox(QWidget* pParent, const QString& strText)
{
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), strText,
                    QMessageBox::Ok, pParent);
    box.exec();
}
} // namespace

QString SaveWholeFile(const QString& strPath, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!write(file)) {
        const QString strError = file.errorString();
        file.cancelWriting();
        return strError;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

SaveDialogs SaveDialogs::System() { return {ChooseWithSystemDialog, ReportInMessageBox}; }

bool SaveAs(const SaveDialogs& dialogs, QWidget* pParent, Language language,
            const QString& strTitle, const QString& strSuggested, const QStringList& filters,
            const std::function<bool(QIODevice& device, int nFilter)>& write)
{
    int nFilter = 0;
    QString strDialogTitle = strTitle;
    strDialogTitle.remove(QChar(0x2026));
    const QString strPath =
        dialogs.choose(pParent, strDialogTitle, strSuggested, filters, &nFilter);
    if (strPath.isEmpty())
        return false;
    const QString strError =
        SaveWholeFile(strPath, [&](QIODevice& device) { return write(device, nFilter); });
    if (strError.isEmpty())
        return true;
    dialogs.report(pParent, QString::fromUtf8(keepmsg::NOT_SAVED.In(language))
                                .arg(QDir::toNativeSeparators(strPath), strError));
    return false;
}
