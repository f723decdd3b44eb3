#include "ui/settings/SettingDlg.h"

#include "core/console/LineDispatcher.h"
#include "core/skin/SkinTable.h"
#include "ui/base/DialogRect.h"
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
constexpr int FONT_POINTS = 10;
// The lists' rectangles give their dropped height; closed, a list is this high.
constexpr int CLOSED_LIST_HEIGHT = 12;
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

enum class Kind
{
    Label,
    CentredLabel,
    List,
    Group,
    Radio,
    Check,
    Slider,
    Swatch,
};

// One control of the window, in creation order (which is also the focus order, and puts each
// group box beneath the controls it frames). The caption is the one the window is built with;
// the texts, where given, are what the language sets.
struct Control
{
    const char* pszName;
    Kind kind;
    DialogRect rect;
    const char* pszCaption;
    Text text;
};

constexpr Text NO_TEXT{nullptr, nullptr};

constexpr std::array<Control, 23> CONTROLS{{
    {"precisionLabel", Kind::Label, {7, 11, 16, 8}, "Prec", {"Prec", "位数"}},
    {"precision", Kind::List, {26, 9, 20, 115}, "", NO_TEXT},
    {"languageLabel", Kind::Label, {50, 11, 16, 8}, "Lang", {"Lang", "语言"}},
    {"language", Kind::List, {69, 9, 44, 38}, "", NO_TEXT},
    {"skinLabel", Kind::CentredLabel, {116, 11, 16, 8}, "UI", {"UI", "界面"}},
    {"skin", Kind::List, {134, 9, 32, 38}, "", NO_TEXT},
    {"angleGroup", Kind::Group, {7, 29, 37, 55}, "Angle", {"Angle", "角 度"}},
    {"deg", Kind::Radio, {11, 43, 29, 10}, "Deg", {"Deg", "公制"}},
    {"rad", Kind::Radio, {11, 64, 29, 10}, "Rad", {"Rad", "弧度"}},
    {"radixGroup", Kind::Group, {58, 29, 51, 55}, "Radix", {"Radix", "进 制"}},
    {"dec", Kind::Radio, {60, 41, 41, 10}, "Dec", {"Dec", "十 进 制"}},
    {"hex", Kind::Radio, {60, 56, 41, 10}, "Hex", {"Hex", "十六进制"}},
    {"bin", Kind::Radio, {60, 71, 41, 10}, "Bin", {"Bin", "二 进 制"}},
    {"opacityGroup", Kind::Group, OPACITY_GROUP_RECT, "Transp.", {"Transp.", "透明度"}},
    {"opacity", Kind::Slider, OPACITY_RECT, "", NO_TEXT},
    {"opacityTop", Kind::Label, {149, 39, 14, 9}, "100", NO_TEXT},
    {"opacityBottom", Kind::CentredLabel, {148, 97, 15, 9}, "0", NO_TEXT},
    {"onTop", Kind::Check, {8, 91, 64, 10}, "On Top", {"Always On Top", "总在最上面"}},
    {"keyboardSnap",
     Kind::Check,
     {8, 104, 64, 10},
     "Keyboard snap",
     {"Keyboard Snap", "键盘附着主窗口"}},
    {"textColorLabel", Kind::Label, {8, 121, 40, 10}, "ForegColor", {"ForegColor", "文字颜色"}},
    {"textColor", Kind::Swatch, {52, 118, 30, 15}, "", NO_TEXT},
    {"backColorLabel", Kind::Label, {91, 121, 40, 10}, "BackgColor", {"BackgColor", "背景颜色"}},
    {"backColor", Kind::Swatch, {136, 118, 30, 15}, "", NO_TEXT},
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

QWidget* MakeControl(const Control& control, QWidget* pParent)
{
    const QString strCaption = QString::fromUtf8(control.pszCaption);
    DialogRect rect = control.rect;
    QWidget* pControl = nullptr;
    switch (control.kind) {
    case Kind::Label:
    case Kind::CentredLabel: {
        // A label paints no background of its own: its text stands on the window's skin.
        auto* pLabel = new QLabel(strCaption, pParent);
        if (control.kind == Kind::CentredLabel)
            pLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        pControl = pLabel;
        break;
    }
    case Kind::List: {
        rect.cy = CLOSED_LIST_HEIGHT;
        auto* pList = new QComboBox(pParent);
        auto* pStyle = new CNarrowArrowStyle;
        pStyle->setParent(pList);
        pList->setStyle(pStyle);
        pControl = pList;
        break;
    }
    case Kind::Group:
        pControl = new QGroupBox(strCaption, pParent);
        break;
    case Kind::Radio:
        pControl = new QRadioButton(strCaption, pParent);
        break;
    case Kind::Check:
        pControl = new QCheckBox(strCaption, pParent);
        break;
    case Kind::Slider:
        pControl = new QSlider(Qt::Vertical, pParent);
        break;
    case Kind::Swatch:
        pControl = new CColorSwatch(pParent);
        break;
    }
    return Place(pControl, control.pszName, rect);
}

void SetCaption(QWidget* pControl, const QString& strText)
{
    if (auto* pLabel = qobject_cast<QLabel*>(pControl))
        pLabel->setText(strText);
    else if (auto* pButton = qobject_cast<QAbstractButton*>(pControl))
        pButton->setText(strText);
    else if (auto* pGroup = qobject_cast<QGroupBox*>(pControl))
        pGroup->setTitle(strText);
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
    : CAuxWindow(aux::SETTINGS, language, pOwner), m_host(host), m_chooseColor(ChooseSystemColor)
{
    setFont(CourierFont(FONT_POINTS));
    CreateControls();
    ShowStartStates();
    ConnectControls();
    ApplyLanguage();
}

void CSettingDlg::CreateControls()
{
    for (const Control& control : CONTROLS)
        MakeControl(control, this);
    m_pPrecision = Child<QComboBox>("precision");
    m_pLanguage = Child<QComboBox>("language");
    m_pSkin = Child<QComboBox>("skin");
    m_pOpacity = Child<QSlider>("opacity");
    m_pTextColor = Child<CColorSwatch>("textColor");
    m_pBackColor = Child<CColorSwatch>("backColor");

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
            pGroup->addButton(Child<QRadioButton>(pszName));
    }
}

void CSettingDlg::ShowStartStates()
{
    const CalcSettings& settings = m_host.Settings();
    Child<QRadioButton>(m_host.IsDegrees() ? "deg" : "rad")->setChecked(true);
    const Radix radix = m_host.OutputRadix();
    const char* pszRadix = radix == Radix::Hexadecimal ? "hex"
                           : radix == Radix::Binary    ? "bin"
                                                       : "dec";
    Child<QRadioButton>(pszRadix)->setChecked(true);
    Child<QCheckBox>("onTop")->setChecked(settings.m_bOnTop);
    Child<QCheckBox>("keyboardSnap")->setChecked(settings.m_bKeyboardSnap);
    // The entry in force, so the list never shows a precision the console does not use.
    m_pPrecision->setCurrentIndex(m_pPrecision->findText(QString::number(m_host.Precision())));
    m_pOpacity->setValue(settings.m_nOpacity);
    m_pTextColor->SetColor(settings.m_crText);
    m_pBackColor->SetColor(settings.m_crBack);
}

void CSettingDlg::ConnectControls()
{
    const auto onClick = [this](const char* pszName, auto handler) {
        connect(Child<QAbstractButton>(pszName), &QAbstractButton::clicked, this, handler);
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
    for (const Control& control : CONTROLS) {
        if (control.text.en != nullptr)
            SetCaption(Child<QWidget>(control.pszName),
                       QString::fromUtf8(control.text.In(language)));
    }
    const QSignalBlocker blockSkin(m_pSkin);
    m_pSkin->clear();
    for (const SkinDescription& entry : SKINS)
        m_pSkin->addItem(QString::fromUtf8(entry.name.In(language)));
    m_pSkin->setCurrentIndex(EntryIndex(SKINS, &SkinDescription::skin, m_host.Settings().m_nSkin));
    const QSignalBlocker blockLanguage(m_pLanguage);
    m_pLanguage->setCurrentIndex(EntryIndex(LANGUAGE_ENTRIES, &LanguageEntry::language, language));
    KeepInsideGroupFrame(m_pOpacity, OPACITY_RECT, Child<QGroupBox>("opacityGroup"),
                         OPACITY_GROUP_RECT);
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
    if (nIndex >= 0 && nIndex < int(SKINS.size()))
        m_host.SetSkin(SKINS[std::size_t(nIndex)].skin);
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
