#include "platform/ui/graphics/Graphics.h"
#include <gtest/gtest.h>

TEST(Font, ChangesNotifyOnceAndOnlyWhenTheValueChanges) {
  TFont font;
  int changes = 0;
  font.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &font);
    ++changes;
  };
  font.SetName(u"Arial");
  font.SetName(u"Arial");
  font.SetStyle({fsBold, fsItalic});
  font.SetStyle({fsItalic, fsBold});
  font.SetColor(clRed);
  font.SetSize(font.Size());
  EXPECT_EQ(changes, 3);
  EXPECT_TRUE(font.Style().Contains(fsBold));
  EXPECT_FALSE(font.Style().Contains(fsUnderline));
}

TEST(Font, SizeAndHeightFollowPixelsPerInch) {
  TFont font;
  font.SetPixelsPerInch(96);
  font.SetSize(12);
  EXPECT_EQ(font.Height(), -16);
  font.SetHeight(-48);
  EXPECT_EQ(font.Size(), 36);

  // Assigning across resolutions keeps the point size.
  TFont printer;
  printer.SetPixelsPerInch(600);
  printer.Assign(font);
  EXPECT_EQ(printer.Size(), 36);
  EXPECT_EQ(printer.Height(), -300);
}

TEST(Font, HandleIsRebuiltAfterAChangeAndDescribesTheFont) {
  TFont font;
  font.SetName(u"Arial");
  font.SetHeight(-20);
  font.SetStyle({fsUnderline});
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_EQ(String(reinterpret_cast<const char16_t*>(lf.lfFaceName)), u"Arial");

  HFONT before = font.Handle();
  font.SetColor(clBlue);  // colour is not part of the GDI font
  EXPECT_EQ(font.Handle(), before);
  font.SetHeight(-30);
  ASSERT_EQ(GetObjectW(font.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -30);
}
