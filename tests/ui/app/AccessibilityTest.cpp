#include "tests/ui/support/MainWindowFixture.h"

#include "ui/frame/AuxWindow.h"
#include "ui/frame/CaptionButton.h"
#include "ui/base/HoverButton.h"
#include "ui/bignum/HugeNumDlg.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPlainTextEdit>

#include <vector>

namespace
{
using AccessibilityTest = MainWindowFixture;

constexpr AuxId ALL_WINDOWS[] = {AuxId::Settings, AuxId::Help,         AuxId::UnitConverter,
                                 AuxId::Graph,    AuxId::VariableList, AuxId::LongNumber,
                                 AuxId::Keyboard};

QString Name(QObject* pObject)
{
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pObject);
    return pInterface != nullptr ? pInterface->text(QAccessible::Name) : QString();
}

bool IsWide(QChar ch) { return ch.unicode() > 0x2E7F; }

// A blank between two Chinese characters: a caption spaced out for the eye.
bool HasPadding(const QString& strName)
{
    const QString strTrimmed = strName.simplified();
    for (qsizetype i = 1; i + 1 < strTrimmed.size(); ++i)
        if (strTrimmed.at(i) == QLatin1Char(' ') && IsWide(strTrimmed.at(i - 1)) &&
            IsWide(strTrimmed.at(i + 1)))
            return true;
    return false;
}

// The names of the window's children that are not its controls: the caption buttons.
std::vector<QString> CaptionNames(QWidget& window)
{
    std::vector<QString> names;
    QAccessibleInterface* pWindow = QAccessible::queryAccessibleInterface(&window);
    for (int i = 0; i < pWindow->childCount(); ++i) {
        QAccessibleInterface* pChild = pWindow->child(i);
        if (qobject_cast<CCaptionButton*>(pChild->object()) != nullptr) {
            EXPECT_EQ(pChild->parent(), pWindow);
            EXPECT_EQ(pWindow->indexOfChild(pChild), i);
            names.push_back(pChild->text(QAccessible::Name));
        }
    }
    return names;
}

// Every control that takes the keyboard, every picture and the progress bar has a name without
// padding blanks, and so has the window.
void ExpectNamed(QWidget& window)
{
    SCOPED_TRACE(window.windowTitle().toStdString());
    EXPECT_FALSE(Name(&window).isEmpty());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Window);
    for (QWidget* pControl : window.findChildren<QWidget*>()) {
        if (pControl->isWindow() || pControl->window() != &window)
            continue;
        const auto* pLabel = qobject_cast<QLabel*>(pControl);
        const bool bPicture = pLabel != nullptr && !pLabel->pixmap().isNull();
        const bool bFocusable = (pControl->focusPolicy() & Qt::TabFocus) != 0;
        if (!bFocusable && !bPicture && qobject_cast<QProgressBar*>(pControl) == nullptr)
            continue;
        const QString strName = Name(pControl);
        SCOPED_TRACE(pControl->objectName().toStdString());
        EXPECT_FALSE(strName.trimmed().isEmpty());
        EXPECT_FALSE(HasPadding(strName)) << strName.toStdString();
    }
}

TEST_F(AccessibilityTest, EveryWindowAndControlIsNamedInBothLanguages)
{
    struct
    {
        Language language;
        std::vector<QString> main;
        QString close;
        QString setButton;
    } cases[] = {
        {Language::English, {"Close", "Maximise", "Minimise", "System menu"}, "Close", "Setting"},
        {Language::Chinese,
         {QString::fromUtf8("关闭"), QString::fromUtf8("最大化"), QString::fromUtf8("最小化"),
          QString::fromUtf8("系统菜单")},
         QString::fromUtf8("关闭"),
         QString::fromUtf8("设置")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.language));
        SetLanguage(c.language);
        ExpectNamed(*m_pDlg);
        EXPECT_EQ(CaptionNames(*m_pDlg), c.main);
        EXPECT_EQ(Name(&m_pDlg->Button(AuxId::Settings)), c.setButton);
        EXPECT_TRUE(m_pDlg->Button(AuxId::Settings).toolTip().contains("Ctrl+1"));
        for (AuxId id : ALL_WINDOWS) {
            ExpectNamed(m_pDlg->Row().AuxWindow(id));
            EXPECT_EQ(CaptionNames(m_pDlg->Row().AuxWindow(id)), std::vector<QString>{c.close});
        }
    }
}

