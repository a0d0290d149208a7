// Everything of a skin that is not an image: the skin-wide values, the two
// outer effects, the sections with their states and the palette.
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinOptionsReader.h"
#include "skin/graphics/ColorFuncs.h"
#include "skin/graphics/GradientText.h"
#include "platform/rtl/StrUtils.h"
#include <algorithm>

namespace {
const String GlobalInfo = u"GLOBALINFO";
constexpr int MaxInt = 2147483647;
// Glow and blur sizes and outer offsets size the bitmaps and passes of
// every paint; a skin's values beyond this would stall or exhaust them.
constexpr int MaxEffectSize = 255;
int EffectSize(int Value, int Min) { return std::clamp(Value, Min, MaxEffectSize); }
// The skin's own way of naming the system's highlight text colour.
constexpr TColor HighlightTextUnresolved = static_cast<TColor>(0xFF00000Eu);

// The keys of one state: normal (0) or hot (1).
struct TStateKeys {
  const char16_t *Color, *FontColor, *Left, *Top, *Right, *Bottom, *GlowColor, *GlowSize, *GradientPercent,
      *GradientData, *ImagePercent, *Transparency;
};
constexpr TStateKeys StateKeys[2] = {
    {u"COLOR", u"FONTCOLOR", u"TCLEFT", u"TCTOP", u"TCRIGHT", u"TCBOTTOM", u"GCOL", u"GSIZE", u"GRADIENTPERCENT",
     u"GRADIENTDATA", u"IMAGEPERCENT", u"TRANSPARENCY"},
    {u"HOTCOLOR", u"HOTFONTCOLOR", u"HOTTCLEFT", u"HOTTCTOP", u"HOTTCRIGHT", u"HOTTCBOTTOM", u"HGCOL", u"HGSIZE",
     u"HOTGRADIENTPERCENT", u"HOTGRADIENTDATA", u"HOTIMAGEPERCENT", u"HOTTRANSPARENCY"}};

TsGenState DefaultState() {
  TsGenState s;
  s.Color = 0xFFFFFF;
  s.FontColor = TsFontColor{0, -1, -1, -1, -1};
  s.GlowColor = 0xFFFFFF;
  s.GlowSize = 0;
  s.GradientPercent = 0;
  s.ImagePercent = 0;
  s.Transparency = 0;
  s.TextureIndex = -1;
  return s;
}

// Reads one state through Int and Str, each given a key and a default.
template <typename IntRead, typename StrRead>
TsGenState ReadState(const TStateKeys& k, const TsGenState& d, IntRead Int, StrRead Str) {
  TsGenState s = d;
  s.Color = Int(k.Color, d.Color);
  s.FontColor.Color = Int(k.FontColor, d.FontColor.Color);
  s.FontColor.Left = Int(k.Left, d.FontColor.Left);
  s.FontColor.Top = Int(k.Top, d.FontColor.Top);
  s.FontColor.Right = Int(k.Right, d.FontColor.Right);
  s.FontColor.Bottom = Int(k.Bottom, d.FontColor.Bottom);
  s.GlowColor = Int(k.GlowColor, d.GlowColor);
  s.GlowSize = EffectSize(Int(k.GlowSize, d.GlowSize), 0);
  s.GradientPercent = Int(k.GradientPercent, d.GradientPercent);
  const String gradient = Str(k.GradientData, u" ");
  if (gradient.size() > 2)
    ParseGradientText(gradient, s.GradientArray);
  else
    s.GradientPercent = 0;
  s.ImagePercent = Int(k.ImagePercent, d.ImagePercent);
  s.Transparency = Int(k.Transparency, d.Transparency);
  return s;
}

const TsGeneralData* FindSection(const std::vector<TsGeneralData>& gd, const String& Name) {
  for (const auto& s : gd)
    if (s.ClassName == Name) return &s;
  return nullptr;
}
}  // namespace

