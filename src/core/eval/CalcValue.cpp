#include "core/eval/CalcValue.h"

#include "core/eval/CalcError.h"
#include "core/eval/Messages.h"

#include <charconv>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace
{
// The NaN that invalid operations of the arithmetic unit produce: the sign bit is set.
const double NAN_IND = std::copysign(std::numeric_limits<double>::quiet_NaN(), -1.0);

bool EqualOrNan(double a, double b) { return std::isnan(a) || std::isnan(b) || a == b; }

// Zero and negative values are answered here: the library reports their pole and domain errors
// through a slow path, and sums of real numbers meet zero imaginary parts all the time.
double Floor10(double v)
{
    if (v == 0.0)
        return -std::numeric_limits<double>::infinity();
    if (v < 0.0)
        return std::numeric_limits<double>::quiet_NaN();
    return std::floor(std::log10(v));
}

// A zero imaginary part of either sign counts as +0, so a negative real argument lands on the
// upper side of the branch cut (ln(-1) = pi i, sqr(-4) = 2i) even after a negation made it -0.
std::complex<double> UpperBranch(const CalcValue& z) { return {z.re, z.im == 0.0 ? 0.0 : z.im}; }
} // namespace

CalcValue operator/(const CalcValue& a, const CalcValue& b)
{
    const CalcValue nan{NAN_IND, NAN_IND};
    if (std::isnan(b.re) || std::isnan(b.im))
        return nan;
    double r = 0.0;
    double d = 0.0;
    CalcValue q;
    if (std::fabs(b.im) >= std::fabs(b.re)) {
        if (b.im == 0.0)
            return nan;
        r = b.re / b.im;
        d = b.im + b.re * r;
        q = {(a.re * r + a.im) / d, (a.im * r - a.re) / d};
    } else {
        r = b.im / b.re;
        d = b.re + b.im * r;
        q = {(a.im * r + a.re) / d, (a.im - a.re * r) / d};
    }
    if (std::isnan(d) || d == 0.0)
        return nan;
    return q;
}

bool operator==(const CalcValue& a, const CalcValue& b)
{
    return EqualOrNan(a.re, b.re) && EqualOrNan(a.im, b.im);
}

double RequireReal(const CalcValue& value)
{
    if (!EqualOrNan(value.im, 0.0))
        throw CalcError(msg::COMPLEX_VALUE.en);
    return value.re;
}

namespace cplx
{
double Abs(const CalcValue& z) { return std::hypot(z.re, z.im); }

CalcValue Exp(const CalcValue& z)
{
    const double dScale = std::exp(z.re);
    return {dScale * std::cos(z.im), dScale * std::sin(z.im)};
}

CalcValue Log(const CalcValue& z)
{
    const std::complex<double> w = UpperBranch(z);
    return {std::log(Abs(z)), std::atan2(w.imag(), w.real())};
}

CalcValue Log10(const CalcValue& z) { return Log(z) * 0.4342944819032518; }

CalcValue Sqrt(const CalcValue& z)
{
    const std::complex<double> w = std::sqrt(UpperBranch(z));
    return {w.real(), w.imag()};
}

CalcValue Sin(const CalcValue& z)
{
    return {std::sin(z.re) * std::cosh(z.im), std::cos(z.re) * std::sinh(z.im)};
}

CalcValue Cos(const CalcValue& z)
{
    return {std::cos(z.re) * std::cosh(z.im), -std::sin(z.re) * std::sinh(z.im)};
}

CalcValue Sinh(const CalcValue& z)
{
    return {std::sinh(z.re) * std::cos(z.im), std::cosh(z.re) * std::sin(z.im)};
}

CalcValue Cosh(const CalcValue& z)
{
    return {std::cosh(z.re) * std::cos(z.im), std::sinh(z.re) * std::sin(z.im)};
}

CalcValue Polar(double dRho, double dTheta)
{
    return {dRho * std::cos(dTheta), dRho * std::sin(dTheta)};
}

CalcValue Pow(const CalcValue& z, double x)
{
    if (!EqualOrNan(z.im, 0.0))
        return Exp(Log(z) * x);
    const double d = std::pow(z.re, x);
    return {std::isnan(d) ? NAN_IND : d, 0.0};
}

CalcValue Pow(const CalcValue& z, const CalcValue& w)
{
    if (EqualOrNan(w.im, 0.0))
        return Pow(z, w.re);
    if (!EqualOrNan(z.im, 0.0))
        return Exp(w * Log(z));
    const double dLn = std::log(z.re);
    return Exp(w * CalcValue(std::isnan(dLn) ? NAN_IND : dLn));
}
} // namespace cplx

std::string FormatGeneral(double d, int nDigits)
{
    if (std::isinf(d))
        return d > 0 ? "1.#INF" : "-1.#INF";
    if (std::isnan(d))
        return std::signbit(d) ? "-1.#IND" : "1.#QNAN";
    if (nDigits <= 0)
        nDigits = 6;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, nDigits);
    std::string strText(buf, res.ptr);
    // The exponent has a sign and at least three digits: 1e+020.
    const auto nExp = strText.find('e');
    if (nExp != std::string::npos) {
        const std::size_t nDigitsAt = nExp + 2;
        const std::size_t nExpDigits = strText.size() - nDigitsAt;
        if (nExpDigits < 3)
            strText.insert(nDigitsAt, 3 - nExpDigits, '0');
    }
    return strText;
}

int CancellationCount(double x, double y, double s)
{
    const double dLx = Floor10(x);
    const double dLy = Floor10(y);
    const double dChosen = dLy > dLx ? dLy : dLx;
    const int nM = std::isfinite(dChosen) ? int(dChosen) : 0;
    const double dCount = nM - Floor10(s);
    return std::isfinite(dCount) ? int(dCount) : 0;
}

long long TruncateToInt64(double d)
{
    // -2^63 is the conversion's answer for everything outside the range, and for NaN.
    constexpr double LIMIT = 9223372036854775808.0;
    if (std::isnan(d) || d >= LIMIT || d < -LIMIT)
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(d);
}

namespace
{
std::uint32_t Low32(const CalcValue& value)
{
    return static_cast<std::uint32_t>(
        static_cast<std::uint64_t>(TruncateToInt64(RequireReal(value))));
}
} // namespace

std::string FormatHex(const CalcValue& value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(Low32(value)));
    return buf;
}

std::string FormatBinary(const CalcValue& value)
{
    std::uint32_t n = Low32(value);
    std::string strDigits;
    for (; n != 0; n >>= 1)
        strDigits.insert(strDigits.begin(), char('0' + (n & 1)));
    const std::size_t nWidth = strDigits.size() <= 8 ? 8 : strDigits.size() <= 16 ? 16 : 32;
    strDigits.insert(0, nWidth - strDigits.size(), '0');
    std::string strText = "0b";
    for (std::size_t i = 0; i < strDigits.size(); i += 4)
        strText += ' ' + strDigits.substr(i, 4);
    return strText;
}
