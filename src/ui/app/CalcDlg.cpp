#include "ui/app/CalcDlg.h"

#include "core/app/KeyboardSnap.h"
#include "core/app/WindowPlacement.h"
#include "core/app/SettingsRecord.h"
#include "core/app/SettingsStore.h"
#include "core/base/Version.h"
#include "core/eval/CalcValue.h"
#include "core/skin/DesktopSkin.h"
#include "core/skin/Opacity.h"
#include "ui/base/Accessibility.h"
#include "ui/app/ConsoleKeeper.h"
#include "ui/app/DesktopColorScheme.h"
#include "ui/console/AssistSwitches.h"
#include "ui/console/NameCompleter.h"
#include "ui/frame/AuxWindow.h"
#include "ui/base/HoverButton.h"
#include "ui/base/Resources.h"
#include "ui/bignum/HugeNumDlg.h"
#include "ui/console/CalcEdit.h"
#include "ui/console/VirtualKey.h"
#include "ui/fonts/StandInFont.h"
#include "ui/graph/GraphDlg.h"
#include "ui/help/HelpDlg.h"
#include "ui/keyboard/KeyboardDlg.h"
#include "ui/settings/SettingDlg.h"
#include "ui/units/UnitConvDlg.h"
#include "ui/varlist/VarListDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

namespace
{
constexpr Text MAIN_TITLE{"Pelmorix V" PELMORIX_VERSION_TEXT,
                          "Pelmorix计算器 V" PELMORIX_VERSION_TEXT};

constexpr std::array<SpokenName, 2> NAMES{{
    {"console", {"Console", "控制台"}},
    {"logo", {"Pelmorix logo", "Pelmorix 标志"}},
}};
constexpr Text CONSOLE_HELP{
    "Type an expression and press Enter: the result is written on the "
    "next line. Ctrl+1 to Ctrl+7 open the windows of the button row.",
    "输入表达式后按回车，结果写在下一行。Ctrl+1 至 Ctrl+7 打开按钮行的窗口。"};
constexpr QKeyCombination HELP_KEY{Qt::Key_F1};

// Kept beside the settings record: the night skin's offer of a dark console was made.
constexpr const char* NIGHT_CONSOLE_ASKED = "NightConsoleAsked";
constexpr Text NIGHT_CONSOLE_QUESTION{
    "The night skin is on. Should the console also show light text on a dark background?",
    "已换成夜色界面。控制台是否也改为深色背景上的浅色文字？"};

// Offsets of the controls from the client area's edges.
constexpr int CONSOLE_LEFT = 8;
constexpr int CONSOLE_TOP = 8;
constexpr int CONSOLE_RIGHT_MARGIN = 17;
constexpr int CONSOLE_BOTTOM_MARGIN = 40;
constexpr int LOGO_LEFT = 9;
constexpr int LOGO_FROM_BOTTOM = 28;
constexpr int LOGO_WIDTH = 100;
constexpr int LOGO_HEIGHT = 25;
constexpr int BUTTON_FROM_BOTTOM = 27;
constexpr int BUTTON_WIDTH = 45;
constexpr int BUTTON_HEIGHT = 23;

// Room left around the button row when an auxiliary window opens next to it.
constexpr int BUTTON_ROW_CLEARANCE = 4;

constexpr int MAIN_FONT_POINTS = 9;
constexpr int CONSOLE_FONT_HEIGHT = 18;
constexpr int CONSOLE_FONT_WIDTH = 9;
constexpr int LONG_NUMBER_FONT_WIDTH = 7;

// Where the layout puts a row button in the client area client.
QRect ButtonPlace(const QRect& client, const RowButton& row)
{
    const QPoint at(client.width() - row.nFromRight, client.height() - BUTTON_FROM_BOTTOM);
    return {client.topLeft() + at, QSize(BUTTON_WIDTH, BUTTON_HEIGHT)};
}

// The button row in screen pixels, with some room around it, where the layout puts it: right
// even before the first show, when the buttons have not been laid out yet.
QRect ButtonRowOnScreen(const QWidget& dlg)
{
    QRect row;
    for (const RowButton& button : ROW_BUTTONS)
        row |= ButtonPlace(dlg.contentsRect(), button);
    row.translate(dlg.mapToGlobal(QPoint(0, 0)));
    return row.adjusted(-BUTTON_ROW_CLEARANCE, -BUTTON_ROW_CLEARANCE, BUTTON_ROW_CLEARANCE,
                        BUTTON_ROW_CLEARANCE);
}
} // namespace

