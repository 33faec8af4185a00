// The dialog resources of the function discussion ("FNPLOT.DLL"): 202 the drawing window,
// 20200 the input dialog, 20300 the information dialog.
#pragma once

class TModule;

inline constexpr char kFnplotModul[] = "FNPLOT.DLL";

// The module object under which the resources are registered.
TModule& FnplotModul();
