#include "ui/base/HoverButton.h"

#include "core/skin/HoverColors.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace
{
constexpr int WIDTH = 45;
constexpr int HEIGHT = 23;

QColor ToColor(const HoverRgb& rgb) { return QColor(rgb.nRed, rgb.nGreen, rgb.nBlue); }

class HoverButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nInterval = QApplication::doubleClickInterval();
        m_window.resize(200, 100);
        m_pButton = new CHoverButton(&m_window);
        m_pButton->setGeometry(10, 10, WIDTH, HEIGHT);
        m_pButton->setText("KeyB");
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    void TearDown() override { QApplication::setDoubleClickInterval(m_nInterval); }

    void Enter()
    {
        QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), QPointF(15, 15));
        QApplication::sendEvent(m_pButton, &enter);
    }
    void Leave()
    {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(m_pButton, &leave);
    }
    QImage Face() { return m_pButton->grab().toImage(); }

    int m_nInterval = 0;
    QWidget m_window;
    CHoverButton* m_pButton = nullptr;
};

TEST_F(HoverButtonTest, DoubleClickIntervalIsShortOnlyWhileThePointerIsOver)
{
    QApplication::setDoubleClickInterval(400);
    auto pButton = std::make_unique<CHoverButton>(&m_window);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(pButton.get(), &enter);
    EXPECT_TRUE(pButton->IsHover());
    EXPECT_EQ(QApplication::doubleClickInterval(), CHoverButton::HOVER_DOUBLE_CLICK_MS);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(pButton.get(), &leave);
    EXPECT_FALSE(pButton->IsHover());
    EXPECT_EQ(QApplication::doubleClickInterval(), 400);

    QApplication::sendEvent(pButton.get(), &enter);
    pButton.reset(); // the program ends with the pointer on the button
    EXPECT_EQ(QApplication::doubleClickInterval(), 400);
}

TEST_F(HoverButtonTest, PointerOverADisabledButtonIsNoHover)
{
    QApplication::setDoubleClickInterval(400);
    m_pButton->setEnabled(false);
    Enter();
    EXPECT_FALSE(m_pButton->IsHover());
    EXPECT_EQ(QApplication::doubleClickInterval(), 400);
    Leave();
    m_pButton->setEnabled(true);
    Enter();
    EXPECT_TRUE(m_pButton->IsHover());
    EXPECT_EQ(QApplication::doubleClickInterval(), CHoverButton::HOVER_DOUBLE_CLICK_MS);
    Leave();
}

TEST_F(HoverButtonTest, FacePaintsTheGradientOfItsState)
{
    const Rect face = HoverShrink({0, 0, WIDTH, HEIGHT});
    const int nRow = face.nTop + face.Height() / 2;
    const int nIndex = nRow * (HOVER_FACE_STEPS - 1) / face.Height();
    constexpr int COLUMN = 7; // clear of the caption and of the edge pens
    m_pButton->clearFocus();

    EXPECT_EQ(Face().pixelColor(COLUMN, nRow), ToColor(HoverFaceColor(false, false, nIndex)))
        << "idle";
    EXPECT_EQ(Face().pixelColor(0, HEIGHT / 2), QColor(Qt::black)) << "outline";

    Enter();
    const QImage hover = Face();
    EXPECT_EQ(hover.pixelColor(COLUMN, nRow), ToColor(HoverFaceColor(true, false, nIndex)))
        << "hover";
    EXPECT_EQ(hover.pixelColor(face.nLeft, HEIGHT / 2), QColor(250, 196, 88)) << "orange left edge";
    Leave();

    m_pButton->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_pButton->hasFocus(); }));
    const QImage focus = Face();
    EXPECT_EQ(focus.pixelColor(COLUMN, nRow), ToColor(HoverFaceColor(false, true, nIndex)))
        << "active";
    EXPECT_EQ(focus.pixelColor(face.nLeft, HEIGHT / 2), QColor(153, 198, 252)) << "blue left edge";
}

TEST_F(HoverButtonTest, CaptionMovesWhenPressedAndDimsWhenDisabled)
{
    const auto inkBounds = [](const QImage& image) {
        QRect bounds;
        for (int y = 3; y < HEIGHT - 3; ++y)
            for (int x = 4; x < WIDTH - 4; ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    };
    const auto darkest = [](const QImage& image) {
        int nDarkest = 255;
        for (int y = 3; y < HEIGHT - 3; ++y)
            for (int x = 4; x < WIDTH - 4; ++x)
                nDarkest = std::min(nDarkest, qGray(image.pixel(x, y)));
        return nDarkest;
    };
    const QImage normal = Face();
    const QRect caption = inkBounds(normal);
    ASSERT_FALSE(caption.isEmpty());
    EXPECT_LE(std::abs(caption.center().x() - WIDTH / 2), 2);
    EXPECT_LE(std::abs(caption.center().y() - HEIGHT / 2), 3);
    m_pButton->setDown(true);
    EXPECT_EQ(inkBounds(Face()), caption.translated(1, 1)) << "pressed";
    m_pButton->setDown(false);

    m_pButton->setEnabled(false);
    const QImage disabled = Face();
    EXPECT_GT(darkest(disabled), darkest(normal)) << "no caption in the normal text colour";
    m_pButton->setText(QString());
    EXPECT_NE(disabled, Face()) << "the caption is still there";
    const Rect face = HoverShrink({0, 0, WIDTH, HEIGHT});
    const int nRow = face.nTop + 2;
    const int nIndex = nRow * (HOVER_FACE_STEPS - 1) / face.Height();
    EXPECT_EQ(disabled.pixelColor(7, nRow), ToColor(HoverFaceColor(false, false, nIndex)))
        << "gradient kept";
}
} // namespace
