#pragma once

#include "core/base/Language.h"
#include "core/graph/CurveSampling.h"
#include "ui/base/SaveAs.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCalcEdit;
class CGraphDlg;
class ISettingsStore;
class QAction;
class QLockFile;
class QTimer;
class QWidget;

// Keeps the console between runs: its text, variables and curves in FILE_NAME in the user's data
// folder (the format is core/keep/ConsoleFormat.h). It restores them at start, writes them
// atomically a moment after an Enter run and at close, and gives the main window its icon-menu
// items: the keep switch, stored in the settings under SETTING_NAME, and "Save console as…",
// which Ctrl+S and the console's context menu reach too. A kept file that cannot be read is
// moved aside, never overwritten, and the console's first line says so. One calculator at a time
// owns the kept console, through LOCK_NAME beside it; another one keeps nothing and says so.
class CConsoleKeeper : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* FILE_NAME = "console.txt";
    static constexpr const char* SETTING_NAME = "KeepConsole";
    // The lock of the calculator that owns the kept console, beside it.
    static constexpr const char* LOCK_NAME = "console.txt.lock";
    // A write goes to "." + the file's name + UNFINISHED_MARK first (and Qt's temporary file
    // of that name + "." + six letters or digits) and then takes the file's place; what a
    // write killed half-way leaves under these names goes at the next start, nothing else.
    static constexpr const char* UNFINISHED_MARK = ".pelmorix-writing";
    // How long after an Enter run the console is written; more runs meanwhile wait for the same
    // write, so a crash loses at most this much.
    static constexpr int SAVE_DELAY_MS = 2000;
    // A larger file is not read: the writer keeps far less.
    static constexpr qint64 MAX_FILE_BYTES = 64 * 1024 * 1024;
    // Restored curves are sampled after the window shows, in slices of at most about this
    // long on the GUI thread.
    static constexpr int SAMPLING_SLICE_MS = 10;

    // Asks a yes-or-no question; true for yes.
    using Confirmer = std::function<bool(QWidget* pParent, const QString& strText)>;

    // strFolder holds the kept console; an empty folder keeps nothing. pWindow parents the
    // dialogs and owns the menu items.
    CConsoleKeeper(CCalcEdit& console, CGraphDlg& graph, ISettingsStore& store,
                   const ILanguageSource& language, QString strFolder, QWidget* pWindow);
    ~CConsoleKeeper() override;

    // Takes the kept console for this calculator and puts back what the last run kept, when
    // keeping is on. When another calculator owns it, starts empty and keeps nothing.
    void Restore();
    // Writes the console now when keeping is on; a failure is reported once until a write
    // succeeds again. False when it was to be written and could not be.
    bool SaveNow();
    // Turning keeping off asks first and deletes the kept file; declined, keeping stays on.
    void SetKeeping(bool bKeep);
    bool IsKeeping() const { return m_bKeeping; }
    void SaveConsoleAs();

    QString FilePath() const;
    bool IsSavePending() const;
    // Restored curves wait to be sampled.
    bool IsSamplingPending() const { return !m_samplings.empty(); }
    QList<QAction*> MenuItems() const { return {m_pKeepAction, m_pSaveAction}; }
    // Brings the menu items' texts and the check mark in line.
    void UpdateMenuItems();

    void SetSaveDialogs(SaveDialogs dialogs) { m_dialogs = std::move(dialogs); }
    void SetConfirmer(Confirmer confirm) { m_confirm = std::move(confirm); }

private:
    // The kept bytes, or why they cannot be read (empty when there is no file at all).
    struct FileRead
    {
        std::string strBytes;
        QString strProblem;
        bool bFound = false;
    };

    // False when another calculator owns the kept console.
    bool ClaimConsole();
    // The file a write replaces: the kept console, or where it leads when it is a link.
    QString WriteTarget() const;
    void RemoveUnfinishedWrites() const;
    QString WriteFile(const std::string& strFile) const;
    FileRead ReadFile() const;
    QString RestoreFrom(const FileRead& file);
    void ShowNotice(const QString& strProblem);
    void ShowFirstLine(const QString& strLine);
    void ScheduleSave();
    void SampleRestoredCurves();
    std::vector<std::string> ConsoleLines() const;
    QString Tr(const Text& text) const;

    CCalcEdit& m_console;
    CGraphDlg& m_graph;
    ISettingsStore& m_store;
    const ILanguageSource& m_language;
    QString m_strFolder;
    QWidget* m_pWindow;
    bool m_bKeeping = true;
    // A file that could not be read stayed where it is, or another calculator owns the kept
    // console: nothing may be written there.
    bool m_bBlocked = false;
    bool m_bOwnedElsewhere = false;
    std::unique_ptr<QLockFile> m_pLock;
    bool m_bFailureShown = false;
    QTimer* m_pTimer = nullptr;
    QTimer* m_pSamplingTimer = nullptr;
    std::vector<CCurveSampling> m_samplings; // of the restored curves, in slot order
    QAction* m_pKeepAction = nullptr;
    QAction* m_pSaveAction = nullptr;
    SaveDialogs m_dialogs = SaveDialogs::System();
    Confirmer m_confirm;
};