void TsSkinManager::LoadAllGeneralData() {
  TsSkinData& sd = *Model.CommonSkinData;
  if (SkinOptions) {
    const TacSkinIni& ini = *SkinOptions;
    sd.Version = ReadSkinVersion(ini);
    const auto g = [&](const char16_t* key, int def) { return ini.ReadInteger(GlobalInfo, key, def); };
    sd.Author = ini.ReadString(GlobalInfo, u"AUTHOR", String());
    sd.Description = ini.ReadString(GlobalInfo, u"DESCRIPTION", String());
    sd.ExBorderWidth = g(u"BORDERWIDTH", 4);
    sd.ExTitleHeight = g(u"TITLEHEIGHT", 30);
    if (sd.ExTitleHeight == 0) sd.ExTitleHeight = 30;
    sd.ExMaxHeight = g(u"MAXHEIGHT", 0);
    if (sd.ExMaxHeight == 0) sd.ExMaxHeight = sd.ExTitleHeight;
    sd.ExContentOffs = g(u"FORMOFFSET", GetSystemMetrics(SM_CXFRAME));
    sd.ExCenterOffs = g(u"CENTEROFFSET", 0);
    sd.ExDrawMode = g(u"BORDERMODE", 0);
    sd.BrightMin = g(u"BRIGHTMIN", -50);
    sd.BrightMax = g(u"BRIGHTMAX", 50);
    sd.ExShadowOffs = g(u"ALIGNOFFSET", 0);
    sd.ExShadowOffsR = g(u"ALIGNOFFSETR", sd.ExShadowOffs);
    sd.ExShadowOffsT = g(u"ALIGNOFFSETT", sd.ExShadowOffs);
    sd.ExShadowOffsB = g(u"ALIGNOFFSETB", sd.ExShadowOffs);
    sd.BISpacing = g(u"BISPACE", 0);
    sd.BIVAlign = g(u"BIVALIGN", 0);
    sd.BIRightMargin = g(u"BIRIGHT", 0);
    sd.BILeftMargin = g(u"BILEFT", 0);
    sd.BITopMargin = g(u"BITOP", 0);
    sd.BIKeepHUE = g(u"BIKEEPHUE", 0);
    sd.UseAeroBluring = g(u"AEROBLUR", 0) != 0;
    sd.BICloseGlow = g(u"BICONCLOSEGLOW", 0);
    sd.BICloseGlowMargin = g(u"BICONCLOSEGLOWMARGIN", 0);
    sd.BIMaxGlow = g(u"BICONMAXGLOW", 0);
    sd.BIMaxGlowMargin = g(u"BICONMAXGLOWMARGIN", 0);
    sd.BIMinGlow = g(u"BICONMINGLOW", 0);
    sd.BIMinGlowMargin = g(u"BICONMINGLOWMARGIN", 0);
    sd.Shadow1Color = g(u"SHADOW1COLOR", 0);
    sd.Shadow1Offset = EffectSize(g(u"SHADOW1OFFSET", 0), -MaxEffectSize);
    sd.Shadow1Blur = EffectSize(g(u"SHADOW1BLUR", -1), -1);
    sd.Shadow1Transparency = g(u"SHADOW1TRANSPARENCY", 0);
    sd.ComboBoxMargin = g(u"COMBOMARGIN", 2);

    // oe[1] (the shadow) is read before oe[0] (the outer light).
    Model.oe.assign(2, TacOutEffData());
    const auto readEffect = [&](TacOutEffData& e, const String& p, TColor light, int offL, int offR, int offT,
                                int offB, int opacity) {
      e.ColorL = g((p + u"COLORL").c_str(), light);
      e.ColorR = g((p + u"COLORR").c_str(), light);
      e.ColorT = g((p + u"COLORT").c_str(), 0);
      e.ColorB = g((p + u"COLORB").c_str(), light);
      e.WidthL = g((p + u"WIDTHL").c_str(), -1);
      e.WidthR = g((p + u"WIDTHR").c_str(), -1);
      e.WidthT = g((p + u"WIDTHT").c_str(), -1);
      e.WidthB = g((p + u"WIDTHB").c_str(), -1);
      e.OffsetL = EffectSize(g((p + u"OFFSETL").c_str(), offL), -MaxEffectSize);
      e.OffsetR = EffectSize(g((p + u"OFFSETR").c_str(), offR), -MaxEffectSize);
      e.OffsetT = EffectSize(g((p + u"OFFSETT").c_str(), offT), -MaxEffectSize);
      e.OffsetB = EffectSize(g((p + u"OFFSETB").c_str(), offB), -MaxEffectSize);
      e.Source = g((p + u"SOURCE").c_str(), 2);
      e.Opacity = g((p + u"OPACITY").c_str(), opacity);
      MakeOuterEffectMask(e, p + u"MASK");
    };
    readEffect(Model.oe[1], u"SH_", 0, 3, 3, 2, 5, 60);
    readEffect(Model.oe[0], u"LO_", 0xFFFFFF, 2, 2, 2, 4, 200);

    sd.TabsCovering = ini.ReadInteger(u"TABTOP", u"TABSCOVERING", 0);
    sd.RibbonCovering = ini.ReadInteger(u"RIBBONTAB", u"TABSCOVERING", 0);

    Model.gd.clear();
    const TsGenState defaults = DefaultState();
    for (const auto& section : ini.Sections()) {
      const String& name = section.Name;
      TsGeneralData d;
      d.ClassName = name;
      d.ParentClass = ini.ReadString(name, u"PARENTCLASS", String());
      const auto inh = [&](const char16_t* key, int def, int max) { return ReadInheritedInt(ini, name, key, def, max); };
      d.ReservedBoolean = ReadInheritedBool(ini, name, u"RESERVEDBOOLEAN", false);
      d.GiveOwnFont = ReadInheritedBool(ini, name, u"GIVEOWNFONT", false);
      d.GlowCount = inh(u"GLOW", 0, 255);
      d.GlowMargin = EffectSize(inh(u"GLOWMARGIN", 0, 255), -MaxEffectSize);
      // A section has at least its normal state.
      d.States = std::max(1, inh(u"STATES", 3, 255));
      d.OuterOffset.Left = EffectSize(inh(u"OUTOFFSL", 0, 255), -MaxEffectSize);
      d.OuterOffset.Top = EffectSize(inh(u"OUTOFFST", 0, 255), -MaxEffectSize);
      d.OuterOffset.Right = EffectSize(inh(u"OUTOFFSR", 0, 255), -MaxEffectSize);
      d.OuterOffset.Bottom = EffectSize(inh(u"OUTOFFSB", 0, 255), -MaxEffectSize);
      d.OuterOpacity = inh(u"OUTOPACITY", 200, 255);
      d.OuterMode = inh(u"OUTERMODE", 2, MaxInt);
      d.ImgTL = d.ImgTR = d.ImgBL = d.ImgBR = -1;
      const auto intRead = [&](const char16_t* key, int def) { return inh(key, def, MaxInt); };
      const auto strRead = [&](const char16_t* key, const String& def) { return ReadInheritedString(ini, name, key, def); };
      d.Props[0] = ReadState(StateKeys[0], defaults, intRead, strRead);
      d.Props[1] = d.States >= 2 ? ReadState(StateKeys[1], defaults, intRead, strRead) : d.Props[0];
      Model.gd.push_back(std::move(d));
    }
  }

  if (FCommonSections->Count() > 0) {
    const TacSkinIni common(FCommonSections->Text());
    TsGeneralData base;
    base.Props[0] = base.Props[1] = DefaultState();
    base.States = 3;
    base.OuterMode = 0;
    base.OuterOpacity = 0;
    for (const auto& section : common.Sections()) {
      const String& name = section.Name;
      if (FindSection(Model.gd, name)) continue;
      TsGeneralData d;
      d.ClassName = name;
      d.ParentClass = UpperCase(common.ReadString(name, u"PARENTCLASS", u"-1"));
      const TsGeneralData* parent = nullptr;
      for (const auto& s : Model.gd)
        if (UpperCase(s.ClassName) == d.ParentClass) {
          parent = &s;
          break;
        }
      const TsGeneralData b = parent ? *parent : base;
      const auto intRead = [&](const char16_t* key, int def) {
        const int v = common.ReadInteger(name, key, -1);
        return v == -1 ? def : v;
      };
      const auto strRead = [&](const char16_t* key, const String& def) { return common.ReadString(name, key, def); };
      const auto boolRead = [&](const char16_t* key, bool def) {
        if (!common.ValueExists(name, key)) return def;
        const String v = UpperCase(common.ReadString(name, key, String()));
        return v == u"1" || v == u"TRUE";
      };
      d.States = std::max(1, intRead(u"STATES", b.States));
      d.Props[0] = ReadState(StateKeys[0], b.Props[0], intRead, strRead);
      d.Props[1] = d.States >= 2 ? ReadState(StateKeys[1], b.Props[1], intRead, strRead) : d.Props[0];
      d.ReservedBoolean = boolRead(u"RESERVEDBOOLEAN", b.ReservedBoolean);
      d.GiveOwnFont = boolRead(u"GIVEOWNFONT", b.GiveOwnFont);
      d.GlowCount = EffectSize(intRead(u"GLOW", b.GlowCount), 0);
      d.GlowMargin = EffectSize(intRead(u"GLOWMARGIN", b.GlowMargin), -MaxEffectSize);
      d.OuterMode = 0;
      d.OuterOpacity = 0;
      d.Props[0].TextureIndex = d.Props[1].TextureIndex = -1;
      Model.gd.push_back(std::move(d));
    }
  }

  InitMaskIndexes();

  // The palette.
  TacPaletteArray& p = Model.Palette;
  const auto gi = [&](const char16_t* key, TColor def) {
    return SkinOptions ? SkinOptions->ReadInteger(GlobalInfo, key, def) : def;
  };
  p[pcMainColor] = gi(u"COLOR", ColorToRGB(clBtnFace));
  p[pcLabelText] = gi(u"FONTCOLOR", 0);
  p[pcWebText] = gi(u"TCBOTTOM", 0xFF0000);
  p[pcWebTextHot] = gi(u"TCTOP", 0x0000FF);
  p[pcBorder] = gi(u"BORDERCOLOR", 0);
  if (const TsGeneralData* edit = FindSection(Model.gd, u"EDIT")) {
    p[pcEditText] = ColorToRGB(edit->Props[0].FontColor.Color);
    p[pcEditBG] = ColorToRGB(edit->Props[0].Color);
  } else {
    p[pcEditText] = ColorToRGB(clWindowText);
    p[pcEditBG] = ColorToRGB(clWindow);
  }
  if (const TsGeneralData* sel = FindSection(Model.gd, u"SELECTION")) {
    const TsGenState& focused = sel->Props[sel->States >= 2 ? 1 : 0];
    p[pcSelectionText_Focused] = focused.FontColor.Color;
    p[pcSelectionBG_Focused] = focused.Color;
    p[pcSelectionText] = sel->Props[0].FontColor.Color;
    p[pcSelectionBG] = sel->Props[0].Color;
  } else {
    p[pcSelectionText_Focused] = p[pcSelectionBG_Focused] = p[pcSelectionText] = p[pcSelectionBG] = -1;
  }
  if (p[pcSelectionText] == -1 || p[pcSelectionText] == 0xFF00FF) {
    if (const TsGeneralData* menu = FindSection(Model.gd, u"MENUITEM")) {
      p[pcSelectionText] = menu->Props[1].FontColor.Color;
      p[pcSelectionBG] = p[pcSelectionBG_Focused] = menu->Props[1].Color;
      if (p[pcSelectionText] == -1 || p[pcSelectionText] == 0xFF00FF)
        p[pcSelectionText] = HighlightTextUnresolved;
      else
        p[pcSelectionText] = ColorToRGB(p[pcSelectionText]);
      p[pcSelectionText_Focused] = p[pcSelectionText];
    } else {
      p[pcSelectionText] = p[pcSelectionText_Focused] = ColorToRGB(clHighlightText);
      p[pcSelectionBG] = p[pcSelectionBG_Focused] = ColorToRGB(clHighlight);
    }
  }
  p[pcEditText_Ok] = gi(u"EDITTEXT_OK", 0x008000);
  p[pcEditText_Warning] = gi(u"EDITTEXT_WARN", 0x008484);
  p[pcEditText_Alert] = gi(u"EDITTEXT_ALERT", 0x0000FF);
  p[pcEditText_Caution] = gi(u"EDITTEXT_ALERT", 0x8597D9);
  p[pcEditText_Bypassed] = gi(u"EDITTEXT_ALERT", 0x4AB28F);
  p[pcEditBG_Ok] = gi(u"EDITBG_OK", 0x6CC2A5);
  p[pcEditBG_Warning] = gi(u"EDITBG_WARN", 0x40FFFF);
  p[pcEditBG_Alert] = gi(u"EDITBG_ALERT", 0x95A7E9);
  p[pcEditBG_Caution] = gi(u"EDITBG_ALERT", 0x8597D9);
  p[pcEditBG_Bypassed] = gi(u"EDITBG_ALERT", 0x4AB28F);
  p[pcEditText_Highlight1] = gi(u"EDITTEXT_H1", 0);
  p[pcEditText_Highlight2] = gi(u"EDITTEXT_H2", 0);
  p[pcEditText_Highlight3] = gi(u"EDITTEXT_H3", 0);
  p[pcEditText_Inverted] = gi(u"EDITTEXT_INV", p[pcEditBG]);
  p[pcEditBG_Inverted] = gi(u"EDITBG_INV", p[pcEditText]);
  p[pcEditBG_OddRow] = gi(u"EDITBG_ODD", p[pcEditBG]);
  p[pcEditBG_EvenRow] = gi(u"EDITBG_EVEN", BlendColorPair(p[pcEditText], p[pcEditBG], 0.05));

  if (!FindSection(Model.gd, u"TRANSPARENT")) {
    TsGeneralData t;
    t.ClassName = u"TRANSPARENT";
    t.States = 1;
    for (TsGenState& s : t.Props) {
      s = TsGenState();
      s.Transparency = 100;
      s.Color = 0xFFFFFF;
      s.FontColor = TsFontColor{p[pcLabelText], -1, -1, -1, -1};
      s.TextureIndex = 0;
    }
    t.OuterMode = 0;
    t.OuterOpacity = 0;
    Model.gd.push_back(std::move(t));
  }

  ApplyHue(FHueOffset);
  ApplySaturation(FSaturation);
  ApplyBrightness(FBrightness);
}
