#include "ui/help/HelpDlg.h"

#include "ui/base/DialogRect.h"
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
constexpr Text PRODUCT_LINE{"Pelmorix V9.0", "Pelmorix计算器 V9.0"};
constexpr Text AUTHOR_LINE{"Author: Pelmorix", "作者: Pelmorix团队"};
constexpr Text CONTACT_LINE{"E_mail: team@example.org", "信箱: team@example.org"};
constexpr int FONT_POINTS = 10;
// Tab stops every four characters put the one tabbed line's columns under the others'.
constexpr int TAB_CHARACTERS = 4;
// A narrow margin leaves room to spare for the longest lines of the columns (47 characters).
constexpr int TEXT_MARGIN = 2;

constexpr DialogRect LOGO_RECT{3, 5, 51, 38};
constexpr DialogRect PRODUCT_RECT{77, 4, 88, 9};
constexpr DialogRect AUTHOR_RECT{77, 16, 71, 8};
constexpr DialogRect CONTACT_RECT{77, 28, 108, 8};
constexpr DialogRect TEXT_RECT{3, 42, 201, 207};

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
    : CAuxWindow(aux::HELP, language, pOwner)
{
    setFont(CourierFont(FONT_POINTS));
    CreateControls();
    ApplyLanguage();
}

void CHelpDlg::CreateControls()
{
    auto* pLogo = Place(new QLabel(this), "logo", LOGO_RECT);
    pLogo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pLogo->setPixmap(QPixmap(QString::fromLatin1(res::HELP_LOGO)));
    // The labels paint no background of their own, so the window's background shows through.
    m_pProduct = Place(new QLabel(this), "product", PRODUCT_RECT);
    m_pAuthor = Place(new QLabel(this), "author", AUTHOR_RECT);
    m_pContact = Place(new QLabel(this), "contact", CONTACT_RECT);
    m_pText = Place(new QPlainTextEdit(this), "text", TEXT_RECT);
    m_pText->setReadOnly(true);
    m_pText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_pText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pText->document()->setDocumentMargin(TEXT_MARGIN);
}

void CHelpDlg::ApplyLanguage()
{
    CAuxWindow::ApplyLanguage();
    const Language language = CurrentLanguage();
    m_pProduct->setText(QString::fromUtf8(PRODUCT_LINE.In(language)));
    m_pAuthor->setText(QString::fromUtf8(AUTHOR_LINE.In(language)));
    m_pContact->setText(QString::fromUtf8(CONTACT_LINE.In(language)));
    const QFont font = HelpTextFont(language);
    m_pText->setFont(font);
    m_pText->setTabStopDistance(TAB_CHARACTERS *
                                QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
    m_pText->setPlainText(QString::fromUtf8(HELP_TEXT.In(language)));
}

void CHelpDlg::mousePressEvent(QMouseEvent* pEvent)
{
    // The text takes its own presses for selecting; the logo and the labels pass theirs here,
    // and anywhere but the text drags the window, as its caption would.
    if (pEvent->button() == Qt::LeftButton)
        DragWindow(*pEvent);
    CAuxWindow::mousePressEvent(pEvent);
}
