#pragma once

int PainterValue();
