#include "ui/settings/SettingDlg.h"

#include "core/console/LineDispatcher.h"
#include "core/skin/SkinTable.h"
#include "ui/base/Accessibility.h"
#include "ui/base/ControlTable.h"
#include "ui/base/QtText.h"
#include "ui/fonts/StandInFont.h"
#include "ui/settings/ColorSwatch.h"
#include "ui/settings/SettingsHost.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProxyStyle>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <array>
#include <vector>

namespace
{
// The window's title, first place and size (see AuxWindowLook).
constexpr AuxWindowLook LOOK{{"Setting", "设置"}, 500, 500, 350, 276, false};

constexpr int FONT_POINTS = 10;
constexpr int OPACITY_MAX = 100;
constexpr DialogRect OPACITY_GROUP_RECT{122, 29, 44, 84};
constexpr DialogRect OPACITY_RECT{130, 36, 18, 73};
constexpr int PRECISION_MIN = 8;
constexpr int PRECISION_MAX = 16;

// The language list: each entry with the language it stands for, in list order.
struct LanguageEntry
{
    Language language;
    const char* pszName;
};
constexpr std::array<LanguageEntry, 2> LANGUAGE_ENTRIES{
    {{Language::Chinese, "简体中文"}, {Language::English, "English"}}};

// The controls in creation order, which is also the focus order and puts each group box beneath
// the controls it frames.
constexpr std::array<ControlSpec, 23> CONTROLS{{
    {"precisionLabel", ControlKind::Label, {7, 11, 16, 8}, {"Prec", "位数"}},
    {"precision", ControlKind::List, {26, 9, 20, 115}, NO_CAPTION},
    {"languageLabel", ControlKind::Label, {50, 11, 16, 8}, {"Lang", "语言"}},
    {"language", ControlKind::List, {69, 9, 44, 38}, NO_CAPTION},
    {"skinLabel", ControlKind::CentredLabel, {116, 11, 16, 8}, {"UI", "界面"}},
    {"skin", ControlKind::List, {134, 9, 32, 38}, NO_CAPTION},
    {"angleGroup", ControlKind::Group, {7, 29, 37, 55}, {"Angle", "角 度"}},
    {"deg", ControlKind::Radio, {11, 43, 29, 10}, {"Deg", "公制"}},
    {"rad", ControlKind::Radio, {11, 64, 29, 10}, {"Rad", "弧度"}},
    {"radixGroup", ControlKind::Group, {58, 29, 51, 55}, {"Radix", "进 制"}},
    {"dec", ControlKind::Radio, {60, 41, 41, 10}, {"Dec", "十 进 制"}},
    {"hex", ControlKind::Radio, {60, 56, 41, 10}, {"Hex", "十六进制"}},
    {"bin", ControlKind::Radio, {60, 71, 41, 10}, {"Bin", "二 进 制"}},
    {"opacityGroup", ControlKind::Group, OPACITY_GROUP_RECT, {"Transp.", "透明度"}},
    {"opacity", ControlKind::Slider, OPACITY_RECT, NO_CAPTION},
    {"opacityTop", ControlKind::Label, {149, 39, 14, 9}, {"100", "100"}},
    {"opacityBottom", ControlKind::CentredLabel, {148, 97, 15, 9}, {"0", "0"}},
    {"onTop", ControlKind::Check, {8, 91, 64, 10}, {"Always On Top", "总在最上面"}},
    {"keyboardSnap", ControlKind::Check, {8, 104, 64, 10}, {"Keyboard Snap", "键盘附着主窗口"}},
    {"textColorLabel", ControlKind::Label, {8, 121, 40, 10}, {"ForegColor", "文字颜色"}},
    {"textColor", ControlKind::Other, {52, 118, 30, 15}, NO_CAPTION},
    {"backColorLabel", ControlKind::Label, {91, 121, 40, 10}, {"BackgColor", "背景颜色"}},
    {"backColor", ControlKind::Other, {136, 118, 30, 15}, NO_CAPTION},
}};

// What a screen reader calls the controls whose captions are short or missing.
constexpr std::array<SpokenName, 6> NAMES{{
    {"precision", {"Precision", "精度"}},
    {"language", {"Language", "语言"}},
    {"skin", {"Skin", "界面"}},
    {"opacity", {"Opacity", "不透明度"}},
    {"textColor", {"Text colour", "文字颜色"}},
    {"backColor", {"Background colour", "背景颜色"}},
}};

// The lists are narrow ("12" in 20 units with its arrow): a narrower arrow button leaves the
// entry room to show whole.
class CNarrowArrowStyle : public QProxyStyle
{
public:
    static constexpr int ARROW_WIDTH = 14;
    static constexpr int FRAME_WIDTH = 2;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* pOption,
                         SubControl subControl, const QWidget* pWidget) const override
    {
        if (control != CC_ComboBox ||
            (subControl != SC_ComboBoxArrow && subControl != SC_ComboBoxEditField))
            return QProxyStyle::subControlRect(control, pOption, subControl, pWidget);
        const QRect all = pOption->rect;
        QRect rect =
            subControl == SC_ComboBoxArrow
                ? QRect(all.right() - ARROW_WIDTH + 1, all.top(), ARROW_WIDTH, all.height())
                : QRect(all.left() + FRAME_WIDTH, all.top() + FRAME_WIDTH,
                        all.width() - ARROW_WIDTH - 2 * FRAME_WIDTH,
                        all.height() - 2 * FRAME_WIDTH);
        return visualRect(pOption->direction, all, rect);
    }
};

