#pragma once
// The alpha hints component: while active, every hint of the program is
// measured, placed and painted from a hint template on a layered,
// per-pixel-alpha window with a fade-in, through the application's hint
// event and its hint window class.
#include "platform/classes/Alignment.h"
#include "platform/ui/Forms.h"
#include "skin/forms/hints/HintTemplates.h"
#include <memory>

class TacThreadedTimer;
class TsShowTimer;
class TacCustomHintWindow;
class TacPngHintWindow;

// Where the anchor point lies on the hint body.
enum TacMousePosition : uint8_t { mpLeftTop, mpLeftBottom, mpRightTop, mpRightBottom };
enum TacHintState : uint8_t { hsNormal, hsInit };

// The hint text, whether to show it, the hint record and a control that a
// handler may hand in to be shown in place of the text.
using TacShowHintEvent =
    std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo, TWinControl*& Frame)>;

class TsAlphaHints : public TComponent {
public:
  explicit TsAlphaHints(TComponent* AOwner);
  ~TsAlphaHints() override;
  // Takes over the application's hint event and hide pause, and activates.
  void Loaded() override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool Value) { FAnimated = Value; }
  // Width limit of the hint text; 0 or less: the screen's width.
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value) { FMaxWidth = Value; }
  TacHintTemplates* Templates() const { return FTemplates.get(); }
  void SetTemplates(const TacHintTemplates& Value) { FTemplates->Assign(Value); }
  const String& TemplateName() const { return FTemplateName; }
  // Looks the name up (ignoring case) among the templates there are now.
  void SetTemplateName(const String& Value);
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment Value) { FTextAlignment = Value; }
  bool HTMLMode() const { return FHTMLMode; }
  void SetHTMLMode(bool Value) { FHTMLMode = Value; }
  int PauseHide() const { return FPauseHide; }
  // Also the application's hide pause, at once.
  void SetPauseHide(int Value);
  const String& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const String& Value) { FSkinSection = Value.empty() ? String(u"HINT") : Value; }
  bool UseSkinData() const { return FUseSkinData; }
  void SetUseSkinData(bool Value) { FUseSkinData = Value; }
  bool IsHintShowing() const { return HintShowing; }

  TacShowHintEvent OnShowHint;
  TNotifyEvent OnHideHint;
  TNotifyEvent OnChange;
  TacMousePosition DefaultMousePos = mpLeftTop;

  // OnChange, unless loading.
  void Changed();
  // A default skin manager with this component's section in its skin.
  bool Skinned() const;
  // The template of TemplateName, or the default template.
  TacHintTemplate& CurrentTemplateOf() const;

  // The application's hint event while the component is loaded.
  void OnShowHintApp(String& HintStr, bool& CanShow, THintInfo& HintInfo);
  // Explicit hints at a control or a screen point; HideTime 0 keeps them.
  void ShowHint(TControl* TheControl, const String& HintText, uint16_t HideTime);
  void ShowHint(TPoint Position, const String& HintText, uint16_t HideTime);
  void HideHint();
  void RepaintHint();
  void StartCheckTimer();
  void FreeHintFrame();

  void SaveToStream(TMemoryStream& AStream);
  void SaveToFile(const String& FileName);
  // The template read, appended to Templates; nil for a file that is not
  // a template ("Unknown file format") or not a whole one.
  TacHintTemplate* LoadFromStream(TMemoryStream& AStream);
  TacHintTemplate* LoadFromFile(const String& FileName);

  // The state the hint windows share with the component.
  TPoint FHintPos{-1, -1};
  int FOldHintPause = 0;
  int FTemplateIndex = -1;
  THintInfo CurrentHintInfo;
  std::unique_ptr<TBitmap> FCacheBmp;
  std::unique_ptr<TsShowTimer> ShowTimer;
  TacThreadedTimer* HideTimer = nullptr;  // owned as a component
  std::unique_ptr<TacThreadedTimer> CheckTimer;
  std::unique_ptr<TBitmap> OldAlphaBmp;
  double Blend = 0;
  TacHintState State = hsNormal;
  bool HintShowing = false;
  std::unique_ptr<TForm> AnimWindow;
  std::unique_ptr<TForm> NewWindow;
  TWinControl* HintFrame = nullptr;
  TacPngHintWindow* HintWindow = nullptr;  // owned as a component
  TRect NewBounds;

protected:
  void AssignTo(TPersistent& Dest) const override;

private:
  void UpdateActivation();
  void HideTimerTick();
  void CheckTimerTick();
  void ShowExplicit(TControl* TheControl, TPoint Location, const String& HintText, uint16_t HideTime);

  bool FActive = true;
  bool FAnimated = true;
  int FMaxWidth = 120;
  std::unique_ptr<TacHintTemplates> FTemplates;
  String FTemplateName;
  TAlignment FTextAlignment = taCenter;
  bool FHTMLMode = false;
  int FPauseHide = 5000;
  String FSkinSection = u"HINT";
  bool FUseSkinData = false;
};

// The process-wide state of the hints: the active component (nil when
// none), and the template, picture and window of the hint being made.
extern TsAlphaHints* ActiveHintsComponent;
extern TacHintTemplate* CurrentHintTemplate;
extern TacHintImage* CurrentHintImage;
extern TacCustomHintWindow* CurrentHintWindow;
