#include "ui/bignum/LongResultView.h"

#include "core/base/Language.h"
#include "core/keep/KeepTexts.h"
#include "ui/base/QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cmath>

namespace
{
constexpr int MARGIN = 2;
// Every character a result can hold; the widest sets the row length.
constexpr const char* RESULT_CHARACTERS = "0123456789-.";
constexpr Text COPY_TEXT{"&Copy", "复制(&C)"};
constexpr Text SELECT_ALL_TEXT{"Select &All", "全选(&A)"};
constexpr Text SAVE_RESULT{"Save result as…", "结果另存为…"};

// A part of a result on the clipboard: it shares the result's bytes and spells them out as text
// only when asked, so a selection of a hundred million digits costs nothing until it is pasted.
class CResultPartMime : public QMimeData
{
public:
    CResultPartMime(std::shared_ptr<const std::string> pText, size_t nFrom, size_t nTo)
        : m_pText(std::move(pText)), m_nFrom(nFrom), m_nTo(nTo)
    {}
    bool hasFormat(const QString& strFormat) const override { return strFormat == PLAIN_TEXT; }
    QStringList formats() const override { return {PLAIN_TEXT}; }

protected:
    QVariant retrieveData(const QString& strFormat, QMetaType type) const override
    {
        if (strFormat != PLAIN_TEXT)
            return {};
        const char* pBegin = m_pText->data() + m_nFrom;
        const auto nSize = qsizetype(m_nTo - m_nFrom);
        if (type.id() == QMetaType::QByteArray)
            return QByteArray(pBegin, nSize);
        return QString::fromLatin1(pBegin, nSize);
    }

private:
    static inline const QString PLAIN_TEXT = QStringLiteral("text/plain");
    std::shared_ptr<const std::string> m_pText;
    size_t m_nFrom;
    size_t m_nTo;
};
} // namespace

CLongResultView::CLongResultView(const ILanguageSource& language, QWidget* pParent)
    : QAbstractScrollArea(pParent), m_pText(std::make_shared<const std::string>()),
      m_language(language)
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int nValue) {
        m_nTopIndex = size_t(nValue) * Columns();
        viewport()->update();
    });
    Relayout();
}

void CLongResultView::SetText(std::string&& strText)
{
    m_pText = std::make_shared<const std::string>(std::move(strText));
    m_nAnchor = m_nCaret = 0;
    m_nTopIndex = 0;
    Relayout();
    viewport()->update();
}

void CLongResultView::SetPlaceholderText(const QString& strText)
{
    m_strPlaceholder = strText;
    viewport()->update();
}

QString CLongResultView::SelectedText() const
{
    const size_t nFrom = std::min(m_nAnchor, m_nCaret);
    const size_t nTo = std::max(m_nAnchor, m_nCaret);
    return QString::fromLatin1(Text().data() + nFrom, qsizetype(nTo - nFrom));
}

void CLongResultView::SelectAll()
{
    m_nAnchor = 0;
    m_nCaret = Text().size();
    viewport()->update();
}

void CLongResultView::Copy() const { PutSelection(QClipboard::Clipboard); }

void CLongResultView::PutSelection(QClipboard::Mode mode) const
{
    if (m_nAnchor != m_nCaret)
        QGuiApplication::clipboard()->setMimeData(
            new CResultPartMime(m_pText, std::min(m_nAnchor, m_nCaret),
                                std::max(m_nAnchor, m_nCaret)),
            mode);
}

void CLongResultView::SaveResultAs()
{
    const Language language = m_language.CurrentLanguage();
    SaveAs(m_dialogs, this, language, QtText(SAVE_RESULT, language), QStringLiteral("result.txt"),
           {QtText(keepmsg::TEXT_FILES, language)}, [this](QIODevice& device, int) {
               const qint64 nSize = qint64(Text().size());
               return device.write(Text().data(), nSize) == nSize && device.write("\n", 1) == 1;
           });
}

size_t CLongResultView::Columns() const
{
    return size_t(std::max(1.0, std::floor((viewport()->width() - 2 * MARGIN) / m_cellWidth)));
}

size_t CLongResultView::RowCount() const { return (Text().size() + Columns() - 1) / Columns(); }

int CLongResultView::RowsInView() const
{
    return std::max(1, (viewport()->height() - MARGIN) / fontMetrics().lineSpacing());
}

QString CLongResultView::RowText(size_t nRow) const
{
    const size_t nBegin = nRow * Columns();
    return QString::fromLatin1(Text().data() + nBegin,
                               qsizetype(std::min(Columns(), Text().size() - nBegin)));
}

void CLongResultView::Relayout()
{
    // Advances may be fractional (a stretched font); rounded down, a row of them would run past
    // the edge.
    const QFontMetricsF metrics(font());
    m_cellWidth = 1;
    for (const char* p = RESULT_CHARACTERS; *p != '\0'; ++p)
        m_cellWidth = std::max(m_cellWidth, metrics.horizontalAdvance(QChar::fromLatin1(*p)));
    const size_t nRows = RowCount();
    const size_t nInView = size_t(RowsInView());
    const int nMaximum = int(std::min<size_t>(nRows > nInView ? nRows - nInView : 0, INT_MAX));
    QScrollBar* pBar = verticalScrollBar();
    const size_t nTopIndex = m_nTopIndex;
    pBar->setPageStep(int(nInView));
    pBar->setSingleStep(1);
    pBar->setRange(0, nMaximum);
    pBar->setValue(int(std::min<size_t>(nTopIndex / Columns(), size_t(nMaximum))));
    m_nTopIndex = size_t(pBar->value()) * Columns();
}

