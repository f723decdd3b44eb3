#include "ui/base/FrameSkin.h"

#include "core/base/Language.h"
#include "core/skin/SkinTable.h"
#include "ui/base/Accessibility.h"
#include "ui/base/CaptionButton.h"
#include "ui/base/DesktopFeatures.h"
#include "ui/base/QtColor.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <array>
#include <vector>

namespace
{
constexpr QRgb KEY_COLOUR = 0xFFFF00FF; // magenta: caption pixels cut from the window
constexpr int MOVE_THRESHOLD = 3;       // pixels the mouse moves before a caption drag starts
constexpr int CAPTION_FONT_PIXELS = 13;
// How long a window manager may take to minimise a window before the frame looks whether it did.
constexpr int MINIMISE_CHECK_MS = 750;
const QColor CAPTION_TEXT = ToQColor(CAPTION_TEXT_COLOR);
const QColor CAPTION_SHADOW(0, 0, 0, 110);

// The frame's own items of the icon menu, in menu order.
struct MenuEntry
{
    FrameCommand command;
    Text text;
    bool bSeparatorBefore;
};
constexpr std::array<MenuEntry, 6> MENU_ENTRIES{{
    {FrameCommand::Restore, {"&Restore", "还原(&R)"}, false},
    {FrameCommand::Move, {"&Move", "移动(&M)"}, false},
    {FrameCommand::Size, {"&Size", "大小(&S)"}, false},
    {FrameCommand::Minimise, {"Mi&nimize", "最小化(&N)"}, false},
    {FrameCommand::Maximise, {"Ma&ximize", "最大化(&X)"}, false},
    {FrameCommand::Close, {"&Close", "关闭(&C)"}, true},
}};
constexpr Text MENU_NAME{"System menu", "系统菜单"};

QRect ToQRect(const Rect& rc) { return {rc.nLeft, rc.nTop, rc.Width(), rc.Height()}; }

Rect ToRect(const QRect& rc)
{
    return {rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
}

Size ToSize(const QSize& size) { return {size.width(), size.height()}; }

// Copies the slices of an edge of nLength pixels from src, laid out along the edge starting at
// origin, leaving out what falls outside [nFrom, nTo) of the edge; that part starts at origin.
void DrawEdge(QPainter& painter, const QPixmap& src, const SliceBounds& bounds, int nLength,
              Qt::Orientation orientation, int nFrom, int nTo)
{
    const bool bVertical = orientation == Qt::Vertical;
    for (const SliceCopy& copy : LayoutSlices(bounds, nLength)) {
        if (copy.nLength <= 0 || copy.nTarget >= nTo || copy.nTarget + copy.nLength <= nFrom)
            continue;
        const int nAt = copy.nTarget - nFrom;
        if (bVertical)
            painter.drawPixmap(QRect(0, nAt, src.width(), copy.nLength), src,
                               QRect(0, copy.nSource, src.width(), copy.nLength));
        else
            painter.drawPixmap(QRect(nAt, 0, copy.nLength, src.height()), src,
                               QRect(copy.nSource, 0, copy.nLength, src.height()));
    }
}

// Makes the key colour transparent and collects, row by row, the runs of other pixels.
std::vector<QRect> CutKeyColour(QImage& image)
{
    std::vector<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        auto* pRow = reinterpret_cast<QRgb*>(image.scanLine(y));
        int nRunStart = -1;
        for (int x = 0; x <= image.width(); ++x) {
            const bool bKey = x == image.width() || pRow[x] == KEY_COLOUR;
            if (bKey && x < image.width())
                pRow[x] = 0;
            if (!bKey && nRunStart < 0)
                nRunStart = x;
            if (bKey && nRunStart >= 0) {
                runs.emplace_back(nRunStart, y, x - nRunStart, 1);
                nRunStart = -1;
            }
        }
    }
    return runs;
}

// Moves the window's controls (not its own windows) by delta, as its client area moves.
void MoveControls(QWidget& window, const QPoint& delta)
{
    for (QObject* pChild : window.children())
        if (auto* pControl = qobject_cast<QWidget*>(pChild); pControl && !pControl->isWindow())
            pControl->move(pControl->pos() + delta);
}

Qt::CursorShape SizingCursor(HitCode code)
{
    switch (code) {
    case HitCode::Left:
    case HitCode::Right:
        return Qt::SizeHorCursor;
    case HitCode::Top:
    case HitCode::Bottom:
        return Qt::SizeVerCursor;
    case HitCode::TopLeft:
    case HitCode::BottomRight:
        return Qt::SizeFDiagCursor;
    default:
        return Qt::SizeBDiagCursor;
    }
}

Qt::Edges EdgesOf(HitCode code)
{
    Qt::Edges edges;
    if (code == HitCode::Left || code == HitCode::TopLeft || code == HitCode::BottomLeft)
        edges |= Qt::LeftEdge;
    if (code == HitCode::Right || code == HitCode::TopRight || code == HitCode::BottomRight)
        edges |= Qt::RightEdge;
    if (code == HitCode::Top || code == HitCode::TopLeft || code == HitCode::TopRight)
        edges |= Qt::TopEdge;
    if (code == HitCode::Bottom || code == HitCode::BottomLeft || code == HitCode::BottomRight)
        edges |= Qt::BottomEdge;
    return edges;
}
} // namespace

