#include "ui/graph/GraphDlg.h"

#include "core/eval/CalcError.h"
#include "core/eval/CalcValue.h"
#include "core/skin/DesktopSkin.h"
#include "ui/base/QtColor.h"
#include "ui/base/QtGeometry.h"
#include "ui/base/QtText.h"
#include "ui/fonts/StandInFont.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QWheelEvent>

#include <cmath>

namespace
{
// The window's title, first place and size (see AuxWindowLook).
constexpr AuxWindowLook LOOK{{"Graphics", "图像"}, 300, 300, 496, 424, true, true};

constexpr int FONT_POINTS = 10;
constexpr int SVG_DPI = 96;
constexpr Text COPY_SAMPLES{"Copy samples of %1", "复制 %1 的采样值"};
constexpr Text CURVES_SHOWN{"%1 curves, %2 shown.", "%1 条曲线，显示 %2 条。"};
constexpr Text SELECTED_CURVE{" Selected: %1 %2", "选中：%1 %2"};
constexpr Text VIEW_SHOWN{" View: x from %1 to %2, y from %3 to %4.",
                          "视图：x 从 %1 到 %2，y 从 %3 到 %4。"};
constexpr Text POINTER_READ{" At the pointer: %1", "指针处：%1"};
constexpr Text RESET_VIEW{"Reset view", "还原视图"};
constexpr Text COPY_IMAGE{"Copy image", "复制图像"};
constexpr Text SAVE_IMAGE{"Save image as…", "图像另存为…"};
constexpr Text PNG_FILES{"PNG image (*.png)", "PNG 图像 (*.png)"};
constexpr Text SVG_FILES{"SVG image (*.svg)", "SVG 图像 (*.svg)"};
constexpr int DEFAULT_DIGITS = 12;
// One notch of the wheel, or + and -, scales the view by this (below 1: zooms in).
constexpr double ZOOM_STEP = 0.8;
constexpr double WHEEL_NOTCH = 120.0;
constexpr double ARROW_STEP = 0.1; // of the view's width or height
// The curves of a view are shared between this many threads: the machines it is made for have
// two cores or more.
constexpr int SAMPLING_THREADS = 2;

QString CurveName(int nSlot)
{
    return nSlot == 0 ? QStringLiteral("fx") : QStringLiteral("fx%1").arg(nSlot);
}

// Text with its top-left corner at its point on an opaque background, in ink, cut short with an
// ellipsis where it has a width to keep to.
void DrawText(QPainter& painter, const GraphText& text, const QColor& ink)
{
    QString str = QString::fromUtf8(text.text.c_str());
    if (text.maxWidth >= 0)
        str = painter.fontMetrics().elidedText(str, Qt::ElideRight, text.maxWidth);
    const QRect rcText =
        painter.fontMetrics().boundingRect(QRect(ToQPoint(text.at), QSize(0, 0)),
                                           Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, str);
    painter.fillRect(rcText, ToQColor(text.background));
    painter.setPen(ink);
    painter.drawText(rcText, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, str);
}

void FillRects(QPainter& painter, const std::vector<GraphRect>& rects)
{
    for (const GraphRect& rc : rects)
        painter.fillRect(ToQRect(rc.rect), ToQColor(rc.color));
}

void DrawPolylines(QPainter& painter, const std::vector<GraphPolyline>& lines)
{
    for (const GraphPolyline& line : lines) {
        painter.setPen(QPen(ToQColor(line.color), 0));
        QPolygon polygon;
        polygon.reserve(int(line.points.size()));
        for (const Point& pt : line.points)
            polygon.append(ToQPoint(pt));
        painter.drawPolyline(polygon);
    }
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
    for (std::vector<GraphPolyline>* pLines : {&scene.curves, &scene.marker})
        for (GraphPolyline& line : *pLines)
            line.color = NightColor(line.color);
    if (scene.readout)
        scene.readout->background = NightColor(scene.readout->background);
}
} // namespace

CGraphDlg::CGraphDlg(const ILanguageSource& language, CRandomGenerator& random,
                     const AngleUnit& angle, QWidget* pOwner)
    : CAuxWindow(LOOK, language, pOwner), m_curves(language, random, angle),
      m_format([](double d) { return FormatGeneral(d, DEFAULT_DIGITS); })
{
    setMinimumSize(MIN_WIDTH, MIN_HEIGHT);
    m_font = StandInPointFont(QStringLiteral("Arial"), FONT_POINTS);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_pool.setMaxThreadCount(1);
    DescribeCurves();
}