CCalcDlg::CCalcDlg(CRandomGenerator& random, ISettingsStore& store, const QString& strDataFolder,
                   QWidget* pParent)
    : QWidget(pParent), m_random(random), m_store(store), m_skin(*this, this),
      m_pDesktopScheme(new CDesktopColorScheme(this))
{
    connect(m_pDesktopScheme, &CDesktopColorScheme::Changed, this, [this] {
        if (m_settings.m_nSkin == Skin::FollowDesktop)
            ApplySkin();
    });
    InitPelmorixResources();
    CreateControls();
    setWindowIcon(QIcon(QString::fromLatin1(res::ICON)));
    m_transparency.EnableLayered(this);
    m_transparency.SetOpacity(this, OPACITY_OPAQUE_PERCENT);
    SetStartValues();
    LoadSettings();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    m_cxScreen = screen.width();
    m_cyScreen = screen.height();
    CreateAuxWindows();
    CreateWindowKeys();
    m_pKeeper = new CConsoleKeeper(*m_pConsole, *m_pGraph, m_store, *this, strDataFolder, this);
    m_pKeeper->Restore();
    m_pAssist = new CAssistSwitches(*m_pConsole, m_store, *this, this);
    m_skin.SetWindowMenuItems(m_pAssist->MenuItems() + m_pKeeper->MenuItems(), [this] {
        m_pKeeper->UpdateMenuItems();
        m_pAssist->UpdateMenuItems();
    });
    SetFonts();
    PlaceAtStart();
    ApplyLanguage();
    ApplySkin();
}

CCalcDlg::~CCalcDlg()
{
    // The graph goes first; the other windows follow with this one.
    delete m_pGraph;
    m_pGraph = nullptr;
}

void CCalcDlg::CreateControls()
{
    m_pConsole = new CCalcEdit(*this, m_random, m_angle, this);
    m_pConsole->setObjectName(QStringLiteral("console"));
    // Opaque controls repaint alone; the window itself repaints only when its own area needs it.
    m_pConsole->setAutoFillBackground(true);
    m_pConsole->SetCurveHost(this);
    m_pConsole->installEventFilter(this);
    m_pLogo = new QLabel(this);
    m_pLogo->setObjectName(QStringLiteral("logo"));
    m_pLogo->setAutoFillBackground(true);
    m_pLogo->setPixmap(QPixmap(QString::fromLatin1(res::LOGO)));
    m_pLogo->installEventFilter(this);
    for (const RowButton& row : ROW_BUTTONS) {
        auto* pButton = new CHoverButton(this);
        pButton->setObjectName(QString::fromLatin1(row.caption.en));
        pButton->installEventFilter(this);
        connect(pButton, &QPushButton::clicked, this,
                [this, id = row.window] { ToggleWindow(id); });
        m_buttons[Index(row.window)] = pButton;
    }
    setMinimumSize(MIN_WIDTH, MIN_HEIGHT);
}

void CCalcDlg::CreateAuxWindows()
{
    m_pGraph = Adopt(AuxId::Graph, new CGraphDlg(*this, m_random, m_angle, this));
    connect(m_pGraph, &CGraphDlg::ConsoleFocusWanted, m_pConsole, &CCalcEdit::TakeFocus);
    // The graph reads values off its curves to the console's precision.
    m_pGraph->SetNumberFormat([this](double d) { return FormatGeneral(d, Precision()); });
    m_pKeyboard = Adopt(AuxId::Keyboard, new CKeyboardDlg(*m_pConsole, *this, this));
    m_pHelp = Adopt(AuxId::Help, new CHelpDlg(*this, this));
    m_pSetting = Adopt(AuxId::Settings, new CSettingDlg(*this, *this, this));
    m_pVarList = Adopt(AuxId::VariableList, new CVarListDlg(*m_pConsole, *this, m_settings.m_crText,
                                                            m_settings.m_crBack, this));
    m_pConsole->Eval().SetVariableListener(m_pVarList);
    m_pUnitConv = Adopt(AuxId::UnitConverter, new CUnitConvDlg(*this, this));
    m_pHugeNum = Adopt(AuxId::LongNumber, new CHugeNumDlg(*this, this));
}

