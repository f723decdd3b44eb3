#pragma once

#include <QScrollArea>

// A scrolling view over a window's client area, for a window larger than its screen: the
// window's controls move into it and keep their order, so Tab still reaches each of them in turn,
// and however a control takes the focus (Tab, a click, a key of the window), it comes into view.
// The view follows the client area's place and size; the window's frame paints the background.
class CClientScroller : public QScrollArea
{
    Q_OBJECT
public:
    // Moves the window's controls (its children that are not windows themselves) into the view.
    explicit CClientScroller(QWidget& window);

    // What the view scrolls: the controls' parent.
    QWidget& Controls() { return *widget(); }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void BringIntoView(const QWidget& control);

    QWidget& m_window;
};
