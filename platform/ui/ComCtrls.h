#pragma once
// Common controls: status bar, progress bar and page control with tab
// sheets.
#include "platform/classes/Collections.h"
#include "platform/ui/Controls.h"

class TStatusBar;

enum TStatusPanelStyle : uint8_t { psText, psOwnerDraw };
enum TStatusPanelBevel : uint8_t { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
public:
  explicit TStatusPanel(TCollection* collection);
  const String& Text() const { return FText; }
  void SetText(const String& value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel value);
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle value);
  void Assign(const TPersistent& source) override;

private:
  String FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
};

class TStatusPanels : public TCollection {
public:
  explicit TStatusPanels(TStatusBar* owner);
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }
  TStatusPanel* operator[](int index) const { return Items(index); }

protected:
  void Update(TCollectionItem* item) override;

private:
  TStatusBar* FStatusBar;
};

using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusBar : public TWinControl {
public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;

  TStatusPanels* Panels() const { return FPanels.get(); }
  // One panel over the whole bar, showing SimpleText.
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool value);
  const String& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const String& value);
  // Shows the application's long hints: in SimpleText, or in the first
  // panel when there are panels and SimplePanel is off.
  bool AutoHint() const { return FAutoHint; }
  void SetAutoHint(bool value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool value);
  // The panel under a client point, -1 when none.
  int PanelAt(TPoint pos);
  // The text the window shows in a panel (255: the simple panel).
  String DisplayedText(int panel);
  // The canvas of an owner-drawn panel while OnDrawPanel runs.
  TCanvas* Canvas() const { return FCanvas.get(); }

  TDrawPanelEvent OnDrawPanel;

  void WndProc(TMessage& Message) override;
  void UpdatePanels();

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  std::unique_ptr<TStatusPanels> FPanels;
  std::unique_ptr<TCanvas> FCanvas;
  bool FSimplePanel = false;
  String FSimpleText;
  bool FAutoHint = false;
  bool FSizeGrip = true;
};

enum TProgressBarOrientation : uint8_t { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
public:
  explicit TProgressBar(TComponent* AOwner);
  int Min() const { return FMin; }
  void SetMin(int value);
  int Max() const { return FMax; }
  void SetMax(int value);
  int Position();
  void SetPosition(int value);
  int Step() const { return FStep; }
  void SetStep(int value);
  void StepIt();
  void StepBy(int delta);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool value);
  TProgressBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TProgressBarOrientation value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FStep = 10;
  bool FSmooth = false;
  TProgressBarOrientation FOrientation = pbHorizontal;
};

class TPageControl;

class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* value);
  int PageIndex() const;
  void SetPageIndex(int value);
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool value);
  // Index among the visible tabs, -1 when its tab is hidden.
  int TabIndex() const;
  void WndProc(TMessage& Message) override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int value);
  void SelectNextPage(bool goForward);

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void AdjustClientRect(TRect& Rect) override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void UpdateTabs();

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};
