#include "core/eval/BuiltinFunctions.h"

#include "core/base/CharClass.h"
#include "core/eval/EvalContext.h"
#include "core/eval/MathConstants.h"
#include "core/eval/Messages.h"
#include "core/eval/RandomGenerator.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <strings.h>

namespace
{
constexpr double TWO_PI = 2 * PI;
constexpr double DEG_TO_RAD = PI / 180;
constexpr double FORCE_FACTOR = 0.0785398163397;
constexpr double TORQUE_FACTOR = 9549;
constexpr double RANDOM_DIVISOR = 4294967295.0;

using Value = const CalcValue&;

// A function that calls no library function passes a NaN through with its sign as it is; the real
// library calls go through LibraryResult, so only their domain errors set the sign bit.
CalcValue Real(double d) { return {d, 0.0}; }

// Inverse functions give degrees as radians * 360 / two pi.
CalcValue FromRadians(const CEvalContext& eval, double dRadians)
{
    return Real(eval.IsDegrees() ? dRadians * 360.0 / TWO_PI : dRadians);
}

CalcValue ToRadians(const CEvalContext& eval, Value x)
{
    return eval.IsDegrees() ? x * DEG_TO_RAD : x;
}

// The whole turns of a degree argument are removed in 32-bit integer arithmetic, as the
// conversion instruction does: out of range (and NaN) gives INT_MIN, and 360 * q wraps.
double ReduceDegrees(double r)
{
    const double dTurns = std::trunc(r / 360.0);
    const std::int32_t nTurns = dTurns >= -2147483648.0 && dTurns <= 2147483647.0
                                    ? static_cast<std::int32_t>(dTurns)
                                    : INT32_MIN;
    const auto nProduct = static_cast<std::int32_t>(360u * static_cast<std::uint32_t>(nTurns));
    return r - nProduct;
}

double Magnitude(Value x) { return cplx::Abs(x); }

CalcValue Abs(CEvalContext&, Value x, Value) { return Real(Magnitude(x)); }
CalcValue Acos(CEvalContext& e, Value x, Value)
{
    const double r = RequireReal(x);
    return FromRadians(e, LibraryResult(std::acos(r), r));
}
CalcValue Asin(CEvalContext& e, Value x, Value)
{
    const double r = RequireReal(x);
    return FromRadians(e, LibraryResult(std::asin(r), r));
}
CalcValue Atan(CEvalContext& e, Value x, Value)
{
    const double r = RequireReal(x);
    return FromRadians(e, LibraryResult(std::atan(r), r));
}
CalcValue Area(CEvalContext&, Value x, Value) { return Real(Magnitude(x) * Magnitude(x) * PI / 4); }
CalcValue Cosh(CEvalContext&, Value x, Value) { return cplx::Cosh(x); }
CalcValue Exp(CEvalContext&, Value x, Value) { return cplx::Exp(x); }
CalcValue Forc(CEvalContext&, Value x, Value y) { return x * x * FORCE_FACTOR * y; }
CalcValue Im(CEvalContext&, Value x, Value) { return Real(x.im); }
CalcValue Re(CEvalContext&, Value x, Value) { return Real(x.re); }
CalcValue Sinh(CEvalContext&, Value x, Value) { return cplx::Sinh(x); }
CalcValue Sqr(CEvalContext&, Value x, Value) { return cplx::Sqrt(x); }
CalcValue Pow(CEvalContext&, Value x, Value y) { return cplx::Pow(x, y); }
CalcValue Norm(CEvalContext&, Value x, Value)
{
    const double dSquares = x.re * x.re + x.im * x.im;
    return Real(LibraryResult(std::sqrt(dSquares), dSquares));
}
CalcValue Fact(CEvalContext& e, Value x, Value) { return Real(e.Factorial(RequireReal(x))); }

CalcValue Int(CEvalContext&, Value x, Value)
{
    const double r = RequireReal(x);
    return Real(LibraryResult(r >= 0 ? std::floor(r) : std::ceil(r), r));
}

// ln( and log( refuse a zero (or NaN) real part and give exactly 0 for 1.
CalcValue Logarithm(CEvalContext& e, Value x, CalcValue (*pfnLog)(const CalcValue&))
{
    const double r = RequireReal(x);
    if (std::isnan(r) || r == 0.0)
        e.Raise(msg::DOMAIN_ERROR);
    if (r == 1.0)
        return {0.0, 0.0};
    return pfnLog(x);
}

CalcValue Ln(CEvalContext& e, Value x, Value) { return Logarithm(e, x, cplx::Log); }
CalcValue Log(CEvalContext& e, Value x, Value) { return Logarithm(e, x, cplx::Log10); }

CalcValue Sin(CEvalContext& e, Value x, Value)
{
    if (!e.IsDegrees())
        return cplx::Sin(x);
    const double t = ReduceDegrees(RequireReal(x));
    if (std::isnan(t) || t == 180.0)
        return {0.0, 0.0};
    return cplx::Sin(x * DEG_TO_RAD);
}

CalcValue Cos(CEvalContext& e, Value x, Value)
{
    if (!e.IsDegrees())
        return cplx::Cos(x);
    const double r = RequireReal(x);
    // t is negative for negative angles, so cos(-90) is deliberately not cleared.
    const double t = ReduceDegrees(r);
    if (std::isnan(t) || t == 90.0 || t == 270.0)
        return {0.0, 0.0};
    return cplx::Cos(CalcValue(r / 180.0 * PI));
}

CalcValue Tan(CEvalContext& e, Value x, Value)
{
    const double r = RequireReal(ToRadians(e, x));
    return Real(LibraryResult(std::tan(r), r));
}
CalcValue Tanh(CEvalContext& e, Value x, Value)
{
    const double r = RequireReal(ToRadians(e, x));
    return Real(LibraryResult(std::tanh(r), r));
}

CalcValue Pol(CEvalContext& e, Value x, Value y)
{
    const double dTheta = RequireReal(ToRadians(e, y));
    const double dRho = RequireReal(x);
    return cplx::Polar(dRho, dTheta);
}

// A random part between 0 and d. The product comes first; where it would overflow, the fraction
// r / 4294967295 (at most 1) scales d instead, which keeps a finite d's result finite and within
// [0, d] or [d, 0].
double RandomPart(CEvalContext& e, double d)
{
    const double r = e.Random().RandomNext();
    const double dProduct = r * d;
    if (std::isinf(dProduct) && std::isfinite(d))
        return r / RANDOM_DIVISOR * d;
    return dProduct / RANDOM_DIVISOR;
}

CalcValue Rnd(CEvalContext& e, Value x, Value)
{
    CalcValue v;
    v.im = RandomPart(e, x.im);
    v.re = RandomPart(e, x.re);
    return v;
}

CalcValue Sqrn(CEvalContext&, Value x, Value y) { return cplx::Pow(x, 1.0 / RequireReal(y)); }

CalcValue Sum(CEvalContext&, Value x, Value)
{
    const double r = static_cast<float>(RequireReal(x));
    return Real(r * (r + 1) / 2);
}

CalcValue Torq(CEvalContext&, Value x, Value y)
{
    return CalcValue(RequireReal(x) * TORQUE_FACTOR) / y;
}
CalcValue Volu(CEvalContext&, Value x, Value y)
{
    return CalcValue(Magnitude(x) * Magnitude(x) * PI / 4) * y;
}

// Within one first letter the names are tried in this order; every name carries its
// parenthesis, so "sin(" never matches "sinh(".
constexpr BuiltinFunction FUNCTIONS[] = {
    {"abs(", false, Abs},   {"acos(", false, Acos}, {"area(", false, Area}, {"asin(", false, Asin},
    {"atan(", false, Atan}, {"cos(", false, Cos},   {"cosh(", false, Cosh}, {"exp(", false, Exp},
    {"forc(", true, Forc},  {"im(", false, Im},     {"int(", false, Int},   {"ln(", false, Ln},
    {"log(", false, Log},   {"norm(", false, Norm}, {"pow(", true, Pow},    {"pol(", true, Pol},
    {"re(", false, Re},     {"rnd(", false, Rnd},   {"sqr(", false, Sqr},   {"sin(", false, Sin},
    {"sqrn(", true, Sqrn},  {"sinh(", false, Sinh}, {"sum(", false, Sum},   {"tan(", false, Tan},
    {"tanh(", false, Tanh}, {"torq(", true, Torq},  {"volu(", true, Volu},  {"!(", false, Fact},
};

// Which bytes start a name: most operands (digits, variables, parentheses) start none.
constexpr std::array<bool, 256> NAME_STARTS = [] {
    std::array<bool, 256> starts{};
    for (const BuiltinFunction& fn : FUNCTIONS)
        starts[static_cast<unsigned char>(fn.pszName[0])] = true;
    return starts;
}();
} // namespace

const BuiltinFunction* FindBuiltin(const char* pText)
{
    const char chFirst = ToLowerAscii(pText[0]);
    if (!NAME_STARTS[static_cast<unsigned char>(chFirst)])
        return nullptr;
    for (const BuiltinFunction& fn : FUNCTIONS) {
        if (fn.pszName[0] == chFirst &&
            strncasecmp(pText, fn.pszName, std::strlen(fn.pszName)) == 0)
            return &fn;
    }
    return nullptr;
}
