#include "platform/classes/Strings.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include <algorithm>
#include <cstdint>

namespace {

const String kListIndexError = u"List index out of bounds (%d)";

bool IsBlank(char16_t c) { return c >= 1 && c <= u' '; }

String QuotedStr(const String& s, char16_t quote) {
  String out(1, quote);
  for (char16_t c : s) {
    out.push_back(c);
    if (c == quote) out.push_back(quote);
  }
  out.push_back(quote);
  return out;
}

}  // namespace

// ---- TStrings ---------------------------------------------------------------

int TStrings::Add(const String& s) {
  int index = GetCount();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const String& s, TObject* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::InsertObject(int index, const String& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::Put(int index, const String& s) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, s, object);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}
void TStrings::SetUpdateState(bool) {}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  String s = Get(index1);
  TObject* object = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, s);
  PutObject(index2, object);
  EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  BeginUpdate();
  String s = Get(curIndex);
  TObject* object = GetObject(curIndex);
  Delete(curIndex);
  InsertObject(newIndex, s, object);
  EndUpdate();
}

void TStrings::AddStrings(const TStrings& strings) {
  BeginUpdate();
  int n = strings.Count();
  for (int i = 0; i < n; ++i) AddObject(strings.Get(i), strings.GetObject(i));
  EndUpdate();
}

void TStrings::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TStrings*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    FDelimiter = other->FDelimiter;
    FQuoteChar = other->FQuoteChar;
    FNameValueSeparator = other->FNameValueSeparator;
    FStrictDelimiter = other->FStrictDelimiter;
    AddStrings(*other);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::CompareStrings(const String& s1, const String& s2) const {
  return AnsiCompareText(s1, s2);
}

