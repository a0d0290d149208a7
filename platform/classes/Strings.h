#pragma once
// Lists of text lines with an optional object per line. TStrings is the
// abstract face that controls, INI readers and the application share;
// TStringList keeps the lines in memory. A control backs its items with a
// window by overriding the protected Get/Put/GetCount/GetObject/PutObject
// and the public Insert/Delete/Clear.
#include "platform/classes/Component.h"
#include "platform/classes/TextEncoding.h"
#include <functional>
#include <vector>

class TStream;

class TStrings : public TPersistent {
public:
  TStrings() = default;

  int Count() const { return GetCount(); }
  String Strings(int index) const { return Get(index); }
  void SetStrings(int index, const String& value) { Put(index, value); }
  String operator[](int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }

  // Returns the index the line landed at (a sorted list chooses it).
  virtual int Add(const String& s);
  virtual int AddObject(const String& s, TObject* object);
  virtual void Insert(int index, const String& s) = 0;
  virtual void InsertObject(int index, const String& s, TObject* object);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int curIndex, int newIndex);
  virtual void AddStrings(const TStrings& strings);
  void Assign(const TPersistent& source) override;

  // Case-insensitive (accents still count) unless a descendant says
  // otherwise; -1 when absent.
  virtual int IndexOf(const String& s) const;
  int IndexOfName(const String& name) const;
  int IndexOfObject(const TObject* object) const;

  // name=value lines. Names(i) is empty for a line without the separator;
  // the value runs from the first separator to the end of the line, so it
  // may itself contain the separator. Setting an empty value removes the line.
  String Names(int index) const;
  String Values(const String& name) const;
  void SetValues(const String& name, const String& value);
  String ValueFromIndex(int index) const;
  void SetValueFromIndex(int index, const String& value);
  char16_t NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char16_t value) { FNameValueSeparator = value; }

  // Lines each ended by CRLF; reading accepts CRLF, LF and lone CR.
  String Text() const { return GetTextStr(); }
  void SetText(const String& value) { SetTextStr(value); }

  // Items joined by Delimiter; items holding blanks, the delimiter or the
  // quote are quoted with QuoteChar (embedded quotes doubled). Unless
  // StrictDelimiter, blanks also separate items when reading.
  String DelimitedText() const;
  void SetDelimitedText(const String& value);
  String CommaText() const;
  void SetCommaText(const String& value);
  char16_t Delimiter() const { return FDelimiter; }
  void SetDelimiter(char16_t value) { FDelimiter = value; }
  char16_t QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char16_t value) { FQuoteChar = value; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool value) { FStrictDelimiter = value; }

  // Nested; the outermost pair tells the descendant through SetUpdateState.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Reading detects UTF-16 (BOM), UTF-8 (BOM or valid UTF-8) and falls back
  // to Windows-1252; writing uses the encoding given.
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName, TTextEncoding encoding = TTextEncoding::UTF8) const;
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream, TTextEncoding encoding = TTextEncoding::UTF8) const;

  bool Equals(const TStrings& other) const;
  std::vector<String> ToVector() const;

protected:
  virtual String Get(int index) const = 0;
  virtual int GetCount() const = 0;
  // Default: replaces the line by Delete + InsertObject, keeping its object.
  virtual void Put(int index, const String& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual void SetUpdateState(bool updating);
  virtual String GetTextStr() const;
  virtual void SetTextStr(const String& value);
  // Equality and order used by IndexOf and sorting: linguistic, accented
  // letters beside their base letter; case-insensitive here.
  virtual int CompareStrings(const String& s1, const String& s2) const;
  [[noreturn]] void Error(const String& message, int data) const;

private:
  String JoinDelimited(char16_t delimiter, char16_t quoteChar, bool strict) const;
  void SplitDelimited(const String& value, char16_t delimiter, char16_t quoteChar, bool strict);

  int FUpdateCount = 0;
  char16_t FDelimiter = u',';
  char16_t FQuoteChar = u'"';
  char16_t FNameValueSeparator = u'=';
  bool FStrictDelimiter = false;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
  TStringList() = default;
  ~TStringList() override;

  int Add(const String& s) override;
  int AddObject(const String& s, TObject* object) override;
  void Insert(int index, const String& s) override;
  void InsertObject(int index, const String& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  int IndexOf(const String& s) const override;

  // Binary search in a sorted list; index is where s is or would go.
  virtual bool Find(const String& s, int& index) const;
  virtual void Sort();
  void CustomSort(const std::function<int(TStringList&, int, int)>& compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);

  std::function<void(TObject* Sender)> OnChange;
  std::function<void(TObject* Sender)> OnChanging;

protected:
  String Get(int index) const override;
  int GetCount() const override;
  void Put(int index, const String& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void SetUpdateState(bool updating) override;
  int CompareStrings(const String& s1, const String& s2) const override;
  virtual void Changed();
  virtual void Changing();

private:
  struct Item {
    String FString;
    TObject* FObject = nullptr;
  };
  void CheckIndex(int index, int count) const;
  void InsertItem(int index, const String& s, TObject* object);

  std::vector<Item> FList;
  TDuplicates FDuplicates = dupIgnore;
  bool FSorted = false;
  bool FCaseSensitive = false;
};
