#pragma once
// The options text of a skin, read with case-sensitive section and key
// names (the platform's INI files ignore case), and the readers that take a
// section's value from the section it inherits from when it sets none.
#include "platform/rtl/String.h"
#include <memory>
#include <unordered_map>
#include <vector>

class TacSkinIni {
public:
  TacSkinIni() = default;
  explicit TacSkinIni(const String& Text) { SetText(Text); }
  // Bytes of a file or an entry: a byte-order mark selects the encoding.
  static std::unique_ptr<TacSkinIni> FromBytes(const std::string& Bytes);

  void SetText(const String& Text);
  bool SectionExists(const String& Section) const;
  bool ValueExists(const String& Section, const String& Key) const;
  String ReadString(const String& Section, const String& Key, const String& Default) const;
  // Decimal, or hexadecimal after "0x" or "$"; anything else is missing.
  int ReadInteger(const String& Section, const String& Key, int Default) const;
  // Section names in text order.
  std::vector<String> SectionNames() const;

  struct TEntry {
    String Key;
    String Value;
  };
  struct TSection {
    String Name;
    std::vector<TEntry> Entries;  // first of two equal keys only
    std::unordered_map<String, size_t> Index;
  };
  const std::vector<TSection>& Sections() const { return FSections; }
  const TSection* Find(const String& Section) const;

private:
  std::vector<TSection> FSections;
  std::unordered_map<String, size_t> FIndex;
};

// The integer form of an options value, or false.
bool SkinIniInt(const String& Text, int& Value);

// The options text of the skin being loaded; nil between loads.
extern std::unique_ptr<TacSkinIni> SkinOptions;

// Inherited reads through PARENTCLASS; a chain that comes back to a section
// already read stops there, and so does one longer than MaxParentChain,
// which no skin needs and whose every read would cost the whole chain.
constexpr int MaxParentChain = 32;
String ReadInheritedString(const TacSkinIni& Ini, const String& Section, const String& Key, const String& Default);
bool ReadInheritedBool(const TacSkinIni& Ini, const String& Section, const String& Key, bool Default);
int ReadInheritedInt(const TacSkinIni& Ini, const String& Section, const String& Key, int Default, int Max);
// VERSION of GLOBALINFO, read with "."; 0 when missing.
double ReadSkinVersion(const TacSkinIni& Ini);