CGraphDlg::~CGraphDlg()
{
    CancelSampling();
    m_pool.waitForDone();
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
    QString strText = QtText(CURVES_SHOWN, language).arg(nValid).arg(nShown);
    const int nSelected = m_curves.Selected();
    const CurveSlot& selected = m_curves.Slot(nSelected);
    if (selected.state == CurveState::Valid) {
        const QString strName = CurveName(nSelected);
        strText += QtText(SELECTED_CURVE, language)
                       .arg(strName, QString::fromStdString(selected.legend).trimmed());
    }
    const GraphView view = m_bHome ? GraphView::Home(m_curves) : m_viewed.view;
    const auto number = [this](double d) { return QString::fromStdString(m_format(d)); };
    strText += QtText(VIEW_SHOWN, language)
                   .arg(number(view.x0), number(view.x1), number(view.y0), number(view.y1));
    if (m_readout)
        strText += QtText(POINTER_READ, language).arg(QString::fromStdString(m_readout->text));
    setAccessibleDescription(strText);
}

void CGraphDlg::PlotCurve(std::string_view strText, int nSlot, bool bShow)
{
    // An Enter run defines the curve and brings the view home; a live run that only samples the
    // same curve again (as after a change of the angle unit) keeps the view, sampled anew.
    const double a = m_curves.A();
    const double b = m_curves.B();
    const std::string strOld = m_curves.Slot(nSlot).expression;
    const auto defines = [&] {
        return bShow || m_curves.A() != a || m_curves.B() != b ||
               m_curves.Slot(nSlot).expression != strOld;
    };
    try {
        m_curves.PlotCurve(strText, nSlot, bShow);
    } catch (const CalcError&) {
        // Other curves may have been sampled again before the target failed.
        CurvesChanged(defines());
        throw;
    }
    CurvesChanged(defines());
}

void CGraphDlg::ClearCurves()
{
    m_curves.ClearCurves();
    CurvesChanged(true);
}

void CGraphDlg::CurvesChanged() { CurvesChanged(false); }

void CGraphDlg::CurvesChanged(bool bHome)
{
    if (bHome)
        GoHome();
    else if (!m_bHome)
        SampleView();
    UpdateReadout();
    update();
}

CGraphLayout CGraphDlg::LayoutOf(int nWidth, int nHeight) const
{
    const QFontMetrics metrics(m_font, const_cast<CGraphDlg*>(this));
    const auto textWidth = [metrics](const std::string& strText) {
        return metrics.horizontalAdvance(QString::fromUtf8(strText.c_str()));
    };
    return CGraphLayout(m_curves, nWidth, nHeight, textWidth, m_bHome ? nullptr : &m_viewed);
}

CGraphLayout CGraphDlg::ClientLayout() const
{
    return LayoutOf(contentsRect().width(), contentsRect().height());
}

void CGraphDlg::ZoomAt(const QPoint& pt, double kx, double ky)
{
    const CGraphLayout before = ClientLayout();
    const double x = before.XAt(pt.x());
    ShowView(before.View().Zoomed(x, before.YAt(pt.y()), kx, ky));
    // New vertical labels may move the axis: the point goes back under the pointer.
    const CGraphLayout after = ClientLayout();
    if (after.Margin() != before.Margin() && after.PlotWidth() > 0) {
        const double fx = double(pt.x() - after.Margin()) / after.PlotWidth();
        ShowView(m_viewed.view.WithXAt(x, fx));
    }
    ViewChanged();
}

void CGraphDlg::PanBy(double fx, double fy)
{
    ShowView(ClientLayout().View().Panned(fx, fy));
    ViewChanged();
}

void CGraphDlg::ShowView(const GraphView& view)
{
    if (m_bHome) {
        m_bHome = false;
        m_viewed = {};
    }
    m_viewed.view = view;
}

void CGraphDlg::ViewChanged()
{
    SampleView();
    UpdateReadout();
    update();
}

void CGraphDlg::GoHome()
{
    CancelSampling();
    m_bHome = true;
    m_viewed = {};
    UpdateReadout();
    update();
}

void CGraphDlg::CancelSampling()
{
    ++m_nGeneration;
    if (m_pCancel)
        m_pCancel->store(true);
    m_pCancel.reset();
}