// The list index of the entry whose field holds value; -1 (no entry selected) for none.
template <class Entries, class Field, class Value>
int EntryIndex(const Entries& entries, Field field, Value value)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].*field == value)
            return int(i);
    return -1;
}

// A control's template place may start above the line its group box draws under the title
// (the title's height depends on the face of the language); it then starts just inside the
// frame instead, keeping its bottom. The frame may have moved both from their template places.
void KeepInsideGroupFrame(QWidget* pControl, const DialogRect& rect, const QGroupBox* pGroup,
                          const DialogRect& groupRect)
{
    const QRect place =
        rect.Pixels().translated(pGroup->geometry().topLeft() - groupRect.Pixels().topLeft());
    const int nFrameTop = pGroup->geometry().top() + pGroup->contentsRect().top();
    pControl->setGeometry(place.adjusted(0, std::max(0, nFrameTop - place.top()), 0, 0));
}

std::optional<ColorRef> ChooseSystemColor(QWidget* pParent)
{
    // The chooser starts at black, not at the colour in use.
    const QColor color = QColorDialog::getColor(Qt::black, pParent);
    if (!color.isValid())
        return std::nullopt;
    return MakeRgb(color.red(), color.green(), color.blue());
}
} // namespace

CSettingDlg::CSettingDlg(ISettingsHost& host, const ILanguageSource& language, QWidget* pOwner)
    : CAuxWindow(LOOK, language, pOwner), m_host(host), m_chooseColor(ChooseSystemColor)
{
    setFont(CourierFont(FONT_POINTS));
    CreateControls();
    ShowStartStates();
    ConnectControls();
    ApplyLanguage();
}

