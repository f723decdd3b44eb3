#pragma once

#include <QObject>
#include <QString>

class CEvalContext;
class ILanguageSource;
class QCompleter;
class QPlainTextEdit;
class QStandardItemModel;

// The list of names under the caret of a console (core/console/Completion.h): shown while a
// name is typed, an entry chosen with Up and Down, put in with Tab, closed with Escape. The list
// is a list view on the accessibility bus, named in the interface language, whose chosen entry
// takes the accessible focus.
class CNameCompleter : public QObject
{
    Q_OBJECT
public:
    CNameCompleter(QPlainTextEdit& edit, const CEvalContext& eval, const ILanguageSource& language);

    // Shows the names for the name that ends at the caret, or closes the list when none fit.
    void Refresh();
    bool IsOpen() const;
    void Close();
    // Moves the chosen entry by nRows, staying within the list.
    void Choose(int nRows);
    // Puts the chosen entry (the first when none is chosen) in place of the typed name, as an
    // edit that can be undone, and closes the list.
    void Accept();
    // The entries' texts as they are shown, for tests.
    QStringList Entries() const;

private:
    void Insert(const QString& strText);

    QPlainTextEdit& m_edit;
    const CEvalContext& m_eval;
    const ILanguageSource& m_language;
    QCompleter* m_pCompleter;
    QStandardItemModel* m_pModel;
    int m_nNameStart = 0;
};
