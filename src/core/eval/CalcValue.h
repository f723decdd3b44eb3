#pragma once

#include <string>

// The evaluator's number: a complex value of two doubles. Real numbers have imaginary part +0.0.
struct CalcValue
{
    double re = 0.0;
    double im = 0.0;

    CalcValue() = default;
    constexpr CalcValue(double dRe, double dIm = 0.0) : re(dRe), im(dIm) {}

    CalcValue operator-() const { return {-re, -im}; }
    friend CalcValue operator+(const CalcValue& a, const CalcValue& b)
    {
        return {a.re + b.re, a.im + b.im};
    }
    friend CalcValue operator-(const CalcValue& a, const CalcValue& b)
    {
        return {a.re - b.re, a.im - b.im};
    }
    friend CalcValue operator*(const CalcValue& a, const CalcValue& b)
    {
        return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
    }
    friend CalcValue operator*(const CalcValue& a, double d) { return {a.re * d, a.im * d}; }
    // Scaled by the larger part of the divisor; a zero or NaN divisor gives NaN in both parts.
    friend CalcValue operator/(const CalcValue& a, const CalcValue& b);
    // Both parts equal, where a NaN part counts as equal.
    friend bool operator==(const CalcValue& a, const CalcValue& b);
};

// The real part; throws CalcError("Complex value") when the imaginary part is non-zero (a NaN
// imaginary part counts as zero).
double RequireReal(const CalcValue& value);

// The result of a real library call, made the same on every platform: a NaN argument passes
// through as it is (the first NaN of two), and a NaN made from numbers is a domain error and
// carries the sign bit, as the arithmetic unit's invalid operations do.
double LibraryResult(double dResult, double dArgument);
double LibraryResult(double dResult, double dFirst, double dSecond);

// Complex elementary functions on the whole complex argument.
namespace cplx
{
double Abs(const CalcValue& z); // without intermediate overflow; a NaN part passes through
CalcValue Exp(const CalcValue& z);
CalcValue Log(const CalcValue& z); // (ln|z|, atan2(im, re))
CalcValue Log10(const CalcValue& z);
CalcValue Sqrt(const CalcValue& z); // principal branch
CalcValue Sin(const CalcValue& z);
CalcValue Cos(const CalcValue& z);
CalcValue Sinh(const CalcValue& z);
CalcValue Cosh(const CalcValue& z);
CalcValue Polar(double dRho, double dTheta);
CalcValue Pow(const CalcValue& z, const CalcValue& w);
CalcValue Pow(const CalcValue& z, double x);
} // namespace cplx

// The standard "%.*g" text of d with P significant digits (P <= 0 read as 6), with a signed
// exponent of at least three digits and the fixed texts of non-finite values.
std::string FormatGeneral(double d, int nDigits);

// Leading decimal digits that s = x + y lost (0 when the sum is not positive and finite).
int CancellationCount(double x, double y, double s);

// Renderings of the real part's low 32 bits (after truncation toward zero to 64 bits; values
// outside that range and NaN become -2^63). Both throw "Complex value" for a complex value.
std::string FormatHex(const CalcValue& value);
std::string FormatBinary(const CalcValue& value);

// Truncation toward zero to a signed 64-bit integer; out of range and NaN give -2^63.
long long TruncateToInt64(double d);
