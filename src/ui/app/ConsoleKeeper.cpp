#include "ui/app/ConsoleKeeper.h"

#include "core/app/SettingsStore.h"
#include "core/keep/ConsoleFormat.h"
#include "core/keep/KeepTexts.h"
#include "ui/console/CalcEdit.h"
#include "ui/graph/GraphDlg.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

namespace
{
constexpr const char* SUGGESTED_NAME = "pelmorix-console.txt";
constexpr qint64 MEGABYTE = 1024 * 1024;

bool AskInMessageBox(QWidget* pParent, const QString& strText)
{
    return QMessageBox::question(pParent, QGuiApplication::applicationDisplayName(), strText,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool IsThere(const QString& strPath)
{
    const QFileInfo info(strPath);
    return info.exists() || info.isSymLink();
}

// strPath.bad-<date and time>, with a number added while that name is taken.
QString AsideName(const QString& strPath)
{
    const QString strBase =
        strPath + QStringLiteral(".bad-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString strAside = strBase;
    for (int n = 2; IsThere(strAside); ++n)
        strAside = strBase + QLatin1Char('-') + QString::number(n);
    return strAside;
}

QString Native(const QString& strPath) { return QDir::toNativeSeparators(strPath); }

// Renames whatever stands at strFrom (a file, folder, FIFO or a link, even a broken one).
bool RenameAnything(const QString& strFrom, const QString& strTo)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(strFrom).toStdString(),
                            QFile::encodeName(strTo).toStdString(), error);
    return !error;
}

// A line no longer than a paste makes one: a file edited by hand may hold any length, and laying
// out a very long line makes every key slow.
QString FitLine(QString strLine)
{
    qsizetype nLength = std::min<qsizetype>(strLine.size(), CCalcEdit::PASTE_LINE_LIMIT);
    if (nLength < strLine.size() && strLine.at(nLength - 1).isHighSurrogate())
        --nLength;
    strLine.truncate(nLength);
    return strLine;
}

bool WriteBytes(QIODevice& device, const std::string& strBytes)
{
    return device.write(strBytes.data(), qint64(strBytes.size())) == qint64(strBytes.size());
}
} // namespace

CConsoleKeeper::CConsoleKeeper(CCalcEdit& console, CGraphDlg& graph, ISettingsStore& store,
                               const ILanguageSource& language, QString strFolder, QWidget* pWindow)
    : QObject(pWindow), m_console(console), m_graph(graph), m_store(store), m_language(language),
      m_strFolder(std::move(strFolder)), m_pWindow(pWindow), m_confirm(AskInMessageBox)
{
    const std::optional<std::string> strSetting = store.Read(SETTING_NAME);
    m_bKeeping = !strSetting || *strSetting != "0";
    m_pTimer = new QTimer(this);
    m_pTimer->setSingleShot(true);
    m_pTimer->setInterval(SAVE_DELAY_MS);
    connect(m_pTimer, &QTimer::timeout, this, &CConsoleKeeper::SaveNow);
    connect(&console, &CCalcEdit::EnterRunDone, this, &CConsoleKeeper::ScheduleSave);
    connect(&console, &CCalcEdit::SaveRequested, this, &CConsoleKeeper::SaveConsoleAs);

    m_pKeepAction = new QAction(this);
    m_pKeepAction->setObjectName(QStringLiteral("keepConsole"));
    m_pKeepAction->setCheckable(true);
    connect(m_pKeepAction, &QAction::toggled, this, &CConsoleKeeper::SetKeeping);
    m_pSaveAction = new QAction(this);
    m_pSaveAction->setObjectName(QStringLiteral("saveConsole"));
    connect(m_pSaveAction, &QAction::triggered, this, &CConsoleKeeper::SaveConsoleAs);
    UpdateMenuItems();
}

QString CConsoleKeeper::FilePath() const
{
    return m_strFolder.isEmpty() ? QString() : QDir(m_strFolder).filePath(FILE_NAME);
}

bool CConsoleKeeper::IsSavePending() const { return m_pTimer->isActive(); }

QString CConsoleKeeper::Tr(const Text& text) const
{
    return QString::fromUtf8(text.In(m_language.CurrentLanguage()));
}

void CConsoleKeeper::UpdateMenuItems()
{
    const QSignalBlocker blocker(m_pKeepAction);
    m_pKeepAction->setText(Tr(keepmsg::KEEP_CONSOLE));
    m_pKeepAction->setChecked(m_bKeeping);
    m_pKeepAction->setEnabled(!m_strFolder.isEmpty());
    m_pSaveAction->setText(Tr(keepmsg::SAVE_CONSOLE));
}

void CConsoleKeeper::Restore()
{
    if (!m_bKeeping || m_strFolder.isEmpty())
        return;
    RemoveUnfinishedWrites();
    const FileRead file = ReadFile();
    if (!file.bFound)
        return;
    const QString strProblem = file.strProblem.isEmpty() ? RestoreFrom(file) : file.strProblem;
    if (!strProblem.isEmpty())
        ShowNotice(strProblem);
}

// A write killed half-way leaves its temporary file (console.txt.XXXXXX) beside the kept one;
// only one calculator runs, so none of them is still being written.
void CConsoleKeeper::RemoveUnfinishedWrites() const
{
    static const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(QString::fromLatin1(FILE_NAME)) +
        QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDir folder(m_strFolder);
    for (const QFileInfo& info : folder.entryInfoList(QDir::Files | QDir::Hidden))
        if (temporary.match(info.fileName()).hasMatch())
            QFile::remove(info.filePath());
}

// Anything but a plain file is refused before it is opened: a FIFO would wait for a writer.
CConsoleKeeper::FileRead CConsoleKeeper::ReadFile() const
{
    FileRead read;
    const QString strPath = FilePath();
    const QFileInfo info(strPath);
    read.bFound = IsThere(strPath);
    const QString strTooLarge = Tr(keepmsg::TOO_LARGE).arg(MAX_FILE_BYTES / MEGABYTE);
    if (!read.bFound)
        return read;
    if (info.isDir()) {
        read.strProblem = Tr(keepmsg::IS_FOLDER);
    } else if (info.exists() && !info.isFile()) {
        read.strProblem = Tr(keepmsg::NOT_PLAIN);
    } else if (info.size() > MAX_FILE_BYTES) {
        read.strProblem = strTooLarge;
    } else {
        QFile file(strPath);
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly))
            bytes = file.read(MAX_FILE_BYTES + 1);
        if (file.error() != QFileDevice::NoError)
            read.strProblem = Tr(keepmsg::UNREADABLE).arg(file.errorString());
        else if (bytes.size() > MAX_FILE_BYTES)
            read.strProblem = strTooLarge;
        read.strBytes = bytes.toStdString();
    }
    return read;
}