void CSettingDlg::CreateControls()
{
    MakeControls(*this, CONTROLS, CurrentLanguage(),
                 [](const ControlSpec&, QWidget* pParent) { return new CColorSwatch(pParent); });
    m_pPrecision = ControlNamed<QComboBox>(*this, "precision");
    m_pLanguage = ControlNamed<QComboBox>(*this, "language");
    m_pSkin = ControlNamed<QComboBox>(*this, "skin");
    m_pOpacity = ControlNamed<QSlider>(*this, "opacity");
    m_pTextColor = ControlNamed<CColorSwatch>(*this, "textColor");
    m_pBackColor = ControlNamed<CColorSwatch>(*this, "backColor");
    for (QComboBox* pList : {m_pPrecision, m_pLanguage, m_pSkin}) {
        auto* pStyle = new CNarrowArrowStyle;
        pStyle->setParent(pList);
        pList->setStyle(pStyle);
    }

    for (int nDigits = PRECISION_MIN; nDigits <= PRECISION_MAX; ++nDigits)
        m_pPrecision->addItem(QString::number(nDigits));
    for (const LanguageEntry& entry : LANGUAGE_ENTRIES)
        m_pLanguage->addItem(QString::fromUtf8(entry.pszName));
    // 0 at the top, 100 at the bottom; the arrow keys move the thumb the way they point.
    m_pOpacity->setRange(0, OPACITY_MAX);
    m_pOpacity->setInvertedAppearance(true);
    m_pOpacity->setInvertedControls(true);

    // Each pair of radio groups is exclusive only within itself.
    for (const auto& names :
         {std::vector<const char*>{"deg", "rad"}, std::vector<const char*>{"dec", "hex", "bin"}}) {
        auto* pGroup = new QButtonGroup(this);
        for (const char* pszName : names)
            pGroup->addButton(ControlNamed<QRadioButton>(*this, pszName));
    }
}

void CSettingDlg::ShowStartStates()
{
    const CalcSettings& settings = m_host.Settings();
    ControlNamed<QRadioButton>(*this, m_host.IsDegrees() ? "deg" : "rad")->setChecked(true);
    const Radix radix = m_host.OutputRadix();
    const char* pszRadix = radix == Radix::Hexadecimal ? "hex"
                           : radix == Radix::Binary    ? "bin"
                                                       : "dec";
    ControlNamed<QRadioButton>(*this, pszRadix)->setChecked(true);
    ControlNamed<QCheckBox>(*this, "onTop")->setChecked(settings.m_bOnTop);
    ControlNamed<QCheckBox>(*this, "keyboardSnap")->setChecked(settings.m_bKeyboardSnap);
    // The entry in force, so the list never shows a precision the console does not use.
    m_pPrecision->setCurrentIndex(m_pPrecision->findText(QString::number(m_host.Precision())));
    m_pOpacity->setValue(settings.m_nOpacity);
    ShowColors();
}

void CSettingDlg::ShowColors()
{
    m_pTextColor->SetColor(m_host.Settings().m_crText);
    m_pBackColor->SetColor(m_host.Settings().m_crBack);
}

void CSettingDlg::ConnectControls()
{
    const auto onClick = [this](const char* pszName, auto handler) {
        connect(ControlNamed<QAbstractButton>(*this, pszName), &QAbstractButton::clicked, this,
                handler);
    };
    onClick("deg", [this] { OnAngle(true); });
    onClick("rad", [this] { OnAngle(false); });
    onClick("dec", [this] { OnRadix(Radix::Decimal); });
    onClick("hex", [this] { OnRadix(Radix::Hexadecimal); });
    onClick("bin", [this] { OnRadix(Radix::Binary); });
    onClick("onTop", [this] { OnOnTop(); });
    onClick("keyboardSnap", [this] { OnKeyboardSnap(); });
    onClick("textColor", [this] { OnColor(m_pTextColor, &ISettingsHost::SetTextColor); });
    onClick("backColor", [this] { OnColor(m_pBackColor, &ISettingsHost::SetBackColor); });
    // Only the user's choices: refilling a list in another language changes no setting.
    connect(m_pPrecision, &QComboBox::activated, this, &CSettingDlg::OnPrecision);
    connect(m_pLanguage, &QComboBox::activated, this, &CSettingDlg::OnLanguage);
    connect(m_pSkin, &QComboBox::activated, this, &CSettingDlg::OnSkin);
    connect(m_pOpacity, &QSlider::valueChanged, this, &CSettingDlg::OnOpacity);
    connect(m_pOpacity, &QSlider::sliderReleased, this, &CSettingDlg::OnOpacity);
}

