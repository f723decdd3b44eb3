#pragma once

constexpr int LOWER_VALUE = 1;
