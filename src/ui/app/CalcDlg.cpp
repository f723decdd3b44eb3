#include "ui/app/CalcDlg.h"

#include "core/app/WindowPlacement.h"
#include "core/app/SettingsStore.h"
#include "core/base/Version.h"
#include "core/skin/DesktopSkin.h"
#include "core/skin/Opacity.h"
#include "ui/base/Accessibility.h"
#include "ui/app/ConsoleKeeper.h"
#include "ui/app/DesktopColorScheme.h"
#include "ui/console/AssistSwitches.h"
#include "ui/console/NameCompleter.h"
#include "ui/base/ClientScroller.h"
#include "ui/frame/AuxWindow.h"
#include "ui/base/HoverButton.h"
#include "ui/base/QtGeometry.h"
#include "ui/base/QtText.h"
#include "ui/base/Resources.h"
#include "ui/bignum/HugeNumDlg.h"
#include "ui/console/CalcEdit.h"
#include "ui/console/VirtualKey.h"
#include "ui/fonts/StandInFont.h"
#include "ui/settings/SettingDlg.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
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

// The button row in screen pixels, with some room around it, where the layout puts it in the
// area of the controls' parent: right even before the first show, when the buttons have not been
// laid out yet.
QRect ButtonRowOnScreen(const QWidget& parent, const QRect& area)
{
    QRect row;
    for (const RowButton& button : ROW_BUTTONS)
        row |= ButtonPlace(area, button);
    row.translate(parent.mapToGlobal(QPoint(0, 0)));
    return row.adjusted(-BUTTON_ROW_CLEARANCE, -BUTTON_ROW_CLEARANCE, BUTTON_ROW_CLEARANCE,
                        BUTTON_ROW_CLEARANCE);
}
} // namespace

CCalcDlg::CCalcDlg(CRandomGenerator& random, ISettingsStore& store, const QString& strDataFolder,
                   QWidget* pParent)
    : QWidget(pParent), m_random(random), m_store(store), m_host(store), m_skin(m_host, this),
      m_pDesktopScheme(new CDesktopColorScheme(this))
{
    connect(m_pDesktopScheme, &CDesktopColorScheme::Changed, this, [this] {
        if (m_host.Settings().m_nSkin == Skin::FollowDesktop)
            ApplySkin();
    });
    InitPelmorixResources();
    CreateControls();
    setWindowIcon(QIcon(QString::fromLatin1(res::ICON)));
    m_transparency.EnableLayered(this);
    m_transparency.SetOpacity(this, OPACITY_OPAQUE_PERCENT);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    m_host.SetConsole(*m_pConsole);
    m_pRow = std::make_unique<CWindowRow>(*this, *m_pConsole, m_host, m_random, [this] {
        return ButtonRowOnScreen(ControlsParent(), ControlsArea());
    });
    m_pConsole->SetCurveHost(m_pRow.get());
    FollowSettings();
    m_pKeeper =
        new CConsoleKeeper(*m_pConsole, m_pRow->Graph(), m_store, m_host, strDataFolder, this);
    m_pKeeper->Restore();
    m_pAssist = new CAssistSwitches(*m_pConsole, m_store, m_host, this);
    m_skin.SetWindowMenuItems(m_pAssist->MenuItems() + m_pKeeper->MenuItems(), [this] {
        m_pKeeper->UpdateMenuItems();
        m_pAssist->UpdateMenuItems();
    });
    SetFonts();
    PlaceAtStart();
    ApplyLanguage();
    ApplySkin();
}

CCalcDlg::~CCalcDlg() = default;

void CCalcDlg::CreateControls()
{
    m_pConsole = new CCalcEdit(m_host, m_random, m_host.Angle(), this);
    m_pConsole->setObjectName(QStringLiteral("console"));
    // Opaque controls repaint alone; the window itself repaints only when its own area needs it.
    m_pConsole->setAutoFillBackground(true);
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
                [this, id = row.window] { m_pRow->ToggleWindow(id); });
        m_buttons[Index(row.window)] = pButton;
    }
    setMinimumSize(MIN_WIDTH, MIN_HEIGHT);
}

