#include "skin/engine/ControlTree.h"

// Weak: the window animations define the flag they own, and theirs wins.
__attribute__((weak)) bool AnimationInProgress = false;
