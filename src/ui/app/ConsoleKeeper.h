#pragma once

#include "core/base/Language.h"
#include "ui/base/SaveAs.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class CCalcEdit;
class CGraphDlg;
class ISettingsStore;
class QAction;
class QTimer;
class QWidget;

// Keeps the console between runs: its text, variables and curves in FILE_NAME in the user's data
// folder (the format is core/keep/ConsoleFormat.h). It restores them at start, writes them
// atomically a moment after an Enter run and at close, and gives the main window its icon-menu
// items: the keep switch, stored in the settings under SETTING_NAME, and "Save console as…",
// which Ctrl+S and the console's context menu reach too. A kept file that cannot be read is
// moved aside, never overwritten, and the console's first line says so.
class CConsoleKeeper : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* FILE_NAME = "console.txt";
    static constexpr const char* SETTING_NAME = "KeepConsole";
    // How long after an Enter run the console is written; more runs meanwhile wait for the same
    // write, so a crash loses at most this much.
    static constexpr int SAVE_DELAY_MS = 2000;
    // A larger file is not read: the writer keeps far less.
    static constexpr qint64 MAX_FILE_BYTES = 64 * 1024 * 1024;

    // Asks a yes-or-no question; true for yes.
    using Confirmer = std::function<bool(QWidget* pParent, const QString& strText)>;

    // strFolder holds the kept console; an empty folder keeps nothing. pWindow parents the
    // dialogs and owns the menu items.
    CConsoleKeeper(CCalcEdit& console, CGraphDlg& graph, ISettingsStore& store,
                   const ILanguageSource& language, QString strFolder, QWidget* pWindow);

    // Puts back what the last run kept, when keeping is on.
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

    void RemoveUnfinishedWrites() const;
    FileRead ReadFile() const;
    QString RestoreFrom(const FileRead& file);
    void ShowNotice(const QString& strProblem);
    void ScheduleSave();
    std::vector<std::string> ConsoleLines() const;
    QString Tr(const Text& text) const;

    CCalcEdit& m_console;
    CGraphDlg& m_graph;
    ISettingsStore& m_store;
    const ILanguageSource& m_language;
    QString m_strFolder;
    QWidget* m_pWindow;
    bool m_bKeeping = true;
    // A file that could not be read stayed where it is: nothing may be written over it.
    bool m_bBlocked = false;
    bool m_bFailureShown = false;
    QTimer* m_pTimer = nullptr;
    QAction* m_pKeepAction = nullptr;
    QAction* m_pSaveAction = nullptr;
    SaveDialogs m_dialogs = SaveDialogs::System();
    Confirmer m_confirm;
};
