#pragma once

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

class CEvalContext;

constexpr int CURVE_SAMPLES = 10000;

enum class CurveState : int
{
    Empty = 0,
    Failed = 1, // sampling begun and not completed
    Valid = 2,
};

// Thrown by a sampling whose cancel flag was raised; the slot is then left Failed.
struct SamplingCancelled
{};

// One curve of the graph: its text and its samples over the shared interval, kept so that
// painting never evaluates anything.
struct CurveSlot
{
    std::vector<double> samples; // CURVE_SAMPLES of them, sized by the curve table
    double yMax = 0.0;
    double yMin = 0.0;
    bool shown = false;
    CurveState state = CurveState::Empty;
    std::string legend;     // "y = " + expression + "  "
    std::string expression; // the curve's text without white space
    // The interval of the last sampling, so the abscissas of the samples can be told again.
    double from = 0.0;
    double to = 0.0;

    void Reset();

    // Samples pText (or the stored expression when it is null) at samples.size() abscissas (at
    // least 2) from a to b through eval's variable x. Throws CalcError; the slot then stays
    // Failed and x keeps the failing abscissa, otherwise x gets its old real value back. With
    // pCancel, looks at the flag now and then and throws SamplingCancelled once it is raised.
    void SampleCurve(CEvalContext& eval, const std::string* pText, double a, double b,
                     const std::atomic<bool>* pCancel = nullptr);
};

// The abscissas of the samples over [a, b], one after another: repeated addition of
// (b - a) / (nCount - 1) from a, so rounding builds up along the interval exactly as the samples
// are taken, and any value reaching b pulled back just below it.
class CAbscissaSteps
{
public:
    CAbscissaSteps(double a, double b, int nCount)
        : m_dB(b), m_dStep((b - a) / (nCount - 1)), m_dX(a)
    {}

    double Next()
    {
        if (m_dX >= m_dB)
            m_dX = m_dB / END_DIVISOR;
        const double x = m_dX;
        m_dX = m_dX + m_dStep;
        return x;
    }

private:
    // b / (1 + 45 * 2^-52): just inside the interval.
    static constexpr double END_DIVISOR = 1.00000000000001;
    static_assert(END_DIVISOR == 1.0 + 45 * 0x1p-52);

    double m_dB;
    double m_dStep;
    double m_dX;
};

// The nCount abscissas SampleCurve uses over [a, b], in sample order: repeated addition of
// (b - a) / (nCount - 1) from a, any value reaching b pulled back just below it, the last exactly b.
void CurveAbscissas(double a, double b, int nCount, std::vector<double>& abscissas);
