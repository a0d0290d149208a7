#include "platform/rtl/Exceptions.h"
#include "platform/ui/StdCtrls.h"

namespace {
// The memo's lines are the pieces of its text between line breaks.
class TMemoStrings : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}

  void Insert(int index, const String& s) override {
    std::vector<String> lines = Split();
    if (index < 0 || index > static_cast<int>(lines.size())) Error(u"List index out of bounds (%d)", index);
    lines.insert(lines.begin() + index, s);
    Join(lines);
  }
  void Delete(int index) override {
    std::vector<String> lines = Split();
    if (index < 0 || index >= static_cast<int>(lines.size())) Error(u"List index out of bounds (%d)", index);
    lines.erase(lines.begin() + index);
    Join(lines);
  }
  void Clear() override { FMemo->SetText(String()); }

protected:
  String Get(int index) const override {
    std::vector<String> lines = Split();
    if (index < 0 || index >= static_cast<int>(lines.size())) Error(u"List index out of bounds (%d)", index);
    return lines[static_cast<size_t>(index)];
  }
  int GetCount() const override { return static_cast<int>(Split().size()); }
  void Put(int index, const String& s) override {
    std::vector<String> lines = Split();
    if (index < 0 || index >= static_cast<int>(lines.size())) Error(u"List index out of bounds (%d)", index);
    lines[static_cast<size_t>(index)] = s;
    Join(lines);
  }
  String GetTextStr() const override { return FMemo->Text(); }
  void SetTextStr(const String& value) override {
    // A last line break ends the last line; it adds no empty one.
    String text = value;
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, u"\r\n") == 0) text.resize(text.size() - 2);
    FMemo->SetText(text);
  }
  void SetUpdateState(bool updating) override {
    if (FMemo->HandleAllocated()) {
      SendMessageW(FMemo->Handle(), WM_SETREDRAW, updating ? FALSE : TRUE, 0);
      if (!updating) FMemo->Invalidate();
    }
  }

private:
  // A break at the very end ends the last line and starts no new one, as
  // SetTextStr and Join write it.
  std::vector<String> Split() const {
    std::vector<String> lines;
    String text = FMemo->Text();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == u'\n' || text[i] == u'\r') {
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
      }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
  }
  void Join(const std::vector<String>& lines) {
    String text;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i) text += u"\r\n";
      text += lines[i];
    }
    // An empty last line must survive: the text then ends in a break.
    if (!lines.empty() && lines.back().empty()) text += u"\r\n";
    Write(text);
  }

  // Replaces only the span that differs, as the control would take a
  // typed line: a whole new text makes it rebuild and repaint its scroll
  // bar twice, which under a visual style costs milliseconds a line.
  void Write(const String& text) {
    if (!FMemo->HandleAllocated() || FMemo->MaxLength() > 0) {
      FMemo->SetText(text);  // a replacement would honour the length limit
      return;
    }
    const String old = FMemo->Text();
    size_t head = 0;
    while (head < old.size() && head < text.size() && old[head] == text[head]) ++head;
    size_t tail = 0;
    while (tail < old.size() - head && tail < text.size() - head &&
           old[old.size() - 1 - tail] == text[text.size() - 1 - tail])
      ++tail;
    if (head == old.size() && head == text.size()) return;
    const bool modified = FMemo->Modified();
    const String middle = text.substr(head, text.size() - head - tail);
    HWND handle = FMemo->Handle();
    SendMessageW(handle, EM_SETSEL, head, old.size() - tail);
    SendMessageW(handle, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(middle.c_str()));
    SendMessageW(handle, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
  }

  TCustomMemo* FMemo;
};
}  // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  SetBounds(0, 0, 185, 89);
  SetAutoSelect(false);
  FControlStyle.Exclude(csFixedHeight);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL | ES_PASSWORD);
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (FWantReturns) Params.Style |= ES_WANTRETURN;
  if (!FWordWrap) Params.Style |= ES_AUTOHSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FAlignment == taCenter) Params.Style |= ES_CENTER;
  if (FAlignment == taRightJustify) Params.Style |= ES_RIGHT;
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (FScrollBars == value) return;
  FScrollBars = value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
  if (FWordWrap == value) return;
  FWordWrap = value;
  RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  RecreateWnd();
}

void TCustomMemo::WndProc(TMessage& m) {
  if (m.Msg == WM_GETDLGCODE) {
    TCustomEdit::WndProc(m);
    if (!FWantTabs) m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!FWantReturns) m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
    return;
  }
  TCustomEdit::WndProc(m);
}
