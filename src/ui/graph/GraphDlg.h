#pragma once

#include "core/graph/CurveTable.h"
#include "ui/base/AuxWindow.h"
#include "ui/base/SaveAs.h"

#include <QFont>
#include <QImage>

#include <string_view>

class CRandomGenerator;

// The graph window: the curves of its curve table with axes, labels, colour blocks and the
// legend of the selected curve. A left click on a block selects and shows that curve, a right
// click hides or shows it, and the window is dragged by any free spot.
class CGraphDlg : public CAuxWindow
{
    Q_OBJECT
public:
    static constexpr int MIN_WIDTH = 130;
    static constexpr int MIN_HEIGHT = 100;

    // language gives the interface language the curve errors are raised in; angle is the unit
    // the console's evaluator reads too.
    CGraphDlg(const ILanguageSource& language, CRandomGenerator& random, const AngleUnit& angle,
              QWidget* pOwner);

    // Throws CalcError; the window repaints in every case.
    void PlotCurve(std::string_view strText, int nSlot, bool bShow);
    void ClearCurves();
    // Tells the window that its curve table changed from outside: it describes and repaints it.
    void CurvesChanged();
    // Puts the selected valid curve's samples on the clipboard as "x<TAB>y" lines; false when
    // the selected slot holds no valid curve.
    bool CopySamples();

    // Tells assistive technology how many curves there are and the selected one's legend.
    void ApplyLanguage() override;
    // The client area as the window shows it: frame, axes, labels, blocks, legend and curves on
    // the window's background, at the client area's size.
    QImage Image() const;
    // The same as an SVG drawing, written through device.
    bool WriteSvg(QIODevice& device) const;
    void CopyImage() const;
    // Asks for a file and writes a PNG or SVG image to it, by the name's suffix or else by the
    // chosen filter (PNG first).
    void SaveImageAs();
    void SetSaveDialogs(SaveDialogs dialogs) { m_dialogs = std::move(dialogs); }

    CCurveTable& Curves() { return m_curves; }
    const CCurveTable& Curves() const { return m_curves; }

signals:
    // Escape hands the keyboard focus to the console before the window hides.
    void ConsoleFocusWanted();

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    QString CopyCaption() const;
    void DescribeCurves();
    // Paints the client area, nWidth x nHeight, with its top-left corner at the painter's origin.
    void PaintClient(QPainter& painter, int nWidth, int nHeight) const;
    QString Tr(const Text& text) const { return QString::fromUtf8(text.In(CurrentLanguage())); }

    CCurveTable m_curves;
    QFont m_font;
    SaveDialogs m_dialogs = SaveDialogs::System();
};
