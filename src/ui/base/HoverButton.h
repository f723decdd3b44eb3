#pragma once

#include <QPushButton>

struct Rect;
class QPainter;

// The owner-drawn push button of the main window's row, the keyboard and the long-number
// window: a gradient face tinted by hover and focus, an orange frame while the pointer is over
// it, a blue one while it has the focus, and its caption centred.
class CHoverButton : public QPushButton
{
    Q_OBJECT
public:
    // The double-click interval while the pointer rests on a button, so that quick clicks
    // arrive as single clicks.
    static constexpr int HOVER_DOUBLE_CLICK_MS = 5;

    explicit CHoverButton(QWidget* pParent = nullptr);
    ~CHoverButton() override;

    bool IsHover() const { return m_bHover; }

protected:
    virtual void DrawFace(QPainter& painter, const Rect& face);
    virtual void DrawEdgeFrame(QPainter& painter, const Rect& face);

    void paintEvent(QPaintEvent* pEvent) override;
    void enterEvent(QEnterEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;

private:
    void DrawCaption(QPainter& painter, const Rect& face);
    void EndHover();

    bool m_bHover = false;
    bool m_bFocused = false;
    bool m_bActive = false;
    int m_nSavedDoubleClick = 0;
};
