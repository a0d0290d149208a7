#pragma once
// The enumerations and sets that report controls, sites and their property
// objects share.
#include "platform/ui/EnumSet.h"
#include <cstdint>

// Alignment of a report control inside its site, in the order the kinds are
// declared (the site lays the kinds out in its own fixed order).
enum TRLControlAlign : uint8_t {
  faNone, faLeft, faTop, faRight, faBottom, faLeftMost, faRightMost, faClient,
  faLeftTop, faRightTop, faLeftBottom, faRightBottom, faCenter, faCenterLeft,
  faCenterTop, faCenterRight, faCenterBottom, faClientLeft, faClientTop,
  faClientRight, faClientBottom, faHeight, faWidth, faLeftOnly, faRightOnly,
  faTopOnly, faBottomOnly
};
constexpr int RLControlAlignCount = faBottomOnly + 1;
using TRLControlAlignSet = TEnumSet<TRLControlAlign>;

namespace rl_detail {
constexpr TRLControlAlignSet AllAligns() {
  return TRLControlAlignSet::FromBits((1u << RLControlAlignCount) - 1);
}
}  // namespace rl_detail

// Kinds that leave the width to the control.
constexpr TRLControlAlignSet WidthFree =
    rl_detail::AllAligns() - TRLControlAlignSet{faTop, faBottom, faClient, faClientTop, faClientBottom, faWidth};
// Kinds that leave the height to the control.
constexpr TRLControlAlignSet HeightFree =
    rl_detail::AllAligns() -
    TRLControlAlignSet{faLeft, faRight, faLeftMost, faRightMost, faClient, faClientLeft, faClientRight, faHeight};

enum TRLControlAnchorKind : uint8_t { fkLeft, fkTop, fkRight, fkBottom };
using TRLControlAnchors = TEnumSet<TRLControlAnchorKind>;

// Scoped: the UI library's text alignment and layout use the same value
// names for a shorter list.
enum class TRLTextAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter, taJustify };
enum class TRLTextLayout : uint8_t { tlTop, tlCenter, tlBottom, tlJustify };

enum TRLHoldStyle : uint8_t {
  hsAsColumn, hsHorizontally, hsVertically, hsRelatively, hsCopyWidth, hsCopyHeight, hsCopySize
};

enum TRLControlStateItem : uint8_t {
  stPrinting, stAligningControls, stAdjustingHoldeds, stAdjustingBounds, stExpandingParent,
  stRestoringBounds, stMeasuringHeights
};
using TRLControlState = TEnumSet<TRLControlStateItem>;

enum TRLAutoSizeDir : uint8_t { asWidthDir, asHeightDir };
using TRLAutoSizeDirSet = TEnumSet<TRLAutoSizeDir>;

enum TRLControlBehaviorItem : uint8_t { beSiteExpander };
using TRLControlBehavior = TEnumSet<TRLControlBehaviorItem>;

enum TRLBorderSides : uint8_t { sdCustom, sdNone, sdAll };
enum TRLImageArrange : uint8_t { baAligned, baSidebySide, baCenter, baDistributed };
enum TRLDegradeDirection : uint8_t { ddNone, ddHorizontal, ddVertical };
enum TRLRealBoundsUnit : uint8_t { buNone, buMilimeters, buInches };
enum TRLPageOrientation : uint8_t { poPortrait, poLandscape };

enum TRLBandType : uint8_t { btHeader, btTitle, btColumnHeader, btDetail, btColumnFooter, btSummary, btFooter };
constexpr int RLBandTypeCount = btFooter + 1;

enum TRLPrintQuality : uint8_t { pqFullFeature, pqFixedOnly };
enum TRLReportState : uint8_t { rsAbout, rsWriting, rsClosing, rsReady };
enum TRLRecordAction : uint8_t { raUseIt, raIgnoreIt, raUseAndRetain, raBlankAndRetain };
enum TRLPagerStatusType : uint8_t { psCompleting };
using TRLPagerStatus = TEnumSet<TRLPagerStatusType>;
