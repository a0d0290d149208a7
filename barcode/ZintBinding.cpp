#include "barcode/ZintBinding.h"
#include "barcode/BarcodeError.h"
#include <dlfcn.h>
#include <string>

namespace {

constexpr char16_t kBaseName[] = u"libzint";
constexpr char16_t kExtension[] = u"so";
// Debian ships the unversioned name only with the development package.
constexpr char kRuntimeName[] = "libzint.so.2.11";

void* Handle = nullptr;
String LibraryName;
bool NameGiven = false;
TZintEntryPoints EntryPoints;

// The loader's text without the object name it starts with and without the
// symbol name it may end with; the caller appends its own name.
String LoaderMessage(const std::string& subject) {
  const char* raw = dlerror();
  std::string text = raw ? raw : "unknown loader error";
  auto colon = text.find(": ");
  if (colon != std::string::npos) text.erase(0, colon + 2);
  const std::string tail = ": " + subject;
  if (text.size() > tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
    text.erase(text.size() - tail.size());
  return Utf8ToString(text);
}

template <class F>
bool Bind(F& target, const char* name, bool required) {
  dlerror();
  target = reinterpret_cast<F>(dlsym(Handle, name));
  return target != nullptr || !required;
}

bool BindAll(const char*& missing) {
  TZintEntryPoints& z = EntryPoints;
#define BIND(name, required)                       \
  if (!Bind(z.name, #name, required)) {            \
    missing = #name;                               \
    return false;                                  \
  }
  BIND(ZBarcode_Create, true)
  BIND(ZBarcode_Clear, true)
  BIND(ZBarcode_Delete, true)
  BIND(ZBarcode_Encode, true)
  BIND(ZBarcode_Encode_File, true)
  BIND(ZBarcode_Print, true)
  BIND(ZBarcode_Encode_and_Print, true)
  BIND(ZBarcode_Encode_File_and_Print, true)
  BIND(ZBarcode_Render, false)
  BIND(ZBarcode_Buffer, true)
  BIND(ZBarcode_Buffer_Vector, true)
  BIND(ZBarcode_Encode_and_Buffer, true)
  BIND(ZBarcode_Encode_and_Buffer_Vector, true)
  BIND(ZBarcode_Encode_File_and_Buffer, true)
  BIND(ZBarcode_Encode_File_and_Buffer_Vector, true)
  BIND(ZBarcode_ValidID, true)
  BIND(ZBarcode_Version, true)
#undef BIND
  return true;
}

}  // namespace

TZintEntryPoints& Zint() { return EntryPoints; }

bool ZintLoaded() { return Handle != nullptr; }

const String& ZintLibraryName() { return LibraryName; }

void SetZintLibraryName(const String& name) {
  LibraryName = name;
  NameGiven = !name.empty();
}

void LoadZint() {
  if (Handle) return;
  if (LibraryName.empty()) LibraryName = String(kBaseName) + u"." + kExtension;

  const std::string fileName = StringToUtf8(LibraryName);
  Handle = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!Handle) {
    const String message = LoaderMessage(fileName);
    if (!NameGiven) Handle = dlopen(kRuntimeName, RTLD_NOW | RTLD_LOCAL);
    if (!Handle) throw EBarcodeError(message + u": " + LibraryName);
    LibraryName = AsciiToString(kRuntimeName);
  }

  const char* missing = nullptr;
  if (!BindAll(missing)) {
    const String message = LoaderMessage(missing);
    dlclose(Handle);
    Handle = nullptr;
    EntryPoints = TZintEntryPoints();
    throw EBarcodeError(message + u": " + AsciiToString(missing));
  }
}

void UnloadZint() {
  if (Handle) dlclose(Handle);
  Handle = nullptr;
  EntryPoints = TZintEntryPoints();
  LibraryName.clear();
  NameGiven = false;
}

void BarcodeCheck(bool condition, const String& message) {
  if (!condition) throw EBarcodeError(message);
}