CFrameSkin::CFrameSkin(const ILanguageSource& language, QObject* pParent)
    : QObject(pParent), m_language(language)
{
    m_fontCaption = QFont(QStringLiteral("Sans Serif"));
    m_fontCaption.setStyleHint(QFont::SansSerif);
    m_fontCaption.setBold(true);
    m_fontCaption.setPixelSize(CAPTION_FONT_PIXELS);
    InstallFrameAccessibility();
}

CFrameSkin::~CFrameSkin()
{
    // The window may already be taking itself apart: only stop watching it.
    if (m_pWindow != nullptr)
        m_pWindow->removeEventFilter(this);
}

bool CFrameSkin::SetSkin(std::shared_ptr<const CSkinBitmaps> pSkin)
{
    m_pSkin = std::move(pSkin);
    if (m_pSkin != nullptr) {
        m_metrics = m_pSkin->Metrics();
        ++m_nGeneration;
    }
    // An attached window without bitmaps loses the frame instead of keeping one it cannot paint.
    RecalcFrame();
    return m_pSkin != nullptr;
}

void CFrameSkin::Attach(QWidget* pWindow, const FrameStyle& style)
{
    if (m_pSkin == nullptr || pWindow == nullptr)
        return;
    Detach();
    m_pWindow = pWindow;
    m_style = style;
    MakeCaptionButtons();
    m_marginsApplied = pWindow->contentsMargins();
    m_ptPlaced = pWindow->pos();
    const bool bVisible = pWindow->isVisible();
    pWindow->setWindowFlag(Qt::FramelessWindowHint, true);
    pWindow->setMouseTracking(true);
    pWindow->installEventFilter(this);
    RecalcFrame();
    if (bVisible)
        pWindow->show(); // changing the flags hid it
}

void CFrameSkin::Detach()
{
    if (m_pWindow == nullptr)
        return;
    QWidget* pWindow = m_pWindow;
    pWindow->removeEventFilter(this);
    m_pWindow = nullptr;
    MakeCaptionButtons();
    MoveControls(*pWindow, QPoint(-m_marginsApplied.left(), -m_marginsApplied.top()));
    pWindow->setContentsMargins(0, 0, 0, 0);
    pWindow->clearMask();
    pWindow->unsetCursor();
    m_marginsApplied = QMargins();
}

QWidget* CFrameSkin::Window() const { return m_pWindow; }

QMargins CFrameSkin::Margins() const
{
    if (m_pSkin == nullptr)
        return {};
    return {m_metrics.nLeft, m_metrics.nCaption, m_metrics.nRight, m_metrics.nBottom};
}

void CFrameSkin::RecalcFrame()
{
    if (m_pWindow == nullptr)
        return;
    const QMargins margins = Margins();
    const QPoint delta(margins.left() - m_marginsApplied.left(),
                       margins.top() - m_marginsApplied.top());
    if (!delta.isNull())
        MoveControls(*m_pWindow, delta);
    m_pWindow->setContentsMargins(margins);
    m_marginsApplied = margins;
    UpdateMask();
    m_pWindow->update();
}