template <class Window>
Window* CCalcDlg::Adopt(AuxId id, Window* pWindow)
{
    pWindow->hide();
    pWindow->SetKeepClear([this] { return ButtonRowOnScreen(*this); });
    pWindow->SetObstacles([this, id] { return OtherWindows(id); });
    connect(pWindow, &CAuxWindow::Hidden, this, [this, id, pWindow] {
        m_bShown[Index(id)] = false;
        // The keyboard goes back where it came from, not to whatever window is left.
        const QWidget* pActive = QApplication::activeWindow();
        if (pActive == nullptr || pActive == pWindow)
            m_pConsole->TakeFocus();
    });
    return pWindow;
}

CAuxWindow& CCalcDlg::AuxWindow(AuxId id)
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

void CCalcDlg::SetStartValues()
{
    m_settings.m_bOnTop = true;
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    m_settings.m_bKeyboardSnap = true;
}

void CCalcDlg::SetFonts()
{
    setFont(StandInPointFont(QStringLiteral("Arial"), MAIN_FONT_POINTS));
    m_fontConsole = MakeStandInFont(QStringLiteral("Arial"), CONSOLE_FONT_HEIGHT,
                                    CONSOLE_FONT_WIDTH, QFont::Thin);
    m_fontLongNumber = MakeStandInFont(QStringLiteral("Arial"), CONSOLE_FONT_HEIGHT,
                                       LONG_NUMBER_FONT_WIDTH, QFont::Thin);
    m_pConsole->setFont(m_fontConsole);
    m_pHugeNum->SetBoxFont(m_fontLongNumber);
    RedrawEditBoxes();
}

// Centred on the screen, and never beyond it: on a screen smaller than the minimum size (a
// small one, or a large scale) the window is only as large as the screen, so that its caption and
// caption buttons stay within reach.
void CCalcDlg::PlaceAtStart()
{
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    setMinimumSize(QSize(MIN_WIDTH, MIN_HEIGHT).boundedTo(work.size()));
    resize(QSize(START_WIDTH, START_HEIGHT).expandedTo(minimumSize()).boundedTo(work.size()));
    const QPoint centred = work.center() - rect().center();
    const Point at = KeepOnScreen(Rect::AtSize(centred.x(), centred.y(), width(), height()),
                                  Rect::AtSize(work.x(), work.y(), work.width(), work.height()));
    move(at.nX, at.nY);
}

void CCalcDlg::ApplyLanguage()
{
    const Language language = CurrentLanguage();
    for (const RowButton& row : ROW_BUTTONS)
        m_buttons[Index(row.window)]->setText(QString::fromUtf8(row.caption.In(language)));
    setWindowTitle(QString::fromUtf8(MAIN_TITLE.In(language)));
    m_qtTranslation.Apply(language);
    for (AuxId id : AUX_RELABEL_ORDER) {
        AuxWindow(id).ApplyLanguage();
        AuxWindow(id).update();
    }
    NameControls(*this, NAMES, language);
    m_pConsole->SetHelpDescription(QString::fromUtf8(CONSOLE_HELP.In(language)));
    LabelRowButtons();
}

// A row button is called what its window is called, and its tooltip names its key.
void CCalcDlg::LabelRowButtons()
{
    for (std::size_t nRow = 0; nRow < ROW_BUTTONS.size(); ++nRow) {
        const AuxId id = ROW_BUTTONS[nRow].window;
        const QString strName = SpokenCaption(AuxWindow(id).windowTitle());
        QString strKeys = WindowKey(nRow).toString(QKeySequence::NativeText);
        if (id == AuxId::Help)
            strKeys += QStringLiteral(", ") + QKeySequence(HELP_KEY).toString();
        m_buttons[Index(id)]->setAccessibleName(strName);
        m_buttons[Index(id)]->setToolTip(QStringLiteral("%1 (%2)").arg(strName, strKeys));
    }
}

