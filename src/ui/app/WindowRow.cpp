#include "ui/app/WindowRow.h"

#include "core/app/KeyboardSnap.h"
#include "core/skin/DesktopSkin.h"
#include "core/eval/CalcValue.h"
#include "ui/app/CalcSettingsHost.h"
#include "ui/frame/AuxWindow.h"
#include "ui/base/QtGeometry.h"
#include "ui/bignum/HugeNumDlg.h"
#include "ui/console/CalcEdit.h"
#include "ui/graph/GraphDlg.h"
#include "ui/help/HelpDlg.h"
#include "ui/keyboard/KeyboardDlg.h"
#include "ui/settings/SettingDlg.h"
#include "ui/units/UnitConvDlg.h"
#include "ui/varlist/VarListDlg.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

CWindowRow::CWindowRow(QWidget& owner, CCalcEdit& console, CCalcSettingsHost& host,
                       CRandomGenerator& random, std::function<QRect()> keepClear)
    : m_owner(owner), m_console(console), m_host(host), m_keepClear(std::move(keepClear))
{
    CreateWindows(random);
    CreateWindowKeys();
}

CWindowRow::~CWindowRow()
{
    // The graph goes first; the other windows follow with the main window.
    delete m_pGraph;
    m_pGraph = nullptr;
}

void CWindowRow::CreateWindows(CRandomGenerator& random)
{
    QWidget* pOwner = &m_owner;
    m_pGraph = Adopt(AuxId::Graph, new CGraphDlg(m_host, random, m_host.Angle(), pOwner));
    connect(m_pGraph, &CGraphDlg::ConsoleFocusWanted, &m_console, &CCalcEdit::TakeFocus);
    // The graph reads values off its curves to the console's precision.
    m_pGraph->SetNumberFormat([this](double d) { return FormatGeneral(d, m_host.Precision()); });
    m_pKeyboard = Adopt(AuxId::Keyboard, new CKeyboardDlg(m_console, m_host, pOwner));
    m_pHelp = Adopt(AuxId::Help, new CHelpDlg(m_host, pOwner));
    m_pSetting = Adopt(AuxId::Settings, new CSettingDlg(m_host, m_host, pOwner));
    const CalcSettings& settings = m_host.Settings();
    m_pVarList = Adopt(AuxId::VariableList, new CVarListDlg(m_console, m_host, settings.m_crText,
                                                            settings.m_crBack, pOwner));
    m_console.Eval().SetVariableListener(m_pVarList);
    m_pUnitConv = Adopt(AuxId::UnitConverter, new CUnitConvDlg(m_host, pOwner));
    m_pHugeNum = Adopt(AuxId::LongNumber, new CHugeNumDlg(m_host, pOwner));
}

template <class Window>
Window* CWindowRow::Adopt(AuxId id, Window* pWindow)
{
    pWindow->hide();
    pWindow->SetKeepClear(m_keepClear);
    pWindow->SetObstacles([this, id] { return OtherWindows(id); });
    connect(pWindow, &CAuxWindow::Hidden, this, [this, id, pWindow] {
        m_bShown[Index(id)] = false;
        // The keyboard goes back where it came from, not to whatever window is left.
        const QWidget* pActive = QApplication::activeWindow();
        if (pActive == nullptr || pActive == pWindow)
            m_console.TakeFocus();
    });
    return pWindow;
}

CAuxWindow& CWindowRow::AuxWindow(AuxId id)
{
    switch (id) {
    case AuxId::Graph:
        return *m_pGraph;
    case AuxId::Keyboard:
        return *m_pKeyboard;
    case AuxId::Help:
        return *m_pHelp;
    case AuxId::Settings:
        return *m_pSetting;
    case AuxId::VariableList:
        return *m_pVarList;
    case AuxId::UnitConverter:
        return *m_pUnitConv;
    case AuxId::LongNumber:
        break;
    }
    return *m_pHugeNum;
}

void CWindowRow::ToggleWindow(AuxId id)
{
    bool& bShown = m_bShown[Index(id)];
    bShown = !bShown;
    AuxWindow(id).setVisible(bShown);
}

QKeySequence CWindowRow::WindowKey(std::size_t nRow)
{
    return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + int(nRow)));
}

void CWindowRow::CreateWindowKeys()
{
    const auto addKey = [this](const QKeySequence& key, AuxId id, bool bToggle) {
        auto* pShortcut = new QShortcut(key, &m_owner);
        pShortcut->setContext(Qt::ApplicationShortcut);
        connect(pShortcut, &QShortcut::activated, this,
                [this, id, bToggle] { OnWindowKey(id, bToggle); });
    };
    for (std::size_t nRow = 0; nRow < ROW_BUTTONS.size(); ++nRow)
        addKey(WindowKey(nRow), ROW_BUTTONS[nRow].window, true);
    addKey(QKeySequence(HELP_KEY), AuxId::Help, false);
}

