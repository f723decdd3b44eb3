#pragma once

#include "core/base/ColorRef.h"
#include "core/eval/EvalContext.h"
#include "core/graph/CurveSampling.h"
#include "core/graph/CurveSlot.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CRandomGenerator;

// A curve as its console line defined it: slot, expression without white space (for slot 0 the
// part after the interval), and whether it is shown.
struct CurveDefinition
{
    int nSlot = 0;
    bool bShown = false;
    std::string strExpression;

    friend bool operator==(const CurveDefinition&, const CurveDefinition&) = default;
};

// The ten curves of the graph, the shared interval, the vertical range and the axis labels,
// sampled through an evaluator of their own (its variables are not the console's; its angle unit
// is the one the console's evaluator reads). It needs no window: the command-line front end plots
// into it directly.
class CCurveTable
{
public:
    static constexpr int SLOT_COUNT = 10;

    enum Label
    {
        LABEL_TOP,
        LABEL_MIDDLE,
        LABEL_BOTTOM, // vertical axis
        LABEL_LEFT,
        LABEL_CENTRE,
        LABEL_RIGHT, // horizontal axis
        LABEL_COUNT
    };

    // nSamples per curve: the graph always takes CURVE_SAMPLES; fewer (at least 2) let a fuzzer
    // pass through the table thousands of times a second.
    CCurveTable(const ILanguageSource& language, CRandomGenerator& random, const AngleUnit& angle,
                int nSamples = CURVE_SAMPLES);
    CCurveTable(const ILanguageSource&&, CRandomGenerator&, const AngleUnit&,
                int = CURVE_SAMPLES) = delete;
    CCurveTable(const ILanguageSource&, CRandomGenerator&, const AngleUnit&&,
                int = CURVE_SAMPLES) = delete;

    // strText is the console line after its keyword ("0,6,sin(x)" for slot 0, " x*x" for 1..9).
    // Throws CalcError: "missing ','", or the evaluator's error after the axes are brought up to date.
    void PlotCurve(std::string_view strText, int nSlot, bool bShow);
    void ClearCurves();
    void UpdateAxes();
    // Flips shown of a valid slot; the caller runs UpdateAxes.
    void ToggleCurve(int nSlot);
    // Selects a valid slot and shows it (a left click on its block); false for any other slot.
    bool SelectCurve(int nSlot);

    // Every slot that is not empty (failed ones too), in slot order.
    std::vector<CurveDefinition> Definitions() const;
    // Empties the table, then puts back an interval, curves sampled anew over it, and the
    // selection (slot 0 when nSelected is out of range). A curve that fails stays failed, with
    // its shown flag, as one that failed when it was defined.
    void RestoreCurves(double a, double b, int nSelected,
                       const std::vector<CurveDefinition>& curves);
    // The same without sampling: each curve is defined, failed until the returned sampling of
    // its slot is finished.
    std::vector<CCurveSampling> RestoreDefinitions(double a, double b, int nSelected,
                                                   const std::vector<CurveDefinition>& curves);
    // Puts a sampling that is done into its slot, which becomes valid, and brings the axes up
    // to date; false, changing nothing, when the table no longer waits for it.
    bool FinishSampling(const CCurveSampling& sampling);

    // The value of a valid slot's curve at x through the curve evaluator, whose x keeps its value;
    // none for a slot that is not valid, an error or a complex value.
    std::optional<double> ValueAt(int nSlot, double x);

    // The valid slot's samples as lines "x<TAB>y", ready to paste into a spreadsheet; empty for
    // a slot that is not valid.
    std::string SamplesText(int nSlot) const;

    const CurveSlot& Slot(int nSlot) const { return m_slots[std::size_t(nSlot)]; }
    const std::string& LabelText(Label nLabel) const { return m_strLabels[nLabel]; }
    int Selected() const { return m_nSelected; }
    double A() const { return m_dA; }
    double B() const { return m_dB; }
    double Ymax() const { return m_dYmax; }
    double Ymin() const { return m_dYmin; }

    // The curve evaluator: its x is the abscissa.
    CEvalContext& Evaluator() { return m_eval; }
    const CEvalContext& Evaluator() const { return m_eval; }

    static ColorRef CurveColor(int nSlot);

private:
    // Reads a and b from "a,b,F(x)" and returns F(x); re-samples the numbered curves when the
    // interval changes.
    std::string TakeInterval(const std::string& strBuffer);
    double EvaluateBound(const std::string& strText);

    CEvalContext m_eval;
    std::array<CurveSlot, SLOT_COUNT> m_slots;
    double m_dA = 0.0;
    double m_dB = 0.0;
    double m_dYmax = 0.0;
    double m_dYmin = 0.0;
    std::array<std::string, LABEL_COUNT> m_strLabels;
    int m_nSelected = 0;
};

// d as "%6.3g" gives it: three significant digits, right-aligned in six characters, with the
// three-digit exponent and the non-finite texts of the console (-1.23e+010, 1.#INF).
std::string FormatAxisLabel(double d);
// The six labels of a plot of x from a to b and y from dYmin to dYmax, in the order of
// CCurveTable::Label. The middle of the vertical axis halves the rounded top and bottom texts, so
// the three agree with each other.
std::array<std::string, CCurveTable::LABEL_COUNT> AxisLabels(double a, double b, double dYmin,
                                                             double dYmax);