bool CFrameSkin::PaintBackground(QPainter& painter, const QRect& rcClient) const
{
    if (m_pSkin == nullptr || m_pSkin->Background().isNull())
        return false;
    painter.drawTiledPixmap(rcClient, m_pSkin->Background());
    return true;
}

void CFrameSkin::PaintWindow(QPainter& painter)
{
    if (m_pSkin == nullptr || m_pWindow == nullptr)
        return;
    const bool bActive = m_pWindow->isActiveWindow();
    const FrameCache& cache = Cache(bActive);
    const int nWidth = m_pWindow->width();
    const int nHeight = m_pWindow->height();
    painter.drawPixmap(0, m_metrics.nCaption, cache.left);
    painter.drawPixmap(nWidth - m_metrics.nRight, m_metrics.nCaption, cache.right);
    painter.drawPixmap(0, nHeight - m_metrics.nBottom, cache.bottom);
    painter.drawPixmap(0, 0, cache.caption);
    PaintCaptionParts(painter, bActive);
    PaintBackground(painter, ToQRect(ClientRect(m_metrics, nWidth, nHeight)));
}

const CFrameSkin::FrameCache& CFrameSkin::Cache(bool bActive)
{
    if (m_nCacheGeneration != m_nGeneration) {
        m_cache = {};
        m_nCacheGeneration = m_nGeneration;
        m_nMaskWidth = -1;
    }
    FrameCache& cache = m_cache[bActive ? 1 : 0];
    const QSize size = m_pWindow->size();
    if (cache.size == size)
        return cache;
    if (cache.size.width() != size.width()) {
        QRegion* pMask = bActive ? &m_captionMask : nullptr;
        cache.caption = ComposeCaption(bActive, pMask);
        cache.bottom = ComposeBottom(bActive, size.width());
        if (bActive)
            m_nMaskWidth = size.width();
    }
    cache.left = ComposeSide(SkinPart::Left, bActive, size.height());
    cache.right = ComposeSide(SkinPart::Right, bActive, size.height());
    cache.size = size;
    return cache;
}

QPixmap CFrameSkin::ComposeCaption(bool bActive, QRegion* pCaptionMask) const
{
    const FrameMetrics& m = m_metrics;
    const int nWidth = m_pWindow->width();
    const int nHeight = m_pWindow->height();
    QImage image(std::max(1, nWidth), m.nCaption, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        DrawEdge(painter, m_pSkin->Side(SkinPart::Left, bActive), SIDE_SLICES, nHeight,
                 Qt::Vertical, 0, m.nCaption);
        painter.translate(nWidth - m.nRight, 0);
        DrawEdge(painter, m_pSkin->Side(SkinPart::Right, bActive), SIDE_SLICES, nHeight,
                 Qt::Vertical, 0, m.nCaption);
        painter.resetTransform();
        painter.translate(m.nLeft, 0);
        const int nTitleLength = nWidth - m.nLeft - m.nRight;
        DrawEdge(painter, m_pSkin->Title(bActive), TITLE_SLICES, nTitleLength, Qt::Horizontal, 0,
                 nTitleLength);
    }
    const std::vector<QRect> runs = CutKeyColour(image);
    if (pCaptionMask != nullptr) {
        QRegion mask;
        mask.setRects(runs.data(), int(runs.size()));
        *pCaptionMask = mask;
    }
    return QPixmap::fromImage(image);
}

QPixmap CFrameSkin::ComposeSide(SkinPart part, bool bActive, int nHeight) const
{
    const QPixmap& src = m_pSkin->Side(part, bActive);
    const int nLength = std::max(1, nHeight - m_metrics.nCaption);
    QPixmap side(src.width(), nLength);
    side.fill(Qt::transparent);
    QPainter painter(&side);
    DrawEdge(painter, src, SIDE_SLICES, nHeight, Qt::Vertical, m_metrics.nCaption, nHeight);
    return side;
}

QPixmap CFrameSkin::ComposeBottom(bool bActive, int nWidth) const
{
    const QPixmap& src = m_pSkin->Bottom(bActive);
    QPixmap bottom(std::max(1, nWidth), src.height());
    bottom.fill(Qt::transparent);
    QPainter painter(&bottom);
    DrawEdge(painter, src, BOTTOM_SLICES, nWidth, Qt::Horizontal, 0, nWidth);
    return bottom;
}

