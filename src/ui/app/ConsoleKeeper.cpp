#include "ui/app/ConsoleKeeper.h"

#include "core/app/SettingsStore.h"
#include "core/eval/CalcError.h"
#include "core/keep/ConsoleFormat.h"
#include "core/keep/KeepTexts.h"
#include "ui/base/QtText.h"
#include "ui/console/CalcEdit.h"
#include "ui/graph/GraphDlg.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

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
    if (strLine.size() > CCalcEdit::PASTE_LINE_LIMIT)
        CutLine(strLine, CCalcEdit::PASTE_LINE_LIMIT);
    return strLine;
}

bool WriteBytes(QIODevice& device, const std::string& strBytes)
{
    return device.write(strBytes.data(), qint64(strBytes.size())) == qint64(strBytes.size());
}
} // namespace

CConsoleKeeper::~CConsoleKeeper() = default;

CConsoleKeeper::CConsoleKeeper(CCalcEdit& console, CGraphDlg& graph, ISettingsStore& store,
                               const ILanguageSource& language, QString strFolder, QWidget* pWindow)
    : QObject(pWindow), m_console(console), m_graph(graph), m_store(store), m_language(language),
      m_strFolder(std::move(strFolder)), m_pWindow(pWindow), m_confirm(AskInMessageBox)
{
    m_bKeeping = ReadSwitch(store, SETTING_NAME);
    m_pTimer = new QTimer(this);
    m_pTimer->setSingleShot(true);
    m_pTimer->setInterval(SAVE_DELAY_MS);
    connect(m_pTimer, &QTimer::timeout, this, &CConsoleKeeper::SaveNow);
    m_pSamplingTimer = new QTimer(this);
    m_pSamplingTimer->setSingleShot(true);
    connect(m_pSamplingTimer, &QTimer::timeout, this, &CConsoleKeeper::SampleRestoredCurves);
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
    return QtText(text, m_language.CurrentLanguage());
}

void CConsoleKeeper::UpdateMenuItems()
{
    const QSignalBlocker blocker(m_pKeepAction);
    m_pKeepAction->setText(Tr(keepmsg::KEEP_CONSOLE));
    m_pKeepAction->setChecked(m_bKeeping);
    m_pKeepAction->setEnabled(!m_strFolder.isEmpty() && !m_bOwnedElsewhere);
    m_pSaveAction->setText(Tr(keepmsg::SAVE_CONSOLE));
}

void CConsoleKeeper::Restore()
{
    if (m_strFolder.isEmpty())
        return;
    if (!ClaimConsole()) {
        m_bOwnedElsewhere = true;
        m_bBlocked = true;
        m_pTimer->stop();
        UpdateMenuItems();
        if (m_bKeeping)
            ShowFirstLine(Tr(keepmsg::OTHER_KEEPS).arg(Native(FilePath())));
        return;
    }
    if (!m_bKeeping)
        return;
    RemoveUnfinishedWrites();
    const FileRead file = ReadFile();
    if (!file.bFound)
        return;
    const QString strProblem = file.strProblem.isEmpty() ? RestoreFrom(file) : file.strProblem;
    if (!strProblem.isEmpty())
        ShowNotice(strProblem);
}

// Only the lock's owner writes the kept console. A lock left by a calculator that ended without
// releasing it (a crash, a kill) is taken over: its process is gone. Its age says nothing, since
// a calculator may run for weeks. Where no lock can be made at all (a folder that cannot be
// written), nothing can be written either, and reading goes on as without one.
bool CConsoleKeeper::ClaimConsole()
{
    QDir().mkpath(m_strFolder);
    m_pLock = std::make_unique<QLockFile>(QDir(m_strFolder).filePath(LOCK_NAME));
    m_pLock->setStaleLockTime(0);
    return m_pLock->tryLock(0) || m_pLock->error() != QLockFile::LockFailedError;
}

QString CConsoleKeeper::WriteTarget() const
{
    const QString strCanonical = QFileInfo(FilePath()).canonicalFilePath();
    return strCanonical.isEmpty() ? FilePath() : strCanonical;
}

// Only names of the program's own: a user's copy such as console.txt.backup always stays. This
// calculator owns the kept console, so no other one is writing them now.
void CConsoleKeeper::RemoveUnfinishedWrites() const
{
    const QFileInfo target(WriteTarget());
    const QRegularExpression unfinished(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(QLatin1Char('.') + target.fileName() +
                                   QString::fromLatin1(UNFINISHED_MARK)) +
        QStringLiteral("(\\.[A-Za-z0-9]{6})?")));
    const QDir folder = target.absoluteDir();
    for (const QFileInfo& info :
         folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        if ((info.isFile() || info.isSymLink()) && unfinished.match(info.fileName()).hasMatch())
            QFile::remove(info.filePath());
}

