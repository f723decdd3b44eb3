#pragma once

#include "core/app/CalcSettings.h"

#include <gtest/gtest.h>

// The four persisted fields of two settings records are equal.
inline void ExpectSameRecord(const CalcSettings& actual, const CalcSettings& expected)
{
    EXPECT_EQ(actual.m_nSkin, expected.m_nSkin);
    EXPECT_EQ(actual.m_nLanguage, expected.m_nLanguage);
    EXPECT_EQ(actual.m_crBack, expected.m_crBack);
    EXPECT_EQ(actual.m_crText, expected.m_crText);
}
