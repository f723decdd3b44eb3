#include "ui/graph/GraphDlg.h"

#include "core/eval/RandomGenerator.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>

namespace
{
constexpr int WIDTH = 496;
constexpr int HEIGHT = 424;
constexpr int SAMPLING_WAIT_MS = 10000;

class GraphViewTest : public ::testing::Test
{
protected:
    GraphViewTest()
    {
        dlg.resize(WIDTH, HEIGHT);
        dlg.show();
        dlg.PlotCurve("0,360,sin(x)", 0, true);
    }

    // A point of the client area as the window's own coordinates.
    QPoint Local(const QPoint& pt) { return pt + dlg.contentsRect().topLeft(); }

    void Wheel(const QPoint& pt, int nDelta, Qt::KeyboardModifiers modifiers = {})
    {
        QWheelEvent event(Local(pt), dlg.mapToGlobal(Local(pt)), QPoint(), QPoint(0, nDelta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&dlg, &event);
    }

    void Mouse(QEvent::Type type, const QPoint& pt, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = {})
    {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, Local(pt), dlg.mapToGlobal(Local(pt)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, buttons, modifiers);
        QApplication::sendEvent(&dlg, &event);
    }

    void Drag(const QPoint& from, const QPoint& to, Qt::MouseButton button,
              Qt::KeyboardModifiers modifiers)
    {
        Mouse(QEvent::MouseButtonPress, from, button, modifiers);
        Mouse(QEvent::MouseMove, to, button, modifiers);
        Mouse(QEvent::MouseButtonRelease, to, button, modifiers);
    }

    FixedLanguage language{Language::English};
    CRandomGenerator random;
    AngleUnit angle;
    CGraphDlg dlg{language, random, angle, nullptr};
};

TEST_F(GraphViewTest, WheelKeepsThePointUnderThePointerAndHomeBringsBackTheSameImage)
{
    const QImage home = dlg.Image();
    const QPoint pt(200, 150);
    const CGraphLayout before = dlg.ClientLayout();
    QSignalSpy sampled(&dlg, &CGraphDlg::ViewSampled);
    Wheel(pt, 120);
    const CGraphLayout after = dlg.ClientLayout();
    EXPECT_NEAR(after.XAt(pt.x()), before.XAt(pt.x()), 1e-9);
    EXPECT_NEAR(after.YAt(pt.y()), before.YAt(pt.y()), 1e-12);
    EXPECT_LT(after.View().x1 - after.View().x0, 360.0);
    ASSERT_TRUE(sampled.wait(SAMPLING_WAIT_MS));
    EXPECT_NE(dlg.Image(), home);

    QTest::keyClick(&dlg, Qt::Key_Home);
    EXPECT_TRUE(dlg.IsHome());
    EXPECT_EQ(dlg.Image(), home);
}

TEST_F(GraphViewTest, AnEnterRunBringsTheViewHomeALiveRunOfTheSameCurveKeepsIt)
{
    QTest::keyClick(&dlg, Qt::Key_Plus);
    const GraphView zoomed = dlg.ClientLayout().View();
    dlg.PlotCurve("0,360,sin(x)", 0, false);
    EXPECT_EQ(dlg.ClientLayout().View(), zoomed);
    dlg.PlotCurve("0,360,sin(x)", 0, true);
    EXPECT_TRUE(dlg.IsHome());
    QTest::keyClick(&dlg, Qt::Key_Plus);
    dlg.PlotCurve("0,180,sin(x)", 0, false);
    EXPECT_TRUE(dlg.IsHome()) << "a new interval";
}

TEST_F(GraphViewTest, GesturesAndKeysMoveTheViewAndAPlainDragLeavesIt)
{
    const GraphView home = dlg.ClientLayout().View();
    const int W = dlg.ClientLayout().PlotWidth();
    const int nMargin = dlg.ClientLayout().Margin();
    const QPoint centre(nMargin + W / 2, 40 + dlg.ClientLayout().PlotHeight() / 2);
    const struct
    {
        const char* pszName;
        std::function<void()> gesture;
        std::function<bool(const GraphView&)> expected;
    } cases[] = {
        {"+ zooms in about the centre", [&] { QTest::keyClick(&dlg, Qt::Key_Plus); },
         [&](const GraphView& v) {
             return v.x1 - v.x0 < 360 && std::abs((v.x0 + v.x1) / 2 - 180) < 1e-9;
         }},
        {"- zooms out", [&] { QTest::keyClick(&dlg, Qt::Key_Minus); },
         [&](const GraphView& v) { return v.x1 - v.x0 > 360 && v.y1 - v.y0 > 2; }},
        {"the right arrow moves by a tenth", [&] { QTest::keyClick(&dlg, Qt::Key_Right); },
         [&](const GraphView& v) { return v.x0 == 36 && v.x1 == 396 && v.y1 == home.y1; }},
        {"the up arrow too", [&] { QTest::keyClick(&dlg, Qt::Key_Up); },
         [&](const GraphView& v) { return v.x0 == 0 && v.y1 > home.y1; }},
        {"Ctrl and the wheel zoom x only", [&] { Wheel(centre, 120, Qt::ControlModifier); },
         [&](const GraphView& v) { return v.x1 - v.x0 < 360 && v.y0 == home.y0; }},
        {"Shift and the wheel zoom y only", [&] { Wheel(centre, 120, Qt::ShiftModifier); },
         [&](const GraphView& v) { return v.x0 == 0 && v.y1 < home.y1; }},
        {"a middle drag moves the plane along",
         [&] { Drag(centre, centre + QPoint(W / 4, 0), Qt::MiddleButton, {}); },
         [&](const GraphView& v) { return std::abs(v.x0 + 90) < 1 && v.y0 == home.y0; }},
        {"so does a left drag with Ctrl",
         [&] { Drag(centre, centre + QPoint(0, 20), Qt::LeftButton, Qt::ControlModifier); },
         [&](const GraphView& v) { return v.x0 == 0 && v.y0 > home.y0; }},
        {"a plain left drag moves the window, not the view",
         [&] { Drag(centre, centre + QPoint(W / 4, 0), Qt::LeftButton, {}); },
         [&](const GraphView& v) { return v == home; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        QTest::keyClick(&dlg, Qt::Key_Home);
        c.gesture();
        const GraphView v = dlg.ClientLayout().View();
        EXPECT_TRUE(c.expected(v)) << v.x0 << ".." << v.x1 << ", " << v.y0 << ".." << v.y1;
    }
}

TEST_F(GraphViewTest, ReadsTheSelectedCurveUnderThePointerOnlyOverThePlot)
{
    // One degree a pixel.
    const QSize size(WIDTH + 360 - dlg.ClientLayout().PlotWidth(), HEIGHT);
    dlg.resize(size);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg.size() == size; }));
    const CGraphLayout layout = dlg.ClientLayout();
    ASSERT_EQ(layout.PlotWidth(), 360);

    Mouse(QEvent::MouseMove, QPoint(layout.Margin() + 90, 100), Qt::NoButton);
    ASSERT_TRUE(dlg.Readout());
    EXPECT_EQ(dlg.Readout()->value, 1.0);
    EXPECT_TRUE(dlg.Readout()->text.starts_with("x = 90   y = ")) << dlg.Readout()->text;
    EXPECT_TRUE(dlg.Readout()->text.ends_with("   fx = 1")) << dlg.Readout()->text;
    EXPECT_TRUE(dlg.accessibleDescription().contains("fx = 1"));
    EXPECT_TRUE(dlg.accessibleDescription().contains("View: x from 0 to 360"));

    Mouse(QEvent::MouseMove, QPoint(22, 22), Qt::NoButton);
    EXPECT_FALSE(dlg.Readout());
    EXPECT_FALSE(dlg.accessibleDescription().contains("fx = "));
}
} // namespace
