#include "ui/graph/GraphDlg.h"

#include "core/eval/RandomGenerator.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace
{
constexpr int WIDTH = 496;
constexpr int HEIGHT = 424;
constexpr int MARGIN = 68; // "     1" and "    -1" are six characters wide
constexpr int PLOT_W = WIDTH - MARGIN - 30;
constexpr int PLOT_BOTTOM = HEIGHT - 30;
const QColor BLUE(0, 0, 200);  // slot 0
const QColor GREEN(0, 200, 0); // slot 1

class GraphDlgTest : public ::testing::Test
{
protected:
    GraphDlgTest()
    {
        dlg.resize(WIDTH, HEIGHT);
        dlg.show();
        dlg.PlotCurve("0,360,sin(x)", 0, true);
        dlg.PlotCurve(" cos(x)", 1, true);
    }

    QImage Grab() { return dlg.grab().toImage(); }

    // Whether any pixel of the colour lies within the box around (x, y).
    static bool Near(const QImage& image, int x, int y, int nRadius, const QColor& color)
    {
        for (int dy = -nRadius; dy <= nRadius; ++dy)
            for (int dx = -nRadius; dx <= nRadius; ++dx)
                if (image.pixelColor(x + dx, y + dy) == color)
                    return true;
        return false;
    }

    static int Count(const QImage& image, const QColor& color)
    {
        int n = 0;
        for (int y = 40; y <= PLOT_BOTTOM; ++y)
            for (int x = MARGIN + 1; x < MARGIN + PLOT_W; ++x)
                n += image.pixelColor(x, y) == color;
        return n;
    }

    // The pixel column of an angle in [0, 360] on the horizontal axis.
    static int Column(double dDegrees) { return MARGIN + int(dDegrees / 360 * PLOT_W); }

    void Click(Qt::MouseButton button, int x, int y)
    {
        QTest::mouseClick(&dlg, button, {}, QPoint(x, y));
    }

    FixedLanguage language{Language::English};
    CRandomGenerator random;
    AngleUnit angle;
    CGraphDlg dlg{language, random, angle, nullptr};
};

TEST_F(GraphDlgTest, PaintsAxesBlocksAndCurvesWhereTheyBelong)
{
    ASSERT_EQ(dlg.size(), QSize(WIDTH, HEIGHT));
    const QImage image = Grab();
    // Axes: the vertical one at the margin, the horizontal one at the bottom of the plot.
    for (int y : {60, 150, 300})
        EXPECT_EQ(image.pixelColor(MARGIN, y), QColor(Qt::black)) << y;
    for (int x : {MARGIN + 40, MARGIN + 200, WIDTH - 30})
        EXPECT_EQ(image.pixelColor(x, PLOT_BOTTOM), QColor(Qt::black)) << x;
    EXPECT_EQ(image.pixelColor(MARGIN - 1, 200), QColor(Qt::white));
    // Plot area white, frame shadow at its top left.
    EXPECT_EQ(image.pixelColor(WIDTH - 12, 30), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(10, 100), QColor(115, 109, 99));

    // Blocks: slot 0 selected in its own colour, slot 1 brightened.
    EXPECT_EQ(image.pixelColor(22, 22), BLUE);
    EXPECT_EQ(image.pixelColor(42, 22), QColor(48, 248, 48));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::black)); // sunken: dark top left
    EXPECT_EQ(image.pixelColor(35, 20), QColor(Qt::white)); // raised: light top left
    EXPECT_EQ(image.pixelColor(62, 22), image.pixelColor(62, 35));

    // sin peaks at 90 degrees on the top of the plot and bottoms out at 270; cos the other way.
    EXPECT_TRUE(Near(image, Column(90), 40, 2, BLUE));
    EXPECT_FALSE(Near(image, Column(90), PLOT_BOTTOM - 2, 2, BLUE));
    EXPECT_TRUE(Near(image, Column(270), PLOT_BOTTOM, 2, BLUE));
    EXPECT_TRUE(Near(image, Column(180), PLOT_BOTTOM, 2, GREEN));
    EXPECT_TRUE(Near(image, Column(90), 40 + (PLOT_BOTTOM - 40) / 2, 2, GREEN));
    EXPECT_FALSE(Near(image, Column(180), 40, 3, GREEN));
}

