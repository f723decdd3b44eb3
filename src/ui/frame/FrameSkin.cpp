#include "ui/frame/FrameSkin.h"

#include "ui/frame/CaptionButtons.h"
#include "ui/frame/FrameAccessibility.h"
#include "ui/base/QtGeometry.h"

#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace
{
// Moves the window's controls (not its own windows) by delta, as its client area moves.
void MoveControls(QWidget& window, const QPoint& delta)
{
    for (QObject* pChild : window.children())
        if (auto* pControl = qobject_cast<QWidget*>(pChild); pControl && !pControl->isWindow())
            pControl->move(pControl->pos() + delta);
}
} // namespace

CFrameSkin::CFrameSkin(const ILanguageSource& language, QObject* pParent)
    : QObject(pParent), m_state(*this, [this] { ShowStateChange(); }),
      m_mouse(m_painter.Metrics(), m_style,
              {[this] { RepaintFrame(); }, [this] { return State() == WindowState::Maximised; },
               [this](FrameAction action, const QPoint& pt) { Act(action, pt); }}),
      m_menu([this](FrameCommand command) { return CanRunCommand(command); },
             [this](FrameCommand command) { RunCommand(command); }),
      m_language(language)
{
    CCaptionButton::Source source{
        [this] { return CurrentLanguage(); },
        [this] { return State() == WindowState::Maximised; },
        [this](CCaptionButton::Kind kind) { return ButtonPlace(kind); },
        [this](CCaptionButton::Kind kind) { PressButton(kind); },
    };
    m_pCaptionButtons = new CCaptionButtons(pParent != nullptr ? pParent : this, std::move(source));
    InstallFrameAccessibility();
}

CFrameSkin::~CFrameSkin()
{
    // The buttons call back into the frame: they go with it.
    delete m_pCaptionButtons;
    // The window may already be taking itself apart: only stop watching it.
    if (m_pWindow != nullptr)
        m_pWindow->removeEventFilter(this);
}

bool CFrameSkin::SetSkin(std::shared_ptr<const CSkinBitmaps> pSkin)
{
    m_painter.SetSkin(std::move(pSkin));
    // An attached window without bitmaps loses the frame instead of keeping one it cannot paint.
    RecalcFrame();
    return IsLoaded();
}

void CFrameSkin::Attach(QWidget* pWindow, const FrameStyle& style)
{
    if (!IsLoaded() || pWindow == nullptr)
        return;
    Detach();
    m_pWindow = pWindow;
    m_style = style;
    m_pCaptionButtons->Reset(pWindow, style);
    m_marginsApplied = pWindow->contentsMargins();
    m_state.Attach(pWindow);
    m_mouse.Attach(pWindow);
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
    m_state.Attach(nullptr);
    m_mouse.Attach(nullptr);
    m_pCaptionButtons->Reset(nullptr, m_style);
    MoveControls(*pWindow, QPoint(-m_marginsApplied.left(), -m_marginsApplied.top()));
    pWindow->setContentsMargins(0, 0, 0, 0);
    pWindow->clearMask();
    pWindow->unsetCursor();
    m_marginsApplied = QMargins();
}

QWidget* CFrameSkin::Window() const { return m_pWindow; }

const std::vector<CCaptionButton*>& CFrameSkin::CaptionButtons() const
{
    return m_pCaptionButtons->Buttons();
}

QMargins CFrameSkin::Margins() const
{
    if (!IsLoaded())
        return {};
    const FrameMetrics& m = Metrics();
    return {m.nLeft, m.nCaption, m.nRight, m.nBottom};
}

QRect CFrameSkin::ButtonPlace(CCaptionButton::Kind kind) const
{
    if (m_pWindow == nullptr)
        return {};
    using Kind = CCaptionButton::Kind;
    if (kind == Kind::SystemMenu)
        return ToQRect(IconRect(Metrics()));
    const FrameButton button = kind == Kind::Close      ? FrameButton::Close
                               : kind == Kind::Maximise ? FrameButton::Maximise
                                                        : FrameButton::Minimise;
    return ToQRect(ButtonRect(Metrics(), button, m_pWindow->width()));
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
    return m_painter.PaintBackground(painter, rcClient);
}

