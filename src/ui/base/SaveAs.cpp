#include "ui/base/SaveAs.h"

#include "core/keep/KeepTexts.h"
#include "ui/base/QtText.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

#include <sys/stat.h>

namespace
{
// Passes every write on to the file whole. A write the system takes only in part (a full disk
// takes what fits) is continued until the system refuses; then the device and the save fail,
// even where the writer, an image or SVG writer, does not look at what a write returns.
class CWholeWrites : public QIODevice
{
public:
    explicit CWholeWrites(QSaveFile& file) : m_file(file) { open(WriteOnly | Unbuffered); }

    bool Failed() const { return m_bFailed; }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* pData, qint64 nLength) override
    {
        for (qint64 nDone = 0; !m_bFailed && nDone < nLength;) {
            const qint64 nWritten = m_file.write(pData + nDone, nLength - nDone);
            m_bFailed = nWritten <= 0;
            nDone += std::max<qint64>(nWritten, 0);
        }
        if (m_bFailed)
            setErrorString(m_file.errorString());
        return m_bFailed ? -1 : nLength;
    }

private:
    QSaveFile& m_file;
    bool m_bFailed = false;
};

// The filter whose pattern ("(*.svg)") ends like strPath, or nChosen.
int FilterBySuffix(const QStringList& filters, const QString& strPath, int nChosen)
{
    const QString strSuffix = QFileInfo(strPath).suffix();
    for (qsizetype i = 0; i < filters.size() && !strSuffix.isEmpty(); ++i)
        if (filters[i].endsWith(QStringLiteral("(*.") + strSuffix + QLatin1Char(')'),
                                Qt::CaseInsensitive))
            return int(i);
    return nChosen;
}

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

QString RefuseNonFile(const QString& strPath, Language language)
{
    struct stat status = {};
    // A path that cannot be looked at is left to the writing, which names the system's reason.
    if (::stat(QFile::encodeName(strPath).constData(), &status) != 0 || S_ISREG(status.st_mode))
        return {};
    return QtText(keepmsg::NOT_A_FILE, language);
}

// Unbuffered, every write reaches the system at once and its failure is seen: a buffered
// QSaveFile would flush at commit, and commit takes no notice of a flush that failed. QSaveFile
// never opens the old file; its commit renames over whatever stands there then, so the target is
// looked at once more just before.
QString SaveWholeFile(const QString& strPath, Language language,
                      const std::function<bool(QIODevice&)>& write)
{
    if (QString strRefused = RefuseNonFile(strPath, language); !strRefused.isEmpty())
        return strRefused;
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    CWholeWrites device(file);
    if (!write(device) || device.Failed()) {
        const QString strError = device.Failed() ? device.errorString() : file.errorString();
        file.cancelWriting();
        return strError;
    }
    // Not committed, the new file is discarded.
    if (QString strRefused = RefuseNonFile(strPath, language); !strRefused.isEmpty())
        return strRefused;
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
    nFilter = FilterBySuffix(filters, strPath, nFilter);
    const QString strError =
        SaveWholeFile(strPath, language, [&](QIODevice& device) { return write(device, nFilter); });
    if (strError.isEmpty())
        return true;
    dialogs.report(
        pParent,
        QtText(keepmsg::NOT_SAVED, language).arg(QDir::toNativeSeparators(strPath), strError));
    return false;
}
