#include "core/graph/CurveTable.h"

#include "core/base/CharClass.h"
#include "core/eval/CalcError.h"
#include "core/eval/Messages.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace
{
constexpr std::array<ColorRef, CCurveTable::SLOT_COUNT> CURVE_COLORS = {
    MakeRgb(0, 0, 200),   MakeRgb(0, 200, 0),   MakeRgb(200, 0, 0), MakeRgb(0, 200, 200),
    MakeRgb(200, 0, 200), MakeRgb(0, 0, 100),   MakeRgb(0, 100, 0), MakeRgb(100, 0, 0),
    MakeRgb(100, 0, 100), MakeRgb(100, 100, 0),
};
constexpr int LABEL_DIGITS = 3;
constexpr std::size_t LABEL_WIDTH = 6;

// The text up to its first NUL with every white-space character left out.
std::string WithoutSpace(std::string_view strText)
{
    std::string strBuffer;
    for (char ch : strText) {
        if (ch == '\0')
            break;
        if (!IsBlank(ch))
            strBuffer += ch;
    }
    return strBuffer;
}

// The index of the ")" that closes the "(" at nOpen, or the end of the text when none does.
std::size_t MatchingParen(const std::string& strText, std::size_t nOpen)
{
    int nDepth = 0;
    for (std::size_t i = nOpen; i < strText.size(); ++i) {
        nDepth += strText[i] == '(' ? 1 : strText[i] == ')' ? -1 : 0;
        if (nDepth == 0)
            return i;
    }
    return strText.size();
}

// The number at the start of a label, as the C library's atof reads it: leading white space,
// then the longest decimal prefix ("1.#INF" reads as 1); 0 when there is none.
double ReadLabel(const std::string& strLabel)
{
    std::size_t i = 0;
    while (i < strLabel.size() && IsBlank(strLabel[i]))
        ++i;
    double d = 0.0;
    const auto res = std::from_chars(strLabel.data() + i, strLabel.data() + strLabel.size(), d);
    return res.ec == std::errc() ? d : 0.0;
}

void AppendNumber(std::string& strText, double d)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, d);
    strText.append(buf, res.ptr);
}
} // namespace

std::string FormatAxisLabel(double d)
{
    std::string strText = FormatGeneral(d, LABEL_DIGITS);
    if (strText.size() < LABEL_WIDTH)
        strText.insert(0, LABEL_WIDTH - strText.size(), ' ');
    return strText;
}

CCurveTable::CCurveTable(const ILanguageSource& language, CRandomGenerator& random,
                         const AngleUnit& angle, int nSamples)
    : m_eval(language, random, angle)
{
    for (CurveSlot& slot : m_slots)
        slot.samples.assign(std::size_t(std::max(nSamples, 2)), 0.0);
}

ColorRef CCurveTable::CurveColor(int nSlot) { return CURVE_COLORS.at(std::size_t(nSlot)); }

void CCurveTable::PlotCurve(std::string_view strText, int nSlot, bool bShow)
{
    CurveSlot& slot = m_slots.at(std::size_t(nSlot));
    // A live run only refreshes curves that are on screen.
    if (!bShow && !slot.shown)
        return;
    const std::string strBuffer = WithoutSpace(strText);
    const std::string strCurve = nSlot == 0 ? TakeInterval(strBuffer) : strBuffer;

    std::optional<CalcError> error;
    try {
        slot.SampleCurve(m_eval, &strCurve, m_dA, m_dB);
    } catch (const CalcError& sampleError) {
        error = sampleError;
    }
    if (bShow && slot.state == CurveState::Valid) {
        slot.shown = true;
        UpdateAxes();
    }
    if (error)
        throw *error;
}

std::string CCurveTable::TakeInterval(const std::string& strBuffer)
{
    std::array<std::size_t, 2> nCommas{};
    std::size_t nFound = 0;
    for (std::size_t i = 0; i < strBuffer.size() && nFound < nCommas.size(); ++i) {
        if (strBuffer[i] == '(')
            i = MatchingParen(strBuffer, i);
        else if (strBuffer[i] == ',')
            nCommas[nFound++] = i;
    }
    if (nFound < nCommas.size())
        m_eval.Raise(msg::MISSING_COMMA);

    const double dOldA = m_dA;
    const double dOldB = m_dB;
    m_dA = EvaluateBound(strBuffer.substr(0, nCommas[0]));
    m_dB = EvaluateBound(strBuffer.substr(nCommas[0] + 1, nCommas[1] - nCommas[0] - 1));
    if (m_dA != dOldA || m_dB != dOldB) {
        for (std::size_t i = 1; i < m_slots.size(); ++i) {
            if (m_slots[i].state == CurveState::Empty)
                continue;
            try {
                m_slots[i].SampleCurve(m_eval, nullptr, m_dA, m_dB);
            } catch (const CalcError&) {
                // The slot stays failed and drops out of the plot until an interval suits it.
            }
        }
    }
    return strBuffer.substr(nCommas[1] + 1);
}

double CCurveTable::EvaluateBound(const std::string& strText)
{
    return RequireReal(m_eval.EvaluateExpression(strText.c_str(), strText.size()));
}

void CCurveTable::UpdateAxes()
{
    bool bFirst = true;
    for (const CurveSlot& slot : m_slots) {
        if (!slot.shown || slot.state != CurveState::Valid)
            continue;
        if (bFirst) {
            m_dYmax = slot.yMax;
            m_dYmin = slot.yMin;
            bFirst = false;
        }
        if (m_dYmax < slot.yMax)
            m_dYmax = slot.yMax;
        if (m_dYmin > slot.yMin)
            m_dYmin = slot.yMin;
    }
    m_strLabels = AxisLabels(m_dA, m_dB, m_dYmin, m_dYmax);
}

