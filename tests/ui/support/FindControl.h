#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

// The control named pszName among parent's descendants; a failure of the test when none is.
template <class Control>
Control* FindControl(const QObject& parent, const char* pszName)
{
    auto* pControl = parent.findChild<Control*>(QString::fromLatin1(pszName));
    EXPECT_NE(pControl, nullptr) << pszName;
    return pControl;
}
