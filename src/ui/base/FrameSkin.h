#pragma once

#include "core/base/Language.h"
#include "core/skin/FrameGeometry.h"
#include "core/skin/FrameInput.h"
#include "core/skin/WindowState.h"
#include "ui/base/SkinBitmaps.h"

#include <QFont>
#include <QList>
#include <QMargins>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRegion>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CCaptionButton;
class QAction;
class QMenu;
class QMouseEvent;
class QPainter;
class QWidget;

// What the icon menu offers.
enum class FrameCommand
{
    Restore,
    Move,
    Size,
    Minimise,
    Maximise,
    Close,
};

// The bitmap frame of one top-level window: a caption with its own buttons, side and bottom
// borders and the tiled background behind the client area. Attaching makes the window frameless;
// from then on the frame lives in the window's contents margins, and the skin watches the
// window's events to paint it, to hit-test the mouse and to move, size, maximise, minimise and
// close the window. The window's own painting and controls stay inside the client area.
class CFrameSkin : public QObject
{
    Q_OBJECT
public:
    // The system menu speaks the language of language's source when it opens. A window makes
    // itself the parent of its frame, where assistive technology looks for the frame.
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

    bool IsLoaded() const { return m_pSkin != nullptr; }
    // The skin is a dark one: the window's contents take dark colours too.
    bool IsDark() const { return m_pSkin != nullptr && m_pSkin->IsDark(); }
    bool IsAttached() const { return m_pWindow != nullptr; }
    QWidget* Window() const;
    Language CurrentLanguage() const { return m_language.CurrentLanguage(); }
    // The buttons painted in the caption, as objects assistive technology can see; none while
    // detached.
    const std::vector<CCaptionButton*>& CaptionButtons() const { return m_captionButtons; }
    const FrameMetrics& Metrics() const { return m_metrics; }
    const FrameStyle& Style() const { return m_style; }
    WindowState State() const { return m_state.State(); }
    QMargins Margins() const;

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
    // The composed frame pieces of one window size in one activation state.
    struct FrameCache
    {
        QSize size;
        QPixmap caption; // side border heads and title bar, key colour made transparent
        QPixmap left;    // side borders below the caption
        QPixmap right;
        QPixmap bottom;
    };
    // A move or size of the window that follows the mouse.
    struct Drag
    {
        FrameAction action = FrameAction::None;
        HitCode edge = HitCode::Nowhere;
        QPoint ptStart; // global mouse position at the press
        QRect rcStart;  // window geometry at the press
        bool bStarted = false;
        bool bBySystem = false; // the window system took it over
        bool bFromMenu = false; // no button held: a click ends it
    };

    const FrameCache& Cache(bool bActive);
    QPixmap ComposeCaption(bool bActive, QRegion* pCaptionMask) const;
    QPixmap ComposeSide(SkinPart part, bool bActive, int nHeight) const;
    QPixmap ComposeBottom(bool bActive, int nWidth) const;
    void PaintCaptionParts(QPainter& painter, bool bActive);
    void UpdateMask();
    void RepaintFrame();

    bool OnMouseMove(QMouseEvent& event);
    bool OnMousePress(QMouseEvent& event);
    bool OnMouseRelease(QMouseEvent& event);
    bool OnDoubleClick(QMouseEvent& event);
    HitCode HitAt(const QPoint& pt) const;
    void Respond(const FrameResponse& response, const QMouseEvent& event, HitCode code);
    void BeginDrag(FrameAction action, HitCode edge, const QMouseEvent& event);
    bool StartSystemDrag();
    void BeginMenuDrag(FrameAction action, HitCode edge);
    void EndMenuDrag(bool bKeep);
    bool OnMenuDragEvent(QEvent& event);
    void FollowDrag(const QMouseEvent& event);
    void UpdateCursor();
    void AddWindowMenuItems();
    void OnWindowStateChange();
    void CheckMinimised();
    void Settle();
    void SyncPlace(const QMouseEvent& event);
    void MakeCaptionButtons();
    // Tells assistive technology that the caption buttons' names may have changed (language,
    // maximised state).
    void RenameCaptionButtons() const;

    std::shared_ptr<const CSkinBitmaps> m_pSkin; // shared by every window's frame
    int m_nGeneration = 0; // counts skin changes, so caches know when they are stale
    FrameMetrics m_metrics{};
    std::array<FrameCache, 2> m_cache; // inactive, active
    int m_nCacheGeneration = -1;
    QRegion m_captionMask;
    int m_nMaskWidth = -1;

    QPointer<QWidget> m_pWindow;
    FrameStyle m_style;
    QMargins m_marginsApplied;
    CFrameInput m_input;
    CWindowState m_state;
    Drag m_drag;
    QPoint m_ptPlaced;        // where the program or the user last put the window
    bool m_bSettling = false; // shown, but not yet painted
    QFont m_fontCaption;
    QString m_strElided;
    QString m_strElidedFrom;
    int m_nElidedWidth = -1;
    QMenu* m_pMenu = nullptr;
    std::vector<CCaptionButton*> m_captionButtons;
    QList<QAction*> m_windowItems;
    std::function<void()> m_beforeMenu;
    const ILanguageSource& m_language;
};
