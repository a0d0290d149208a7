#pragma once
// What the manager's unit does once per process: decode the default shadow
// templates and answer the "/acver" switch. It runs when the application
// initialises, or with the first manager at the latest.
#include "platform/rtl/String.h"
#include <vector>

void StartSkinManagerUnit();
// Index of the first parameter that reads "/acver" in any case; -1 when none.
int VersionSwitchIndex(const std::vector<String>& Params);
// The text the "/acver" switch shows.
String LibraryVersionText();
