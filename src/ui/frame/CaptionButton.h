#pragma once

#include "core/base/Language.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

// One of the buttons that a skinned frame paints in its window's caption, or the icon that opens
// the window's system menu, as an object that assistive technology can find, read and press
// (AccessibleCaptionButton.h). The button knows nothing of the frame: the frame hands it what it
// reads and does as callbacks (CaptionButtons.h).
class CCaptionButton : public QObject
{
    Q_OBJECT
public:
    enum class Kind
    {
        Close,
        Maximise, // says Restore while the window is maximised
        Minimise,
        SystemMenu,
    };

    // What a button asks of the frame that paints it, at the moment it is asked.
    struct Source
    {
        std::function<Language()> language;
        std::function<bool()> maximised;
        std::function<QRect(Kind)> place; // where the frame paints a button, in window pixels
        std::function<void(Kind)> press;  // what a click on a button does
    };

    // source must outlive the button.
    CCaptionButton(QObject* pParent, Kind kind, QWidget* pWindow, const Source& source);

    Kind ButtonKind() const { return m_kind; }
    // The framed window; nullptr once it is gone.
    QWidget* Window() const { return m_pWindow; }
    // What the button does, in the frame's language.
    QString Name() const;
    // Where the button is painted, in the window's coordinates.
    QRect Rect() const;
    // Does what a click on the button does.
    void Press();

private:
    const Kind m_kind;
    const QPointer<QWidget> m_pWindow;
    const Source& m_source;
};
