#include "platform/dbctrls/DBImage.h"
#include "platform/data/Field.h"
#include "platform/ui/Forms.h"

TDBImage::TDBImage(TComponent* AOwner)
    : TCustomControl(AOwner), FDataLink(std::make_unique<TFieldDataLink>()), FPicture(std::make_unique<TPicture>()) {
  SetControlStyle(ControlStyle() + csOpaque);
  SetBounds(Left(), Top(), 105, 105);
  SetTabStop(true);
  SetColor(clWindow);
  FPicture->OnChange = [this](TObject*) { PictureChanged(); };
  FDataLink->OnDataChange = [this](TObject*) { DataChange(); };
  FDataLink->OnUpdateData = [this](TObject*) { UpdateData(); };
}

TDBImage::~TDBImage() {
  BeginDestroy();
  FDataLink->Detach();
  FPicture->OnChange = nullptr;
}

void TDBImage::SetDataSource(TDataSource* value) { FDataLink->SetControlDataSource(this, value); }

void TDBImage::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (FDataLink) FDataLink->SourceRemoved(AComponent, Operation);
}

void TDBImage::SetStretch(bool value) {
  if (value == FStretch) return;
  FStretch = value;
  Invalidate();
}

void TDBImage::SetCenter(bool value) {
  if (value == FCenter) return;
  FCenter = value;
  Invalidate();
}

void TDBImage::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  if (HandleAllocated()) RecreateWnd();
}

void TDBImage::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDBImage::DataChange() {
  if (IsDestroying()) return;
  LoadPicture();
}

void TDBImage::LoadPicture() {
  FPictureLoading = true;
  try {
    TField* field = FDataLink->Field();
    const std::string bytes = field && field->IsBlob() ? field->Value().AsBytes() : std::string();
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
      TBitmap bitmap;
      bitmap.LoadFromBmpBytes(bytes);
      FPicture->SetGraphic(&bitmap);
    } else {
      // No picture, or bytes that are no bitmap: nothing to show.
      FPicture->SetGraphic(nullptr);
    }
  } catch (const Exception&) {
    FPicture->SetGraphic(nullptr);
  }
  FPictureLoading = false;
  Invalidate();
}

void TDBImage::PictureChanged() {
  if (!FPictureLoading) FDataLink->Modified();
  Invalidate();
}

void TDBImage::UpdateData() {
  auto* blob = dynamic_cast<TBlobField*>(FDataLink->Field());
  if (!blob) return;
  auto* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
  if (bitmap && !bitmap->Empty()) blob->SetAsBytes(bitmap->SaveToBmpBytes());
  else blob->Clear();
}

void TDBImage::Paint() {
  TCanvas* canvas = Canvas();
  const TRect client = ClientRect();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Color());
  TGraphic* graphic = FPicture->Graphic();
  if (!graphic || graphic->Empty()) {
    canvas->FillRect(client);
  } else if (FStretch) {
    canvas->StretchDraw(client, graphic);
  } else {
    TRect r(0, 0, graphic->Width(), graphic->Height());
    if (FCenter) {
      const int dx = (client.Width() - r.Width()) / 2;
      const int dy = (client.Height() - r.Height()) / 2;
      r = TRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
    }
    canvas->StretchDraw(r, graphic);
    // The background around the picture.
    canvas->FillRect(TRect(client.Left, client.Top, client.Right, r.Top));
    canvas->FillRect(TRect(client.Left, r.Bottom, client.Right, client.Bottom));
    canvas->FillRect(TRect(client.Left, r.Top, r.Left, r.Bottom));
    canvas->FillRect(TRect(r.Right, r.Top, client.Right, r.Bottom));
  }
  TCustomForm* form = GetParentForm(this);
  if (form && form->ActiveControl() == this) {
    canvas->Brush()->SetColor(clWindowFrame);
    canvas->FrameRect(client);
  }
}

void TDBImage::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TDBImage::WndProc(TMessage& Message) {
  TCustomControl::WndProc(Message);
  if (Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS) Invalidate();
}
