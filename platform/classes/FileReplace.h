#pragma once
// Rewrites a whole file so that a failure part-way leaves the old contents
// whole: the bytes go to a temporary file in the same folder, which then
// takes the file's place.
#include "platform/rtl/String.h"
#include <string_view>

// Raises EFCreateError ("Cannot create file ...") when the temporary file
// cannot be made or cannot replace the file, EWriteError when the bytes
// cannot be written.
void ReplaceFileBytes(const String& fileName, std::string_view bytes);