// A key shows the window with the keyboard in it, or hides it and gives the keyboard back to
// the console. F1 only shows.
void CWindowRow::OnWindowKey(AuxId id, bool bToggle)
{
    // The Ctrl of the key went down in the console, maybe, and comes up in another window.
    m_console.ReleaseCtrl();
    if (!IsShown(id) || !bToggle) {
        if (!IsShown(id))
            ToggleWindow(id);
        FocusWindow(id);
        return;
    }
    ToggleWindow(id);
    m_console.TakeFocus();
}

void CWindowRow::FocusWindow(AuxId id)
{
    CAuxWindow& window = AuxWindow(id);
    // Reached by a key, the window shows where its keyboard is, as after Tab.
    window.setAttribute(Qt::WA_KeyboardFocusChange);
    window.raise();
    window.activateWindow();
    QWidget* pControl = window.focusWidget();
    for (QWidget* p = window.nextInFocusChain(); pControl == nullptr && p != &window;
         p = p->nextInFocusChain()) {
        if (p->isVisibleTo(&window) && p->isEnabled() && (p->focusPolicy() & Qt::TabFocus))
            pControl = p;
    }
    (pControl != nullptr ? pControl : &window)->setFocus(Qt::ShortcutFocusReason);
}

void CWindowRow::ApplyLanguage()
{
    for (AuxId id : AUX_RELABEL_ORDER) {
        AuxWindow(id).ApplyLanguage();
        AuxWindow(id).update();
    }
}

void CWindowRow::SetSkin(const std::shared_ptr<const CSkinBitmaps>& pSkin, bool bAttach)
{
    for (AuxId id : AUX_SKIN_ORDER)
        AuxWindow(id).SetSkin(pSkin, bAttach);
}

void CWindowRow::SetOpacity(int nPercent)
{
    for (AuxId id : AUX_OPACITY_ORDER)
        AuxWindow(id).SetOpacity(nPercent);
}

void CWindowRow::SetEditColors(ColorRef crText, ColorRef crBack, bool bNight)
{
    m_pHugeNum->SetColors(crText, crBack);
    m_pVarList->SetColors(crText, crBack);
    if (bNight)
        m_pHugeNum->SetResultColors(NIGHT_CONSOLE_TEXT, NIGHT_CONSOLE_BACK);
}

void CWindowRow::DockKeyboard(int nCaption)
{
    const QRect frame = m_owner.frameGeometry();
    const Rect main = ToRect(frame);
    // The keyboard docks on the screen that holds most of the main window.
    const QScreen* pScreen = QGuiApplication::screenAt(frame.center());
    const QRect area = (pScreen != nullptr ? pScreen : m_owner.screen())->availableGeometry();
    const QRect row = m_keepClear();
    const std::optional<Point> at = KeyboardSnapPosition(main, ToRect(area), nCaption, ToRect(row));
    // Without a free side the keyboard stays where it is rather than cover the button row.
    if (at.has_value())
        m_pKeyboard->move(ToQPoint(*at));
    m_pKeyboard->resize(KEYBOARD_SNAP_WIDTH, KEYBOARD_SNAP_HEIGHT);
}

QList<QRect> CWindowRow::OtherWindows(AuxId id)
{
    QList<QRect> others;
    for (AuxId other : AUX_SKIN_ORDER) {
        const CAuxWindow& window = AuxWindow(other);
        // A window placed before keeps its place while hidden and comes back to it, and the
        // docked keyboard keeps its place beside the main window even before its first show.
        const bool bDocked = other == AuxId::Keyboard && m_host.Settings().m_bKeyboardSnap;
        if (other != id && (window.isVisible() || window.IsPlaced() || bDocked))
            others << window.frameGeometry();
    }
    return others;
}

void CWindowRow::DrawCurve(std::string_view strText, int nSlot, bool bShow)
{
    m_pGraph->PlotCurve(strText, nSlot, bShow);
    if (bShow) {
        // The graph appears beside the console without taking the keyboard from it.
        m_pGraph->setAttribute(Qt::WA_ShowWithoutActivating, true);
        m_pGraph->show();
        m_pGraph->setAttribute(Qt::WA_ShowWithoutActivating, false);
        m_bShown[Index(AuxId::Graph)] = true;
    }
    m_console.TakeFocus();
    m_pGraph->update();
}

void CWindowRow::ClearCurves() { m_pGraph->ClearCurves(); }