void CSettingDlg::ApplyLanguage()
{
    CAuxWindow::ApplyLanguage();
    const Language language = CurrentLanguage();
    Relabel(*this, CONTROLS, language);
    NameControls(*this, NAMES, language);
    const QSignalBlocker blockSkin(m_pSkin);
    m_pSkin->clear();
    for (const SkinChoice& entry : SKIN_CHOICES)
        m_pSkin->addItem(QtText(entry.name, language));
    m_pSkin->setCurrentIndex(
        EntryIndex(SKIN_CHOICES, &SkinChoice::skin, m_host.Settings().m_nSkin));
    const QSignalBlocker blockLanguage(m_pLanguage);
    m_pLanguage->setCurrentIndex(EntryIndex(LANGUAGE_ENTRIES, &LanguageEntry::language, language));
    KeepInsideGroupFrame(m_pOpacity, OPACITY_RECT, ControlNamed<QGroupBox>(*this, "opacityGroup"),
                         OPACITY_GROUP_RECT);
    ShowRefusedSettings();
}

void CSettingDlg::ApplyDesktopFeatures(const DesktopFeatures& features)
{
    m_features = features;
    ShowRefusedSettings();
}

void CSettingDlg::ShowRefusedSettings()
{
    const QString strWhy = QtText(WAYLAND_REFUSES, CurrentLanguage());
    const struct
    {
        const char* pszName;
        bool bAllowed;
    } settings[] = {
        {"onTop", m_features.bStayOnTop},      {"keyboardSnap", m_features.bPlace},
        {"opacityGroup", m_features.bOpacity}, {"opacity", m_features.bOpacity},
        {"opacityTop", m_features.bOpacity},   {"opacityBottom", m_features.bOpacity},
    };
    for (const auto& setting : settings) {
        auto* pControl = ControlNamed<QWidget>(*this, setting.pszName);
        pControl->setEnabled(setting.bAllowed);
        pControl->setToolTip(setting.bAllowed ? QString() : strWhy);
    }
}

void CSettingDlg::OnAngle(bool bDegrees) { m_host.SetAngleUnit(bDegrees); }

void CSettingDlg::OnRadix(Radix radix) { m_host.SetRadix(radix); }

void CSettingDlg::OnPrecision(int nIndex)
{
    if (nIndex >= 0)
        m_host.SetPrecision(m_pPrecision->itemText(nIndex).toInt());
}

void CSettingDlg::OnLanguage(int nIndex)
{
    if (nIndex >= 0 && nIndex < int(LANGUAGE_ENTRIES.size()))
        m_host.SetLanguage(LANGUAGE_ENTRIES[std::size_t(nIndex)].language);
}

void CSettingDlg::OnSkin(int nIndex)
{
    if (nIndex >= 0 && nIndex < int(SKIN_CHOICES.size()))
        m_host.SetSkin(SKIN_CHOICES[std::size_t(nIndex)].skin);
    m_pSkin->setFocus();
    repaint();
}

// Each click turns the setting over, whatever the box showed.
void CSettingDlg::OnOnTop() { m_host.SetOnTop(!m_host.Settings().m_bOnTop); }

void CSettingDlg::OnKeyboardSnap() { m_host.SetKeyboardSnap(!m_host.Settings().m_bKeyboardSnap); }

void CSettingDlg::OnOpacity() { m_host.SetOpacity(m_pOpacity->value()); }

void CSettingDlg::OnColor(CColorSwatch* pSwatch, void (ISettingsHost::*pSetColor)(ColorRef))
{
    const std::optional<ColorRef> color = m_chooseColor(this);
    if (!color)
        return;
    (m_host.*pSetColor)(*color);
    pSwatch->SetColor(*color);
}
