#include "ui/console/NameCompleter.h"

#include "core/base/Language.h"
#include "core/console/Completion.h"
#include "core/eval/EvalContext.h"
#include "ui/base/QtText.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTextBlock>

#include <algorithm>

namespace
{
constexpr int TEXT_ROLE = Qt::UserRole + 1;
constexpr int VISIBLE_ROWS = 8;
constexpr Text LIST_NAME{"Completions", "补全"};
} // namespace

CNameCompleter::CNameCompleter(QPlainTextEdit& edit, const CEvalContext& eval,
                               const ILanguageSource& language)
    : QObject(&edit), m_edit(edit), m_eval(eval), m_language(language),
      m_pCompleter(new QCompleter(this)), m_pModel(new QStandardItemModel(this))
{
    m_pCompleter->setModel(m_pModel);
    m_pCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_pCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    m_pCompleter->setMaxVisibleItems(VISIBLE_ROWS);
    m_pCompleter->setWrapAround(false);
    m_pCompleter->setWidget(&edit);
    m_pCompleter->popup()->setObjectName(QStringLiteral("completionList"));
    connect(m_pCompleter, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) {
                m_pCompleter->popup()->setCurrentIndex(index);
                Accept();
            });
}

bool CNameCompleter::IsOpen() const { return m_pCompleter->popup()->isVisible(); }

void CNameCompleter::Close() { m_pCompleter->popup()->hide(); }

void CNameCompleter::Refresh()
{
    const QTextCursor cursor = m_edit.textCursor();
    const QString strLine = cursor.block().text();
    const int nCaret = cursor.positionInBlock();
    const std::u16string_view line = Utf16View(strLine);
    m_nNameStart = int(NameStart(line, std::size_t(nCaret)));
    const QString strPrefix = strLine.mid(m_nNameStart, nCaret - m_nNameStart);
    const bool bLineStart = strLine.left(m_nNameStart).trimmed().isEmpty();
    const std::vector<Candidate> candidates =
        cursor.hasSelection() || strPrefix.isEmpty()
            ? std::vector<Candidate>()
            : CompletionCandidates(strPrefix.toStdString(), m_eval, bLineStart);
    if (candidates.empty()) {
        Close();
        return;
    }
    m_pModel->clear();
    for (const Candidate& candidate : candidates) {
        auto* pItem = new QStandardItem(QString::fromStdString(candidate.strDetail));
        pItem->setData(QString::fromStdString(candidate.strText), TEXT_ROLE);
        pItem->setEditable(false);
        m_pModel->appendRow(pItem);
    }
    QAbstractItemView* pPopup = m_pCompleter->popup();
    pPopup->setAccessibleName(QtText(LIST_NAME, m_language.CurrentLanguage()));
    QRect rect = m_edit.cursorRect();
    rect.setWidth(pPopup->sizeHintForColumn(0) + pPopup->verticalScrollBar()->sizeHint().width());
    m_pCompleter->complete(rect);
    pPopup->setCurrentIndex(m_pModel->index(0, 0));
}

void CNameCompleter::Choose(int nRows)
{
    QAbstractItemView* pPopup = m_pCompleter->popup();
    const int nRow = std::clamp(pPopup->currentIndex().row() + nRows, 0, m_pModel->rowCount() - 1);
    pPopup->setCurrentIndex(m_pModel->index(nRow, 0));
}

void CNameCompleter::Accept()
{
    QModelIndex index = m_pCompleter->popup()->currentIndex();
    if (!index.isValid())
        index = m_pModel->index(0, 0);
    Close();
    if (index.isValid())
        Insert(index.data(TEXT_ROLE).toString());
}

void CNameCompleter::Insert(const QString& strText)
{
    QTextCursor cursor = m_edit.textCursor();
    const int nCaret = cursor.position();
    const int nStart = cursor.block().position() + m_nNameStart;
    if (nStart > nCaret)
        return;
    cursor.setPosition(nStart);
    cursor.setPosition(nCaret, QTextCursor::KeepAnchor);
    cursor.insertText(strText);
    m_edit.setTextCursor(cursor);
}

QStringList CNameCompleter::Entries() const
{
    QStringList entries;
    for (int i = 0; i < m_pModel->rowCount(); ++i)
        entries.append(m_pModel->item(i)->text());
    return entries;
}