void CFrameSkin::PaintWindow(QPainter& painter)
{
    if (!IsLoaded() || m_pWindow == nullptr)
        return;
    CaptionLook look;
    look.style = m_style;
    look.bActive = m_pWindow->isActiveWindow();
    look.hot = m_mouse.Hot();
    look.pressed = m_mouse.Pressed();
    look.bMaximised = State() == WindowState::Maximised;
    if (m_style.HasIcon())
        look.icon = m_pWindow->windowIcon().pixmap(SMALL_ICON_SIZE, SMALL_ICON_SIZE);
    look.strTitle = m_pWindow->windowTitle();
    m_painter.Paint(painter, m_pWindow->size(), look);
}

void CFrameSkin::UpdateMask()
{
    if (m_pWindow == nullptr)
        return;
    if (!IsLoaded())
        m_pWindow->clearMask();
    else
        m_pWindow->setMask(m_painter.Mask(m_pWindow->size()));
}

void CFrameSkin::RepaintFrame()
{
    if (m_pWindow == nullptr)
        return;
    const QRect rcWindow = m_pWindow->rect();
    m_pWindow->update(QRegion(rcWindow) -
                      ToQRect(ClientRect(Metrics(), rcWindow.width(), rcWindow.height())));
}

void CFrameSkin::ShowStateChange()
{
    RepaintFrame();
    m_pCaptionButtons->Rename();
}

bool CFrameSkin::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched != m_pWindow || !IsLoaded())
        return false;
    if (m_mouse.OnEvent(*pEvent))
        return true;
    switch (pEvent->type()) {
    case QEvent::Paint: {
        m_state.OnPaint();
        QPainter painter(m_pWindow);
        PaintWindow(painter);
        return false; // the window paints its client area next
    }
    case QEvent::Resize:
        UpdateMask();
        m_pWindow->update();
        return false;
    case QEvent::WindowTitleChange:
        ShowStateChange(); // the title follows the language, and so do the buttons
        return false;
    case QEvent::ActivationChange:
    case QEvent::WindowIconChange:
        RepaintFrame();
        return false;
    case QEvent::WindowStateChange:
        m_state.OnWindowStateChange();
        return false;
    case QEvent::Show:
        m_state.OnShow();
        return false;
    case QEvent::Move:
        m_state.OnMove(pEvent->spontaneous());
        return false;
    default:
        return false;
    }
}

void CFrameSkin::Act(FrameAction action, const QPoint& ptGlobal)
{
    switch (action) {
    case FrameAction::SystemMenu:
        OpenSystemMenu(ptGlobal);
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
    case FrameAction::Move:
    case FrameAction::Resize:
    case FrameAction::None:
        break;
    }
}

void CFrameSkin::DragFromClient(const QMouseEvent& event)
{
    if (IsLoaded())
        m_mouse.DragFromClient(event);
}

void CFrameSkin::DragWindow(QWidget& window, const QMouseEvent& event)
{
    if (IsAttached())
        DragFromClient(event);
    else if (window.windowHandle() != nullptr)
        window.windowHandle()->startSystemMove();
}

void CFrameSkin::Minimise() { m_state.Minimise(); }

void CFrameSkin::ToggleMaximise() { m_state.ToggleMaximise(); }

void CFrameSkin::Maximise() { m_state.Maximise(); }

void CFrameSkin::Restore() { m_state.Restore(); }

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
        m_mouse.BeginFromMenu(FrameAction::Move, HitCode::Caption);
        break;
    case FrameCommand::Size:
        m_mouse.BeginFromMenu(FrameAction::Resize, HitCode::BottomRight);
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

void CFrameSkin::OpenSystemMenu(const QPoint& ptGlobal)
{
    if (m_pWindow != nullptr)
        m_menu.Open(*m_pWindow, CurrentLanguage(), ptGlobal);
}

void CFrameSkin::SetWindowMenuItems(QList<QAction*> items, std::function<void()> beforeOpen)
{
    m_menu.SetWindowItems(std::move(items), std::move(beforeOpen));
}

// A button pressed by assistive technology does what a click on it does; the menu opens below
// the icon.
void CFrameSkin::PressButton(CCaptionButton::Kind kind)
{
    if (m_pWindow == nullptr)
        return;
    using Kind = CCaptionButton::Kind;
    const FrameAction action = kind == Kind::Close      ? FrameAction::Close
                               : kind == Kind::Maximise ? FrameAction::ToggleMaximise
                               : kind == Kind::Minimise ? FrameAction::Minimise
                                                        : FrameAction::SystemMenu;
    Act(action, m_pWindow->mapToGlobal(ButtonPlace(kind).bottomLeft()));
}
