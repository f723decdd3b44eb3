#include "core/bignum/LongCalculation.h"

#include "core/bignum/DecimalConversion.h"
#include "core/bignum/LimbMath.h"
#include "core/bignum/LongControl.h"
#include "core/bignum/LongMemory.h"
#include "core/bignum/LongOperand.h"
#include "core/bignum/LongSeries.h"
#include "core/bignum/LongTexts.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <utility>

namespace
{
// The steps of an operator on two integers, in the order they run.
enum BinaryStep : size_t
{
    READ_STEP,
    OPERATION_STEP,
    SPELL_STEP,
};

// The operators work on decimal limbs, which the digits of the boxes are read into and spelt
// from directly.
using limb::LimbVec;
constexpr uint64_t DEC = limb::DECIMAL_BASE;

// Sizes in decimal limbs of the operands and the result, and the work of the operation on them.
uint64_t LinearUnits(size_t na, size_t nb) { return na + nb; }
size_t SumLimbs(size_t na, size_t nb) { return std::max(na, nb) + 1; }
size_t ProductLimbs(size_t na, size_t nb) { return na + nb; }
size_t QuotientLimbs(size_t na, size_t nb) { return na >= nb ? na - nb + 1 : 1; }
size_t RemainderLimbs(size_t na, size_t nb) { return std::min(na, nb); }

// The operations; *pNegative is set for a negative result.
LimbVec AddValues(const LimbVec& a, const LimbVec& b, bool*) { return limb::Add<DEC>(a, b); }

LimbVec SubValues(const LimbVec& a, const LimbVec& b, bool* pNegative)
{
    *pNegative = limb::Compare(a, b) < 0;
    return *pNegative ? limb::Sub<DEC>(b, a) : limb::Sub<DEC>(a, b);
}

LimbVec MulValues(const LimbVec& a, const LimbVec& b, bool*) { return limb::Mul<DEC>(a, b); }

LimbVec DivValues(const LimbVec& a, const LimbVec& b, bool*)
{
    LimbVec q;
    limb::DivMod<DEC>(a, b, &q, nullptr);
    return q;
}

LimbVec ModValues(const LimbVec& a, const LimbVec& b, bool*)
{
    LimbVec r;
    limb::DivMod<DEC>(a, b, nullptr, &r);
    return r;
}

struct BinaryOperation
{
    LongOperator op;
    LimbVec (*pOperation)(const LimbVec& a, const LimbVec& b, bool* pNegative);
    const Text* pZeroDivisor; // message when the second operand is zero, null if allowed
    uint64_t (*pUnits)(size_t na, size_t nb);
    size_t (*pResultLimbs)(size_t na, size_t nb);
};

constexpr BinaryOperation BINARY_OPERATIONS[] = {
    {LongOperator::Add, AddValues, nullptr, LinearUnits, SumLimbs},
    {LongOperator::Sub, SubValues, nullptr, LinearUnits, SumLimbs},
    {LongOperator::Mul, MulValues, nullptr, limb::MulUnits, ProductLimbs},
    {LongOperator::Div, DivValues, &longmsg::DIVISOR_ZERO, limb::DivModUnits, QuotientLimbs},
    {LongOperator::Mod, ModValues, &longmsg::MOD_DIVISOR_ZERO, limb::DivModUnits, RemainderLimbs},
};

// Decimal limbs of a text of nDigits digits.
size_t Limbs(size_t nDigits) { return nDigits / 9 + 1; }

// Plans reading both operands, the operation and spelling out the result.
void PlanBinary(const BinaryOperation& operation, size_t nFirstDigits, size_t nSecondDigits)
{
    const size_t na = Limbs(nFirstDigits), nb = Limbs(nSecondDigits);
    CurrentProgress().Plan(
        {limb::DecimalFromDigitsUnits(nFirstDigits) + limb::DecimalFromDigitsUnits(nSecondDigits),
         operation.pUnits(na, nb), limb::DecimalToTextUnits(operation.pResultLimbs(na, nb))});
}

// True when strText spells strUpperWord in any letter case.
bool IsWord(std::string_view strText, std::string_view strUpperWord)
{
    return strText.size() == strUpperWord.size() &&
           std::equal(strText.begin(), strText.end(), strUpperWord.begin(), [](char a, char b) {
               return (a >= 'a' && a <= 'z' ? char(a - 32) : a) == b;
           });
}

std::string Format(const Text& text, Language language, int nValue)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, text.In(language), nValue);
    return buffer;
}

LongResult Message(std::string strMessage, const Text* pCaption, Language language)
{
    LongResult r;
    r.strMessage = std::move(strMessage);
    if (pCaption != nullptr)
        r.strCaption = pCaption->In(language);
    return r;
}

// True when the operand holds only digits and white space and is not too long; else the message
// goes to *pError.
bool CheckOperand(const LongOperand& operand, bool bFirst, Language language, LongResult* pError)
{
    if (int nPosition = operand.IllegalPosition(); nPosition != 0) {
        *pError = Message(
            Format(bFirst ? longmsg::ILLEGAL_FIRST : longmsg::ILLEGAL_SECOND, language, nPosition),
            &longmsg::CAPTION_WARNING, language);
        return false;
    }
    if (operand.IsTooLong()) {
        *pError = Message(Format(bFirst ? longmsg::FIRST_TOO_LONG : longmsg::SECOND_TOO_LONG,
                                 language, LONG_MAX_OPERAND_DIGITS),
                          &longmsg::CAPTION_ERROR, language);
        return false;
    }
    return true;
}

