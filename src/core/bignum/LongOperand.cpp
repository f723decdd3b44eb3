#include "core/bignum/LongOperand.h"

#include "core/base/CharClass.h"
#include "core/bignum/LongCalculation.h"

#include <climits>

namespace
{
// How many continuation bytes the UTF-8 lead byte announces.
int ContinuationCount(unsigned char ch)
{
    return ch >= 0xF0 ? 3 : ch >= 0xE0 ? 2 : ch >= 0xC0 ? 1 : 0;
}
} // namespace

void LongOperand::Append(std::string_view strPiece)
{
    for (const char ch : strPiece) {
        if (m_bTooLong)
            return;
        // A byte continues a character only where a lead byte announced it; a stray one counts
        // as a character of its own, so it is reported at its place instead of passing.
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte & 0xC0) == 0x80 && m_nContinuations > 0) {
            --m_nContinuations;
        } else {
            m_nContinuations = ContinuationCount(byte);
            if (++m_nCharacters > INT_MAX) {
                m_bTooLong = true;
                return;
            }
        }
        if (IsBlank(ch))
            continue;
        const bool bDigit = ch >= '0' && ch <= '9';
        if (!bDigit && m_nIllegalPosition == 0)
            m_nIllegalPosition = int(m_nCharacters);
        m_bNonZeroDigit = m_bNonZeroDigit || (bDigit && ch != '0');
        m_strText += ch;
        m_bTooLong = m_strText.size() > std::size_t(LONG_MAX_OPERAND_DIGITS);
    }
}