// A drop-down list is called by its label; its entry is its value.
TEST_F(AccessibilityTest, ListsAreNamedByTheirLabels)
{
    const struct
    {
        AuxId window;
        const char* pszList;
        const char* pszEnglish;
        const char* pszChinese;
    } cases[] = {
        {AuxId::Settings, "precision", "Precision", "精度"},
        {AuxId::Settings, "language", "Language", "语言"},
        {AuxId::Settings, "skin", "Skin", "界面"},
        {AuxId::UnitConverter, "category", "Category", "类别"},
        {AuxId::UnitConverter, "unit1", "Unit 1", "单位 1"},
        {AuxId::UnitConverter, "unit2", "Unit 2", "单位 2"},
    };
    for (Language language : {Language::English, Language::Chinese}) {
        SetLanguage(language);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.pszList);
            auto* pList = m_pDlg->Row().AuxWindow(c.window).findChild<QComboBox*>(c.pszList);
            ASSERT_NE(pList, nullptr);
            QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pList);
            EXPECT_EQ(pInterface->role(), QAccessible::ComboBox);
            EXPECT_EQ(
                pInterface->text(QAccessible::Name),
                QString::fromUtf8(language == Language::English ? c.pszEnglish : c.pszChinese));
            EXPECT_FALSE(pList->currentText().isEmpty());
            EXPECT_EQ(pInterface->text(QAccessible::Value), pList->currentText());
            ASSERT_EQ(pInterface->childCount(), 1);
            EXPECT_EQ(pInterface->child(0)->object(), static_cast<QObject*>(pList->view()));
        }
    }
}

TEST_F(AccessibilityTest, CaptionButtonsPressLikeClicksAndFollowTheState)
{
    SetLanguage(Language::English);
    QAccessibleInterface* pWindow = QAccessible::queryAccessibleInterface(m_pDlg.get());
    QAccessibleInterface* pMaximise = nullptr;
    for (int i = 0; i < pWindow->childCount(); ++i)
        if (pWindow->child(i)->text(QAccessible::Name) == "Maximise")
            pMaximise = pWindow->child(i);
    ASSERT_NE(pMaximise, nullptr);
    EXPECT_EQ(pMaximise->role(), QAccessible::PushButton);
    EXPECT_TRUE(m_pDlg->rect().contains(m_pDlg->mapFromGlobal(pMaximise->rect().center())));
    pMaximise->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_pDlg->Frame().State() == WindowState::Maximised; }));
    EXPECT_EQ(pMaximise->text(QAccessible::Name), "Restore");
    SetLanguage(Language::Chinese);
    EXPECT_EQ(pMaximise->text(QAccessible::Name), QString::fromUtf8("还原"));

    CAuxWindow& help = m_pDlg->Row().AuxWindow(AuxId::Help);
    m_pDlg->Button(AuxId::Help).click();
    ASSERT_TRUE(help.isVisible());
    QAccessibleInterface* pClose = QAccessible::queryAccessibleInterface(&help)->child(
        QAccessible::queryAccessibleInterface(&help)->childCount() - 1);
    pClose->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !help.isVisible(); }));
    EXPECT_FALSE(m_pDlg->Row().IsShown(AuxId::Help));
}

// What the text control reports to a listening screen reader as inserted text: each edit's
// added characters (a line break is U+2029 there).
TEST_F(AccessibilityTest, AWrittenResultIsAnEditOfItsOwn)
{
    SetLanguage(Language::English);
    const struct
    {
        const char* pszLine;
        std::vector<QString> edits;
    } cases[] = {
        {"6*7", {"42", QString(QChar::ParagraphSeparator)}},
        {"5/0", {"Error: [divisor can not be zero]", QString(QChar::ParagraphSeparator)}},
        {"a=5", {}}, // an assignment writes nothing
        {"fact 12", {"2*2*3", QString(QChar::ParagraphSeparator)}},
    };
    std::vector<std::pair<int, QString>> edits;
    QObject::connect(Console().document(), &QTextDocument::contentsChange, m_pDlg.get(),
                     [&](int nAt, int, int nAdded) {
                         QTextCursor added(Console().document());
                         added.setPosition(nAt);
                         added.setPosition(nAt + nAdded, QTextCursor::KeepAnchor);
                         edits.emplace_back(nAt, added.selectedText());
                     });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLine);
        Type(QString::fromLatin1(c.pszLine));
        Key(Qt::Key_F12); // a live run writes nothing
        const QTextBlock line = Console().textCursor().block();
        edits.clear();
        Key(Qt::Key_Return);
        ASSERT_FALSE(edits.empty());
        edits.erase(edits.begin()); // the Enter key's own line break
        std::vector<QString> texts;
        int nExpectedAt = line.position() + line.length(); // the start of the new line
        for (const auto& [nAt, strText] : edits) {
            EXPECT_EQ(nAt, nExpectedAt);
            nExpectedAt += int(strText.size());
            texts.push_back(strText);
        }
        EXPECT_EQ(texts, c.edits);
    }
}

TEST_F(AccessibilityTest, TheLongNumberTimeLabelIsCalledByTheEnd)
{
    SetLanguage(Language::English);
    CHugeNumDlg& window = m_pDlg->Row().HugeNum();
    auto* pFirst = window.findChild<QPlainTextEdit*>("first");
    auto* pTime = window.findChild<QLabel*>("time");
    pFirst->setPlainText("2");
    window.findChild<QPlainTextEdit*>("second")->setPlainText("3");
    window.findChild<QAbstractButton*>("calculate")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.IsCalculating(); }));
    EXPECT_FALSE(window.EndText().isEmpty());
    EXPECT_EQ(Name(pTime), window.EndText());
    pFirst->setPlainText("23"); // an edit takes the end away with the result
    EXPECT_EQ(Name(pTime), pTime->text());
}
} // namespace
