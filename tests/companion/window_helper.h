// A result field in a real window of the layer, for the function object's tests. Kept apart
// from the tests themselves: the layer's handle type and the parser's are both named HWND.
#pragma once

#include <string>

// The handle of a static text in a window created for the test (the window lives until the
// end of the test program).
void* CreateResultField();
// The text of the field.
std::string ResultFieldText(void* field);
// Runs `step` as soon as the next pending window messages are let through.
void PostToMessageLoop(void (*step)(void*), void* context);