void CFrameSkin::PaintCaptionParts(QPainter& painter, bool bActive)
{
    const int nWidth = m_pWindow->width();
    const HitCode hot = m_input.Hot();
    const HitCode pressed = m_input.Pressed();
    auto drawButton = [&](FrameButton button, HitCode code, SkinPart bitmap) {
        const int nState = ButtonStateIndex(bActive, code, hot, pressed);
        painter.drawPixmap(ToQRect(ButtonRect(m_metrics, button, nWidth)).topLeft(),
                           m_pSkin->Button(bitmap, nState));
    };
    drawButton(FrameButton::Close, HitCode::Close, SkinPart::Close);
    if (m_style.bMaximiseBox)
        drawButton(FrameButton::Maximise, HitCode::MaxButton,
                   m_state.State() == WindowState::Maximised ? SkinPart::Restore
                                                             : SkinPart::Maximise);
    if (m_style.bMinimiseBox)
        drawButton(FrameButton::Minimise, HitCode::MinButton, SkinPart::Minimise);
    if (m_style.HasIcon()) {
        const QPixmap icon = m_pWindow->windowIcon().pixmap(SMALL_ICON_SIZE, SMALL_ICON_SIZE);
        painter.drawPixmap(m_metrics.nLeft, (m_metrics.nCaption - SMALL_ICON_SIZE) / 2, icon);
    }
    const QRect rcText = ToQRect(CaptionTextRect(m_metrics, m_style, nWidth));
    const QString strTitle = m_pWindow->windowTitle();
    painter.setFont(m_fontCaption);
    if (strTitle != m_strElidedFrom || rcText.width() != m_nElidedWidth) {
        m_strElided = painter.fontMetrics().elidedText(strTitle, Qt::ElideRight, rcText.width());
        m_strElidedFrom = strTitle;
        m_nElidedWidth = rcText.width();
    }
    constexpr int nAlign = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.setPen(CAPTION_SHADOW);
    painter.drawText(rcText.translated(1, 1), nAlign, m_strElided);
    painter.setPen(CAPTION_TEXT);
    painter.drawText(rcText, nAlign, m_strElided);
}

void CFrameSkin::UpdateMask()
{
    if (m_pWindow == nullptr)
        return;
    if (m_pSkin == nullptr) {
        m_pWindow->clearMask();
        return;
    }
    const QSize size = m_pWindow->size();
    if (m_nCacheGeneration != m_nGeneration || m_nMaskWidth != size.width())
        Cache(true);
    QRegion region = m_captionMask;
    region += QRect(0, m_metrics.nCaption, size.width(), size.height() - m_metrics.nCaption);
    m_pWindow->setMask(region);
}

void CFrameSkin::RepaintFrame()
{
    if (m_pWindow == nullptr)
        return;
    const QRect rcWindow = m_pWindow->rect();
    m_pWindow->update(QRegion(rcWindow) -
                      ToQRect(ClientRect(m_metrics, rcWindow.width(), rcWindow.height())));
}

// Under a reparenting window manager, Qt's xcb platform may take a wrong place for a window that
// is shown again: a configure event from before the manager framed the window is read after it,
// when the new frame still stands at the screen's origin, and the manager, which puts the frame
// where the window was, reports no move. Qt then believes the window is at (0, 0): its popups
// open there and a move by the window manager starts from there. The window has not really moved,
// so once it is on the screen it is put where it was; a move to where it already stands costs the
// window manager nothing, and Qt learns the true place from the request itself.
void CFrameSkin::Settle()
{
    m_bSettling = false;
    if (m_pWindow->pos() != m_ptPlaced)
        QTimer::singleShot(0, this, [this, ptPlaced = m_ptPlaced] {
            if (m_pWindow != nullptr && m_pWindow->isVisible())
                m_pWindow->move(ptPlaced);
        });
}

