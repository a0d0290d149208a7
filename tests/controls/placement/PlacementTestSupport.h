#pragma once
// Forms whose placement is stored in a fresh INI file or registry key.
#include "controls/RxPlacemnt.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/FormImage.h"
#include "support/KeyInput.h"
#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdio>
#include <string>

// Named like a designed form, so the default section is "TForm1".
class TForm1 : public TForm {
public:
  using TForm::TForm;
};
class TForm10 : public TForm {
public:
  using TForm::TForm;
};

class PlacementFixture : public ::testing::Test {
protected:
  void SetUp() override {
    // A failure the component reports instead of raising fails the test
    // (a message box would wait for a person).
    Application->OnException = [](TObject*, const Exception& e) { ADD_FAILURE() << StringToUtf8(e.Message()); };
    char pattern[] = "/tmp/brq-placement-XXXXXX";
    folder = mkdtemp(pattern);
    iniName = LinuxPathToWindows(folder + "/forms.ini");
  }
  void TearDown() override {
    KeyInput::Pump();
    std::remove((folder + "/forms.ini").c_str());
    rmdir(folder.c_str());
    Application->OnException = nullptr;
  }

  // A form of class T at the designed bounds, with a placement on it as a
  // form resource would set it up.
  template <class T = TForm1>
  T* NewForm(int left = 100, int top = 120, int width = 400, int height = 300) {
    auto* form = new T(Application);
    form->SetBounds(left, top, width, height);
    placement = new TFormPlacement(form);
    placement->SetIniFileName(iniName);
    return form;
  }
  void Ready() { placement->Loaded(); }

  String Ini(const String& section, const String& ident) {
    return TIniFile(iniName).ReadString(section, ident, u"<none>");
  }
  void SetIni(const String& section, const String& ident, const String& value) {
    TIniFile(iniName).WriteString(section, ident, value);
  }

  std::string folder;
  String iniName;
  TFormPlacement* placement = nullptr;
};

inline std::string Utf8(const String& s) { return StringToUtf8(s); }
