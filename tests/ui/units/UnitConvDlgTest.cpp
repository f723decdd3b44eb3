#include "tests/ui/support/FindControl.h"
#include "ui/units/UnitConvDlg.h"

#include "core/units/UnitTable.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
using enum UnitTable::Category;
constexpr int MILE = 0;
constexpr int METER = 5;

class UnitConvDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pDlg = std::make_unique<CUnitConvDlg>(m_language, nullptr);
        SetLanguage(Language::English);
        m_pDlg->show();
    }

    void SetLanguage(Language language)
    {
        m_language.Set(language);
        m_pDlg->ApplyLanguage();
    }

    template <class Control>
    Control* Find(const char* pszName)
    {
        return FindControl<Control>(*m_pDlg, pszName);
    }

    QComboBox* List(const char* pszName) { return Find<QComboBox>(pszName); }
    QLineEdit* Box(int nSide) { return Find<QLineEdit>(nSide == 1 ? "value1" : "value2"); }
    std::string TextOf(int nSide) { return Box(nSide)->text().toStdString(); }

    // Picks through the lists' own change notifications; passing through another category
    // first leaves both value boxes empty.
    void Choose(int nCategory, int nUnit1, int nUnit2)
    {
        List("category")->setCurrentIndex((nCategory + 1) % UnitTable::CategoryCount());
        List("category")->setCurrentIndex(nCategory);
        List("unit1")->setCurrentIndex(nUnit1);
        List("unit2")->setCurrentIndex(nUnit2);
    }

    static std::vector<std::string> Items(const QComboBox* pList)
    {
        std::vector<std::string> items;
        for (int i = 0; i < pList->count(); ++i)
            items.push_back(pList->itemText(i).toStdString());
        return items;
    }

    FixedLanguage m_language{Language::Chinese};
    std::unique_ptr<CUnitConvDlg> m_pDlg;
};
} // namespace

TEST_F(UnitConvDlgTest, TypingOnEitherSideConvertsIntoTheOther)
{
    struct Case
    {
        int nSide;
        int nUnit1;
        int nUnit2;
        const char* typed;
        const char* other;
    };
    const Case cases[] = {
        {1, MILE, METER, "1", "1609.344"}, {2, MILE, METER, "1000", "0.621371192237"},
        {2, METER, MILE, "1", "1609.344"}, {1, MILE, METER, " -2x", "-3218.688"},
        {1, MILE, METER, "abc", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nSide) + ": " + c.typed);
        Choose(DISTANCE, c.nUnit1, c.nUnit2);
        QTest::keyClicks(Box(c.nSide), QString::fromLatin1(c.typed));
        EXPECT_EQ(TextOf(3 - c.nSide), c.other);
        EXPECT_EQ(TextOf(c.nSide), c.typed);
    }
}

// Converting back from the other box would turn "1." into "1" under the caret, so "1.5" could
// never be typed; the box being typed in keeps every character, and an emptied box reads as 0.
TEST_F(UnitConvDlgTest, TheBoxBeingTypedInIsNeverRewritten)
{
    struct Step
    {
        int nSide;
        Qt::Key key;
        const char* typedSoFar;
        const char* other;
    };
    const Step steps[] = {
        {1, Qt::Key_1, "1", "1609.344"},
        {1, Qt::Key_Period, "1.", "1609.344"},
        {1, Qt::Key_5, "1.5", "2414.016"},
        {1, Qt::Key_E, "1.5e", "2414.016"},
        {1, Qt::Key_Backspace, "1.5", "2414.016"},
        {1, Qt::Key_Backspace, "1.", "1609.344"},
        {1, Qt::Key_Backspace, "1", "1609.344"},
        {1, Qt::Key_Backspace, "", "0"},
        {2, Qt::Key_Backspace, "", "0"},
        {2, Qt::Key_0, "0", "0"},
        {2, Qt::Key_Period, "0.", "0"},
        {2, Qt::Key_5, "0.5", "0.000310685596119"},
        {2, Qt::Key_0, "0.50", "0.000310685596119"},
    };
    Choose(DISTANCE, MILE, METER);
    for (const Step& step : steps) {
        SCOPED_TRACE(std::to_string(step.nSide) + ": " + step.typedSoFar);
        QTest::keyClick(Box(step.nSide), step.key);
        EXPECT_EQ(TextOf(step.nSide), step.typedSoFar);
        EXPECT_EQ(TextOf(3 - step.nSide), step.other);
    }
}

// A new category or unit empties both values and converts nothing: neither box may end with a
// 0 of its own.
TEST_F(UnitConvDlgTest, ChangingCategoryOrUnitEmptiesBothValues)
{
    const std::pair<const char*, int> changes[] = {{"unit1", 3}, {"unit2", 4}, {"category", MASS}};
    for (const auto& [strList, nIndex] : changes) {
        SCOPED_TRACE(strList);
        Choose(DISTANCE, MILE, METER);
        QTest::keyClicks(Box(1), QStringLiteral("7"));
        ASSERT_EQ(TextOf(2), "11265.408");
        List(strList)->setCurrentIndex(nIndex);
        EXPECT_EQ(TextOf(1), "");
        EXPECT_EQ(TextOf(2), "");
    }
    EXPECT_EQ(Items(List("unit1")), UnitTable::UnitNames(MASS, Language::English));
    EXPECT_EQ(Items(List("unit2")), UnitTable::UnitNames(MASS, Language::English));
    EXPECT_EQ(List("unit1")->currentIndex(), 0);
    EXPECT_EQ(List("unit2")->currentIndex(), 0);
}

