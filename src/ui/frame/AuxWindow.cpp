#include "ui/frame/AuxWindow.h"

#include "core/app/WindowPlacement.h"
#include "core/skin/Opacity.h"
#include "ui/base/ClientScroller.h"
#include "ui/base/QtGeometry.h"
#include "ui/base/QtText.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>

CAuxWindow::CAuxWindow(const AuxWindowLook& look, const ILanguageSource& language, QWidget* pOwner)
    : QWidget(pOwner, Qt::Tool), m_look(look), m_language(language), m_frame(language, this)
{
    resize(look.nWidth, look.nHeight);
    if (look.bTransparent) {
        m_transparency.EnableLayered(this);
        m_transparency.SetOpacity(this, OPACITY_OPAQUE_PERCENT);
    }
    ApplyLanguage();
}

void CAuxWindow::SetSkin(std::shared_ptr<const CSkinBitmaps> pSkin, bool bAttach)
{
    DressWindow(*this, pSkin.get());
    m_frame.SetSkin(std::move(pSkin));
    if (bAttach) {
        m_frame.Attach(this, FrameStyle{m_look.bResizable, false, false});
        const QMargins frame = m_frame.Margins();
        resize(size().grownBy(frame));
    }
    update();
}

void CAuxWindow::DragWindow(const QMouseEvent& event) { m_frame.DragWindow(*this, event); }

void CAuxWindow::SetOpacity(int nPercent) { m_transparency.SetOpacity(this, nPercent); }

void CAuxWindow::setVisible(bool bVisible)
{
    if (bVisible && !m_bPlaced) {
        m_bPlaced = true;
        // A window placed before its first show (the docked keyboard) stays where it was put.
        // One too large for the screen is placed at the size it will have.
        if (!testAttribute(Qt::WA_Moved)) {
            FitOnScreen();
            PlaceFirstTime();
        }
    }
    if (bVisible && !isVisible()) {
        KeepOnOwnersScreen();
        FitOnScreen();
    }
    QWidget::setVisible(bVisible);
}

namespace
{
// The usable area of the screen that holds most of the owner.
QRect OwnersScreenArea(const QWidget& owner)
{
    const QScreen* pScreen = QGuiApplication::screenAt(owner.frameGeometry().center());
    if (pScreen == nullptr)
        pScreen = owner.screen();
    return pScreen->availableGeometry();
}
} // namespace

void CAuxWindow::PlaceFirstTime()
{
    const QWidget* pOwner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    if (pOwner == nullptr)
        return;
    const QRect frame = pOwner->frameGeometry();
    // The client area lies inside a skinned frame's margins.
    const QRect rcContents = pOwner->contentsRect();
    const QRect client(pOwner->mapToGlobal(rcContents.topLeft()), rcContents.size());
    // The window system's frame is not known before the first show; the owner's is the best
    // guess. A skinned frame is already part of the size.
    const QSize frameExtra = frame.size() - pOwner->size();
    FirstPlacement place{};
    if (m_look.nX >= 0 && m_look.nY >= 0)
        place.offset = Point{m_look.nX, m_look.nY};
    place.ownerClient = ToPoint(client.topLeft());
    place.owner = ToRect(frame);
    place.keepClear = ToRect(m_keepClear ? m_keepClear() : QRect());
    if (m_obstacles)
        for (const QRect& other : m_obstacles())
            place.others.push_back(ToRect(other));
    place.nWidth = width() + frameExtra.width();
    place.nHeight = height() + frameExtra.height();
    place.screen = ToRect(OwnersScreenArea(*pOwner));
    const Point at = FirstWindowPosition(place);
    move(ToQPoint(at));
}

// A window shown again whose caption no screen shows any more (a screen has gone or shrunk since)
// comes back on its owner's screen. Anywhere else it stays where it is, as the user put it.
void CAuxWindow::KeepOnOwnersScreen()
{
    const QWidget* pOwner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    if (pOwner == nullptr || QGuiApplication::screenAt(frameGeometry().topLeft()) != nullptr)
        return;
    const Point at = KeepOnScreen(ToRect(frameGeometry()), ToRect(OwnersScreenArea(*pOwner)));
    if (ToQPoint(at) != pos())
        move(ToQPoint(at));
}

// A window larger than the usable area of its screen shrinks to it and moves wholly onto it.
void CAuxWindow::FitOnScreen()
{
    const QScreen* pScreen = QGuiApplication::screenAt(frameGeometry().center());
    if (pScreen == nullptr)
        pScreen = screen();
    const QRect area = pScreen->availableGeometry();
    // Before the first show the window system's frame is not known; the owner's is the best guess.
    QSize frameExtra = frameGeometry().size() - size();
    const QWidget* pOwner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    if (frameExtra.isNull() && pOwner != nullptr)
        frameExtra = pOwner->frameGeometry().size() - pOwner->size();
    const QSize room = area.size() - frameExtra;
    if (width() <= room.width() && height() <= room.height())
        return;
    QSize fitted = size();
    if (!m_look.bResizable) {
        ScrollControls();
        // Where there is room, the window widens (or grows taller) by the one scroll bar it
        // needs, so that it does not need the other one as well.
        const int nBar = m_pScroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (fitted.height() > room.height() && fitted.width() + nBar <= room.width())
            fitted.rwidth() += nBar;
        else if (fitted.width() > room.width() && fitted.height() + nBar <= room.height())
            fitted.rheight() += nBar;
    }
    resize(fitted.boundedTo(room));
    const QRect frame(frameGeometry().topLeft(), size() + frameExtra);
    const Point at = KeepOnScreen(ToRect(frame), ToRect(area));
    move(ToQPoint(at));
}

void CAuxWindow::ScrollControls()
{
    if (m_pScroller == nullptr)
        m_pScroller = new CClientScroller(*this);
}

void CAuxWindow::ApplyLanguage() { setWindowTitle(QtText(m_look.title, CurrentLanguage())); }

void CAuxWindow::hideEvent(QHideEvent* pEvent)
{
    // A spontaneous hide comes from the window system (the owner was minimised); the window
    // returns with its owner, so it still counts as shown.
    if (!pEvent->spontaneous())
        emit Hidden();
    QWidget::hideEvent(pEvent);
}

void CAuxWindow::keyPressEvent(QKeyEvent* pEvent)
{
    switch (pEvent->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        hide();
        return;
    default:
        QWidget::keyPressEvent(pEvent);
    }
}
