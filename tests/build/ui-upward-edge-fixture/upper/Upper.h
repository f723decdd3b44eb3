#pragma once

constexpr int UPPER_VALUE = 2;
