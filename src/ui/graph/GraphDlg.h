#pragma once

#include "core/graph/CurveTable.h"
#include "core/graph/GraphLayout.h"
#include "ui/base/QtText.h"
#include "ui/frame/AuxWindow.h"
#include "ui/base/SaveAs.h"

#include <QFont>
#include <QImage>
#include <QThreadPool>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class CRandomGenerator;

// The graph window: the curves of its curve table with axes, labels, colour blocks and the
// legend of the selected curve. A left click on a block selects and shows that curve, a right
// click hides or shows it, and the window is dragged by any free spot. It shows a view of the
// plane: home is the table's interval and range; the wheel and keys zoom, a middle or Ctrl+left
// drag moves it, and the shown curves are then sampled again over the view on a worker thread.
// Over the plot the pointer's coordinates and the selected curve's value there are read out.
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
    ~CGraphDlg() override;

    // How the readout writes a number; the console's precision by default of 12 digits.
    using NumberFormat = std::function<std::string(double)>;
    void SetNumberFormat(NumberFormat format) { m_format = std::move(format); }

    // Throws CalcError; the window repaints in every case.
    void PlotCurve(std::string_view strText, int nSlot, bool bShow);
    void ClearCurves();
    // Tells the window that its curve table changed from outside: it describes and repaints it,
    // keeping the view (sampled again away from home).
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

    // Zooms the view by k (below 1 zooms in) about the client point pt, horizontally by kx and
    // vertically by ky; pt's plane point stays under it.
    void ZoomAt(const QPoint& pt, double kx, double ky);
    // Moves the view by fx of its width to the right and fy of its height upward.
    void PanBy(double fx, double fy);
    // Back to the table's interval and range, drawn from the stored samples.
    void GoHome();
    bool IsHome() const { return m_bHome; }
    // The layout of the client area as now shown.
    CGraphLayout ClientLayout() const;
    // What is read off the plot at the pointer; none while it is not over the plot.
    const std::optional<GraphReadout>& Readout() const { return m_readout; }

    CCurveTable& Curves() { return m_curves; }
    const CCurveTable& Curves() const { return m_curves; }

signals:
    // Escape hands the keyboard focus to the console before the window hides.
    void ConsoleFocusWanted();
    // The curves of the view have been sampled over it and are drawn.
    void ViewSampled();

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    QString CopyCaption() const;
    void DescribeCurves();
    // Paints the client area, nWidth x nHeight, with its top-left corner at the painter's origin;
    // the readout only on the window, never in an exported image.
    void PaintClient(QPainter& painter, int nWidth, int nHeight, bool bReadout = false) const;
    CGraphLayout LayoutOf(int nWidth, int nHeight) const;
    bool ViewKey(int nKey);
    // Leaves home for view; ViewChanged then has the shown curves sampled over it.
    void ShowView(const GraphView& view);
    void ViewChanged();
    // Starts sampling the shown curves over the view on the worker; a sampling still running is
    // cancelled and whatever it would deliver dropped.
    void SampleView();
    void TakeSamples(std::uint64_t nGeneration, std::shared_ptr<const ViewSamples> pSamples);
    void CancelSampling();
    // Reads the plot at the pointer again (after it, the view or the curves changed).
    void UpdateReadout();
    // After a change of the curves: home when the table's interval or a curve may have changed.
    void CurvesChanged(bool bHome);
    QString Tr(const Text& text) const { return QtText(text, CurrentLanguage()); }

    CCurveTable m_curves;
    QFont m_font;
    SaveDialogs m_dialogs = SaveDialogs::System();
    NumberFormat m_format;
    bool m_bHome = true;
    ViewedCurves m_viewed;
    std::uint64_t m_nGeneration = 0;
    std::shared_ptr<std::atomic<bool>> m_pCancel;
    std::optional<QPoint> m_ptPointer; // in client pixels, while over the window
    std::optional<QPoint> m_ptPan;     // the last point of a drag that moves the view
    std::optional<GraphReadout> m_readout;
    // One sampling at a time; the destructor waits for it.
    QThreadPool m_pool;
};