size_t CLongResultView::IndexAt(QPoint point) const
{
    if (Text().empty())
        return 0;
    const int nLine = fontMetrics().lineSpacing();
    const int nOffset = point.y() >= MARGIN ? (point.y() - MARGIN) / nLine : -1;
    const long long nRow = verticalScrollBar()->value() + (long long)nOffset;
    if (nRow < 0)
        return 0;
    if (size_t(nRow) >= RowCount())
        return Text().size();
    const QString strRow = RowText(size_t(nRow));
    const QFontMetricsF metrics(font());
    int nColumn = 0;
    for (qreal x = MARGIN; nColumn < strRow.size(); ++nColumn) {
        const qreal width = metrics.horizontalAdvance(strRow.at(nColumn));
        if (point.x() < x + width / 2)
            break;
        x += width;
    }
    return size_t(nRow) * Columns() + size_t(nColumn);
}

void CLongResultView::PaintRow(QPainter& painter, size_t nRow, int y) const
{
    const QString strRow = RowText(nRow);
    const QFontMetricsF metrics(font());
    const qreal baseline = y + metrics.ascent();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QPointF(MARGIN, baseline), strRow);

    const size_t nBegin = nRow * Columns();
    const size_t nEnd = nBegin + size_t(strRow.size());
    const size_t nFrom = std::clamp(std::min(m_nAnchor, m_nCaret), nBegin, nEnd);
    const size_t nTo = std::clamp(std::max(m_nAnchor, m_nCaret), nBegin, nEnd);
    if (nFrom >= nTo)
        return;
    const qreal x1 = MARGIN + metrics.horizontalAdvance(strRow.left(qsizetype(nFrom - nBegin)));
    const qreal x2 = MARGIN + metrics.horizontalAdvance(strRow.left(qsizetype(nTo - nBegin)));
    painter.fillRect(QRectF(x1, y, x2 - x1, metrics.height()),
                     palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(QPointF(x1, baseline),
                     strRow.mid(qsizetype(nFrom - nBegin), qsizetype(nTo - nFrom)));
}

void CLongResultView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    // Read-only, the box has no caret to show that it has the keyboard: a dotted frame does.
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
    }
    painter.setFont(font());
    if (Text().empty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(viewport()->rect().adjusted(MARGIN, MARGIN, -MARGIN, -MARGIN),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_strPlaceholder);
        return;
    }
    const int nLine = fontMetrics().lineSpacing();
    size_t nRow = size_t(verticalScrollBar()->value());
    for (int y = MARGIN; nRow < RowCount() && y < viewport()->height(); ++nRow, y += nLine)
        PaintRow(painter, nRow, y);
}

void CLongResultView::focusInEvent(QFocusEvent* pEvent)
{
    QAbstractScrollArea::focusInEvent(pEvent);
    viewport()->update();
}

void CLongResultView::focusOutEvent(QFocusEvent* pEvent)
{
    QAbstractScrollArea::focusOutEvent(pEvent);
    viewport()->update();
}

void CLongResultView::resizeEvent(QResizeEvent* pEvent)
{
    QAbstractScrollArea::resizeEvent(pEvent);
    Relayout();
}

void CLongResultView::changeEvent(QEvent* pEvent)
{
    QAbstractScrollArea::changeEvent(pEvent);
    if (pEvent->type() == QEvent::FontChange) {
        Relayout();
        viewport()->update();
    }
}

void CLongResultView::SelectTo(size_t nIndex, bool bKeepAnchor)
{
    if (!bKeepAnchor)
        m_nAnchor = nIndex;
    m_nCaret = nIndex;
    viewport()->update();
}

void CLongResultView::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->matches(QKeySequence::SelectAll))
        SelectAll();
    else if (pEvent->matches(QKeySequence::Copy))
        Copy();
    else if (pEvent->matches(QKeySequence::MoveToStartOfDocument))
        verticalScrollBar()->setValue(0);
    else if (pEvent->matches(QKeySequence::MoveToEndOfDocument))
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    else
        QAbstractScrollArea::keyPressEvent(pEvent); // scrolls, or passes Enter and Escape on
}

void CLongResultView::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        SelectTo(IndexAt(pEvent->position().toPoint()), pEvent->modifiers() & Qt::ShiftModifier);
}

void CLongResultView::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (!(pEvent->buttons() & Qt::LeftButton))
        return;
    const QPoint point = pEvent->position().toPoint();
    // Dragging past an edge scrolls a row at a time.
    if (point.y() < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (point.y() >= viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    SelectTo(IndexAt(point), true);
}

void CLongResultView::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton && QGuiApplication::clipboard()->supportsSelection())
        PutSelection(QClipboard::Selection);
}

void CLongResultView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        SelectAll();
}

void CLongResultView::contextMenuEvent(QContextMenuEvent* pEvent)
{
    QMenu menu(this);
    QAction* pCopy = menu.addAction(QtText(COPY_TEXT, m_language.CurrentLanguage()), this,
                                    &CLongResultView::Copy);
    pCopy->setEnabled(m_nAnchor != m_nCaret);
    menu.addAction(QtText(SELECT_ALL_TEXT, m_language.CurrentLanguage()), this,
                   &CLongResultView::SelectAll);
    menu.addSeparator();
    QAction* pSave = menu.addAction(QtText(SAVE_RESULT, m_language.CurrentLanguage()), this,
                                    &CLongResultView::SaveResultAs);
    pSave->setObjectName(QStringLiteral("saveResult"));
    pSave->setEnabled(!Text().empty());
    menu.exec(pEvent->globalPos());
}