// The mouse's own report tells where the window really is: its global position less its position
// in the window. Where Qt believes otherwise, it is told.
void CFrameSkin::SyncPlace(const QMouseEvent& event)
{
    const QPoint ptOrigin = (event.globalPosition() - event.position()).toPoint();
    const QPoint offset = ptOrigin - m_pWindow->mapToGlobal(QPoint(0, 0));
    if (offset.manhattanLength() > 1)
        m_pWindow->move(m_pWindow->pos() + offset);
}

bool CFrameSkin::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched != m_pWindow || m_pSkin == nullptr)
        return false;
    if (m_drag.bFromMenu && OnMenuDragEvent(*pEvent))
        return true;
    switch (pEvent->type()) {
    case QEvent::Paint: {
        if (m_bSettling)
            Settle();
        QPainter painter(m_pWindow);
        PaintWindow(painter);
        return false; // the window paints its client area next
    }
    case QEvent::Resize:
        UpdateMask();
        m_pWindow->update();
        return false;
    case QEvent::MouseMove:
        return OnMouseMove(*static_cast<QMouseEvent*>(pEvent));
    case QEvent::MouseButtonPress:
        return OnMousePress(*static_cast<QMouseEvent*>(pEvent));
    case QEvent::MouseButtonRelease:
        return OnMouseRelease(*static_cast<QMouseEvent*>(pEvent));
    case QEvent::MouseButtonDblClick:
        return OnDoubleClick(*static_cast<QMouseEvent*>(pEvent));
    case QEvent::ContextMenu: {
        // The window's own menu belongs to its client area.
        const HitCode code = HitAt(static_cast<QContextMenuEvent*>(pEvent)->pos());
        return code != HitCode::Client && code != HitCode::Nowhere;
    }
    case QEvent::Leave:
        if (m_input.MouseLeave().bRepaint)
            RepaintFrame();
        UpdateCursor();
        return false;
    case QEvent::WindowTitleChange:
        RenameCaptionButtons(); // the title follows the language, and so do the buttons
        RepaintFrame();
        return false;
    case QEvent::ActivationChange:
    case QEvent::WindowIconChange:
        RepaintFrame();
        return false;
    case QEvent::WindowStateChange:
        OnWindowStateChange();
        return false;
    case QEvent::Show:
        m_bSettling = true;
        return false;
    case QEvent::Move:
        // While the window is being shown again, the window system's word on its place is not
        // yet to be trusted (see Settle).
        if (!pEvent->spontaneous() || !m_bSettling)
            m_ptPlaced = m_pWindow->pos();
        return false;
    default:
        return false;
    }
}

HitCode CFrameSkin::HitAt(const QPoint& pt) const
{
    if (!m_pWindow->rect().contains(pt))
        return HitCode::Nowhere;
    return HitTest(m_metrics, m_style, m_pWindow->width(), m_pWindow->height(), pt.x(), pt.y());
}

bool CFrameSkin::OnMouseMove(QMouseEvent& event)
{
    if (m_drag.action != FrameAction::None) {
        FollowDrag(event);
        return true;
    }
    const HitCode code = HitAt(event.position().toPoint());
    if (m_input.MouseMove(code).bRepaint)
        RepaintFrame();
    UpdateCursor();
    return code != HitCode::Client && code != HitCode::Nowhere;
}

bool CFrameSkin::OnMousePress(QMouseEvent& event)
{
    const HitCode code = HitAt(event.position().toPoint());
    if (code == HitCode::Client || code == HitCode::Nowhere)
        return false;
    if (event.button() == Qt::LeftButton)
        Respond(m_input.ButtonDown(code, State() == WindowState::Maximised, m_style.bResizable),
                event, code);
    return true;
}

bool CFrameSkin::OnMouseRelease(QMouseEvent& event)
{
    const HitCode code = HitAt(event.position().toPoint());
    if (event.button() != Qt::LeftButton)
        return code != HitCode::Client && code != HitCode::Nowhere;
    m_drag = {};
    // A release that ends a press on the client area belongs to the window.
    if (!m_input.IsFramePress())
        return false;
    Respond(m_input.ButtonUp(code), event, code);
    UpdateCursor();
    return true;
}