QString CConsoleKeeper::RestoreFrom(const FileRead& file)
{
    KeptConsole kept;
    try {
        kept = ReadKeptConsole(file.strBytes);
        RestoreConsole(kept, m_console.Eval(), m_graph.Curves());
    } catch (const KeepFormatError& error) {
        return QString::fromUtf8(error.Describe(m_language.CurrentLanguage()));
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    m_graph.update();
    QStringList lines;
    lines.reserve(qsizetype(kept.lines.size()));
    for (const std::string& strLine : kept.lines)
        lines.append(FitLine(QString::fromStdString(strLine)));
    m_console.setPlainText(lines.join(QLatin1Char('\n')));
    m_console.moveCursor(QTextCursor::End);
    return {};
}

// The unreadable file goes aside under a name of its own, or stays and blocks every write.
void CConsoleKeeper::ShowNotice(const QString& strProblem)
{
    const QString strPath = FilePath();
    const QString strAside = AsideName(strPath);
    QString strNotice;
    if (RenameAnything(strPath, strAside)) {
        strNotice = Tr(keepmsg::MOVED_ASIDE).arg(strProblem, Native(strAside));
    } else {
        m_bBlocked = true;
        strNotice = Tr(keepmsg::NOT_MOVED).arg(strProblem, Native(strPath));
    }
    m_console.setPlainText(strNotice + QLatin1Char('\n'));
    m_console.moveCursor(QTextCursor::End);
}

void CConsoleKeeper::ScheduleSave()
{
    // A running wait is not started again: a steady stream of Enter runs still gets written.
    if (m_bKeeping && !m_strFolder.isEmpty() && !m_pTimer->isActive())
        m_pTimer->start();
}

bool CConsoleKeeper::SaveNow()
{
    m_pTimer->stop();
    if (!m_bKeeping || m_bBlocked || m_strFolder.isEmpty())
        return true;
    const std::string strFile =
        WriteKeptConsole(CaptureConsole(ConsoleLines(), m_console.Eval(), m_graph.Curves()));
    QDir().mkpath(m_strFolder);
    const QString strError =
        SaveWholeFile(FilePath(), [&](QIODevice& device) { return WriteBytes(device, strFile); });
    if (strError.isEmpty()) {
        m_bFailureShown = false;
        return true;
    }
    if (!m_bFailureShown) {
        m_bFailureShown = true;
        m_dialogs.report(m_pWindow, Tr(keepmsg::NOT_KEPT).arg(Native(FilePath()), strError));
    }
    return false;
}

void CConsoleKeeper::SetKeeping(bool bKeep)
{
    if (bKeep != m_bKeeping && !m_strFolder.isEmpty()) {
        const QString strPath = FilePath();
        // A file that could not be read is no kept console: it is never deleted here.
        if (!bKeep && !m_bBlocked && QFileInfo(strPath).isFile()) {
            if (!m_confirm(m_pWindow, Tr(keepmsg::STOP_KEEPING).arg(Native(strPath)))) {
                UpdateMenuItems();
                return;
            }
            QFile file(strPath);
            if (!file.remove())
                m_dialogs.report(m_pWindow,
                                 Tr(keepmsg::NOT_DELETED).arg(Native(strPath), file.errorString()));
        }
        m_bKeeping = bKeep;
        m_pTimer->stop();
        m_store.Write(SETTING_NAME, bKeep ? "1" : "0");
        ScheduleSave();
    }
    UpdateMenuItems();
}

std::vector<std::string> CConsoleKeeper::ConsoleLines() const
{
    std::vector<std::string> lines;
    for (QTextBlock block = m_console.document()->begin(); block.isValid(); block = block.next())
        lines.push_back(block.text().toStdString());
    return lines;
}

void CConsoleKeeper::SaveConsoleAs()
{
    // The text as it stands: lines joined by line breaks, none added after the last.
    const std::vector<std::string> lines = ConsoleLines();
    std::string strText;
    for (std::size_t i = 0; i < lines.size(); ++i)
        strText.append(i > 0 ? "\n" : "").append(lines[i]);
    SaveAs(m_dialogs, m_pWindow, m_language.CurrentLanguage(), Tr(keepmsg::SAVE_CONSOLE),
           QString::fromLatin1(SUGGESTED_NAME), {Tr(keepmsg::TEXT_FILES)},
           [&](QIODevice& device, int) { return WriteBytes(device, strText); });
    m_console.setFocus();
}
