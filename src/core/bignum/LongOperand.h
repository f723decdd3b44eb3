#pragma once

#include <string>
#include <string_view>

// An operand of the long-number calculator as its checks see it, built from the text piece by
// piece: its characters without white space (kept only up to one more than the calculator
// accepts), the first character that is neither digit nor white space, and whether a digit 1 to
// 9 occurs. However long the text, the operand costs no more than the longest one accepted.
class LongOperand
{
public:
    LongOperand() = default;
    explicit LongOperand(std::string_view strText) { Append(strText); }

    // Adds the next piece of the text; ignored once the operand is too long.
    void Append(std::string_view strPiece);

    // The characters other than white space, in order; cut short only for a too long operand.
    const std::string& Text() const { return m_strText; }
    // 1-based position, counted in characters (a UTF-8 sequence is one, a byte that is no valid
    // part of one is one too), of the first character that is neither a digit nor white space;
    // 0 when there is none.
    int IllegalPosition() const { return m_nIllegalPosition; }
    bool HasNonZeroDigit() const { return m_bNonZeroDigit; }
    // More characters besides white space than an operand may have, or a text of more than
    // INT_MAX characters: nothing after this point can make it acceptable.
    bool IsTooLong() const { return m_bTooLong; }

private:
    std::string m_strText;
    long long m_nCharacters = 0;
    int m_nContinuations = 0; // continuation bytes still expected in the current character
    int m_nIllegalPosition = 0;
    bool m_bNonZeroDigit = false;
    bool m_bTooLong = false;
};
