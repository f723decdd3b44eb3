#include "units/UnitConvDlg.h"

#include "units/UnitTable.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
enum Category { AREA, DISTANCE, MASS, PRESSURE, VELOCITY, VOLUME };
constexpr int MILE = 0;
constexpr int METER = 5;

class UnitConvDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pDlg = std::make_unique<CUnitConvDlg>(nullptr);
        m_pDlg->SetLanguage(LANGUAGE_ENGLISH);
        m_pDlg->show();
        m_pCategory = Find<QComboBox>("category");
        m_pUnit1 = Find<QComboBox>("unit1");
        m_pUnit2 = Find<QComboBox>("unit2");
        m_pValue1 = Find<QLineEdit>("value1");
        m_pValue2 = Find<QLineEdit>("value2");
    }

    template <typename Control>
    Control* Find(const char* strName)
    {
        auto* pControl = m_pDlg->findChild<Control*>(QString::fromLatin1(strName));
        EXPECT_NE(pControl, nullptr) << strName;
        return pControl;
    }

    // Picks the way a user does, through the lists' own change notifications; passing through
    // another category first leaves both value boxes empty.
    void Choose(int nCategory, int nUnit1, int nUnit2)
    {
        m_pCategory->setCurrentIndex((nCategory + 1) % UnitTable::CategoryCount());
        m_pCategory->setCurrentIndex(nCategory);
        m_pUnit1->setCurrentIndex(nUnit1);
        m_pUnit2->setCurrentIndex(nUnit2);
    }

    static std::string TextOf(const QLineEdit* pBox) { return pBox->text().toStdString(); }

    static std::vector<std::string> Items(const QComboBox* pList)
    {
        std::vector<std::string> items;
        for (int i = 0; i < pList->count(); ++i)
            items.push_back(pList->itemText(i).toStdString());
        return items;
    }

    std::unique_ptr<CUnitConvDlg> m_pDlg;
    QComboBox* m_pCategory = nullptr;
    QComboBox* m_pUnit1 = nullptr;
    QComboBox* m_pUnit2 = nullptr;
    QLineEdit* m_pValue1 = nullptr;
    QLineEdit* m_pValue2 = nullptr;
};
} // namespace

TEST_F(UnitConvDlgTest, TypingOnEitherSideConvertsIntoTheOther)
{
    struct Case
    {
        bool bLeft;
        int nCategory;
        int nUnit1;
        int nUnit2;
        const char* typed;
        const char* other;
    };
    const Case cases[] = {
        {true, DISTANCE, MILE, METER, "1", "1609.344"},
        {false, DISTANCE, MILE, METER, "1000", "0.621371192237"},
        {false, DISTANCE, METER, MILE, "1", "1609.344"},
        {true, VOLUME, 0, 2, "1e20", "1e+020"},
        {false, VELOCITY, 2, 0, "1", "0.277777777778"},
        {true, PRESSURE, 3, 7, "100", "1469.59494004"},
        {true, DISTANCE, MILE, METER, "abc", "0"},
        {true, DISTANCE, MILE, METER, " -2x", "-3218.688"},
        {false, AREA, 0, 3, "1e999", "1.#INF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bLeft ? "left " : "right ") + c.typed);
        Choose(c.nCategory, c.nUnit1, c.nUnit2);
        QLineEdit* pTyped = c.bLeft ? m_pValue1 : m_pValue2;
        QLineEdit* pOther = c.bLeft ? m_pValue2 : m_pValue1;
        QTest::keyClicks(pTyped, QString::fromLatin1(c.typed));
        EXPECT_EQ(TextOf(pOther), c.other);
        EXPECT_EQ(TextOf(pTyped), c.typed);
    }
}

// Converting back from the other box would turn "1." into "1" under the caret, so "1.5" could
// never be typed; the box being typed in keeps every character.
TEST_F(UnitConvDlgTest, TheBoxBeingTypedInIsNeverRewritten)
{
    struct Step
    {
        bool bLeft;
        char key;
        const char* typedSoFar;
        const char* other;
    };
    const Step steps[] = {
        {true, '1', "1", "1609.344"},
        {true, '.', "1.", "1609.344"},
        {true, '5', "1.5", "2414.016"},
        {true, 'e', "1.5e", "2414.016"},
        {true, '0', "1.5e0", "2414.016"},
    };
    Choose(DISTANCE, MILE, METER);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.typedSoFar);
        QTest::keyClick(m_pValue1, step.key);
        EXPECT_EQ(TextOf(m_pValue1), step.typedSoFar);
        EXPECT_EQ(TextOf(m_pValue2), step.other);
    }
    m_pValue1->clear();
    ASSERT_EQ(TextOf(m_pValue2), "0");
    m_pValue2->selectAll();
    QTest::keyClicks(m_pValue2, QStringLiteral("0.50"));
    EXPECT_EQ(TextOf(m_pValue2), "0.50");
    EXPECT_EQ(TextOf(m_pValue1), "0.000310685596119");
}