void CGraphDlg::SampleView()
{
    CancelSampling();
    m_pCancel = std::make_shared<std::atomic<bool>>(false);
    // The sampler copies what it needs here, so the table may change while it runs.
    auto pSampler = std::make_shared<CViewSampler>(m_curves, m_viewed.view.x0, m_viewed.view.x1,
                                                   SAMPLING_THREADS);
    m_pool.start([this, pSampler, pCancel = m_pCancel, nGeneration = m_nGeneration] {
        std::optional<ViewSamples> samples = pSampler->Run(*pCancel);
        if (!samples)
            return;
        auto pSamples = std::make_shared<const ViewSamples>(std::move(*samples));
        QMetaObject::invokeMethod(
            this, [this, nGeneration, pSamples] { TakeSamples(nGeneration, pSamples); },
            Qt::QueuedConnection);
    });
}

void CGraphDlg::TakeSamples(std::uint64_t nGeneration, std::shared_ptr<const ViewSamples> pSamples)
{
    // A view changed since, or home, has no use for them.
    if (nGeneration != m_nGeneration || m_bHome)
        return;
    m_viewed.pSamples = std::move(pSamples);
    update();
    emit ViewSampled();
}

void CGraphDlg::UpdateReadout()
{
    m_readout.reset();
    if (m_ptPointer) {
        const CGraphLayout layout = ClientLayout();
        const QPoint pt = *m_ptPointer;
        if (layout.InPlot(pt.x(), pt.y())) {
            const double x = layout.XAt(pt.x());
            const int nSlot = m_curves.Selected();
            GraphReadout readout{pt.x(),
                                 "x = " + m_format(x) + "   y = " + m_format(layout.YAt(pt.y())),
                                 nSlot, m_curves.ValueAt(nSlot, x)};
            if (readout.value)
                readout.text +=
                    "   " + CurveName(nSlot).toStdString() + " = " + m_format(*readout.value);
            m_readout = std::move(readout);
        }
    }
    DescribeCurves();
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
    PaintClient(painter, rcClient.width(), rcClient.height(), true);
}

// The scene covers the client area but its outer 9-pixel band, where the window's background
// shows.
void CGraphDlg::PaintClient(QPainter& painter, int nWidth, int nHeight, bool bReadout) const
{
    painter.setFont(m_font);
    GraphScene scene =
        LayoutOf(nWidth, nHeight).Scene(bReadout && m_readout ? &*m_readout : nullptr);
    const bool bNight = Frame().IsDark();
    if (bNight)
        ToNight(scene);
    const QColor ink = bNight ? ToQColor(NightColor(MakeRgb(0, 0, 0))) : QColor(Qt::black);
    FillRects(painter, scene.frame);
    for (const GraphText& text : scene.labels)
        DrawText(painter, text, ink);
    painter.setPen(QPen(ink, 0));
    for (const GraphLine& line : scene.axes)
        painter.drawLine(ToQPoint(line.from), ToQPoint(line.to));
    FillRects(painter, scene.blocks);
    if (scene.legend)
        DrawText(painter, *scene.legend, ink);
    painter.save();
    if (scene.plotClip) {
        const Rect& rc = *scene.plotClip;
        painter.setClipRect(ToQRect(rc), Qt::IntersectClip);
    }
    DrawPolylines(painter, scene.curves);
    DrawPolylines(painter, scene.marker);
    painter.restore();
    if (scene.readout)
        DrawText(painter, *scene.readout, ink);
}

void CGraphDlg::mousePressEvent(QMouseEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint() - contentsRect().topLeft();
    const int nSlot = CGraphLayout::BlockAt(m_curves, pt.x(), pt.y());
    const bool bCtrl = pEvent->modifiers().testFlag(Qt::ControlModifier);
    if (pEvent->button() == Qt::MiddleButton ||
        (pEvent->button() == Qt::LeftButton && bCtrl && nSlot < 0)) {
        m_ptPan = pt;
        setCursor(Qt::ClosedHandCursor);
        pEvent->accept();
        return;
    }
    if (pEvent->button() == Qt::LeftButton) {
        if (nSlot >= 0 && m_curves.SelectCurve(nSlot))
            CurvesChanged(false);
        // Pressing anywhere drags the window, as its caption would.
        DragWindow(*pEvent);
    } else if (pEvent->button() == Qt::RightButton && nSlot >= 0) {
        m_curves.ToggleCurve(nSlot);
        m_curves.UpdateAxes();
        CurvesChanged(false);
    }
    CAuxWindow::mousePressEvent(pEvent);
}

void CGraphDlg::mouseMoveEvent(QMouseEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint() - contentsRect().topLeft();
    if (m_ptPan) {
        const CGraphLayout layout = ClientLayout();
        const QPoint delta = pt - *m_ptPan;
        m_ptPan = pt;
        // The plane follows the pointer: a drag to the right shows what lies further left.
        if (layout.PlotWidth() > 0 && layout.PlotHeight() > 0 && !delta.isNull())
            PanBy(-double(delta.x()) / layout.PlotWidth(), double(delta.y()) / layout.PlotHeight());
    }
    m_ptPointer = pt;
    UpdateReadout();
    update();
    CAuxWindow::mouseMoveEvent(pEvent);
}

