#pragma once

// The angle unit of the trigonometric functions: degrees at every start, or radians. Its host
// owns it and hands the same one to every evaluator that must agree (the console's and the
// graph's), so a change reaches both at once.
struct AngleUnit
{
    bool m_bDegrees = true;
};