TEST_F(UnitConvDlgTest, AnEmptiedBoxConvertsAsZero)
{
    Choose(DISTANCE, MILE, METER);
    QTest::keyClicks(m_pValue1, QStringLiteral("12"));
    ASSERT_EQ(TextOf(m_pValue2), "19312.128");
    QTest::keyClick(m_pValue1, Qt::Key_Backspace);
    EXPECT_EQ(TextOf(m_pValue2), "1609.344");
    QTest::keyClick(m_pValue1, Qt::Key_Backspace);
    EXPECT_EQ(TextOf(m_pValue1), "");
    EXPECT_EQ(TextOf(m_pValue2), "0");

    QTest::keyClicks(m_pValue2, QStringLiteral("5"));
    m_pValue2->selectAll();
    QTest::keyClick(m_pValue2, Qt::Key_Delete);
    EXPECT_EQ(TextOf(m_pValue1), "0");
}

// A new category or unit empties both values, and nothing is converted until a value is typed:
// neither box may end with a 0 of its own.
TEST_F(UnitConvDlgTest, ChangingCategoryOrUnitEmptiesBothValues)
{
    struct Case
    {
        const char* list;
        int nIndex;
    };
    const Case cases[] = {
        {"unit1", 3},
        {"unit2", 4},
        {"category", MASS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        Choose(DISTANCE, MILE, METER);
        QTest::keyClicks(m_pValue1, QStringLiteral("7"));
        ASSERT_FALSE(m_pValue2->text().isEmpty());
        Find<QComboBox>(c.list)->setCurrentIndex(c.nIndex);
        EXPECT_EQ(TextOf(m_pValue1), "");
        EXPECT_EQ(TextOf(m_pValue2), "");
    }
    EXPECT_EQ(Items(m_pUnit1), UnitTable::UnitNames(MASS, LANGUAGE_ENGLISH));
    EXPECT_EQ(Items(m_pUnit2), Items(m_pUnit1));
    EXPECT_EQ(m_pUnit1->currentIndex(), 0);
    EXPECT_EQ(m_pUnit2->currentIndex(), 0);
}

TEST_F(UnitConvDlgTest, LanguageSwitchRebuildsTheLists)
{
    Choose(MASS, 3, 6);
    QTest::keyClicks(m_pValue1, QStringLiteral("2"));
    m_pDlg->SetLanguage(LANGUAGE_CHINESE);

    EXPECT_EQ(Items(m_pCategory), UnitTable::CategoryNames(LANGUAGE_CHINESE));
    EXPECT_EQ(m_pCategory->currentIndex(), MASS);
    EXPECT_EQ(Items(m_pUnit1), UnitTable::UnitNames(MASS, LANGUAGE_CHINESE));
    EXPECT_EQ(Items(m_pUnit2), Items(m_pUnit1));
    EXPECT_EQ(m_pUnit1->currentIndex(), 0);
    EXPECT_EQ(m_pUnit2->currentIndex(), 0);
    EXPECT_EQ(TextOf(m_pValue1), "");
    EXPECT_EQ(TextOf(m_pValue2), "");
    EXPECT_EQ(m_pDlg->windowTitle().toStdString(), "单位转换");
    EXPECT_EQ(Find<QLabel>("categoryLabel")->text().toStdString(), "类  别");
    EXPECT_EQ(Find<QGroupBox>("group1")->title().toStdString(), "Unit 1");
    EXPECT_EQ(Find<QGroupBox>("group2")->title().toStdString(), "Unit 2");

    m_pDlg->SetLanguage(LANGUAGE_ENGLISH);
    EXPECT_EQ(Items(m_pCategory), UnitTable::CategoryNames(LANGUAGE_ENGLISH));
    EXPECT_EQ(Items(m_pUnit1), UnitTable::UnitNames(MASS, LANGUAGE_ENGLISH));
    EXPECT_EQ(m_pDlg->windowTitle().toStdString(), "Unit Converter");
    EXPECT_EQ(Find<QLabel>("categoryLabel")->text().toStdString(), "Category");
    // The lists still convert after the rebuild.
    m_pUnit2->setCurrentIndex(2);
    QTest::keyClicks(m_pValue2, QStringLiteral("1"));
    EXPECT_EQ(TextOf(m_pValue1), "1000000");
}

// However the window goes (Enter or Escape in a box or a list, the close box), it says so, so
// the main window's shown flag follows and its button shows it again with one click.
TEST_F(UnitConvDlgTest, EveryWayOfHidingIsAnnounced)
{
    struct Case
    {
        const char* name;
        const char* target;     // nullptr: the close box
        Qt::Key key;
    };
    const Case cases[] = {
        {"Enter in value 1", "value1", Qt::Key_Return},
        {"Escape in value 2", "value2", Qt::Key_Escape},
        {"keypad Enter in value 2", "value2", Qt::Key_Enter},
        {"Enter in the category list", "category", Qt::Key_Return},
        {"Escape in unit list 2", "unit2", Qt::Key_Escape},
        {"close box", nullptr, Qt::Key_unknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_pDlg->show();
        ASSERT_TRUE(m_pDlg->isVisible());
        QSignalSpy hidden(m_pDlg.get(), &CAuxWindow::Hidden);
        if (c.target != nullptr)
            QTest::keyClick(Find<QWidget>(c.target), c.key);
        else
            m_pDlg->close();
        EXPECT_FALSE(m_pDlg->isVisible());
        EXPECT_EQ(hidden.count(), 1);
    }
}
