#pragma once
// Pages with every kind of object, and byte helpers, for the page file tests.
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLRecordStream.h"
#include <memory>
#include <string>

// A store of three pages: every object kind, two fonts, clip pairs, macros
// on the store and on the pages.
std::unique_ptr<TRLGraphicStorage> SampleStore();
std::string SaveToBytes(TRLGraphicStorage& AStore, int AVersion);
void LoadFromBytes(TRLGraphicStorage& AStore, const std::string& ABytes);
// The body an object writes, for field-by-field comparison.
std::string BodyOf(const TRLGraphicObject* AObject);

// Little-endian bytes for hand-written files.
std::string Le32(int32_t AValue);
std::string Le64(int64_t AValue);
std::string Counted(const std::string& ABytes);
