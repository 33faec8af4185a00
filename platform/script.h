// Dialog scripts: `orvelin script FILE [--show] [--progdir DIR]`. Runs the commands of the
// file against the program's windows in the headless test mode and reports the first
// expectation that does not hold as "FILE:LINE: expected …, got …".
//
// Besides the commands every script knows, `click ID X Y` clicks a control at a point of it
// (pixels from its top left corner; `click ID` clicks its middle),
// `answer-message OK|Abbrechen|Ja|Nein|…` answers the next message box, `hover ID` rests the
// mouse over a control, and `expect-status TEXT` checks the message area of the active frame's
// status bar. `expect-file PATH` and `expect-no-file PATH` check whether a file of that name
// (UTF-8, as the script writes it) is on disk. The task file of `open MODULE FILE` takes the way
// of the program's command line. `key NAME` presses a key as the keyboard does: modifiers
// `Alt+`, `Shift+`, `Ctrl+`, then a letter or digit or one of Enter, Tab, Space, Escape,
// Backspace, Left, Right, Up, Down, Plus, Minus, F1…F12, KP_0…KP_9, KP_Add, KP_Subtract,
// KP_Multiply, KP_Divide, KP_Decimal.
#pragma once

// argv[0] is "script". Returns the exit code: 0 when everything held, 1 on a failure, 2 on
// wrong usage. Needs no application object; it makes its own.
int RunScriptCommand(int argc, char** argv);