void CGraphDlg::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (m_ptPan && (pEvent->button() == Qt::MiddleButton || pEvent->button() == Qt::LeftButton)) {
        m_ptPan.reset();
        unsetCursor();
    }
    CAuxWindow::mouseReleaseEvent(pEvent);
}

void CGraphDlg::wheelEvent(QWheelEvent* pEvent)
{
    // Some systems turn a wheel with a modifier held into a sideways one.
    const QPoint delta = pEvent->angleDelta();
    const int nDelta = delta.y() != 0 ? delta.y() : delta.x();
    if (nDelta == 0) {
        pEvent->ignore();
        return;
    }
    const double k = std::pow(ZOOM_STEP, nDelta / WHEEL_NOTCH);
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers();
    const bool bOnlyX = modifiers.testFlag(Qt::ControlModifier);
    const bool bOnlyY = modifiers.testFlag(Qt::ShiftModifier) && !bOnlyX;
    ZoomAt(pEvent->position().toPoint() - contentsRect().topLeft(), bOnlyY ? 1.0 : k,
           bOnlyX ? 1.0 : k);
    pEvent->accept();
}

void CGraphDlg::leaveEvent(QEvent* pEvent)
{
    m_ptPointer.reset();
    UpdateReadout();
    update();
    CAuxWindow::leaveEvent(pEvent);
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
    menu.addAction(Tr(COPY_IMAGE), this, &CGraphDlg::CopyImage)
        ->setObjectName(QStringLiteral("copyImage"));
    menu.addAction(Tr(SAVE_IMAGE), this, &CGraphDlg::SaveImageAs)
        ->setObjectName(QStringLiteral("saveImage"));
    menu.addSeparator();
    QAction* pHome = menu.addAction(Tr(RESET_VIEW), this, &CGraphDlg::GoHome);
    pHome->setObjectName(QStringLiteral("resetView"));
    pHome->setShortcut(Qt::Key_Home);
    pHome->setEnabled(!m_bHome);
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
    const QStringList filters = {Tr(PNG_FILES), Tr(SVG_FILES)};
    SaveAs(m_dialogs, this, CurrentLanguage(), Tr(SAVE_IMAGE), QStringLiteral("graph.png"), filters,
           [this](QIODevice& device, int nFilter) {
               return nFilter == 1 ? WriteSvg(device) : Image().save(&device, "PNG");
           });
}

QString CGraphDlg::CopyCaption() const
{
    const int nSlot = m_curves.Selected();
    const QString strName = CurveName(nSlot);
    return QtText(COPY_SAMPLES, CurrentLanguage()).arg(strName);
}

void CGraphDlg::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->matches(QKeySequence::Copy)) {
        CopySamples();
        return;
    }
    if (ViewKey(pEvent->key())) {
        pEvent->accept();
        return;
    }
    if (pEvent->key() == Qt::Key_Escape)
        emit ConsoleFocusWanted();
    CAuxWindow::keyPressEvent(pEvent);
}

bool CGraphDlg::ViewKey(int nKey)
{
    const CGraphLayout layout = ClientLayout();
    const QPoint ptCentre(layout.Margin() + layout.PlotWidth() / 2,
                          CGraphLayout::PLOT_TOP + layout.PlotHeight() / 2);
    switch (nKey) {
    case Qt::Key_Plus:
        ZoomAt(ptCentre, ZOOM_STEP, ZOOM_STEP);
        return true;
    case Qt::Key_Minus:
        ZoomAt(ptCentre, 1 / ZOOM_STEP, 1 / ZOOM_STEP);
        return true;
    case Qt::Key_Left:
        PanBy(-ARROW_STEP, 0);
        return true;
    case Qt::Key_Right:
        PanBy(ARROW_STEP, 0);
        return true;
    case Qt::Key_Up:
        PanBy(0, ARROW_STEP);
        return true;
    case Qt::Key_Down:
        PanBy(0, -ARROW_STEP);
        return true;
    case Qt::Key_Home:
        GoHome();
        return true;
    default:
        return false;
    }
}

void CGraphDlg::resizeEvent(QResizeEvent* pEvent)
{
    CAuxWindow::resizeEvent(pEvent);
    UpdateReadout();
    update();
}
