#pragma once

#include <QObject>
#include <QRect>
#include <QString>

class CFrameSkin;
class QWidget;

// One of the buttons that a skinned frame paints in its window's caption, or the icon that opens
// the window's system menu, as an object that assistive technology can find, read and press
// (AccessibleCaptionButton.h). The frame makes one for each button its window has.
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

    CCaptionButton(CFrameSkin& frame, Kind kind);

    Kind ButtonKind() const { return m_kind; }
    // The framed window; nullptr once the frame has let it go.
    QWidget* Window() const;
    // What the button does, in the frame's language.
    QString Name() const;
    // Where the button is painted, in the window's coordinates.
    QRect Rect() const;
    // Does what a click on the button does.
    void Press();

private:
    CFrameSkin& m_frame;
    const Kind m_kind;
};