std::array<std::string, CCurveTable::LABEL_COUNT> AxisLabels(double a, double b, double dYmin,
                                                             double dYmax)
{
    std::array<std::string, CCurveTable::LABEL_COUNT> labels;
    labels[CCurveTable::LABEL_TOP] = FormatAxisLabel(dYmax);
    labels[CCurveTable::LABEL_BOTTOM] = FormatAxisLabel(dYmin);
    labels[CCurveTable::LABEL_MIDDLE] = FormatAxisLabel(
        (ReadLabel(labels[CCurveTable::LABEL_TOP]) + ReadLabel(labels[CCurveTable::LABEL_BOTTOM])) /
        2);
    labels[CCurveTable::LABEL_LEFT] = FormatAxisLabel(a);
    labels[CCurveTable::LABEL_CENTRE] = FormatAxisLabel((a + b) / 2);
    labels[CCurveTable::LABEL_RIGHT] = FormatAxisLabel(b);
    return labels;
}

void CCurveTable::ClearCurves()
{
    for (CurveSlot& slot : m_slots)
        slot.Reset();
    UpdateAxes();
    for (std::string& strLabel : m_strLabels)
        strLabel.clear();
}

void CCurveTable::ToggleCurve(int nSlot)
{
    CurveSlot& slot = m_slots.at(std::size_t(nSlot));
    if (slot.state == CurveState::Valid)
        slot.shown = !slot.shown;
}

bool CCurveTable::SelectCurve(int nSlot)
{
    CurveSlot& slot = m_slots.at(std::size_t(nSlot));
    if (slot.state != CurveState::Valid)
        return false;
    m_nSelected = nSlot;
    slot.shown = true;
    UpdateAxes();
    return true;
}

std::vector<CurveDefinition> CCurveTable::Definitions() const
{
    std::vector<CurveDefinition> curves;
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].state != CurveState::Empty)
            curves.push_back({int(i), m_slots[i].shown, m_slots[i].expression});
    return curves;
}

void CCurveTable::RestoreCurves(double a, double b, int nSelected,
                                const std::vector<CurveDefinition>& curves)
{
    for (CCurveSampling& sampling : RestoreDefinitions(a, b, nSelected, curves)) {
        try {
            sampling.Advance(m_eval, {});
            FinishSampling(sampling);
        } catch (const CalcError&) {
            // Kept as failed: sampled again when the interval changes, as before the restart.
        }
    }
}

std::vector<CCurveSampling> CCurveTable::RestoreDefinitions(
    double a, double b, int nSelected, const std::vector<CurveDefinition>& curves)
{
    ClearCurves();
    m_dA = a;
    m_dB = b;
    m_nSelected = nSelected >= 0 && nSelected < SLOT_COUNT ? nSelected : 0;
    std::vector<CCurveSampling> samplings;
    for (const CurveDefinition& curve : curves) {
        CurveSlot& slot = m_slots.at(std::size_t(curve.nSlot));
        slot.state = CurveState::Failed;
        slot.expression = curve.strExpression;
        slot.legend = "y = " + slot.expression + "  ";
        slot.from = a;
        slot.to = b;
        slot.shown = curve.bShown;
        samplings.emplace_back(curve.nSlot, curve.strExpression, a, b, int(slot.samples.size()));
    }
    // Labels appear once a curve has been drawn; an empty table keeps them empty.
    if (!curves.empty())
        UpdateAxes();
    return samplings;
}

bool CCurveTable::FinishSampling(const CCurveSampling& sampling)
{
    if (!sampling.IsDone() || !sampling.IsAwaitedBy(*this))
        return false;
    CurveSlot& slot = m_slots.at(std::size_t(sampling.Slot()));
    slot.samples = sampling.Samples();
    slot.yMax = sampling.YMax();
    slot.yMin = sampling.YMin();
    slot.state = CurveState::Valid;
    UpdateAxes();
    return true;
}

std::optional<double> CCurveTable::ValueAt(int nSlot, double x)
{
    const CurveSlot& slot = m_slots.at(std::size_t(nSlot));
    if (slot.state != CurveState::Valid)
        return std::nullopt;
    CalcValue& variable = m_eval.Variable("x");
    const CalcValue saved = variable;
    std::optional<double> value;
    try {
        variable = CalcValue(x, 0.0);
        value =
            RequireReal(m_eval.EvaluateExpression(slot.expression.c_str(), slot.expression.size()));
    } catch (const CalcError&) {
        // No value there: the readout leaves it out.
    }
    m_eval.Variable("x") = saved;
    return value;
}

std::string CCurveTable::SamplesText(int nSlot) const
{
    const CurveSlot& slot = m_slots.at(std::size_t(nSlot));
    if (slot.state != CurveState::Valid)
        return {};
    std::vector<double> abscissas;
    CurveAbscissas(slot.from, slot.to, int(slot.samples.size()), abscissas);
    std::string strText;
    strText.reserve(abscissas.size() * 48);
    for (std::size_t i = 0; i < abscissas.size(); ++i) {
        AppendNumber(strText, abscissas[i]);
        strText += '\t';
        AppendNumber(strText, slot.samples[i]);
        strText += '\n';
    }
    return strText;
}
