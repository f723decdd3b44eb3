#include "ui/base/ControlTable.h"
#include "ui/base/EditColors.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <array>

namespace
{
constexpr std::array<ControlSpec, 4> TABLE{{
    {"group", ControlKind::Group, {2, 2, 60, 40}, {"Group", "组"}},
    {"label", ControlKind::RightLabel, {4, 10, 20, 8}, {"Name", "名称"}},
    {"list", ControlKind::List, {30, 10, 30, 90}, NO_CAPTION},
    {"other", ControlKind::Other, {4, 20, 56, 20}, NO_CAPTION},
}};

// A table makes its controls in order, named, at their template places (a list only as high
// as a closed list), captioned in the language; relabelling switches the captions.
TEST(ControlTable, MakesNamedPlacedControlsAndRelabelsThem)
{
    QWidget window;
    MakeControls(window, TABLE, Language::Chinese,
                 [](const ControlSpec&, QWidget* pParent) { return new QListWidget(pParent); });
    const QObjectList children = window.children();
    ASSERT_EQ(children.size(), qsizetype(TABLE.size()));
    for (std::size_t i = 0; i < TABLE.size(); ++i)
        EXPECT_EQ(children[qsizetype(i)]->objectName(), TABLE[i].pszName) << i;
    EXPECT_EQ(ControlNamed<QLabel>(window, "label")->geometry(), QRect(8, 20, 40, 16));
    EXPECT_EQ(ControlNamed<QLabel>(window, "label")->alignment(),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(ControlNamed<QComboBox>(window, "list")->geometry(), QRect(60, 20, 60, 24));
    EXPECT_NE(ControlNamed<QListWidget>(window, "other"), nullptr);
    EXPECT_EQ(ControlNamed<QGroupBox>(window, "group")->title(), "组");
    EXPECT_EQ(ControlNamed<QLabel>(window, "label")->text(), "名称");

    Relabel(window, TABLE, Language::English);
    EXPECT_EQ(ControlNamed<QGroupBox>(window, "group")->title(), "Group");
    EXPECT_EQ(ControlNamed<QLabel>(window, "label")->text(), "Name");
    EXPECT_EQ(ControlNamed<QComboBox>(window, "label"), nullptr) << "no control of that type";
}

// The colours reach the enabled look only: a disabled box keeps the style's grey.
TEST(EditColors, ColourTheEnabledLookOnly)
{
    QLineEdit box;
    const QPalette before = box.palette();
    SetEditColors(box, MakeRgb(1, 2, 3), MakeRgb(250, 251, 252));
    const QPalette after = box.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        EXPECT_EQ(after.color(group, QPalette::Text), QColor(1, 2, 3));
        EXPECT_EQ(after.color(group, QPalette::Base), QColor(250, 251, 252));
    }
    EXPECT_EQ(after.color(QPalette::Disabled, QPalette::Text),
              before.color(QPalette::Disabled, QPalette::Text));
    EXPECT_EQ(after.color(QPalette::Disabled, QPalette::Base),
              before.color(QPalette::Disabled, QPalette::Base));
}
} // namespace