TEST_F(GraphDlgTest, LeftClickSelectsRightClickHidesAndShows)
{
    Click(Qt::LeftButton, 42, 22);
    EXPECT_EQ(dlg.Curves().Selected(), 1);
    QImage image = Grab();
    EXPECT_EQ(image.pixelColor(22, 22), QColor(48, 48, 248));
    EXPECT_EQ(image.pixelColor(42, 22), GREEN);

    // Blocks of empty slots and the gaps between blocks select nothing.
    Click(Qt::LeftButton, 102, 22);
    Click(Qt::LeftButton, 32, 22);
    EXPECT_EQ(dlg.Curves().Selected(), 1);

    const int nGreen = Count(image, GREEN);
    EXPECT_GT(nGreen, PLOT_W);
    Click(Qt::RightButton, 42, 22);
    EXPECT_FALSE(dlg.Curves().Slot(1).shown);
    EXPECT_EQ(dlg.Curves().Selected(), 1);
    image = Grab();
    EXPECT_EQ(Count(image, GREEN), 0);
    EXPECT_GT(Count(image, BLUE), PLOT_W);
    EXPECT_EQ(image.pixelColor(42, 22), GREEN); // the block stays

    Click(Qt::RightButton, 42, 22);
    EXPECT_TRUE(dlg.Curves().Slot(1).shown);
    EXPECT_EQ(Count(Grab(), GREEN), nGreen);

    // A left click on the block of a hidden curve shows it again.
    Click(Qt::RightButton, 22, 22);
    EXPECT_EQ(Count(Grab(), BLUE), 0);
    Click(Qt::LeftButton, 22, 22);
    EXPECT_TRUE(dlg.Curves().Slot(0).shown);
    EXPECT_GT(Count(Grab(), BLUE), PLOT_W);
}

TEST_F(GraphDlgTest, EscapeHandsTheFocusToTheConsoleAndHides)
{
    QSignalSpy spy(&dlg, &CGraphDlg::ConsoleFocusWanted);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.Curves().Slot(0).state, CurveState::Valid);
}

TEST_F(GraphDlgTest, CopyPutsTheSelectedCurvesSamplesOnTheClipboard)
{
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&dlg, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), CURVE_SAMPLES);
    EXPECT_EQ(lines.front(), "0\t0");
    EXPECT_TRUE(lines.back().startsWith("360\t")) << lines.back().toStdString();
    EXPECT_NEAR(lines[2500].section('\t', 1).toDouble(), 1.0, 1e-6);

    dlg.ClearCurves();
    EXPECT_FALSE(dlg.CopySamples());
}
// Column of the vertical axis: the first black pixel from the left on a row inside the plot.
int AxisColumn(const QImage& image, int y)
{
    for (int x = 11; x < image.width(); ++x)
        if (image.pixelColor(x, y) == QColor(Qt::black))
            return x;
    return -1;
}

TEST_F(GraphDlgTest, AtSmallSizesTheLegendAndTheLabelsStayClear)
{
    dlg.PlotCurve("-1,1,x*1e10+sin(x)*cos(x)*sin(x)*cos(x)", 0, true);
    for (const QSize& size : {QSize(130, 100), QSize(180, 140), QSize(WIDTH, HEIGHT)}) {
        SCOPED_TRACE(size.width());
        dlg.resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return dlg.size() == size; }));
        const QImage image = Grab();
        const int R = size.width();
        // The legend ends before the frame: its white and light edges stay on its rows.
        for (int y = 16; y < 30; ++y) {
            EXPECT_EQ(image.pixelColor(R - 10, y), QColor(Qt::white)) << y;
            EXPECT_EQ(image.pixelColor(R - 9, y), QColor(237, 239, 231)) << y;
        }
        // Left of the axis only the ticks are drawn between the labels and the axis line.
        const int nPlotBottom = size.height() - 30;
        const int nAxis = AxisColumn(image, 45);
        ASSERT_GT(nAxis, 0);
        const int nMiddle = 40 + (nPlotBottom - 40) / 2;
        for (int y = 30; y < nPlotBottom + 5; ++y) {
            if (y == 40 || y == nMiddle || y == nPlotBottom)
                continue;
            for (int x = nAxis - 7; x < nAxis; ++x)
                ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
        }
    }
}
} // namespace
