#pragma once

#include "core/skin/FrameGeometry.h"
#include "ui/frame/CaptionButton.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

// The caption buttons of one framed window, in the order a reader meets them from the right:
// close, maximise, minimise, then the icon on the left. A frame makes it a child of its window,
// where assistive technology looks for it (FrameAccessibility.h).
class CCaptionButtons : public QObject
{
    Q_OBJECT
public:
    CCaptionButtons(QObject* pParent, CCaptionButton::Source source);
    // The buttons read the source: they go first.
    ~CCaptionButtons() override { Reset(nullptr, {}); }

    // Makes the buttons that a window of style shows; none for no window.
    void Reset(QWidget* pWindow, const FrameStyle& style);
    // The window the buttons belong to; nullptr while there is none.
    QWidget* Window() const { return m_pWindow; }
    const std::vector<CCaptionButton*>& Buttons() const { return m_buttons; }
    // Tells assistive technology that the buttons' names may have changed (language, maximised
    // state).
    void Rename() const;

private:
    const CCaptionButton::Source m_source;
    QPointer<QWidget> m_pWindow;
    std::vector<CCaptionButton*> m_buttons;
};