QKeySequence CCalcDlg::WindowKey(std::size_t nRow)
{
    return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + int(nRow)));
}

void CCalcDlg::CreateWindowKeys()
{
    const auto addKey = [this](const QKeySequence& key, AuxId id, bool bToggle) {
        auto* pShortcut = new QShortcut(key, this);
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
void CCalcDlg::OnWindowKey(AuxId id, bool bToggle)
{
    // The Ctrl of the key went down in the console, maybe, and comes up in another window.
    m_pConsole->ReleaseCtrl();
    if (!IsShown(id) || !bToggle) {
        if (!IsShown(id))
            ToggleWindow(id);
        FocusWindow(id);
        return;
    }
    ToggleWindow(id);
    m_pConsole->TakeFocus();
}

void CCalcDlg::FocusWindow(AuxId id)
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

// The skin's bitmaps are loaded once and shared by every frame: this window's frame takes them
// first, each auxiliary window's next, attaching only the first time, and this window's frame
// attaches last.
void CCalcDlg::ApplySkin()
{
    if (m_settings.m_nSkin == Skin::FollowDesktop)
        m_pDesktopScheme->Follow();
    m_shownSkin = FrameSkinFor(m_settings.m_nSkin, m_pDesktopScheme->Value());
    const std::shared_ptr<const CSkinBitmaps> pSkin = CSkinBitmaps::Load(m_shownSkin);
    DressWindow(*this, pSkin.get());
    m_skin.SetSkin(pSkin);
    for (AuxId id : AUX_SKIN_ORDER)
        AuxWindow(id).SetSkin(pSkin, m_bSkinFirst);
    if (m_bSkinFirst) {
        m_skin.Attach(this, FrameStyle{true, true, true});
        m_bSkinFirst = false;
    }
    m_skin.RecalcFrame();
    RedrawEditBoxes();
}

void CCalcDlg::ApplyOpacity()
{
    const int nPercent = m_settings.m_nOpacity;
    m_transparency.SetOpacity(this, nPercent);
    for (AuxId id : AUX_OPACITY_ORDER)
        AuxWindow(id).SetOpacity(nPercent);
}

void CCalcDlg::ApplyOnTop()
{
    // Changing the widget's flags would hide it and make its native window anew. The window
    // system is told directly instead, so the window keeps its place, size, visibility and focus.
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, m_settings.m_bOnTop);
    overrideWindowFlags(flags);
    // Without a window manager the hint has no effect, and the window stays where it is stacked.
    if (QWindow* pWindow = windowHandle())
        pWindow->setFlags(flags);
}

void CCalcDlg::SnapKeyboard()
{
    if (m_pKeyboard == nullptr)
        return; // a geometry change while the windows are still being made
    const QRect frame = frameGeometry();
    const Rect main{frame.x(), frame.y(), frame.x() + frame.width(), frame.y() + frame.height()};
    // The keyboard docks on the screen that holds most of this window.
    const QScreen* pScreen = QGuiApplication::screenAt(frame.center());
    const QRect area = (pScreen != nullptr ? pScreen : screen())->availableGeometry();
    const QRect row = ButtonRowOnScreen(*this);
    const std::optional<Point> at = KeyboardSnapPosition(
        main, Rect::AtSize(area.x(), area.y(), area.width(), area.height()),
        m_skin.Metrics().nCaption, Rect::AtSize(row.x(), row.y(), row.width(), row.height()));
    // Without a free side the keyboard stays where it is rather than cover the button row.
    if (at.has_value())
        m_pKeyboard->move(at->nX, at->nY);
    m_pKeyboard->resize(KEYBOARD_SNAP_WIDTH, KEYBOARD_SNAP_HEIGHT);
}

QList<QRect> CCalcDlg::OtherWindows(AuxId id)
{
    QList<QRect> others;
    for (AuxId other : AUX_SKIN_ORDER) {
        const CAuxWindow& window = AuxWindow(other);
        // A window placed before keeps its place while hidden and comes back to it, and the
        // docked keyboard keeps its place beside this window even before its first show.
        const bool bDocked = other == AuxId::Keyboard && m_settings.m_bKeyboardSnap;
        if (other != id && (window.isVisible() || window.IsPlaced() || bDocked))
            others << window.frameGeometry();
    }
    return others;
}

void CCalcDlg::RedrawEditBoxes()
{
    m_pConsole->SetColors(m_settings.m_crText, m_settings.m_crBack);
    if (m_pHugeNum != nullptr)
        m_pHugeNum->SetColors(m_settings.m_crText, m_settings.m_crBack);
    if (m_pVarList != nullptr)
        m_pVarList->SetColors(m_settings.m_crText, m_settings.m_crBack);
    if (m_pHugeNum != nullptr && m_skin.IsDark())
        m_pHugeNum->SetResultColors(NIGHT_CONSOLE_TEXT, NIGHT_CONSOLE_BACK);
}

void CCalcDlg::ShowAndActivate()
{
    showNormal();
    raise();
    activateWindow();
}

// An error of the plot leaves at once, for the console to write; the window is then not shown.
void CCalcDlg::DrawCurve(std::string_view strText, int nSlot, bool bShow)
{
    m_pGraph->PlotCurve(strText, nSlot, bShow);
    if (bShow) {
        // The graph appears beside the console without taking the keyboard from it.
        m_pGraph->setAttribute(Qt::WA_ShowWithoutActivating, true);
        m_pGraph->show();
        m_pGraph->setAttribute(Qt::WA_ShowWithoutActivating, false);
        m_bShown[Index(AuxId::Graph)] = true;
    }
    m_pConsole->TakeFocus();
    m_pGraph->update();
}

void CCalcDlg::ClearCurves() { m_pGraph->ClearCurves(); }

Radix CCalcDlg::OutputRadix() const { return m_pConsole->OutputRadix(); }

int CCalcDlg::Precision() const { return m_pConsole->Eval().m_nPrecision; }

void CCalcDlg::SetAngleUnit(bool bDegrees)
{
    m_angle.m_bDegrees = bDegrees;
    m_pConsole->DispatchLine(false);
}

void CCalcDlg::SetRadix(Radix radix)
{
    m_pConsole->SetRadix(radix);
    m_pConsole->DispatchLine(false);
}

void CCalcDlg::SetPrecision(int nDigits) { m_pConsole->Eval().m_nPrecision = nDigits; }

void CCalcDlg::SetLanguage(Language language)
{
    m_settings.m_nLanguage = language;
    ApplyLanguage();
}

void CCalcDlg::ChooseLanguage(Language language)
{
    SetLanguage(language);
    SaveSettings();
}

void CCalcDlg::SetSkin(Skin skin)
{
    m_settings.m_nSkin = skin;
    ApplySkin();
    if (skin == Skin::Night)
        OfferNightConsole();
}

// The console keeps the user's colours; the night skin offers a dark pair once, and only a yes
// changes them. The question does not wait: the windows stay usable while it is open.
void CCalcDlg::OfferNightConsole()
{
    if (m_store.Read(NIGHT_CONSOLE_ASKED).has_value())
        return;
    m_store.Write(NIGHT_CONSOLE_ASKED, "1");
    auto* pBox = new QMessageBox(QMessageBox::Question, windowTitle(),
                                 QString::fromUtf8(NIGHT_CONSOLE_QUESTION.In(CurrentLanguage())),
                                 QMessageBox::Yes | QMessageBox::No, this);
    pBox->setObjectName(QStringLiteral("nightConsoleQuestion"));
    pBox->setAttribute(Qt::WA_DeleteOnClose);
    pBox->setDefaultButton(QMessageBox::No);
    connect(pBox, &QMessageBox::finished, this, [this](int nResult) {
        if (nResult != QMessageBox::Yes)
            return;
        m_settings.m_crText = NIGHT_CONSOLE_TEXT;
        m_settings.m_crBack = NIGHT_CONSOLE_BACK;
        RedrawEditBoxes();
        m_pSetting->ShowColors();
    });
    pBox->open();
}

void CCalcDlg::SetOnTop(bool bOnTop)
{
    m_settings.m_bOnTop = bOnTop;
    ApplyOnTop();
}

void CCalcDlg::SetKeyboardSnap(bool bSnap)
{
    m_settings.m_bKeyboardSnap = bSnap;
    SnapKeyboard();
}

void CCalcDlg::SetOpacity(int nPercent)
{
    m_settings.m_nOpacity = nPercent;
    ApplyOpacity();
}

void CCalcDlg::SetTextColor(ColorRef cr)
{
    m_settings.m_crText = cr;
    RedrawEditBoxes();
}

void CCalcDlg::SetBackColor(ColorRef cr)
{
    m_settings.m_crBack = cr;
    RedrawEditBoxes();
}

void CCalcDlg::ToggleWindow(AuxId id)
{
    bool& bShown = m_bShown[Index(id)];
    bShown = !bShown;
    AuxWindow(id).setVisible(bShown);
}

void CCalcDlg::LoadSettings() { ::LoadSettings(m_settings, m_store); }

void CCalcDlg::SaveSettings() { ::SaveSettings(m_settings, m_store); }

void CCalcDlg::LayoutControls()
{
    const QRect client = contentsRect();
    const int cx = client.width();
    const int cy = client.height();
    const QPoint origin = client.topLeft();
    m_pConsole->setGeometry(QRect(origin + QPoint(CONSOLE_LEFT, CONSOLE_TOP),
                                  QSize(cx - CONSOLE_RIGHT_MARGIN, cy - CONSOLE_BOTTOM_MARGIN)));
    m_pLogo->setGeometry(
        QRect(origin + QPoint(LOGO_LEFT, cy - LOGO_FROM_BOTTOM), QSize(LOGO_WIDTH, LOGO_HEIGHT)));
    for (const RowButton& row : ROW_BUTTONS)
        m_buttons[Index(row.window)]->setGeometry(ButtonPlace(client, row));
    update();
}

bool CCalcDlg::PreTranslateKey(const QKeyEvent& event)
{
    // Escape never reaches the console; it closes the console's list of names when that is open.
    if (event.key() == Qt::Key_Escape) {
        m_pConsole->Completer().Close();
        return true;
    }
    if (IsKeypadDecimal(event)) {
        m_pConsole->ReplaceSelection(".");
        return true;
    }
    return false;
}

bool CCalcDlg::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::KeyPress && PreTranslateKey(*static_cast<QKeyEvent*>(pEvent)))
        return true;
    if (pEvent->type() == QEvent::FocusIn && pWatched != m_pConsole) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(pEvent)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            m_pKeyFocus = static_cast<QWidget*>(pWatched);
        else if (reason != Qt::ActiveWindowFocusReason)
            m_pKeyFocus = nullptr;
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