bool CFrameSkin::OnDoubleClick(QMouseEvent& event)
{
    const HitCode code = HitAt(event.position().toPoint());
    if (code == HitCode::Client || code == HitCode::Nowhere)
        return false;
    if (event.button() == Qt::LeftButton)
        Respond(m_input.DoubleClick(code, State() == WindowState::Maximised, m_style.bResizable),
                event, code);
    return true;
}

void CFrameSkin::Respond(const FrameResponse& response, const QMouseEvent& event, HitCode code)
{
    if (response.bRepaint)
        RepaintFrame();
    switch (response.action) {
    case FrameAction::Move:
    case FrameAction::Resize:
        BeginDrag(response.action, code, event);
        break;
    case FrameAction::SystemMenu:
        OpenSystemMenu(event.globalPosition().toPoint());
        break;
    case FrameAction::Close:
        m_pWindow->close();
        break;
    case FrameAction::Minimise:
        Minimise();
        break;
    case FrameAction::ToggleMaximise:
        ToggleMaximise();
        break;
    case FrameAction::None:
        break;
    }
}

void CFrameSkin::DragFromClient(const QMouseEvent& event)
{
    if (m_pWindow == nullptr || m_pSkin == nullptr || event.button() != Qt::LeftButton)
        return;
    if (State() != WindowState::Maximised)
        BeginDrag(FrameAction::Move, HitCode::Caption, event);
}

void CFrameSkin::DragWindow(QWidget& window, const QMouseEvent& event)
{
    if (IsAttached())
        DragFromClient(event);
    else if (window.windowHandle() != nullptr)
        window.windowHandle()->startSystemMove();
}

// A move waits until the mouse has really moved, so that a double click stays a double click;
// sizing starts at once. Where the window system does not take the drag over (see
// StartSystemDrag), the window follows the mouse from here.
void CFrameSkin::BeginDrag(FrameAction action, HitCode edge, const QMouseEvent& event)
{
    SyncPlace(event);
    m_drag = {action, edge, event.globalPosition().toPoint(), m_pWindow->geometry(), false, false};
    if (action == FrameAction::Resize)
        FollowDrag(event);
}

// Where the program can place its windows, a move follows the mouse from here: the window
// system would start it from where the mouse is now, not from the press, leaving the window
// behind by the way the mouse moved before the move began, and a window manager may hold the
// window at other windows' edges. Sizing starts at the press and goes to the window system.
bool CFrameSkin::StartSystemDrag()
{
    QWindow* pHandle = m_pWindow->windowHandle();
    if (pHandle == nullptr)
        return false;
    if (m_drag.action == FrameAction::Move)
        return !DesktopFeatures::Current().bPlace && pHandle->startSystemMove();
    return pHandle->startSystemResize(EdgesOf(m_drag.edge));
}

// Move or Size from the icon menu: the mouse goes to the caption's middle or to the lower right
// corner, and the window follows it with no button held, until a click puts it down; Escape puts
// it back. The window system takes it over where the program cannot place its windows.
void CFrameSkin::BeginMenuDrag(FrameAction action, HitCode edge)
{
    if (m_pWindow == nullptr)
        return;
    const QRect rc = m_pWindow->geometry();
    const QPoint ptGrip =
        action == FrameAction::Move
            ? QPoint(rc.center().x(), rc.top() + m_metrics.nCaption / 2)
            : rc.bottomRight() - QPoint(m_metrics.nRight / 2, m_metrics.nBottom / 2);
    QCursor::setPos(m_pWindow->screen(), ptGrip);
    m_drag = {action, edge, ptGrip, rc, true, false, true};
    if (!DesktopFeatures::Current().bPlace && StartSystemDrag()) {
        m_drag = {};
        return;
    }
    m_pWindow->grabMouse();
    m_pWindow->grabKeyboard();
}

void CFrameSkin::EndMenuDrag(bool bKeep)
{
    if (!bKeep)
        m_pWindow->setGeometry(m_drag.rcStart);
    m_drag = {};
    m_pWindow->releaseMouse();
    m_pWindow->releaseKeyboard();
}

