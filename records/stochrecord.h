// StochTransStructDef: the record through which the program hands the stochastics module its
// paths. The program owns it; the module reads and writes it in place and never copies it, so
// its layout is the interface between separately built libraries: fields, order and text sizes
// never change.
#pragma once

#include <cstddef>
#include <type_traits>

struct StochTransStructDef {
    // Directory of the shared settings file, ending in a path separator; "orvltrn.ini" is
    // appended to it.
    char Pfad[500];
    // The module's state file: the task of the last computation, kept from one run to the next.
    char ZustandDatei[250];
    // The task file last loaded or saved (on entry the one named on the command line, or "").
    char LetzteDatei[500];
};

static_assert(std::is_standard_layout_v<StochTransStructDef>);
static_assert(std::is_trivially_copyable_v<StochTransStructDef>);
static_assert(offsetof(StochTransStructDef, ZustandDatei) == 500);
static_assert(offsetof(StochTransStructDef, LetzteDatei) == 750);
static_assert(sizeof(StochTransStructDef) == 1250);
