#pragma once
// Wildcard matching of names (component names, file masks).
#include "platform/rtl/String.h"

// "*" stands for any run of characters (also none), "?" for any one
// character. With ignoreCase both texts are compared upper-cased.
bool MatchMask(StringView input, StringView mask, bool ignoreCase);
