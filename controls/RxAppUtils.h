#pragma once
// Settings in an INI file or in the registry through one set of calls, and
// a form's window placement stored and read back through them. The INI
// object is a TCustomIniFile or a TRegIniFile (a section is a subkey of its
// open key); any other object reads as the defaults and writes nothing.
#include "platform/classes/Component.h"
#include "platform/classes/Strings.h"
#include "platform/ui/graphics/Geometry.h"
#include "platform/rtl/String.h"
#include <functional>

class TCustomForm;

// Library settings; nothing in the system changes them.
extern std::function<String()> DefaultIniNameHook;
extern String RegistryKeyPrefix;
extern bool RegistryUseAppTitle;

// The class name of an object as its declaration spells it.
String ClassNameOf(const TObject* object);

String DefaultStorageSection(const TComponent* component);
String DefaultIniFileName();
String DefaultRegistryKey();

String StorageReadString(TObject* ini, const String& section, const String& ident, const String& defaultValue);
void StorageWriteString(TObject* ini, const String& section, const String& ident, const String& value);
int StorageReadInteger(TObject* ini, const String& section, const String& ident, int defaultValue);
void StorageWriteInteger(TObject* ini, const String& section, const String& ident, int value);
void StorageEraseSection(TObject* ini, const String& section);
void StorageReadSections(TObject* ini, TStrings& list);

// The entry for the primary screen's resolution, e.g. NormPos(1920x1080),
// else the plain entry.
String ScreenSuffix();
String ReadScreenKey(TObject* ini, const String& section, const String& ident);
void WriteScreenKey(TObject* ini, const String& section, const String& ident, const String& value);

// Word N (from 1) of a stored value; words are runs of characters other
// than blank and comma, so empty words do not count.
String StorageWord(int n, const String& text);
// The word as an integer, or defaultValue when missing or not a number.
int StorageWordInt(int n, const String& text, int defaultValue);

void WriteWindowPlacement(TCustomForm* form, TObject* ini, const String& section);
void ReadWindowPlacement(TCustomForm* form, TObject* ini, const String& section, bool loadState, bool loadPosition);

// A stored normal rectangle brought onto the screen: one that shows on no
// monitor moves into the nearest monitor's work area, and no side is
// longer than the desktop's.
TRect FitRectToScreen(const TRect& rect);
