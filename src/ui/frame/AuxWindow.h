#pragma once

#include "ui/base/AuxWindowLook.h"
#include "ui/frame/FrameSkin.h"
#include "ui/base/WndTransparency.h"

#include <QList>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

class CClientScroller;

// Base of the seven auxiliary windows: a tool window owned by the main window, created once and
// afterwards only shown and hidden. It reads the language from its owner's source whenever it
// produces a text, carries its transparency and its frame skin, and it announces every hiding, however it happens (close box, Enter,
// Escape, hide()), so the main window's shown flag always follows. Controls are placed in
// client coordinates when the window is made; the frame moves them into its client area.
// The first show places it by its template next to its owner, clear of the other open windows, on
// the owner's screen (WindowPlacement.h), unless it was moved before; afterwards it stays wherever
// it is, moved by the user or not, as long as a screen shows its caption. A window larger than
// the screen's usable area is shown at the area's size: a sizable one lays itself out anew, any
// other scrolls its controls inside the frame.
class CAuxWindow : public QWidget
{
    Q_OBJECT
public:
    CAuxWindow(const AuxWindowLook& look, const ILanguageSource& language, QWidget* pOwner);

    // Relabels the window in the current language: its title, and its other texts in the
    // windows that have some (they extend this).
    virtual void ApplyLanguage();
    Language CurrentLanguage() const { return m_language.CurrentLanguage(); }
    const ILanguageSource& LanguageSource() const { return m_language; }
    // Gives the frame the skin's bitmaps and repaints. bAttach is true only the first time the
    // main window applies a skin: the frame then attaches, and the window grows by the frame so
    // its client area keeps its size.
    void SetSkin(std::shared_ptr<const CSkinBitmaps> pSkin, bool bAttach);
    const CFrameSkin& Frame() const { return m_frame; }
    // No effect on a window that does not take part in transparency.
    void SetOpacity(int nPercent);
    const CWndTransparency& Transparency() const { return m_transparency; }
    // The part of the owner, in screen pixels, that the first show must leave uncovered.
    void SetKeepClear(std::function<QRect()> keepClear) { m_keepClear = std::move(keepClear); }
    // The other windows, in screen pixels, that the first show should leave uncovered.
    // Whether the window has been placed on its first show; it keeps that place while hidden.
    bool IsPlaced() const { return m_bPlaced; }
    void SetObstacles(std::function<QList<QRect>()> obstacles)
    {
        m_obstacles = std::move(obstacles);
    }

    void setVisible(bool bVisible) override;

signals:
    void Hidden();

protected:
    // A press on the window's own client area drags the window.
    void DragWindow(const QMouseEvent& event);

    void hideEvent(QHideEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void PlaceFirstTime();
    void KeepOnOwnersScreen();
    void FitOnScreen();
    void ScrollControls();

    const AuxWindowLook m_look;
    std::function<QRect()> m_keepClear;
    std::function<QList<QRect>()> m_obstacles;
    bool m_bPlaced = false;
    CClientScroller* m_pScroller = nullptr; // holds the controls once the window is too large
    CWndTransparency m_transparency;
    const ILanguageSource& m_language;
    CFrameSkin m_frame;
};
