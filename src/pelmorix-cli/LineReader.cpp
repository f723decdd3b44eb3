#include "LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace
{
constexpr std::size_t BUFFER_SIZE = 1 << 16;
}

CLineReader::CLineReader(int nFd, std::size_t nMaxKept)
    : m_nFd(nFd), m_nMaxKept(nMaxKept), m_buffer(BUFFER_SIZE)
{}

bool CLineReader::ReadLine(std::string& strLine)
{
    strLine.clear();
    bool bStarted = false;
    for (;;) {
        if (m_nPos == m_nEnd && !Fill())
            return bStarted && m_nError == 0;
        const char* pBegin = m_buffer.data() + m_nPos;
        const char* pEnd = m_buffer.data() + m_nEnd;
        const auto* pBreak = static_cast<const char*>(std::memchr(pBegin, '\n', pEnd - pBegin));
        Keep(pBegin, pBreak != nullptr ? pBreak : pEnd, strLine);
        bStarted = true;
        if (pBreak != nullptr) {
            m_nPos = std::size_t(pBreak + 1 - m_buffer.data());
            return true;
        }
        m_nPos = m_nEnd;
    }
}

// Appends the bytes of [pBegin, pEnd) that are not carriage returns while the line has room.
void CLineReader::Keep(const char* pBegin, const char* pEnd, std::string& strLine) const
{
    for (const char* p = pBegin; p != pEnd && strLine.size() < m_nMaxKept; ++p) {
        if (*p != '\r')
            strLine += *p;
    }
}

bool CLineReader::Fill()
{
    for (;;) {
        const ssize_t nRead = ::read(m_nFd, m_buffer.data(), m_buffer.size());
        if (nRead > 0) {
            m_nPos = 0;
            m_nEnd = std::size_t(nRead);
            return true;
        }
        if (nRead == 0)
            return false;
        if (errno != EINTR) {
            m_nError = errno;
            return false;
        }
    }
}
