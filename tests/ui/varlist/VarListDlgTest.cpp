#include "tests/ui/support/MainWindowFixture.h"
#include "ui/base/HoverButton.h"
#include "ui/varlist/VarListDlg.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <vector>

namespace
{
class VarListDlgTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        m_pList = m_pDlg->Row().VarList().findChild<QListWidget*>(QStringLiteral("list"));
        m_pCount = m_pDlg->Row().VarList().findChild<QLineEdit*>(QStringLiteral("count"));
        ASSERT_TRUE(m_pList != nullptr && m_pCount != nullptr);
    }

    void Enter(const QString& strLine)
    {
        Type(strLine);
        Key(Qt::Key_Return);
    }

    std::vector<std::string> Entries() const
    {
        std::vector<std::string> entries;
        for (int i = 0; i < m_pList->count(); ++i)
            entries.push_back(m_pList->item(i)->text().toStdString());
        return entries;
    }

    QListWidget* m_pList = nullptr;
    QLineEdit* m_pCount = nullptr;
};

using EntryList = std::vector<std::string>;

TEST_F(VarListDlgTest, AssignmentsRefillTheListSortedWithoutRegardToCase)
{
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(m_pCount->text(), "0");

    Enter("b=2");
    Enter("A=1");
    EXPECT_EQ(Entries(), (EntryList{"A = 1", "b = 2"}));
    EXPECT_EQ(m_pCount->text(), "2");

    // Every value in decimal, with the precision and lost digits of the refilling line.
    m_pDlg->Console().SetRadix(Radix::Hexadecimal);
    Enter("C=1/3");
    EXPECT_EQ(Entries(), (EntryList{"A = 1", "b = 2", "C = 0.333333333333"}));
    Enter("z=1000000.1-1000000");
    EXPECT_EQ(Entries(), (EntryList{"A = 1", "b = 2", "C = 0.3333", "z = 0.1"}));
    EXPECT_EQ(m_pCount->text(), "4");

    // Neither curves nor a new precision refill it.
    Enter("fx 0,6,sin(x)");
    m_pDlg->Console().Eval().m_nPrecision = 8;
    EXPECT_EQ(Entries(), (EntryList{"A = 1", "b = 2", "C = 0.3333", "z = 0.1"}));
}

TEST_F(VarListDlgTest, DoubleClickPutsTheNameOverTheSelection)
{
    Enter("b=2");
    Enter("A=1");
    QTextCursor cursor = Console().textCursor();
    cursor.setPosition(4);
    cursor.setPosition(5, QTextCursor::KeepAnchor); // the "A" of "A=1"
    Console().setTextCursor(cursor);
    QTest::mouseClick(&m_pDlg->Button(AuxId::VariableList), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_pDlg->Row().VarList()));

    const QRect itemRect = m_pList->visualItemRect(m_pList->item(1));
    QTest::mouseClick(m_pList->viewport(), Qt::LeftButton, {}, itemRect.center());
    QTest::mouseDClick(m_pList->viewport(), Qt::LeftButton, {}, itemRect.center());
    EXPECT_EQ(Text().toStdString(), "b=2\nb=1\n");
    EXPECT_EQ(Console().textCursor().position(), 5);
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return QApplication::focusWidget() == &Console(); }, 1000));
    // The name goes in as an edit that can be undone.
    Console().undo();
    EXPECT_EQ(Text().toStdString(), "b=2\nA=1\n");
}

TEST_F(VarListDlgTest, LabelAndColoursFollowTheMainWindow)
{
    auto* pLabel = m_pDlg->Row().VarList().findChild<QLabel*>(QStringLiteral("countLabel"));
    ASSERT_NE(pLabel, nullptr);
    SetLanguage(Language::English);
    EXPECT_EQ(pLabel->text(), "Var num:");
    EXPECT_EQ(m_pDlg->Row().VarList().windowTitle(), "Var List");
    SetLanguage(Language::Chinese);
    EXPECT_EQ(pLabel->text(), QString::fromUtf8("变量数目:"));
    EXPECT_EQ(m_pDlg->Row().VarList().windowTitle(), QString::fromUtf8("变量表"));

    m_pDlg->SettingsHost().Settings().m_crText = MakeRgb(10, 20, 30);
    m_pDlg->SettingsHost().Settings().m_crBack = MakeRgb(200, 210, 220);
    m_pDlg->RedrawEditBoxes();
    EXPECT_EQ(m_pList->palette().color(QPalette::Text), QColor(10, 20, 30));
    EXPECT_EQ(m_pList->palette().color(QPalette::Base), QColor(200, 210, 220));
}
} // namespace