// Gives back the memory of the operand's text. Moved out, not assigned over: a string assigned
// an empty one keeps its memory.
void Drop(LongOperand& operand) { LongOperand gone(std::move(operand)); }

// The value of a digit text, or -1 when it exceeds nLimit.
long long CountValue(const std::string& strDigits, int nLimit)
{
    size_t nStart = std::min(strDigits.find_first_not_of('0'), strDigits.size());
    if (strDigits.size() - nStart > 10)
        return -1;
    long long n = strDigits.size() == nStart ? 0 : std::stoll(strDigits.substr(nStart));
    return n <= nLimit ? n : -1;
}

LongResult Cancelled()
{
    LongResult r;
    r.bCancelled = true;
    return r;
}

LongResult Success(std::string strResult, int nPointCount)
{
    LongResult r;
    r.nDigits = int(strResult.size()) - nPointCount;
    r.strResult = std::move(strResult);
    return r;
}

// An empty text from the series means that their memory could not be had.
LongResult SeriesResult(std::string strResult, int nPointCount, Language language)
{
    if (strResult.empty())
        return Message(longmsg::NO_MEMORY.In(language), nullptr, language);
    return Success(std::move(strResult), nPointCount);
}

LongResult RunConstant(bool bPi, const LongOperand& count, Language language)
{
    LongResult error;
    if (!CheckOperand(count, false, language, &error))
        return error;
    long long n = CountValue(count.Text(), LONG_MAX_CONSTANT_DIGITS);
    if (n < 0)
        return Message(Format(longmsg::DIGITS_RANGE, language, LONG_MAX_CONSTANT_DIGITS),
                       &longmsg::CAPTION_ERROR, language);
    return SeriesResult(bPi ? ComputePi(int(n)) : ComputeE(int(n)), 1, language);
}

LongResult RunFactorial(const LongOperand& first, Language language)
{
    LongResult error;
    if (!CheckOperand(first, true, language, &error))
        return error;
    long long n = CountValue(first.Text(), LONG_MAX_FACTORIAL);
    if (n < 0)
        return Message(Format(longmsg::FACTORIAL_RANGE, language, LONG_MAX_FACTORIAL),
                       &longmsg::CAPTION_ERROR, language);
    return SeriesResult(ComputeFactorial(int(n)), 0, language);
}

LongResult RunBinary(const BinaryOperation& operation, LongOperand& first, LongOperand& second,
                     Language language)
{
    // A divisor without a non-zero digit is refused before the operands are looked at. One too
    // long to be read to its end gets the length message instead.
    if (operation.pZeroDivisor != nullptr && !second.HasNonZeroDigit() && !second.IsTooLong())
        return Message(operation.pZeroDivisor->In(language), &longmsg::CAPTION_ERROR, language);
    LongResult error;
    if (!CheckOperand(first, true, language, &error) ||
        !CheckOperand(second, false, language, &error))
        return error;
    PlanBinary(operation, first.Text().size(), second.Text().size());
    CLongProgress& progress = CurrentProgress();
    progress.BeginStep(READ_STEP);
    LimbVec a = limb::DecimalFromDigits(first.Text());
    LimbVec b = limb::DecimalFromDigits(second.Text());
    Drop(first);
    Drop(second);
    progress.BeginStep(OPERATION_STEP);
    bool bNegative = false;
    LimbVec r = operation.pOperation(a, b, &bNegative);
    a = LimbVec();
    b = LimbVec();
    progress.BeginStep(SPELL_STEP);
    std::string strResult = limb::DecimalToText(r, bNegative);
    progress.Finish();
    // A zero result spells as the empty text; the box shows it as 0.
    if (strResult.empty())
        strResult = "0";
    return Success(std::move(strResult), 0);
}

LongResult Dispatch(LongOperator op, LongOperand& first, LongOperand& second, Language language)
{
    const bool bPi = IsWord(first.Text(), "PI");
    if ((bPi || IsWord(first.Text(), "E")) && !second.Text().empty())
        return RunConstant(bPi, second, language);
    if (op == LongOperator::Fac)
        return RunFactorial(first, language);
    auto it = std::find_if(std::begin(BINARY_OPERATIONS), std::end(BINARY_OPERATIONS),
                           [op](const BinaryOperation& operation) { return operation.op == op; });
    if (it == std::end(BINARY_OPERATIONS))
        return {};
    CheckCancel();
    return RunBinary(*it, first, second, language);
}

// Runs fn() and turns a cancellation or a memory failure into its result.
template <class Fn>
LongResult Guarded(Fn fn, Language language)
{
    const CLongMemory memory;
    try {
        LongResult r = fn();
        if (const CLongControl* pControl = CLongControl::Current();
            pControl != nullptr && pControl->IsCancelled())
            r = Cancelled();
        return r;
    } catch (const LongCancelled&) {
        return Cancelled();
    } catch (const std::bad_alloc&) {
        return Message(longmsg::NO_MEMORY.In(language), nullptr, language);
    } catch (const std::length_error&) {
        return Message(longmsg::NO_MEMORY.In(language), nullptr, language);
    }
}
} // namespace

LongResult CalculateLong(LongOperator op, std::string_view strFirst, std::string_view strSecond,
                         Language language)
{
    return Guarded(
        [&] {
            LongOperand first(strFirst), second(strSecond);
            return Dispatch(op, first, second, language);
        },
        language);
}

LongResult CalculateLong(LongOperator op, LongOperand&& first, LongOperand&& second,
                         Language language)
{
    return Guarded([&] { return Dispatch(op, first, second, language); }, language);
}