void CCalcDlg::paintEvent(QPaintEvent* pEvent)
{
    QWidget::paintEvent(pEvent);
    // Not while a mouse button is held: a button that loses the focus between press and
    // release loses its click. Not from a button that Tab took the keyboard to.
    const bool bKeyFocus = m_pKeyFocus != nullptr && m_pKeyFocus->hasFocus();
    if (!m_pConsole->hasFocus() && !bKeyFocus && QGuiApplication::mouseButtons() == Qt::NoButton)
        m_pConsole->setFocus();
}

void CCalcDlg::resizeEvent(QResizeEvent* pEvent)
{
    QWidget::resizeEvent(pEvent);
    // Without a window manager, or through a frameless window's own sizing, the window system
    // may make the window smaller than its minimum; it grows back at once.
    const QSize held = size().expandedTo(minimumSize());
    if (held != size()) {
        resize(held);
        return;
    }
    LayoutControls();
    if (m_settings.m_bKeyboardSnap)
        SnapKeyboard();
}

void CCalcDlg::moveEvent(QMoveEvent* pEvent)
{
    QWidget::moveEvent(pEvent);
    if (m_settings.m_bKeyboardSnap)
        SnapKeyboard();
}

void CCalcDlg::closeEvent(QCloseEvent* pEvent)
{
    SaveSettings();
    m_pKeeper->SaveNow();
    pEvent->accept();
}

void CCalcDlg::mousePressEvent(QMouseEvent* pEvent)
{
    // A press on the background (or the logo) drags the window.
    if (pEvent->button() == Qt::LeftButton)
        m_skin.DragWindow(*this, *pEvent);
    QWidget::mousePressEvent(pEvent);
}
