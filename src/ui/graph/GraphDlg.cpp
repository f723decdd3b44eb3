#include "ui/graph/GraphDlg.h"

#include "core/eval/CalcError.h"
#include "core/graph/GraphLayout.h"
#include "core/keep/KeepTexts.h"
#include "core/skin/DesktopSkin.h"
#include "ui/base/QtColor.h"
#include "ui/fonts/StandInFont.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>

namespace
{
constexpr int FONT_POINTS = 10;
constexpr int SVG_DPI = 96;
constexpr Text COPY_SAMPLES{"Copy samples of %1", "复制 %1 的采样值"};
constexpr Text CURVES_SHOWN{"%1 curves, %2 shown.", "%1 条曲线，显示 %2 条。"};
constexpr Text SELECTED_CURVE{" Selected: %1 %2", "选中：%1 %2"};

// Text with its top-left corner at its point on an opaque background, in ink, cut short with an
// ellipsis where it has a width to keep to.
void DrawText(QPainter& painter, const GraphText& text, const QColor& ink)
{
    QString str = QString::fromUtf8(text.text.c_str());
    if (text.maxWidth >= 0)
        str = painter.fontMetrics().elidedText(str, Qt::ElideRight, text.maxWidth);
    const QRect rcText = painter.fontMetrics().boundingRect(
        QRect(text.at.nX, text.at.nY, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, str);
    painter.fillRect(rcText, ToQColor(text.background));
    painter.setPen(ink);
    painter.drawText(rcText, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, str);
}

void FillRects(QPainter& painter, const std::vector<GraphRect>& rects)
{
    for (const GraphRect& rc : rects)
        painter.fillRect(rc.rect.nLeft, rc.rect.nTop, rc.rect.Width(), rc.rect.Height(),
                         ToQColor(rc.color));
}
// The scene's colours as a dark skin shows them: the plot area dark, its ink light.
void ToNight(GraphScene& scene)
{
    for (std::vector<GraphRect>* pRects : {&scene.frame, &scene.blocks})
        for (GraphRect& rc : *pRects)
            rc.color = NightColor(rc.color);
    for (GraphText& text : scene.labels)
        text.background = NightColor(text.background);
    if (scene.legend)
        scene.legend->background = NightColor(scene.legend->background);
    for (GraphPolyline& line : scene.curves)
        line.color = NightColor(line.color);
}
} // namespace

CGraphDlg::CGraphDlg(const ILanguageSource& language, CRandomGenerator& random,
                     const AngleUnit& angle, QWidget* pOwner)
    : CAuxWindow(aux::GRAPH, language, pOwner), m_curves(language, random, angle)
{
    setMinimumSize(MIN_WIDTH, MIN_HEIGHT);
    m_font = StandInPointFont(QStringLiteral("Arial"), FONT_POINTS);
    setFocusPolicy(Qt::StrongFocus);
    DescribeCurves();
}

void CGraphDlg::ApplyLanguage()
{
    CAuxWindow::ApplyLanguage();
    DescribeCurves();
}

void CGraphDlg::DescribeCurves()
{
    const Language language = CurrentLanguage();
    int nValid = 0;
    int nShown = 0;
    for (int i = 0; i < CCurveTable::SLOT_COUNT; ++i) {
        const CurveSlot& slot = m_curves.Slot(i);
        nValid += slot.state == CurveState::Valid;
        nShown += slot.state == CurveState::Valid && slot.shown;
    }
    QString strText = QString::fromUtf8(CURVES_SHOWN.In(language)).arg(nValid).arg(nShown);
    const int nSelected = m_curves.Selected();
    const CurveSlot& selected = m_curves.Slot(nSelected);
    if (selected.state == CurveState::Valid) {
        const QString strName =
            nSelected == 0 ? QStringLiteral("fx") : QStringLiteral("fx%1").arg(nSelected);
        strText += QString::fromUtf8(SELECTED_CURVE.In(language))
                       .arg(strName, QString::fromStdString(selected.legend).trimmed());
    }
    setAccessibleDescription(strText);
}

void CGraphDlg::PlotCurve(std::string_view strText, int nSlot, bool bShow)
{
    try {
        m_curves.PlotCurve(strText, nSlot, bShow);
    } catch (const CalcError&) {
        // Other curves may have been sampled again before the target failed.
        DescribeCurves();
        update();
        throw;
    }
    DescribeCurves();
    update();
}

void CGraphDlg::ClearCurves()
{
    m_curves.ClearCurves();
    DescribeCurves();
    update();
}

bool CGraphDlg::CopySamples()
{
    const std::string strText = m_curves.SamplesText(m_curves.Selected());
    if (strText.empty())
        return false;
    QGuiApplication::clipboard()->setText(QString::fromStdString(strText));
    return true;
}

void CGraphDlg::paintEvent(QPaintEvent* pEvent)
{
    CAuxWindow::paintEvent(pEvent);
    const QRect rcClient = contentsRect();
    QPainter painter(this);
    painter.setClipRect(rcClient);
    painter.translate(rcClient.topLeft());
    PaintClient(painter, rcClient.width(), rcClient.height());
}

// The scene covers the client area but its outer 9-pixel band, where the window's background
// shows.
void CGraphDlg::PaintClient(QPainter& painter, int nWidth, int nHeight) const
{
    painter.setFont(m_font);
    const QFontMetrics metrics = painter.fontMetrics();
    const auto textWidth = [&metrics](const std::string& strText) {
        return metrics.horizontalAdvance(QString::fromUtf8(strText.c_str()));
    };
    GraphScene scene = CGraphLayout(m_curves, nWidth, nHeight, textWidth).Scene();
    const bool bNight = Frame().IsDark();
    if (bNight)
        ToNight(scene);
    const QColor ink = bNight ? ToQColor(NightColor(MakeRgb(0, 0, 0))) : QColor(Qt::black);
    FillRects(painter, scene.frame);
    for (const GraphText& text : scene.labels)
        DrawText(painter, text, ink);
    painter.setPen(QPen(ink, 0));
    for (const GraphLine& line : scene.axes)
        painter.drawLine(line.from.nX, line.from.nY, line.to.nX, line.to.nY);
    FillRects(painter, scene.blocks);
    if (scene.legend)
        DrawText(painter, *scene.legend, ink);
    for (const GraphPolyline& line : scene.curves) {
        painter.setPen(QPen(ToQColor(line.color), 0));
        QPolygon polygon;
        polygon.reserve(int(line.points.size()));
        for (const Point& pt : line.points)
            polygon.append(QPoint(pt.nX, pt.nY));
        painter.drawPolyline(polygon);
    }
}

void CGraphDlg::mousePressEvent(QMouseEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint() - contentsRect().topLeft();
    const int nSlot = CGraphLayout::BlockAt(m_curves, pt.x(), pt.y());
    if (pEvent->button() == Qt::LeftButton) {
        if (nSlot >= 0 && m_curves.SelectCurve(nSlot)) {
            DescribeCurves();
            update();
        }
        // Pressing anywhere drags the window, as its caption would.
        DragWindow(*pEvent);
    } else if (pEvent->button() == Qt::RightButton && nSlot >= 0) {
        m_curves.ToggleCurve(nSlot);
        m_curves.UpdateAxes();
        DescribeCurves();
        update();
    }
    CAuxWindow::mousePressEvent(pEvent);
}

void CGraphDlg::contextMenuEvent(QContextMenuEvent* pEvent)
{
    // A right click on a colour block only hides or shows its curve.
    const QPoint pt = pEvent->pos() - contentsRect().topLeft();
    if (pEvent->reason() == QContextMenuEvent::Mouse &&
        CGraphLayout::BlockAt(m_curves, pt.x(), pt.y()) >= 0)
        return;
    QMenu menu(this);
    QAction* pCopy = menu.addAction(CopyCaption(), this, [this] { CopySamples(); });
    pCopy->setShortcut(QKeySequence::Copy);
    pCopy->setEnabled(m_curves.Slot(m_curves.Selected()).state == CurveState::Valid);
    menu.addSeparator();
    menu.addAction(Tr(keepmsg::COPY_IMAGE), this, &CGraphDlg::CopyImage)
        ->setObjectName(QStringLiteral("copyImage"));
    menu.addAction(Tr(keepmsg::SAVE_IMAGE), this, &CGraphDlg::SaveImageAs)
        ->setObjectName(QStringLiteral("saveImage"));
    menu.exec(pEvent->globalPos());
}

QImage CGraphDlg::Image() const
{
    const QSize size = contentsRect().size();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(palette().color(QPalette::Window));
    QPainter painter(&image);
    Frame().PaintBackground(painter, QRect(QPoint(0, 0), size));
    PaintClient(painter, size.width(), size.height());
    return image;
}

bool CGraphDlg::WriteSvg(QIODevice& device) const
{
    const QSize size = contentsRect().size();
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    // One unit of the drawing is one pixel of the window, and its printed size is that of the
    // window on a screen of CSS pixels.
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(SVG_DPI);
    generator.setTitle(windowTitle());
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    painter.fillRect(QRect(QPoint(0, 0), size), palette().color(QPalette::Window));
    Frame().PaintBackground(painter, QRect(QPoint(0, 0), size));
    PaintClient(painter, size.width(), size.height());
    return painter.end();
}

void CGraphDlg::CopyImage() const { QGuiApplication::clipboard()->setImage(Image()); }

void CGraphDlg::SaveImageAs()
{
    const QStringList filters = {Tr(keepmsg::PNG_FILES), Tr(keepmsg::SVG_FILES)};
    SaveAs(m_dialogs, this, CurrentLanguage(), Tr(keepmsg::SAVE_IMAGE), QStringLiteral("graph.png"),
           filters, [this](QIODevice& device, int nFilter) {
               return nFilter == 1 ? WriteSvg(device) : Image().save(&device, "PNG");
           });
}

QString CGraphDlg::CopyCaption() const
{
    const int nSlot = m_curves.Selected();
    const QString strName = nSlot == 0 ? QStringLiteral("fx") : QStringLiteral("fx%1").arg(nSlot);
    return QString::fromUtf8(COPY_SAMPLES.In(CurrentLanguage())).arg(strName);
}

void CGraphDlg::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->matches(QKeySequence::Copy)) {
        CopySamples();
        return;
    }
    if (pEvent->key() == Qt::Key_Escape)
        emit ConsoleFocusWanted();
    CAuxWindow::keyPressEvent(pEvent);
}

void CGraphDlg::resizeEvent(QResizeEvent* pEvent)
{
    CAuxWindow::resizeEvent(pEvent);
    update();
}