bool CFrameSkin::OnMenuDragEvent(QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseMove:
        FollowDrag(static_cast<QMouseEvent&>(event));
        return true;
    case QEvent::MouseButtonPress:
        EndMenuDrag(true);
        return true;
    case QEvent::KeyPress: {
        const int nKey = static_cast<QKeyEvent&>(event).key();
        if (nKey == Qt::Key_Escape || nKey == Qt::Key_Return || nKey == Qt::Key_Enter)
            EndMenuDrag(nKey != Qt::Key_Escape);
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

void CFrameSkin::FollowDrag(const QMouseEvent& event)
{
    if (!m_drag.bFromMenu && !(event.buttons() & Qt::LeftButton)) {
        m_drag = {};
        return;
    }
    const QPoint delta = event.globalPosition().toPoint() - m_drag.ptStart;
    if (!m_drag.bStarted) {
        if (m_drag.action == FrameAction::Move && delta.manhattanLength() < MOVE_THRESHOLD)
            return;
        m_drag.bStarted = true;
        if (StartSystemDrag()) {
            // The window system now owns the mouse until the button comes up.
            m_drag = {};
            if (m_input.MouseLeave().bRepaint)
                RepaintFrame();
            return;
        }
    }
    if (m_drag.action == FrameAction::Move) {
        m_pWindow->move(m_drag.rcStart.topLeft() + delta);
        return;
    }
    const Rect rc = ResizedRect(m_drag.edge, ToRect(m_drag.rcStart), delta.x(), delta.y(),
                                ToSize(m_pWindow->minimumSize()), ToSize(m_pWindow->maximumSize()));
    m_pWindow->setGeometry(ToQRect(rc));
}

void CFrameSkin::UpdateCursor()
{
    const HitCode hot = m_input.Hot();
    if (m_style.bResizable && IsResizeCode(hot))
        m_pWindow->setCursor(SizingCursor(hot));
    else if (m_pWindow->testAttribute(Qt::WA_SetCursor))
        m_pWindow->unsetCursor();
}

void CFrameSkin::Minimise()
{
    if (m_pWindow != nullptr && m_state.Minimise())
        m_pWindow->showMinimized();
}

void CFrameSkin::ToggleMaximise()
{
    if (m_pWindow == nullptr)
        return;
    if (State() == WindowState::Maximised)
        Restore();
    else
        Maximise();
    RenameCaptionButtons();
}

void CFrameSkin::Maximise()
{
    if (m_pWindow == nullptr)
        return;
    QScreen* pScreen = m_pWindow->screen();
    const QRect rcWork = pScreen != nullptr ? pScreen->availableGeometry() : m_pWindow->geometry();
    if (const auto rc = m_state.Maximise(ToRect(m_pWindow->geometry()), ToRect(rcWork)))
        m_pWindow->setGeometry(ToQRect(*rc));
    RepaintFrame();
}

void CFrameSkin::Restore()
{
    if (m_pWindow == nullptr)
        return;
    const RestoreStep step = m_state.Restore();
    if (step.bShowNormal)
        m_pWindow->showNormal();
    if (step.rcTarget)
        m_pWindow->setGeometry(ToQRect(*step.rcTarget));
    RepaintFrame();
}

void CFrameSkin::OnWindowStateChange()
{
    // The window system may minimise or bring back the window on its own (a taskbar click).
    const bool bMinimised = m_pWindow->isMinimized();
    if (bMinimised && State() != WindowState::Minimised)
        m_state.Minimise();
    else if (!bMinimised && State() == WindowState::Minimised)
        m_state.Restore();
    if (bMinimised)
        QTimer::singleShot(MINIMISE_CHECK_MS, this, &CFrameSkin::CheckMinimised);
    RepaintFrame();
    RenameCaptionButtons();
}

// Without a window manager nothing takes a minimised window off the screen, and Qt still calls
// it minimised. A window that is still shown was not minimised: the frame, and Qt, go back to
// the state before, so that maximising and the caption's double click work at once.
void CFrameSkin::CheckMinimised()
{
    if (m_pWindow == nullptr || State() != WindowState::Minimised)
        return;
    const QWindow* pHandle = m_pWindow->windowHandle();
    if (pHandle == nullptr || !pHandle->isExposed())
        return;
    m_state.Restore();
    m_pWindow->setWindowState(m_pWindow->windowState() & ~Qt::WindowMinimized);
    RepaintFrame();
    RenameCaptionButtons();
}

// One object for each button the attached window's caption shows, in the order a reader meets
// them from the right: close, maximise, minimise, then the icon on the left.
void CFrameSkin::MakeCaptionButtons()
{
    for (CCaptionButton* pButton : m_captionButtons)
        delete pButton;
    m_captionButtons.clear();
    if (m_pWindow == nullptr)
        return;
    using Kind = CCaptionButton::Kind;
    m_captionButtons.push_back(new CCaptionButton(*this, Kind::Close));
    if (m_style.bMaximiseBox)
        m_captionButtons.push_back(new CCaptionButton(*this, Kind::Maximise));
    if (m_style.bMinimiseBox)
        m_captionButtons.push_back(new CCaptionButton(*this, Kind::Minimise));
    if (m_style.HasIcon())
        m_captionButtons.push_back(new CCaptionButton(*this, Kind::SystemMenu));
}

void CFrameSkin::RenameCaptionButtons() const
{
    for (CCaptionButton* pButton : m_captionButtons) {
        QAccessibleEvent event(pButton, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void CFrameSkin::OpenSystemMenu(const QPoint& ptGlobal)
{
    if (m_pMenu == nullptr) {
        m_pMenu = new QMenu(m_pWindow);
        m_pMenu->setObjectName(QStringLiteral("systemMenu"));
        for (std::size_t i = 0; i < MENU_ENTRIES.size(); ++i) {
            if (MENU_ENTRIES[i].bSeparatorBefore)
                m_pMenu->addSeparator();
            QAction* pAction = m_pMenu->addAction(QString());
            pAction->setData(int(i));
            connect(pAction, &QAction::triggered, this,
                    [this, command = MENU_ENTRIES[i].command] { RunCommand(command); });
        }
    }
    m_pMenu->setAccessibleName(QString::fromUtf8(MENU_NAME.In(m_language.CurrentLanguage())));
    // Only the frame's own items carry their place in the table.
    for (QAction* pAction : m_pMenu->actions()) {
        if (!pAction->data().isValid())
            continue;
        const MenuEntry& entry = MENU_ENTRIES[std::size_t(pAction->data().toInt())];
        pAction->setText(QString::fromUtf8(entry.text.In(m_language.CurrentLanguage())));
        pAction->setEnabled(CanRunCommand(entry.command));
    }
    AddWindowMenuItems();
    m_pMenu->popup(ptGlobal);
}

bool CFrameSkin::CanRunCommand(FrameCommand command) const
{
    const WindowState state = State();
    switch (command) {
    case FrameCommand::Restore:
        return state != WindowState::Normal;
    case FrameCommand::Move:
        return state == WindowState::Normal;
    case FrameCommand::Size:
        return m_style.bResizable && state == WindowState::Normal;
    case FrameCommand::Minimise:
        return m_style.bMinimiseBox && state != WindowState::Minimised;
    case FrameCommand::Maximise:
        return m_style.bMaximiseBox && state != WindowState::Maximised;
    case FrameCommand::Close:
        break;
    }
    return true;
}

void CFrameSkin::RunCommand(FrameCommand command)
{
    switch (command) {
    case FrameCommand::Restore:
        Restore();
        break;
    case FrameCommand::Move:
        BeginMenuDrag(FrameAction::Move, HitCode::Caption);
        break;
    case FrameCommand::Size:
        BeginMenuDrag(FrameAction::Resize, HitCode::BottomRight);
        break;
    case FrameCommand::Minimise:
        Minimise();
        break;
    case FrameCommand::Maximise:
        Maximise();
        break;
    case FrameCommand::Close:
        if (m_pWindow != nullptr)
            m_pWindow->close();
        break;
    }
}

void CFrameSkin::SetWindowMenuItems(QList<QAction*> items, std::function<void()> beforeOpen)
{
    m_windowItems = std::move(items);
    m_beforeMenu = std::move(beforeOpen);
}

void CFrameSkin::AddWindowMenuItems()
{
    if (m_beforeMenu)
        m_beforeMenu();
    if (m_windowItems.isEmpty() || m_pMenu->actions().contains(m_windowItems.first()))
        return;
    m_pMenu->addSeparator();
    m_pMenu->addActions(m_windowItems);
}