int TStrings::IndexOf(const String& s) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const String& name) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i) {
    String s = Get(i);
    size_t p = s.find(FNameValueSeparator);
    if (p != String::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

String TStrings::Names(int index) const {
  String s = Get(index);
  size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::ValueFromIndex(int index) const {
  String s = Get(index);
  size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int index, const String& value) {
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  if (index < 0) index = Add(String());
  Put(index, Names(index) + FNameValueSeparator + value);
}

String TStrings::Values(const String& name) const {
  int i = IndexOfName(name);
  return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValues(const String& name, const String& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  if (i < 0) i = Add(String());
  Put(i, name + FNameValueSeparator + value);
}

String TStrings::GetTextStr() const {
  String out;
  int n = GetCount();
  for (int i = 0; i < n; ++i) {
    out += Get(i);
    out += u"\r\n";
  }
  return out;
}

void TStrings::SetTextStr(const String& value) {
  BeginUpdate();
  try {
    Clear();
    size_t start = 0;
    while (start < value.size()) {
      size_t end = start;
      while (end < value.size() && value[end] != u'\r' && value[end] != u'\n') ++end;
      Add(value.substr(start, end - start));
      if (end < value.size() && value[end] == u'\r') ++end;
      if (end < value.size() && value[end] == u'\n') ++end;
      start = end;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::DelimitedText() const { return JoinDelimited(FDelimiter, FQuoteChar, FStrictDelimiter); }

void TStrings::SetDelimitedText(const String& value) {
  SplitDelimited(value, FDelimiter, FQuoteChar, FStrictDelimiter);
}

// Always the comma and the double quote, whatever Delimiter says.
String TStrings::CommaText() const { return JoinDelimited(u',', u'"', false); }

void TStrings::SetCommaText(const String& value) { SplitDelimited(value, u',', u'"', false); }

String TStrings::JoinDelimited(char16_t delimiter, char16_t quoteChar, bool strict) const {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return String(2, quoteChar);
  String out;
  for (int i = 0; i < n; ++i) {
    String s = Get(i);
    bool quote = std::any_of(s.begin(), s.end(), [&](char16_t c) {
      return c == 0 || c == quoteChar || c == delimiter || (!strict && IsBlank(c));
    });
    if (i > 0) out.push_back(delimiter);
    out += quote ? QuotedStr(s, quoteChar) : s;
  }
  return out;
}

void TStrings::SplitDelimited(const String& value, char16_t delimiter, char16_t quoteChar, bool strict) {
  BeginUpdate();
  try {
    Clear();
    const size_t n = value.size();
    size_t p = 0;
    auto skipBlanks = [&] {
      if (!strict)
        while (p < n && IsBlank(value[p])) ++p;
    };
    skipBlanks();
    while (p < n) {
      String s;
      if (value[p] == quoteChar) {
        // A quoted item: doubled quotes stand for one; an unclosed quote
        // runs to the end.
        ++p;
        while (p < n) {
          if (value[p] == quoteChar) {
            if (p + 1 < n && value[p + 1] == quoteChar) {
              s.push_back(quoteChar);
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          s.push_back(value[p++]);
        }
      } else {
        size_t start = p;
        while (p < n && value[p] != delimiter && (strict || !IsBlank(value[p]))) ++p;
        s = value.substr(start, p - start);
      }
      Add(s);
      skipBlanks();
      if (p < n && value[p] == delimiter) {
        if (p + 1 == n) Add(String());  // a trailing delimiter ends with an empty item
        ++p;
        skipBlanks();
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const String& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TStrings::SaveToFile(const String& fileName, TTextEncoding encoding) const {
  TMemoryStream bytes;
  SaveToStream(bytes, encoding);
  bytes.SaveToFile(fileName);
}

void TStrings::LoadFromStream(TStream& stream) {
  int64_t position = stream.Position();
  int64_t size = position < 0 ? 0 : stream.Size() - position;
  std::string bytes;
  try {
    bytes.assign(static_cast<size_t>(std::clamp<int64_t>(size, 0, INT64_MAX)), '\0');
  } catch (const std::exception&) {
    throw EReadError(u"Out of memory while reading stream");
  }
  if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  SetTextStr(DecodeText(bytes));
}

void TStrings::SaveToStream(TStream& stream, TTextEncoding encoding) const {
  std::string bytes = EncodeText(GetTextStr(), encoding);
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

bool TStrings::Equals(const TStrings& other) const {
  int n = GetCount();
  if (n != other.GetCount()) return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

std::vector<String> TStrings::ToVector() const {
  std::vector<String> out;
  int n = GetCount();
  out.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out.push_back(Get(i));
  return out;
}

void TStrings::Error(const String& message, int data) const {
  String text = message;
  size_t p = text.find(u"%d");
  if (p != String::npos) text.replace(p, 2, AsciiToString(std::to_string(data)));
  throw EListError(text);
}

// ---- TStringList ------------------------------------------------------------

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
  // Called around the outermost update, when the count is still/already 0.
  if (updating) {
    if (OnChanging) OnChanging(this);
  } else {
    if (OnChange) OnChange(this);
  }
}

void TStringList::CheckIndex(int index, int count) const {
  if (index < 0 || index >= count) Error(kListIndexError, index);
}

String TStringList::Get(int index) const {
  CheckIndex(index, GetCount());
  return FList[static_cast<size_t>(index)].FString;
}

int TStringList::GetCount() const { return static_cast<int>(FList.size()); }

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index, GetCount());
  return FList[static_cast<size_t>(index)].FObject;
}

void TStringList::Put(int index, const String& s) {
  if (FSorted) Error(u"Operation not allowed on sorted list", 0);
  CheckIndex(index, GetCount());
  Changing();
  FList[static_cast<size_t>(index)].FString = s;
  Changed();
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index, GetCount());
  Changing();
  FList[static_cast<size_t>(index)].FObject = object;
  Changed();
}

int TStringList::Add(const String& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const String& s, TObject* object) {
  int index;
  if (!FSorted) {
    index = GetCount();
  } else if (Find(s, index)) {
    switch (FDuplicates) {
      case dupIgnore:
        return index;
      case dupError:
        Error(u"String list does not allow duplicates", 0);
      case dupAccept:
        break;
    }
  }
  InsertItem(index, s, object);
  return index;
}

void TStringList::Insert(int index, const String& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const String& s, TObject* object) {
  if (FSorted) Error(u"Operation not allowed on sorted list", 0);
  if (index < 0 || index > GetCount()) Error(kListIndexError, index);
  InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const String& s, TObject* object) {
  Changing();
  FList.insert(FList.begin() + index, Item{s, object});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index, GetCount());
  Changing();
  FList.erase(FList.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1, GetCount());
  CheckIndex(index2, GetCount());
  Changing();
  std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
  Changed();
}

int TStringList::CompareStrings(const String& s1, const String& s2) const {
  return FCaseSensitive ? AnsiCompareStr(s1, s2) : AnsiCompareText(s1, s2);
}

bool TStringList::Find(const String& s, int& index) const {
  // With duplicates accepted the first of the equal lines is reported.
  bool found = false;
  int lo = 0, hi = GetCount() - 1;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareStrings(FList[static_cast<size_t>(mid)].FString, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

int TStringList::IndexOf(const String& s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

void TStringList::Sort() {
  if (FList.size() < 2) return;
  Changing();
  std::stable_sort(FList.begin(), FList.end(), [this](const Item& a, const Item& b) {
    return CompareStrings(a.FString, b.FString) < 0;
  });
  Changed();
}

void TStringList::CustomSort(const std::function<int(TStringList&, int, int)>& compare) {
  if (FList.size() < 2) return;
  Changing();
  // The comparer looks items up by index, so sort an index permutation.
  std::vector<int> order(FList.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(FList.size());
  for (int i : order) sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
  FList = std::move(sorted);
  Changed();
}

void TStringList::SetSorted(bool value) {
  if (FSorted == value) return;
  if (value) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (FCaseSensitive == value) return;
  FCaseSensitive = value;
  if (FSorted) Sort();
}
