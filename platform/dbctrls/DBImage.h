#pragma once
// A picture held in a blob field, shown as a bitmap: the record's picture
// is loaded whenever the record changes, and a picture put into the
// control is written into the field when the record is posted.
#include "platform/data/DataSource.h"
#include "platform/ui/Controls.h"
#include "platform/ui/graphics/Picture.h"
#include <memory>

class TDBImage : public TCustomControl {
public:
  explicit TDBImage(TComponent* AOwner);
  ~TDBImage() override;

  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* value);
  const String& DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const String& value) { FDataLink->SetFieldName(value); }
  TField* Field() const { return FDataLink->Field(); }
  // The picture shown; changing it marks the record's field as changed.
  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(const TPicture* value) { FPicture->Assign(*value); }
  // Fills the whole control with the picture.
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  // An unstretched picture stands in the middle (else at the top left).
  bool Center() const { return FCenter; }
  void SetCenter(bool value);
  bool ReadOnly() const { return FDataLink->ReadOnly(); }
  void SetReadOnly(bool value) { FDataLink->SetReadOnly(value); }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  // Reads the field's picture again.
  void LoadPicture();

  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void DataChange();
  void UpdateData();
  void PictureChanged();

  std::unique_ptr<TFieldDataLink> FDataLink;
  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = true;
  bool FPictureLoading = false;
  TBorderStyle FBorderStyle = bsSingle;
};
