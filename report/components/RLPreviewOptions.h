#pragma once
// The window settings of a report's preview, used in place of the
// library-wide preview defaults when Defaults is pdIgnoreDefaults.
#include "platform/ui/Forms.h"

enum TRLPreviewOptionsDefaults : uint8_t { pdUseDefaults, pdIgnoreDefaults };

class TRLPreviewOptions : public TPersistent {
public:
  TRLPreviewOptionsDefaults Defaults = pdUseDefaults;
  bool ShowModal = false;
  TFormStyle FormStyle = fsNormal;
  TPosition Position = poScreenCenter;
  TWindowState WindowState = wsMaximized;
  TBorderIcons BorderIcons{biSystemMenu, biMinimize, biMaximize};
  String HelpFile;
  int HelpContext = 0;
  // Empty stands for the library's preview caption.
  String Caption;

  void Assign(const TPersistent& source) override {
    if (auto* other = dynamic_cast<const TRLPreviewOptions*>(&source)) {
      Defaults = other->Defaults;
      ShowModal = other->ShowModal;
      FormStyle = other->FormStyle;
      Position = other->Position;
      WindowState = other->WindowState;
      BorderIcons = other->BorderIcons;
      HelpFile = other->HelpFile;
      HelpContext = other->HelpContext;
      Caption = other->Caption;
      return;
    }
    TPersistent::Assign(source);
  }
};
