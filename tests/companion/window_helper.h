// A result field in a real window of the layer, for the function object's tests.
#pragma once

#include "wintypes.h"

#include <string>

// The handle of a static text in a window created for the test (the window lives until the
// end of the test program).
HWND CreateResultField();
// The text of the field.
std::string ResultFieldText(HWND field);
// Runs `step` as soon as the next pending window messages are let through.
void PostToMessageLoop(void (*step)(void*), void* context);
