#pragma once
// The report page file of versions 1 to 4, written and read by the page
// store's SaveToStream and LoadFromStream. Versions 3 and 4 keep each page
// as its surface record; versions 1 and 2 keep fixed 120-byte object
// records with a string table, converted on the fly.
#include "platform/rtl/String.h"
#include <string_view>

class TStream;
class TRLGraphicStorage;
class TRLRecordWriter;
class TRLStreamSource;

// One version 1 or 2 page from the source, written to the target as a
// surface record, with the store's page properties.
void ReadLegacyPage(TRLGraphicStorage* AStorage, TStream& ASource, TStream& ATarget);
// One surface record from the source, written to the target as a version 1
// or 2 page.
void WriteLegacyPage(TStream& ASource, TStream& ATarget);

// The same on buffers, as the page file moves them.
void ReadLegacyPageRecord(TRLGraphicStorage* AStorage, TRLStreamSource& ASource, TRLRecordWriter& ATarget);
void WriteLegacyPageRecord(std::string_view ASurfaceRecord, TRLRecordWriter& ATarget);
