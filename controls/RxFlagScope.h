#pragma once
// Restores a flag on every way out of a block.

class TFlagScope {
public:
  TFlagScope(bool& flag, bool value) : FFlag(flag), FOld(flag) { FFlag = value; }
  ~TFlagScope() { FFlag = FOld; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
  bool FOld;
};
