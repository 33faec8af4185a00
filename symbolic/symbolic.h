// The symbolic library of the parser: derivatives and antiderivatives of function texts.
#pragma once

#define SYMBOLIC_EXPORT __attribute__((visibility("default")))

extern "C" {

// `in` is "DIFF(" text "," variable ")" or "INT(" text "," variable ")", the text in the
// parser's normalised upper-case form. On success `out` receives the derivative or
// antiderivative as an upper-case function text and the result is its length. On failure the
// result is negative and `out` holds the input unchanged (or is empty when the input does not
// fit); a result that does not fit into `size` characters including the terminating zero is a
// failure, never a truncated text.
SYMBOLIC_EXPORT int symbolic_calculate(const char* in, char* out, int size);
}

// Failure codes of symbolic_calculate.
enum SymbolicFailure : int {
    SYMBOLIC_BAD_ARGUMENTS = -1, // no input or no output buffer
    SYMBOLIC_UNREADABLE = -2,    // not a DIFF/INT request or a text that cannot be read
    SYMBOLIC_NOT_POSSIBLE = -3,  // no derivative or no antiderivative found
    SYMBOLIC_TOO_LONG = -4,      // the result does not fit into the buffer
    SYMBOLIC_INTERNAL = -5       // the engine failed (out of memory, arithmetic error)
};
