#pragma once

int LowerValue();
