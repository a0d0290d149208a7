#pragma once
// Labels that draw their text in the skin's colours: the common base, the
// label that takes its colour from the nearest parent giving its own font,
// and the label whose caption is HTML-like text with links. Without a skin
// in use they draw as the platform label does.
#include "skin/engine/HtmlLinks.h"
#include "platform/ui/StdCtrls.h"

class TsSkinManager;

class TsCustomLabel : public TCustomLabel {
public:
  explicit TsCustomLabel(TComponent* AOwner);

  // The own manager, else the default one.
  TsSkinManager* GetSkinManager() const;
  TsSkinManager* SkinManager() const { return FSkinManager; }
  void SetSkinManager(TsSkinManager* Value);
  // Stored as given.
  const String& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const String& Value);

  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void DoDrawText(TRect& Rect, UINT Flags) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual const TFont& TextFont() const { return *Font(); }
  virtual TColor TextColor();
  // The disabled mix of a colour with the parent's background.
  TColor DisabledColor(TColor Color) const;
  // Section index looked up for the paint in progress; -1 outside painting.
  int FSkinIndex = -1;

private:
  String FSkinSection;
  TsSkinManager* FSkinManager = nullptr;
};

// Paints the section SkinIndex behind the label over its parent's
// background; tests may put a recorder in its place.
extern void (*LabelSectionPainter)(TsCustomLabel* Label, int SkinIndex);

class TsLabel : public TsCustomLabel {
public:
  explicit TsLabel(TComponent* AOwner) : TsCustomLabel(AOwner) {}
  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool Value);

protected:
  TColor TextColor() override;

private:
  bool FUseSkinColor = true;
};

// Show commands of opened links (SW_xxx).
enum TsWindowShowMode : uint8_t {
  soHide, soShowNormal, soShowMinimized, soShowMaximized, soShowNoActivate, soShow, soMinimize,
  soShowMinNoActive, soShowNA, soRestore, soDefault
};

class TsHTMLLabel : public TsLabel {
public:
  explicit TsHTMLLabel(TComponent* AOwner) : TsLabel(AOwner) {}
  bool UseHTML() const { return FUseHTML; }
  void SetUseHTML(bool Value);
  TsWindowShowMode ShowMode() const { return FShowMode; }
  void SetShowMode(TsWindowShowMode Value) { FShowMode = Value; }
  String PlainCaption() const;

  int HotLink = -1;
  int PressedLink = -1;
  TacLinks Links;

  void WndProc(TMessage& Message) override;

protected:
  void DoDrawText(TRect& Rect, UINT Flags) override;
  // Opens the link's URL with the shell; an empty URL does nothing.
  virtual void DoClick(int LinkIndex);

private:
  int LinkAt(TPoint P) const;
  void SetLinkCursor(bool Hand);
  bool FUseHTML = true;
  TsWindowShowMode FShowMode = soDefault;
};

class TsEditLabel;
// What an edit's bound label keeps of its label.
struct TsBoundLabel {
  TsEditLabel* TheLabel = nullptr;
  bool HasLabel = false;
};

class TsEditLabel : public TsHTMLLabel {
public:
  TsEditLabel(TComponent* AOwner, TsBoundLabel* BoundStruct);
  ~TsEditLabel() override;
  TsBoundLabel* BoundLabel = nullptr;  // not owned
};

// Text with every tag removed; a ">" before the next "<" ends the removal.
String StripHtmlTags(const String& Text);
// Cuts a text before its last blank or tab, else by its last character,
// never inside a surrogate pair.
void CutLastWord(String& Text);
// Text shortened, word by word, until with "..." it fits R's width less
// the ellipsis in no more lines than MaxHeight allows; "..." is added only
// to a text that was cut.
String WrapWithEllipsis(HDC DC, const String& Text, const TRect& R, UINT Format, int MaxHeight);
