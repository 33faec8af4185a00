// Module frames get the controls library's status bar, which the talking controls of a module
// can tell their info texts to.
#include "hostframe.h"
#include "talk.h"

namespace {
const bool installed = [] {
    SetStatusBarFactory(
        [](TDecoratedFrame* frame) -> TStatusBar* { return new TExtStatusBar(frame); });
    return true;
}();
} // namespace
