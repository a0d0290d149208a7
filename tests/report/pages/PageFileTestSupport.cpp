#include "PageFileTestSupport.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/graphics/Bitmap.h"

std::unique_ptr<TRLGraphicStorage> SampleStore() {
  auto store = std::make_unique<TRLGraphicStorage>();
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(3, 2);
  for (int page = 0; page < 3; ++page) {
    auto* s = new TRLGraphicSurface();
    s->SetWidth(794);
    s->SetHeight(1123);
    s->Macros()->Add(u"PageNo=" + IntToStr(page + 1));
    NewGroupId();
    s->SetGeneratorId(0);
    s->SetPixels(5, 6, RGBColor(10, 20, 30));
    s->Pen()->SetColor(clRed);
    s->Pen()->SetWidth(2);
    s->Pen()->SetStyle(psDash);
    s->Pen()->SetMode(pmXor);
    s->Brush()->SetColor(clYellow);
    s->Brush()->SetStyle(bsCross);
    s->MoveTo(10, 20 + page);
    s->LineTo(300, 40);
    s->Rectangle(1, 2, 3, 4);
    s->Ellipse(10, 10, 50, 30);
    s->Font()->SetName(u"Arial");
    s->Font()->SetSize(10);
    s->Font()->SetColor(clNavy);
    s->TextOut(20, 30, "Page {PageNo} of {LastPageNumber}");
    s->SetClipRect({0, 0, 400, 200});
    s->Font()->SetName(u"Courier New");
    s->Font()->SetStyle({fsBold, fsItalic});
    s->Font()->SetPitch(fpFixed);
    s->Brush()->SetStyle(bsSolid);
    s->TextRectEx({100, 100, 300, 120}, 100, 100, "direita", RLMeta::AlignRight, RLMeta::LayoutTop, 4);
    s->TextRectEx({100, 130, 300, 150}, 100, 130, "sem corte", RLMeta::AlignCenter, RLMeta::LayoutTop, 5);
    s->ResetClipRect();
    s->FillRect({7, 8, 9, 10});
    s->Polygon({{1, 1}, {50, 1}, {25, 40 + page}});
    s->Polyline({{0, 0}, {10, 10}, {20, 0}});
    s->Draw(60, 70, &bitmap, page == 1);
    s->SetClipRect({5, 5, 50, 50});
    s->ResetClipRect();
    store->Add(s);
  }
  store->SetOrientation(2);
  store->SetPaperWidth(210);
  store->SetPaperHeight(297);
  store->SetTitle(u"Recebimentos");
  store->SetLastPageNumber(3);
  return store;
}

std::string SaveToBytes(TRLGraphicStorage& AStore, int AVersion) {
  AStore.SetFileVersion(AVersion);
  TStringStream stream(std::string{});
  AStore.SaveToStream(stream);
  return stream.Bytes();
}

void LoadFromBytes(TRLGraphicStorage& AStore, const std::string& ABytes) {
  TStringStream stream(ABytes);
  stream.SetPosition(0);
  AStore.LoadFromStream(stream);
}

std::string BodyOf(const TRLGraphicObject* AObject) {
  TRLRecordWriter body;
  AObject->SaveToStream(body);
  return body.Data();
}

std::string Le32(int32_t AValue) {
  TRLRecordWriter w;
  w.WriteInt32(AValue);
  return w.Data();
}

std::string Le64(int64_t AValue) {
  TRLRecordWriter w;
  w.WriteInt64(AValue);
  return w.Data();
}

std::string Counted(const std::string& ABytes) { return Le32(static_cast<int32_t>(ABytes.size())) + ABytes; }
