#include "ui/help/HelpDlg.h"

#include "core/base/Version.h"
#include "ui/base/Accessibility.h"
#include "ui/base/ControlTable.h"
#include "ui/base/QtText.h"
#include "ui/base/Resources.h"
#include "ui/fonts/StandInFont.h"
#include "ui/help/HelpText.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include <array>

namespace
{
// The window's title, first place and size (see AuxWindowLook).
constexpr AuxWindowLook LOOK{{"Help", "帮助"}, 100, 100, 420, 508, true};

constexpr int FONT_POINTS = 10;
// Tab stops every four characters put the one tabbed line's columns under the others'.
constexpr int TAB_CHARACTERS = 4;
// A narrow margin leaves room to spare for the longest lines of the columns (47 characters).
constexpr int TEXT_MARGIN = 2;

// The labels paint no background of their own, so the window's background shows through.
constexpr std::array<ControlSpec, 5> CONTROLS{{
    {"logo", ControlKind::Label, {3, 5, 51, 38}, NO_CAPTION},
    {"product",
     ControlKind::Label,
     {77, 4, 88, 9},
     {"Pelmorix V" PELMORIX_VERSION_TEXT, "Pelmorix计算器 V" PELMORIX_VERSION_TEXT}},
    {"author", ControlKind::Label, {77, 16, 71, 8}, {"Author: Pelmorix", "作者: Pelmorix团队"}},
    {"contact",
     ControlKind::Label,
     {77, 28, 108, 8},
     {"E_mail: team@example.org", "信箱: team@example.org"}},
    {"text", ControlKind::Other, {3, 42, 201, 207}, NO_CAPTION},
}};

constexpr std::array<SpokenName, 2> NAMES{{
    {"logo", {"Pelmorix logo", "Pelmorix 标志"}},
    {"text", {"Help text", "帮助文本"}},
}};

// Fixed-pitch faces whose Chinese characters are two Latin characters wide, best first.
constexpr std::array<const char*, 3> CHINESE_MONO_FACES{"WenQuanYi Zen Hei Mono",
                                                        "Noto Sans Mono CJK SC", "Sarasa Mono SC"};

// The help text's columns line up only where a Chinese character takes exactly two Latin
// character cells; Courier with Chinese glyphs from another face does not, so the Chinese text
// takes the first installed face that does, and Courier when there is none.
QFont HelpTextFont(Language language)
{
    const QFont courier = CourierFont(FONT_POINTS);
    if (language == Language::English)
        return courier;
    for (const char* strFace : CHINESE_MONO_FACES) {
        if (!QFontDatabase::hasFamily(QString::fromLatin1(strFace)))
            continue;
        QFont font(QString::fromLatin1(strFace));
        font.setPointSize(FONT_POINTS);
        const QFontMetricsF metrics(font);
        const qreal fLatin = metrics.horizontalAdvance(QLatin1Char('m'));
        if (qAbs(metrics.horizontalAdvance(QString::fromUtf8("键")) - 2 * fLatin) < 0.5)
            return font;
    }
    return courier;
}
} // namespace

CHelpDlg::CHelpDlg(const ILanguageSource& language, QWidget* pOwner)
    : CAuxWindow(LOOK, language, pOwner)
{
    setFont(CourierFont(FONT_POINTS));
    CreateControls();
    ApplyLanguage();
}

void CHelpDlg::CreateControls()
{
    MakeControls(*this, CONTROLS, CurrentLanguage(),
                 [](const ControlSpec&, QWidget* pParent) { return new QPlainTextEdit(pParent); });
    auto* pLogo = ControlNamed<QLabel>(*this, "logo");
    pLogo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pLogo->setPixmap(QPixmap(QString::fromLatin1(res::HELP_LOGO)));
    m_pText = ControlNamed<QPlainTextEdit>(*this, "text");
    m_pText->setReadOnly(true);
    m_pText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_pText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pText->document()->setDocumentMargin(TEXT_MARGIN);
}

void CHelpDlg::ApplyLanguage()
{
    CAuxWindow::ApplyLanguage();
    const Language language = CurrentLanguage();
    Relabel(*this, CONTROLS, language);
    NameControls(*this, NAMES, language);
    const QFont font = HelpTextFont(language);
    m_pText->setFont(font);
    m_pText->setTabStopDistance(TAB_CHARACTERS *
                                QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
    m_pText->setPlainText(QtText(HELP_TEXT, language));
}

void CHelpDlg::mousePressEvent(QMouseEvent* pEvent)
{
    // The text takes its own presses for selecting; the logo and the labels pass theirs here,
    // and anywhere but the text drags the window, as its caption would.
    if (pEvent->button() == Qt::LeftButton)
        DragWindow(*pEvent);
    CAuxWindow::mousePressEvent(pEvent);
}
