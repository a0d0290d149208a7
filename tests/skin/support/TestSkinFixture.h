#pragma once
// Managers that load the generated test skins, with message boxes answered.
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinStored.h"
#include "skin/support/TestSkinWriter.h"
#include "platform/ui/TestSeam.h"
#include <memory>

// A manager that has not loaded anything yet, looking in the test skins'
// folder.
inline std::unique_ptr<TsSkinManager> NewTestSkinManager(const String& Dir = TestSkinsDir()) {
  auto sm = std::make_unique<TsSkinManager>(nullptr);
  sm->SetSkinDirectory(Dir);
  return sm;
}

// Loads Name, answering any message box; returns how many boxes came up.
inline int LoadSkinCountingBoxes(TsSkinManager& sm, const String& Name) {
  UiTestSeam::Reset();
  for (int i = 0; i < 4; ++i) UiTestSeam::QueueMessageBoxAnswer(IDOK);
  sm.SetSkinName(Name);
  const int boxes = static_cast<int>(UiTestSeam::MessageBoxLog().size());
  UiTestSeam::Reset();
  return boxes;
}

// A stored skin of the manager holding Bytes as its packed data.
inline TsStoredSkin& AddStoredSkin(TsSkinManager& sm, const String& Name, const std::string& Bytes) {
  TsStoredSkin& item = *sm.InternalSkins().Add();
  item.SetName(Name);
  TMemoryStream data;
  if (!Bytes.empty()) data.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
  data.SetPosition(0);
  item.LoadDataFromStream(data);
  return item;
}