TEST_F(UnitConvDlgTest, LanguageSwitchRebuildsTheLists)
{
    Choose(MASS, 3, 6);
    QTest::keyClicks(Box(1), QStringLiteral("2"));
    for (const Language language : {Language::Chinese, Language::English}) {
        SCOPED_TRACE(int(language));
        SetLanguage(language);
        EXPECT_EQ(Items(List("category")), UnitTable::CategoryNames(language));
        EXPECT_EQ(List("category")->currentIndex(), MASS);
        EXPECT_EQ(Items(List("unit1")), UnitTable::UnitNames(MASS, language));
        EXPECT_EQ(Items(List("unit2")), UnitTable::UnitNames(MASS, language));
        EXPECT_EQ(List("unit1")->currentIndex(), 0);
        EXPECT_EQ(List("unit2")->currentIndex(), 0);
        EXPECT_EQ(TextOf(1), "");
        EXPECT_EQ(TextOf(2), "");
        const bool bEnglish = language == Language::English;
        EXPECT_EQ(m_pDlg->windowTitle().toStdString(), bEnglish ? "Unit Converter" : "单位转换");
        EXPECT_EQ(Find<QLabel>("categoryLabel")->text().toStdString(),
                  bEnglish ? "Category" : "类  别");
    }
    // The rebuilt lists convert: kilogram on the right, milligram on the left.
    List("unit2")->setCurrentIndex(2);
    QTest::keyClicks(Box(2), QStringLiteral("1"));
    EXPECT_EQ(TextOf(1), "1000000");
}

// The closed lists cut long names ("square mile (mi^2" for "square mile (mi^2)"); the tooltip
// of each list holds the whole name it shows, after a language switch and after every change.
TEST_F(UnitConvDlgTest, TooltipsHoldTheWholeCurrentName)
{
    const auto expectNames = [this](Language language, int nCategory, int nUnit1, int nUnit2) {
        SCOPED_TRACE(std::to_string(int(language)) + " " + std::to_string(nCategory) + " " +
                     std::to_string(nUnit1) + " " + std::to_string(nUnit2));
        EXPECT_EQ(List("category")->toolTip().toStdString(),
                  UnitTable::CategoryName(nCategory, language));
        EXPECT_EQ(List("unit1")->toolTip().toStdString(),
                  UnitTable::UnitName(nCategory, nUnit1, language));
        EXPECT_EQ(List("unit2")->toolTip().toStdString(),
                  UnitTable::UnitName(nCategory, nUnit2, language));
    };
    for (const Language language : {Language::Chinese, Language::English}) {
        Choose(PRESSURE, 3, 7);
        SetLanguage(language);
        expectNames(language, PRESSURE, 0, 0);
        for (int nCategory = 0; nCategory < UnitTable::CategoryCount(); ++nCategory) {
            const int nLast = UnitTable::UnitCount(nCategory) - 1;
            Choose(nCategory, nLast, 1);
            expectNames(language, nCategory, nLast, 1);
        }
    }
}

TEST_F(UnitConvDlgTest, OpenedListsShowTheirLongestEntryInFull)
{
    // A style that opens a list at the closed box's width unless told otherwise.
    const std::unique_ptr<QStyle> pStyle(QStyleFactory::create(QStringLiteral("Windows")));
    ASSERT_NE(pStyle, nullptr);
    for (const char* strList : {"category", "unit1", "unit2"})
        List(strList)->setStyle(pStyle.get());
    const QSize closed = List("unit1")->size();
    for (const Language language : {Language::English, Language::Chinese}) {
        SetLanguage(language);
        for (int nCategory = 0; nCategory < UnitTable::CategoryCount(); ++nCategory) {
            List("category")->setCurrentIndex(nCategory);
            for (const char* strList : {"category", "unit1", "unit2"}) {
                SCOPED_TRACE(std::to_string(int(language)) + " " + std::to_string(nCategory) + " " +
                             strList);
                QComboBox* pList = List(strList);
                pList->showPopup();
                QAbstractItemView* pView = pList->view();
                ASSERT_TRUE(pView->isVisible());
                for (int i = 0; i < pList->count(); ++i) {
                    const QModelIndex index = pView->model()->index(i, 0);
                    const int nText = pView->fontMetrics().horizontalAdvance(pList->itemText(i));
                    EXPECT_GE(pView->viewport()->width(), pView->sizeHintForIndex(index).width())
                        << pList->itemText(i).toStdString();
                    EXPECT_GT(pView->viewport()->width(), nText);
                }
                pList->hidePopup();
            }
        }
    }
    EXPECT_EQ(List("unit1")->size(), closed);
    for (const char* strList : {"category", "unit1", "unit2"})
        List(strList)->setStyle(nullptr);
}
