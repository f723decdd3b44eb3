#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

// Where a command of the command-line program writes its text: a C stream, or a string that
// collects it. The program does without the C++ streams, which would bring the C++ runtime's
// locale machinery, more than half a megabyte of code, into the memory of every run.
class CTextOut
{
public:
    explicit CTextOut(std::FILE* pFile) : m_pFile(pFile) {}
    explicit CTextOut(std::string& strText) : m_pText(&strText) {}

    CTextOut& operator<<(std::string_view strText)
    {
        if (m_pText != nullptr)
            m_pText->append(strText);
        else if (std::fwrite(strText.data(), 1, strText.size(), m_pFile) != strText.size())
            m_bFailed = true;
        return *this;
    }
    CTextOut& operator<<(char ch) { return *this << std::string_view(&ch, 1); }
    // Numbers are spelt by the caller; without this a number would go out as one character.
    template <class Number>
    requires std::is_arithmetic_v<Number> &&(!std::is_same_v<Number, char>)CTextOut& operator<<(
        Number) = delete;

    // Sends on what the C stream holds back; false once a write has failed.
    bool Flush()
    {
        if (m_pFile != nullptr && std::fflush(m_pFile) != 0)
            m_bFailed = true;
        return Good();
    }
    bool Good() const { return !m_bFailed; }

private:
    std::FILE* m_pFile = nullptr;
    std::string* m_pText = nullptr;
    bool m_bFailed = false;
};