// Each choice of the settings window is applied to the windows it concerns.
void CCalcDlg::FollowSettings()
{
    connect(&m_host, &CCalcSettingsHost::LanguageChanged, this, &CCalcDlg::ApplyLanguage);
    connect(&m_host, &CCalcSettingsHost::SkinChanged, this, [this] {
        ApplySkin();
        if (m_host.Settings().m_nSkin == Skin::Night)
            OfferNightConsole();
    });
    connect(&m_host, &CCalcSettingsHost::OnTopChanged, this, &CCalcDlg::ApplyOnTop);
    connect(&m_host, &CCalcSettingsHost::KeyboardSnapChanged, this, &CCalcDlg::SnapKeyboard);
    connect(&m_host, &CCalcSettingsHost::OpacityChanged, this, &CCalcDlg::ApplyOpacity);
    connect(&m_host, &CCalcSettingsHost::ColorsChanged, this, &CCalcDlg::RedrawEditBoxes);
}

void CCalcDlg::SetFonts()
{
    setFont(StandInPointFont(QStringLiteral("Arial"), MAIN_FONT_POINTS));
    m_pConsole->setFont(MakeStandInFont(QStringLiteral("Arial"), CONSOLE_FONT_HEIGHT,
                                        CONSOLE_FONT_WIDTH, QFont::Thin));
    m_fontLongNumber = MakeStandInFont(QStringLiteral("Arial"), CONSOLE_FONT_HEIGHT,
                                       LONG_NUMBER_FONT_WIDTH, QFont::Thin);
    m_pRow->HugeNum().SetBoxFont(m_fontLongNumber);
    RedrawEditBoxes();
}

// Centred on the screen, and never beyond it: on a screen smaller than the minimum size (a
// small one, or a large scale) the window is only as large as the screen, so that its caption and
// caption buttons stay within reach, and its controls scroll inside the frame.
void CCalcDlg::PlaceAtStart()
{
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize minimum(MIN_WIDTH, MIN_HEIGHT);
    if (minimum.boundedTo(work.size()) != minimum) {
        m_pScroller = new CClientScroller(*this);
        m_pScroller->setWidgetResizable(true);
        m_pScroller->Controls().installEventFilter(this);
    }
    setMinimumSize(minimum.boundedTo(work.size()));
    resize(QSize(START_WIDTH, START_HEIGHT).expandedTo(minimumSize()).boundedTo(work.size()));
    const QPoint centred = work.center() - rect().center();
    move(ToQPoint(KeepOnScreen(ToRect(QRect(centred, size())), ToRect(work))));
}

void CCalcDlg::ApplyLanguage()
{
    const Language language = m_host.CurrentLanguage();
    for (const RowButton& row : ROW_BUTTONS)
        m_buttons[Index(row.window)]->setText(QtText(row.caption, language));
    setWindowTitle(QtText(MAIN_TITLE, language));
    m_qtTranslation.Apply(language);
    m_pRow->ApplyLanguage();
    NameControls(*this, NAMES, language);
    m_pConsole->SetHelpDescription(QtText(CONSOLE_HELP, language));
    LabelRowButtons();
}

// A row button is called what its window is called, and its tooltip names its key.
void CCalcDlg::LabelRowButtons()
{
    for (std::size_t nRow = 0; nRow < ROW_BUTTONS.size(); ++nRow) {
        const AuxId id = ROW_BUTTONS[nRow].window;
        const QString strName = SpokenCaption(m_pRow->AuxWindow(id).windowTitle());
        QString strKeys = CWindowRow::WindowKey(nRow).toString(QKeySequence::NativeText);
        if (id == AuxId::Help)
            strKeys += QStringLiteral(", ") + QKeySequence(CWindowRow::HELP_KEY).toString();
        m_buttons[Index(id)]->setAccessibleName(strName);
        m_buttons[Index(id)]->setToolTip(QStringLiteral("%1 (%2)").arg(strName, strKeys));
    }
}

// The skin's bitmaps are loaded once and shared by every frame: this window's frame takes them
// first, each auxiliary window's next, attaching only the first time, and this window's frame
// attaches last.
void CCalcDlg::ApplySkin()
{
    const Skin chosen = m_host.Settings().m_nSkin;
    if (chosen == Skin::FollowDesktop)
        m_pDesktopScheme->Follow();
    const std::shared_ptr<const CSkinBitmaps> pSkin =
        CSkinBitmaps::Load(FrameSkinFor(chosen, m_pDesktopScheme->Value()));
    DressWindow(*this, pSkin.get());
    m_skin.SetSkin(pSkin);
    m_pRow->SetSkin(pSkin, m_bSkinFirst);
    if (m_bSkinFirst) {
        m_skin.Attach(this, FrameStyle{true, true, true});
        m_bSkinFirst = false;
    }
    m_skin.RecalcFrame();
    RedrawEditBoxes();
}

