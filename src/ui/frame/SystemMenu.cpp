#include "ui/frame/SystemMenu.h"

#include "ui/base/QtText.h"

#include <QMenu>

#include <array>

namespace
{
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
} // namespace

CSystemMenu::CSystemMenu(std::function<bool(FrameCommand)> canRun,
                         std::function<void(FrameCommand)> run)
    : m_canRun(std::move(canRun)), m_run(std::move(run))
{}

// The menu's items call back into this object: they go with it.
CSystemMenu::~CSystemMenu() { delete m_pMenu; }

void CSystemMenu::SetWindowItems(QList<QAction*> items, std::function<void()> beforeOpen)
{
    m_windowItems = std::move(items);
    m_beforeOpen = std::move(beforeOpen);
}

void CSystemMenu::Make(QWidget& window)
{
    m_pMenu = new QMenu(&window);
    m_pMenu->setObjectName(QStringLiteral("systemMenu"));
    for (std::size_t i = 0; i < MENU_ENTRIES.size(); ++i) {
        if (MENU_ENTRIES[i].bSeparatorBefore)
            m_pMenu->addSeparator();
        QAction* pAction = m_pMenu->addAction(QString());
        pAction->setData(int(i));
        QObject::connect(pAction, &QAction::triggered, m_pMenu,
                         [this, command = MENU_ENTRIES[i].command] { m_run(command); });
    }
}

void CSystemMenu::Open(QWidget& window, Language language, const QPoint& ptGlobal)
{
    if (m_pMenu == nullptr)
        Make(window);
    m_pMenu->setAccessibleName(QtText(MENU_NAME, language));
    // Only the frame's own items carry their place in the table.
    for (QAction* pAction : m_pMenu->actions()) {
        if (!pAction->data().isValid())
            continue;
        const MenuEntry& entry = MENU_ENTRIES[std::size_t(pAction->data().toInt())];
        pAction->setText(QtText(entry.text, language));
        pAction->setEnabled(m_canRun(entry.command));
    }
    AddWindowItems();
    m_pMenu->popup(ptGlobal);
}

void CSystemMenu::AddWindowItems()
{
    if (m_beforeOpen)
        m_beforeOpen();
    if (m_windowItems.isEmpty() || m_pMenu->actions().contains(m_windowItems.first()))
        return;
    m_pMenu->addSeparator();
    m_pMenu->addActions(m_windowItems);
}
