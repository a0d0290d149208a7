#pragma once
// Run-time binding to the zint barcode library: loaded by name on first
// use, entry points bound by name, kept for the life of the process.
#include "platform/rtl/String.h"
#include <zint.h>

struct TZintEntryPoints {
  decltype(&::ZBarcode_Create) ZBarcode_Create = nullptr;
  decltype(&::ZBarcode_Clear) ZBarcode_Clear = nullptr;
  decltype(&::ZBarcode_Delete) ZBarcode_Delete = nullptr;
  decltype(&::ZBarcode_Encode) ZBarcode_Encode = nullptr;
  decltype(&::ZBarcode_Encode_File) ZBarcode_Encode_File = nullptr;
  decltype(&::ZBarcode_Print) ZBarcode_Print = nullptr;
  decltype(&::ZBarcode_Encode_and_Print) ZBarcode_Encode_and_Print = nullptr;
  decltype(&::ZBarcode_Encode_File_and_Print) ZBarcode_Encode_File_and_Print = nullptr;
  // No longer exported by current releases; bound when present, never called.
  int (*ZBarcode_Render)(zint_symbol*, float, float) = nullptr;
  decltype(&::ZBarcode_Buffer) ZBarcode_Buffer = nullptr;
  decltype(&::ZBarcode_Buffer_Vector) ZBarcode_Buffer_Vector = nullptr;
  decltype(&::ZBarcode_Encode_and_Buffer) ZBarcode_Encode_and_Buffer = nullptr;
  decltype(&::ZBarcode_Encode_and_Buffer_Vector) ZBarcode_Encode_and_Buffer_Vector = nullptr;
  decltype(&::ZBarcode_Encode_File_and_Buffer) ZBarcode_Encode_File_and_Buffer = nullptr;
  decltype(&::ZBarcode_Encode_File_and_Buffer_Vector) ZBarcode_Encode_File_and_Buffer_Vector = nullptr;
  decltype(&::ZBarcode_ValidID) ZBarcode_ValidID = nullptr;
  decltype(&::ZBarcode_Version) ZBarcode_Version = nullptr;
};

// The bound entry points; all set once LoadZint has succeeded. Writable so
// that a caller can interpose on a call.
TZintEntryPoints& Zint();

// Loads and binds the library unless already done. Raises EBarcodeError
// with the loader's message, ": " and the library's file name, or with the
// loader's message, ": " and the missing entry point's name (the library is
// then released, so the next call tries again).
void LoadZint();
bool ZintLoaded();

// The library's file name: empty until the first load, which sets the
// default "libzint.so" (falling back to the versioned runtime file name).
// Setting a name before the first load makes that the only name tried.
const String& ZintLibraryName();
void SetZintLibraryName(const String& name);

// Module shut-down: releases the library and clears the file name.
void UnloadZint();

// Raises EBarcodeError with message unless condition holds.
void BarcodeCheck(bool condition, const String& message);
