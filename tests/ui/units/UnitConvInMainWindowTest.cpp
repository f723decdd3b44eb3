#include "tests/ui/support/MainWindowFixture.h"

#include "core/units/UnitTable.h"
#include "ui/frame/AuxWindow.h"
#include "ui/base/HoverButton.h"

#include <QComboBox>
#include <QLineEdit>

namespace
{
using UnitConvInMainWindowTest = MainWindowFixture;

std::vector<std::string> Items(const QComboBox* pList)
{
    std::vector<std::string> items;
    for (int i = 0; i < pList->count(); ++i)
        items.push_back(pList->itemText(i).toStdString());
    return items;
}
} // namespace

// The "ConV" button shows a converter that speaks the main window's language and converts;
// Enter in a value box hides it, and one click shows it again.
TEST_F(UnitConvInMainWindowTest, ConvButtonShowsAWorkingConverter)
{
    CAuxWindow& converter = m_pDlg->Row().AuxWindow(AuxId::UnitConverter);
    auto* pCategory = converter.findChild<QComboBox*>(QStringLiteral("category"));
    auto* pValue1 = converter.findChild<QLineEdit*>(QStringLiteral("value1"));
    auto* pValue2 = converter.findChild<QLineEdit*>(QStringLiteral("value2"));
    ASSERT_TRUE(pCategory != nullptr && pValue1 != nullptr && pValue2 != nullptr);
    EXPECT_FALSE(converter.isVisible());

    for (const Language language : {Language::Chinese, Language::English}) {
        SCOPED_TRACE(int(language));
        SetLanguage(language);
        EXPECT_EQ(Items(pCategory), UnitTable::CategoryNames(language));
    }

    QTest::mouseClick(&m_pDlg->Button(AuxId::UnitConverter), Qt::LeftButton);
    ASSERT_TRUE(converter.isVisible());
    QTest::keyClicks(pValue1, QStringLiteral("2.5"));
    EXPECT_EQ(pValue1->text().toStdString(), "2.5");
    EXPECT_EQ(pValue2->text().toStdString(), "2.5"); // square mile to square mile

    QTest::keyClick(pValue1, Qt::Key_Return);
    EXPECT_FALSE(converter.isVisible());
    EXPECT_FALSE(m_pDlg->Row().IsShown(AuxId::UnitConverter));
    QTest::mouseClick(&m_pDlg->Button(AuxId::UnitConverter), Qt::LeftButton);
    EXPECT_TRUE(converter.isVisible());
    EXPECT_TRUE(m_pDlg->Row().IsShown(AuxId::UnitConverter));
}
