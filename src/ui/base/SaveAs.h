#pragma once

#include "core/base/Language.h"

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;
class QWidget;

// Why nothing may be written at strPath: what stands there is no plain file (a folder, FIFO,
// device or socket; a link counts as what it leads to), in language. Empty when a plain file or
// nothing is there. Looks without opening, so a FIFO never blocks.
QString RefuseNonFile(const QString& strPath, Language language);

// Writes a whole file through QSaveFile: afterwards the file holds either its old contents or all
// of the new ones, never a part, whenever the process may die. write puts the bytes into the
// device and answers false when it could not. What stands at strPath must be a plain file or
// nothing, before the writing and again just before the new file takes its place. Returns the
// reason for a failure in language, empty on success.
QString SaveWholeFile(const QString& strPath, Language language,
                      const std::function<bool(QIODevice&)>& write);

// The dialogs of the windows' "save as" commands: the system's file dialog and an OK message box
// unless tests put their own in place.
struct SaveDialogs
{
    // The file the user chose and the index of the chosen filter in filters, or an empty path
    // when the user cancelled. strSuggested is a file name.
    using Chooser = std::function<QString(QWidget* pParent, const QString& strTitle,
                                          const QString& strSuggested, const QStringList& filters,
                                          int* pFilter)>;
    using Reporter = std::function<void(QWidget* pParent, const QString& strText)>;

    Chooser choose;
    Reporter report;

    static SaveDialogs System();
};

// One "save as": asks for a file, writes it with write, and reports a failure in language. write
// gets the index of the filter whose pattern the file's suffix matches, else of the one chosen. strTitle is the command's text; its "…" is left out of the
// dialog's title. True when the file was written.
bool SaveAs(const SaveDialogs& dialogs, QWidget* pParent, Language language,
            const QString& strTitle, const QString& strSuggested, const QStringList& filters,
            const std::function<bool(QIODevice& device, int nFilter)>& write);
