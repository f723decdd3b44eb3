#pragma once

#include "core/console/ConsoleHost.h"
#include "core/graph/CurveTable.h"

#include <string_view>

// The dispatcher's curve lines (fx, fxcls) plotted into a curve table, with no window to show them.
class CTableCurveHost : public ICurveHost
{
public:
    explicit CTableCurveHost(CCurveTable& table) : m_table(table) {}

    void DrawCurve(std::string_view strText, int nSlot, bool bShow) override
    {
        m_table.PlotCurve(strText, nSlot, bShow);
    }
    void ClearCurves() override { m_table.ClearCurves(); }

private:
    CCurveTable& m_table;
};
