#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Reads lines from a file descriptor and keeps at most nMaxKept bytes of each, carriage returns
// left out; the rest of a longer line is skipped without being stored, so no line, however long
// or endless, costs more memory than that. Each read takes what is there, so lines typed at a
// terminal are handed over as they are completed.
class CLineReader
{
public:
    CLineReader(int nFd, std::size_t nMaxKept);

    // The next line without its line break; a last line without one counts too. False at the end
    // of the input or on a read error.
    bool ReadLine(std::string& strLine);
    // The errno of the read error that ended the input; 0 when the input simply ended.
    int Error() const { return m_nError; }

private:
    bool Fill();
    void Keep(const char* pBegin, const char* pEnd, std::string& strLine) const;

    int m_nFd;
    std::size_t m_nMaxKept;
    std::vector<char> m_buffer;
    std::size_t m_nPos = 0;
    std::size_t m_nEnd = 0;
    int m_nError = 0;
};