void CCalcDlg::ApplyOpacity()
{
    const int nPercent = m_host.Settings().m_nOpacity;
    m_transparency.SetOpacity(this, nPercent);
    m_pRow->SetOpacity(nPercent);
}

void CCalcDlg::ApplyOnTop()
{
    // Changing the widget's flags would hide it and make its native window anew. The window
    // system is told directly instead, so the window keeps its place, size, visibility and focus.
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, m_host.Settings().m_bOnTop);
    overrideWindowFlags(flags);
    // Without a window manager the hint has no effect, and the window stays where it is stacked.
    if (QWindow* pWindow = windowHandle())
        pWindow->setFlags(flags);
}

void CCalcDlg::SnapKeyboard()
{
    if (m_pRow != nullptr) // not on a geometry change while the windows are still being made
        m_pRow->DockKeyboard(m_skin.Metrics().nCaption);
}

void CCalcDlg::RedrawEditBoxes()
{
    const CalcSettings& settings = m_host.Settings();
    m_pConsole->SetColors(settings.m_crText, settings.m_crBack);
    if (m_pRow != nullptr)
        m_pRow->SetEditColors(settings.m_crText, settings.m_crBack, m_skin.IsDark());
}

void CCalcDlg::ShowAndActivate()
{
    showNormal();
    raise();
    activateWindow();
}

// The console keeps the user's colours; the night skin offers a dark pair once, and only a yes
// changes them. The question does not wait: the windows stay usable while it is open.
void CCalcDlg::OfferNightConsole()
{
    if (m_store.Read(NIGHT_CONSOLE_ASKED).has_value())
        return;
    m_store.Write(NIGHT_CONSOLE_ASKED, "1");
    auto* pBox = new QMessageBox(QMessageBox::Question, windowTitle(),
                                 QtText(NIGHT_CONSOLE_QUESTION, m_host.CurrentLanguage()),
                                 QMessageBox::Yes | QMessageBox::No, this);
    pBox->setObjectName(QStringLiteral("nightConsoleQuestion"));
    pBox->setAttribute(Qt::WA_DeleteOnClose);
    pBox->setDefaultButton(QMessageBox::No);
    connect(pBox, &QMessageBox::finished, this, [this](int nResult) {
        if (nResult != QMessageBox::Yes)
            return;
        m_host.Settings().m_crText = NIGHT_CONSOLE_TEXT;
        m_host.Settings().m_crBack = NIGHT_CONSOLE_BACK;
        RedrawEditBoxes();
        m_pRow->Setting().ShowColors();
    });
    pBox->open();
}

QWidget& CCalcDlg::ControlsParent()
{
    return m_pScroller != nullptr ? m_pScroller->Controls() : *this;
}

QRect CCalcDlg::ControlsArea()
{
    return m_pScroller != nullptr ? m_pScroller->Controls().rect() : contentsRect();
}

void CCalcDlg::LayoutControls()
{
    // Scrolled, the controls have the room the minimum size gives them, or more.
    if (m_pScroller != nullptr)
        m_pScroller->Controls().setMinimumSize(
            QSize(MIN_WIDTH, MIN_HEIGHT).shrunkBy(contentsMargins()));
    const QRect client = ControlsArea();
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
    if (pEvent->type() == QEvent::Resize && m_pScroller != nullptr &&
        pWatched == &m_pScroller->Controls())
        LayoutControls();
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
    if (m_host.Settings().m_bKeyboardSnap)
        SnapKeyboard();
}

void CCalcDlg::moveEvent(QMoveEvent* pEvent)
{
    QWidget::moveEvent(pEvent);
    if (m_host.Settings().m_bKeyboardSnap)
        SnapKeyboard();
}

void CCalcDlg::closeEvent(QCloseEvent* pEvent)
{
    m_host.SaveSettings();
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