// Written whole under a name of the program's own and then renamed into place, so a write killed
// at any moment leaves only names that the next start may remove. The target keeps its
// permissions. Returns the reason for a failure, empty on success.
QString CConsoleKeeper::WriteFile(const std::string& strFile) const
{
    const Language language = m_language.CurrentLanguage();
    const QString strTarget = WriteTarget();
    const QFileInfo target(strTarget);
    const QString strUnfinished = target.absoluteDir().filePath(
        QLatin1Char('.') + target.fileName() + QString::fromLatin1(UNFINISHED_MARK));
    QString strError = RefuseNonFile(strTarget, language);
    if (strError.isEmpty())
        strError = SaveWholeFile(strUnfinished, language,
                                 [&](QIODevice& device) { return WriteBytes(device, strFile); });
    if (!strError.isEmpty())
        return strError;
    if (target.exists())
        QFile::setPermissions(strUnfinished, QFile::permissions(strTarget));
    strError = RefuseNonFile(strTarget, language);
    if (strError.isEmpty() && ::rename(QFile::encodeName(strUnfinished).constData(),
                                       QFile::encodeName(strTarget).constData()) != 0)
        strError = QString::fromLocal8Bit(std::strerror(errno));
    if (!strError.isEmpty())
        QFile::remove(strUnfinished);
    return strError;
}

// Anything but a plain file is refused before it is opened: a FIFO would wait for a writer.
CConsoleKeeper::FileRead CConsoleKeeper::ReadFile() const
{
    FileRead read;
    const QString strPath = FilePath();
    const QFileInfo info(strPath);
    const QString strTooLarge = Tr(keepmsg::TOO_LARGE).arg(MAX_FILE_BYTES / MEGABYTE);
    // Only a file that is not there at all is no kept console; one that cannot even be looked
    // at (a data folder that cannot be read, or is no folder) is a kept console not read.
    struct stat status = {};
    if (::lstat(QFile::encodeName(strPath).constData(), &status) != 0) {
        const int nError = errno;
        read.bFound = nError != ENOENT;
        if (read.bFound)
            read.strProblem =
                Tr(keepmsg::UNREADABLE).arg(QString::fromLocal8Bit(std::strerror(nError)));
        return read;
    }
    read.bFound = true;
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
        m_console.Eval().RestoreVariables(kept.variables);
        m_samplings =
            m_graph.Curves().RestoreDefinitions(kept.dA, kept.dB, kept.nSelected, kept.curves);
    } catch (const KeepFormatError& error) {
        return QString::fromUtf8(error.Describe(m_language.CurrentLanguage()));
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    m_graph.CurvesChanged();
    // The first turn of the event loop, after the window is shown.
    if (!m_samplings.empty())
        m_pSamplingTimer->start(0);
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
    ShowFirstLine(strNotice);
}

// The line also goes to standard error, for a start from a terminal.
void CConsoleKeeper::ShowFirstLine(const QString& strLine)
{
    m_console.setPlainText(strLine + QLatin1Char('\n'));
    m_console.moveCursor(QTextCursor::End);
    std::fprintf(stderr, "pelmorix: %s\n", qPrintable(strLine.mid(2)));
}

// Each slice ends after about SAMPLING_SLICE_MS, so typing and painting go on meanwhile. A curve
// that the user defined again, cleared, or that an interval change sampled anew is dropped.
void CConsoleKeeper::SampleRestoredCurves()
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(SAMPLING_SLICE_MS);
    const auto stop = [&end] { return Clock::now() >= end; };
    CCurveTable& curves = m_graph.Curves();
    while (!m_samplings.empty() && !stop()) {
        CCurveSampling& sampling = m_samplings.front();
        bool bEnded = true;
        try {
            if (sampling.IsAwaitedBy(curves)) {
                bEnded = sampling.Advance(curves.Evaluator(), stop);
                if (bEnded && curves.FinishSampling(sampling))
                    m_graph.CurvesChanged();
            }
        } catch (const CalcError&) {
            // It stays failed, as a curve that failed when it was defined.
        }
        if (bEnded)
            m_samplings.erase(m_samplings.begin());
    }
    if (!m_samplings.empty())
        m_pSamplingTimer->start(0);
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
    const QString strError = WriteFile(strFile);
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
        WriteSwitch(m_store, SETTING_NAME, bKeep);
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
