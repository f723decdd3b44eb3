#pragma once

#include "core/base/Language.h"

#include <QList>
#include <QPointer>

#include <functional>

class QAction;
class QMenu;
class QPoint;
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

// The icon menu of a framed window: the frame's commands in the language of the moment, enabled
// as the window's state allows, then the window's own items after a separator.
class CSystemMenu
{
public:
    // canRun says whether a command is enabled when the menu opens; run carries out a choice.
    CSystemMenu(std::function<bool(FrameCommand)> canRun, std::function<void(FrameCommand)> run);
    ~CSystemMenu();
    CSystemMenu(const CSystemMenu&) = delete;
    CSystemMenu& operator=(const CSystemMenu&) = delete;

    // Items of the window's own, below the frame's; the window keeps them. beforeOpen runs each
    // time the menu opens, to bring their texts and states in line.
    void SetWindowItems(QList<QAction*> items, std::function<void()> beforeOpen);
    // Opens the menu of window at ptGlobal.
    void Open(QWidget& window, Language language, const QPoint& ptGlobal);

private:
    void Make(QWidget& window);
    void AddWindowItems();

    const std::function<bool(FrameCommand)> m_canRun;
    const std::function<void(FrameCommand)> m_run;
    QPointer<QMenu> m_pMenu; // a child of the first window it opened on
    QList<QAction*> m_windowItems;
    std::function<void()> m_beforeOpen;
};
