#pragma once

#include "core/base/Language.h"
#include "core/skin/FrameGeometry.h"
#include "core/skin/FrameInput.h"
#include "core/skin/WindowState.h"
#include "ui/frame/CaptionButton.h"
#include "ui/frame/FrameMouse.h"
#include "ui/frame/FramePainter.h"
#include "ui/frame/FrameState.h"
#include "ui/frame/SkinBitmaps.h"
#include "ui/frame/SystemMenu.h"

#include <QList>
#include <QMargins>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class CCaptionButtons;
class QAction;
class QMouseEvent;
class QPainter;
class QWidget;

// The bitmap frame of one top-level window: a caption with its own buttons, side and bottom
// borders and the tiled background behind the client area. Attaching makes the window frameless;
// from then on the frame lives in the window's contents margins, and the skin watches the
// window's events to paint it (FramePainter.h), to hit-test the mouse and to move and size the
// window (FrameMouse.h), to maximise, minimise and restore it (FrameState.h), to open its icon
// menu (SystemMenu.h) and to close it. The window's own painting and controls stay inside the
// client area.
class CFrameSkin : public QObject
{
    Q_OBJECT
public:
    // The system menu speaks the language of language's source when it opens. A window makes
    // itself the parent of its frame: the frame keeps the caption buttons in its parent, where
    // assistive technology looks for them.
    explicit CFrameSkin(const ILanguageSource& language, QObject* pParent = nullptr);
    CFrameSkin(const ILanguageSource&&, QObject* = nullptr) = delete;
    ~CFrameSkin() override;

    // Paints from the bitmaps of pSkin from now on and repaints the attached window. False,
    // leaving the frame unloaded, for no bitmaps (a set that failed to load).
    bool SetSkin(std::shared_ptr<const CSkinBitmaps> pSkin);
    // Makes pWindow, a top-level widget, frameless and gives it this frame; nothing unless a
    // skin is loaded. Controls already placed in the window move into the client area.
    void Attach(QWidget* pWindow, const FrameStyle& style);
    void Detach();
    // Brings the contents margins and the mask in line with the loaded skin and repaints.
    void RecalcFrame();

    bool IsLoaded() const { return m_painter.Skin() != nullptr; }
    // The skin is a dark one: the window's contents take dark colours too.
    bool IsDark() const { return IsLoaded() && m_painter.Skin()->IsDark(); }
    bool IsAttached() const { return m_pWindow != nullptr; }
    QWidget* Window() const;
    Language CurrentLanguage() const { return m_language.CurrentLanguage(); }
    // The buttons painted in the caption, as objects assistive technology can see; none while
    // detached.
    const std::vector<CCaptionButton*>& CaptionButtons() const;
    const FrameMetrics& Metrics() const { return m_painter.Metrics(); }
    const FrameStyle& Style() const { return m_style; }
    WindowState State() const { return m_state.State(); }
    QMargins Margins() const;
    // Where a caption button is painted, in the attached window's pixels.
    QRect ButtonPlace(CCaptionButton::Kind kind) const;

    // Tiles the background over rcClient from its top-left corner; false without a skin.
    bool PaintBackground(QPainter& painter, const QRect& rcClient) const;
    // Paints the attached window's frame and the background of its client area.
    void PaintWindow(QPainter& painter);

    // A left press on the window's own client area drags the window like its caption.
    void DragFromClient(const QMouseEvent& event);
    // The same for window whether or not this frame is attached to it: without the frame the
    // window system is asked to move it.
    void DragWindow(QWidget& window, const QMouseEvent& event);

    // Items of the window's own for the icon menu, below the frame's after a separator; the
    // window keeps them. beforeOpen runs each time the menu opens, to bring their texts and
    // states in line.
    void SetWindowMenuItems(QList<QAction*> items, std::function<void()> beforeOpen = {});

    void Minimise();
    void ToggleMaximise();
    void Maximise();
    void Restore();
    // False for a command the icon menu shows disabled in the window's present state.
    bool CanRunCommand(FrameCommand command) const;
    void RunCommand(FrameCommand command);
    void OpenSystemMenu(const QPoint& ptGlobal);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    // What a click on the frame does besides moving and sizing.
    void Act(FrameAction action, const QPoint& ptGlobal);
    void UpdateMask();
    void RepaintFrame();
    // Repaints the frame and tells assistive technology that the caption buttons' names may have
    // changed.
    void ShowStateChange();
    void PressButton(CCaptionButton::Kind kind);

    CFramePainter m_painter;
    QPointer<QWidget> m_pWindow;
    FrameStyle m_style;
    QMargins m_marginsApplied;
    CFrameState m_state;
    CFrameMouse m_mouse;
    CSystemMenu m_menu;
    // A child of the window (of the frame while it has no parent), deleted with the frame.
    QPointer<CCaptionButtons> m_pCaptionButtons;
    const ILanguageSource& m_language;
};
