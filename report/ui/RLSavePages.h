#pragma once
// Writes pages of a store to a report page file without risking the file
// already there: the pages go to a temporary file beside it, which takes
// the file's name only once it is whole.
#include "platform/rtl/String.h"

class TRLGraphicStorage;

// Pages AFirstPage to ALastPage (counted from 1, clamped to the store) with
// the store's macros. Raises on failure, leaving AFileName as it was.
void SavePagesToFile(TRLGraphicStorage* APages, int AFirstPage, int ALastPage, const String& AFileName);
