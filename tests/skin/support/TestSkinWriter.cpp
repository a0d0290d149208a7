#include "skin/support/TestSkinWriter.h"
#include "skin/support/TestJpeg.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/graphics/PngWriter.h"
#include <windows.h>
#include <zlib.h>
#include <cstring>
#include <sstream>

namespace {
// Pixels 0xAARRGGBB, rows top-down.
struct TImage {
  int W, H;
  std::vector<uint32_t> P;
  TImage(int w, int h, uint32_t fill) : W(w), H(h), P(static_cast<size_t>(w) * h, fill) {}
  void Fill(int x0, int y0, int x1, int y1, uint32_t c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) P[static_cast<size_t>(y) * W + x] = c;
  }
  void Set(int x, int y, uint32_t c) { P[static_cast<size_t>(y) * W + x] = c; }
};

constexpr uint32_t Magenta = 0xFFFF00FF;

uint32_t Rgb(int32_t color) {  // colour value (red low) to 0xFFRRGGBB
  const uint32_t c = static_cast<uint32_t>(color);
  return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}
uint32_t Grey(int v) { return 0xFF000000u | static_cast<uint32_t>(v) * 0x010101u; }
uint32_t Darker(uint32_t c) { return 0xFF000000u | ((c & 0xFEFEFE) >> 1); }

// A flat frame with a 1 px darker edge.
void Frame(TImage& img, int x, int y, int w, int h, uint32_t c) {
  img.Fill(x, y, x + w, y + h, Darker(c));
  img.Fill(x + 1, y + 1, x + w - 1, y + h - 1, c);
}
void KeyCorners(TImage& img, int x, int y, int w, int h, int size) {
  img.Fill(x, y, x + size, y + size, Magenta);
  img.Fill(x + w - size, y, x + w, y + size, Magenta);
  img.Fill(x, y + h - size, x + size, y + h, Magenta);
  img.Fill(x + w - size, y + h - size, x + w, y + h, Magenta);
}
// Mask blocks across a frame: opaque, half, transparent thirds.
void MaskBlocks(TImage& img, int x, int y, int w, int h) {
  const int third = w / 3;
  img.Fill(x, y, x + third, y + h, Grey(0));
  img.Fill(x + third, y, x + 2 * third, y + h, Grey(128));
  img.Fill(x + 2 * third, y, x + w, y + h, Grey(255));
}
// A glyph: a cross of colour c on a key background.
void Glyph(TImage& img, int x, int y, int size, uint32_t c) {
  img.Fill(x, y, x + size, y + size, Magenta);
  for (int i = 2; i < size - 2; ++i) {
    img.Set(x + i, y + i, c);
    img.Set(x + size - 1 - i, y + i, c);
  }
}

std::string Bmp24(const TImage& img) {
  const int stride = (img.W * 3 + 3) & ~3;
  const uint32_t dataSize = static_cast<uint32_t>(stride * img.H);
  std::string out(54 + dataSize, '\0');
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&out[at], &v, 4); };
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&out[at], &v, 2); };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, 54 + dataSize);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(img.W));
  put32(22, static_cast<uint32_t>(img.H));
  put16(26, 1);
  put16(28, 24);
  put32(34, dataSize);
  for (int y = 0; y < img.H; ++y) {
    char* row = &out[54 + static_cast<size_t>(img.H - 1 - y) * stride];
    for (int x = 0; x < img.W; ++x) {
      const uint32_t p = img.P[static_cast<size_t>(y) * img.W + x];
      row[x * 3] = static_cast<char>(p & 0xFF);
      row[x * 3 + 1] = static_cast<char>(p >> 8 & 0xFF);
      row[x * 3 + 2] = static_cast<char>(p >> 16 & 0xFF);
    }
  }
  return out;
}

std::string Png32(const TImage& img) {
  return EncodePng(reinterpret_cast<const uint8_t*>(img.P.data()), img.W, img.H, true);
}

std::string Jpeg(const TImage& img) {
  std::vector<uint8_t> rgb;
  for (uint32_t p : img.P) {
    rgb.push_back(static_cast<uint8_t>(p >> 16));
    rgb.push_back(static_cast<uint8_t>(p >> 8));
    rgb.push_back(static_cast<uint8_t>(p));
  }
  return EncodeTestJpeg(rgb.data(), img.W, img.H, 90);
}

std::string MasterBmp(int v) {
  const TTestSkinColors colors = TestSkinColorsOf(v);
  TImage m(160, 96, Grey(v ? 0x60 : 0x90));
  // BUTTON: three 20 x 20 states over their masks.
  for (int i = 0; i < 3; ++i) {
    Frame(m, 20 * i, 0, 20, 20, Rgb(colors.ButtonFrames[i]));
    KeyCorners(m, 20 * i, 0, 20, 20, 2);
    MaskBlocks(m, 20 * i, 20, 20, 20);
  }
  // EDIT and the thin borders: three 6 x 6 states.
  for (int i = 0; i < 3; ++i) Frame(m, 60 + 6 * i, 0, 6, 6, Rgb(colors.EditColor) - 0x101010u * i);
  // Check boxes, radio buttons and the check, 16 x 16 each.
  const uint32_t glyphColor = Rgb(v ? 0x00A000 : 0x0000C0);
  for (int i = 0; i < 3; ++i) Frame(m, 80 + 16 * i, 0, 16, 16, Grey(200 + 10 * i));
  for (int i = 0; i < 3; ++i) Glyph(m, 80 + 16 * i, 16, 16, glyphColor);
  Glyph(m, 128, 16, 12, glyphColor);
  // PANEL texture: a checker.
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) m.Set(128 + x, y, ((x / 4 + y / 4) & 1) ? Rgb(colors.PanelColor) : Grey(0xE0));
  // PANEL corners.
  for (int i = 0; i < 4; ++i) Frame(m, 144 + 8 * (i % 2), 8 * (i / 2), 8, 8, Grey(40 * (i + 1)));
  // Caption glyphs: close red, maximize blue, minimize green, small close.
  const uint32_t glyphs[3] = {0xFFE02020, 0xFF2020E0, 0xFF20C020};
  for (int g = 0; g < 3; ++g)
    for (int f = 0; f < 3; ++f) {
      Frame(m, 48 * g + 16 * f, 40, 16, 16, glyphs[g]);
      KeyCorners(m, 48 * g + 16 * f, 40, 16, 16, 1);
    }
  Glyph(m, 144, 40, 16, 0xFFE02020);
  // GROUPBOX: image over a mask.
  Frame(m, 0, 56, 30, 10, Rgb(v ? 0x406080 : 0x806040));
  MaskBlocks(m, 0, 66, 30, 10);
  // MAINMENU with key corners.
  Frame(m, 30, 56, 30, 10, Rgb(v ? 0xC0C0F0 : 0xF0E0D0));
  KeyCorners(m, 30, 56, 30, 10, 2);
  // The skin's own shadow: image over mask.
  Frame(m, 60, 56, 30, 20, Grey(30));
  MaskBlocks(m, 60, 76, 30, 20);
  // PANEL outer mask.
  Frame(m, 90, 56, 24, 12, Grey(70));
  MaskBlocks(m, 90, 68, 24, 12);
  // COMBOBOX arrows and the grips.
  for (int i = 0; i < 3; ++i) Glyph(m, 114 + 8 * i, 56, 8, Grey(20 + 40 * i));
  Frame(m, 138, 56, 12, 12, Grey(150));
  Frame(m, 138, 68, 12, 4, Grey(160));
  Frame(m, 150, 56, 4, 12, Grey(170));
  return Bmp24(m);
}

std::string GlowPng(int v) {
  TImage img(24, 48, 0);
  const uint32_t rgb = v ? 0x0040FF40u : 0x00FFC040u;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const int d = std::min(std::min(x, 23 - x), std::min(y, 23 - y));
      const uint32_t a = static_cast<uint32_t>(std::min(255, d * 40));
      img.Set(x, y, a << 24 | rgb);
      img.Set(x, y + 24, 0xFF000000u | static_cast<uint32_t>(255 - a) * 0x010101u);
    }
  return Png32(img);
}

std::string ExborderPng(int v) {
  TImage img(60, 30, 0);
  for (int f = 0; f < 2; ++f)
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x) {
        const int d = std::min(std::min(x, 29 - x), std::min(y, 29 - y));
        const uint32_t a = d >= 10 ? 0 : static_cast<uint32_t>(25 * (d + 1));
        const uint32_t rgb = f == 0 ? (v ? 0x203060u : 0x102040u) : (v ? 0x608030u : 0x404040u);
        img.Set(30 * f + x, y, a << 24 | rgb);
      }
  img.Fill(0, 0, 2, 2, 0x00FF00FF);
  return Png32(img);
}

std::string TexJpg(int v) {
  TImage img(16, 16, 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      img.Set(x, y, 0xFF000000u | static_cast<uint32_t>(v ? 40 + 10 * y : 200 - 8 * x) << 16 |
                        static_cast<uint32_t>(100 + 5 * x) << 8 | static_cast<uint32_t>(v ? 200 : 60 + 6 * y));
  return Jpeg(img);
}

std::string PlainBmp(int v) {
  TImage img(12, 12, Grey(v ? 90 : 220));
  Frame(img, 2, 2, 8, 8, v ? 0xFF3070A0u : 0xFFA07030u);
  img.Set(0, 0, Magenta);
  return Bmp24(img);
}

std::string Hex(int32_t c) {
  std::ostringstream s;
  s << "$" << std::hex << std::uppercase << static_cast<uint32_t>(c);
  return s.str();
}
}  // namespace

TTestSkinColors TestSkinColorsOf(int Variant) {
  if (Variant == 0) return {{0xD0B090, 0xF0D0B0, 0x906040}, 0xFFFFFF, 0x000000, 0x2080F0, 0x80C0A0};
  return {{0x90B0D0, 0xB0D0F0, 0x406090}, 0xE8F0F8, 0x402010, 0xF08020, 0xA0C080};
}

std::string TestSkinOptionsText(int v) {
  const TTestSkinColors c = TestSkinColorsOf(v);
  std::ostringstream o;
  o << "; Generated test skin\r\n"
    << "[GLOBALINFO]\r\n"
    << "VERSION=10.0\r\n"
    << "AUTHOR=Brenquia tests\r\n"
    << "DESCRIPTION=" << (v ? "Second generated skin" : "Generated test skin") << "\r\n"
    << "MASTERBITMAP=Master.bmp\r\n"
    << "BORDERWIDTH=5\r\nTITLEHEIGHT=0\r\nFORMOFFSET=3\r\nCENTEROFFSET=1\r\nBORDERMODE=0\r\n"
    << "BRIGHTMIN=-40\r\nBRIGHTMAX=60\r\nALIGNOFFSET=5\r\n"
    << "BISPACE=2\r\nBIVALIGN=1\r\nBIRIGHT=3\r\nBILEFT=4\r\nBITOP=5\r\nBIKEEPHUE=2\r\nAEROBLUR=1\r\n"
    << "BICONCLOSEGLOW=1\r\nBICONCLOSEGLOWMARGIN=2\r\nBICONMAXGLOW=3\r\nBICONMAXGLOWMARGIN=4\r\n"
    << "BICONMINGLOW=5\r\nBICONMINGLOWMARGIN=6\r\n"
    << "SHADOW1COLOR=" << Hex(v ? 0x103050 : 0x404040) << "\r\nSHADOW1OFFSET=1\r\nSHADOW1BLUR=2\r\n"
    << "SHADOW1TRANSPARENCY=30\r\nCOMBOMARGIN=3\r\n"
    << "COLOR=" << Hex(v ? 0xD8E0E8 : 0xE0D8D0) << "\r\nFONTCOLOR=" << Hex(v ? 0x302010 : 0x102030) << "\r\n"
    << "TCBOTTOM=$C00000\r\nTCTOP=$0000C0\r\nBORDERCOLOR=$505050\r\n"
    << "EDITTEXT_OK=$008000\r\nEDITTEXT_WARN=$008080\r\nEDITTEXT_ALERT=$0000E0\r\n"
    << "EDITBG_OK=$C0FFC0\r\nEDITBG_WARN=$C0FFFF\r\nEDITBG_ALERT=$C0C0FF\r\n"
    << "EDITTEXT_H1=$800000\r\nEDITTEXT_H2=$008000\r\nEDITTEXT_H3=$000080\r\n"
    << "EDITTEXT_INV=$FFFFFF\r\nEDITBG_INV=$000000\r\nEDITBG_ODD=$F8F8F8\r\n"
    << "LO_SOURCE=2\r\nLO_COLORL=$E0E0E0\r\nLO_COLORT=$101010\r\nLO_OPACITY=180\r\n"
    << "SH_SOURCE=1\r\nSH_OPACITY=90\r\nSH_OFFSETB=6\r\n"
    << "SH_MASK=^0060,0056,0090,0096,0005,0005,0005,0005,1,1,1,0\r\n"
    << "BOXUNCHECKED=@0080,0000,0096,0016,1,0\r\nBOXCHECKED=@0096,0000,0112,0016,1,0\r\n"
    << "BOXGRAYED=@0112,0000,0128,0016,1,0\r\n"
    << "RADIOUNCHECKED=@0080,0016,0096,0032,1,0\r\nRADIOCHECKED=@0096,0016,0112,0032,1,0\r\n"
    << "CHECK=@0112,0016,0128,0032,1,0\r\nSMALLCHECKED=@0128,0016,0140,0028,1,0\r\n"
    << "BICONCLOSE=@0000,0040,0048,0056,3,0\r\nBICONMAX=@0048,0040,0096,0056,3,0\r\n"
    << "BICONNORM=@0048,0040,0096,0056,3,0\r\nBICONMIN=@0096,0040,0144,0056,3,0\r\n"
    << "SICONCLOSE=@0144,0040,0160,0056,1,0\r\n"
    << "BICONCLOSEGLOW0=!Glow.png!1!1!3!4!4!4!4!0\r\n"
    << "GRIPIMAGE=@0138,0056,0150,0068,1,0\r\nGRIPHORZ=@0138,0068,0150,0072,1,0\r\n"
    << "GRIPVERT=@0150,0056,0154,0068,1,0\r\n"
    << "EXBORDER=!Exborder.png!2!0!0!10!10!10!10!0\r\n"
    << "SAMPLETEXT=CLBTNFACE\r\nSAMPLENUMBER=123\r\n"
    << "\r\n[BUTTON]\r\nSTATES=3\r\n"
    << "COLOR=" << Hex(c.ButtonFrames[0]) << "\r\nHOTCOLOR=" << Hex(c.ButtonFrames[1]) << "\r\n"
    << "FONTCOLOR=$000000\r\nHOTFONTCOLOR=$400000\r\nTCLEFT=$FFFFFF\r\nTCRIGHT=$808080\r\n"
    << "HOTTCLEFT=$F0F0F0\r\nHOTTCRIGHT=$707070\r\n"
    << "GRADIENTPERCENT=50\r\nGRADIENTDATA=" << (v ? 15790320 : 16777215) << ";" << (v ? 12632256 : 13684944)
    << ";100;0;0;\r\n"
    << "HOTGRADIENTPERCENT=60\r\nHOTGRADIENTDATA=16777215;11184810;40;1;0;11184810;16777215;60;1;0\r\n"
    << "GLOW=2\r\nGLOWMARGIN=3\r\nGCOL=$00FFFF\r\nHGCOL=$00C0FF\r\nGSIZE=4\r\nHGSIZE=6\r\n"
    << "BORDERSMASK=^0000,0000,0060,0040,0004,0004,0004,0004,3,1,5,0\r\n"
    << "GLOW0=!Glow.png!1!1!3!4!4!4!4!0\r\n"
    << "\r\n[BUTTON_HUGE]\r\nPARENTCLASS=BUTTON\r\nCOLOR=$C0C0C0\r\n"
    << "\r\n[EDIT]\r\nCOLOR=" << Hex(c.EditColor) << "\r\nFONTCOLOR=" << Hex(c.EditFont) << "\r\n"
    << "GCOL=-16777201\r\nBORDERSMASK=^0060,0000,0078,0006,0001,0001,0001,0001,3,0,0,0\r\n"
    << "\r\n[EDIT2]\r\nPARENTCLASS=EDIT\r\nHOTCOLOR=-16777201\r\n"
    << "\r\n[PANEL]\r\nSTATES=2\r\nCOLOR=" << Hex(c.PanelColor) << "\r\nHOTCOLOR=$E0F0E0\r\n"
    << "IMAGEPERCENT=50\r\nGRADIENTPERCENT=100\r\nGRADIENTDATA=12632256;16777215;100;0;0\r\n"
    << "PATTERN=~0128,0000,0144,0016,01\r\nHOTPATTERN=~0000~0000~0016~0016~01~0~Tex.jpg\r\n"
    << "IMGTOPLEFT=@0144,0000,0152,0008,1,0\r\nIMGTOPRIGHT=@0152,0000,0160,0008,1,0\r\n"
    << "IMGBTMLEFT=@0144,0008,0152,0016,1,0\r\nIMGBTMRIGHT=@0152,0008,0160,0016,1,0\r\n"
    << "OUTERMASK=^0090,0056,0114,0080,0004,0004,0004,0004,1,1,0,0\r\n"
    << "OUTOFFSL=2\r\nOUTOFFST=2\r\nOUTOFFSR=3\r\nOUTOFFSB=4\r\nOUTOPACITY=150\r\nOUTERMODE=400\r\n"
    << "\r\n[PANEL_LOW]\r\nPARENTCLASS=PANEL\r\nSTATES=1\r\nHOTCOLOR=255\r\nTRANSPARENCY=40\r\n"
    << "PATTERN=Plain.bmp\r\n"
    << "\r\n[GROUPBOX]\r\nTRANSPARENCY=100\r\nHOTTRANSPARENCY=100\r\nFONTCOLOR=$202020\r\n"
    << "BORDERSMASK=^0000,0056,0030,0076,0003,0003,0003,0003,1,1,0,0\r\n"
    << "\r\n[TOOLBAR]\r\nGRADIENTPERCENT=100\r\n"
    << "GRADIENTDATA=16777215;14737632;30;2;0;14737632;12632256;40;2;0;12632256;10526880;30;2;0\r\n"
    << "\r\n[MENUITEM]\r\nSTATES=2\r\nCOLOR=$FFFFFF\r\nHOTCOLOR=" << Hex(c.MenuHot)
    << "\r\nFONTCOLOR=$000000\r\nHOTFONTCOLOR=$FFFFFF\r\n"
    << "BORDERSMASK=^0060,0000,0078,0006,0001,0001,0001,0001,3,0,0,0\r\n"
    << "\r\n[MAINMENU]\r\nCOLOR=$F0F0F0\r\nBORDERSMASK=^0030,0056,0060,0066,0002,0002,0002,0002,1,0,0,0\r\n"
    << "\r\n[MENUCAPTION]\r\nCOLOR=$D0D0D0\r\nFONTCOLOR=$202020\r\n"
    << "\r\n[DIVIDERV]\r\nCOLOR=$A0A0A0\r\n"
    << "\r\n[MENULINE]\r\nCOLOR=$B0B0B0\r\n"
    << "\r\n[EXTRALINE]\r\nCOLOR=$606060\r\nFONTCOLOR=$FFFFFF\r\n"
    << "\r\n[ICOLINE]\r\nCOLOR=$E8E8E8\r\n"
    << "\r\n[SPEEDBUTTON_SMALL]\r\nPARENTCLASS=BUTTON\r\n"
    << "\r\n[SELECTION]\r\nSTATES=2\r\nCOLOR=$C08040\r\nHOTCOLOR=$E0A060\r\nFONTCOLOR=$FFFFFF\r\n"
    << "HOTFONTCOLOR=$FFFFF0\r\n"
    << "\r\n[UPDOWNBTN]\r\nPARENTCLASS=BUTTON\r\n"
    << "\r\n[COMBOBOX]\r\nPARENTCLASS=EDIT\r\nGLYPHMASK=@0114,0056,0138,0064,3,0\r\n"
    << "\r\n[COMBOBTN]\r\nBORDERSMASK=^0060,0000,0078,0006,0001,0001,0001,0001,3,0,0,0\r\n"
    << "\r\n[SCROLLBAR1H]\r\nCOLOR=$D0D0D0\r\nBORDERSMASK=^0060,0000,0078,0006,0001,0001,0001,0001,3,0,0,0\r\n"
    << "\r\n[SCROLLBTNLEFT]\r\nPARENTCLASS=BUTTON\r\n"
    << "\r\n[TABTOP]\r\nTABSCOVERING=2\r\nBORDERSMASK=^0000,0000,0060,0040,0004,0004,0004,0004,3,1,0,0\r\n"
    << "\r\n[HINT]\r\nCOLOR=$E0FFFF\r\nHOTCOLOR=$0000FF\r\nFONTCOLOR=$000000\r\n"
    << "BORDERSMASK=^0030,0056,0060,0066,0002,0002,0002,0002,1,0,0,0\r\n";
  return o.str();
}

std::vector<TTestSkinFile> TestSkinFiles(int Variant) {
  return {{"Options.dat", TestSkinOptionsText(Variant)}, {"Master.bmp", MasterBmp(Variant)},
          {"Glow.png", GlowPng(Variant)},                {"Exborder.png", ExborderPng(Variant)},
          {"Tex.jpg", TexJpg(Variant)},                  {"Plain.bmp", PlainBmp(Variant)}};
}

std::string PackedEntry(const std::string& Name, const std::string& Bytes) {
  uLongf size = compressBound(static_cast<uLong>(Bytes.size()));
  std::string z(size, '\0');
  compress2(reinterpret_cast<Bytef*>(&z[0]), &size, reinterpret_cast<const Bytef*>(Bytes.data()),
            static_cast<uLong>(Bytes.size()), 9);
  z.resize(size);
  std::string out;
  const uint32_t l = static_cast<uint32_t>(Name.size()), s = static_cast<uint32_t>(Bytes.size());
  out.append(reinterpret_cast<const char*>(&l), 4);
  out += Name;
  out.append(reinterpret_cast<const char*>(&s), 4);
  out += z;
  return out;
}

std::string PackSkinFiles(const std::vector<TTestSkinFile>& Files, const std::string& OptionsName) {
  std::string out = "ASzf";
  const uint32_t n = static_cast<uint32_t>(Files.size());
  out.append(reinterpret_cast<const char*>(&n), 4);
  for (const auto& f : Files) out += PackedEntry(f.Name == "Options.dat" ? OptionsName : f.Name, f.Bytes);
  return out;
}

void WriteFileBytes(const String& FileName, const std::string& Bytes) {
  TFileStream file(FileName, fmCreate);
  if (!Bytes.empty()) file.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
}

std::string ReadFileBytes(const String& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  if (!bytes.empty()) file.ReadBuffer(&bytes[0], static_cast<int64_t>(bytes.size()));
  return bytes;
}

void WriteTestSkins(const String& Dir, bool Folders, bool Packed) {
  const String base = IncludeTrailingPathDelimiter(Dir);
  ForceDirectories(base);
  const char16_t* names[2] = {u"TestSkin", u"TestSkinB"};
  for (int v = 0; v < 2; ++v) {
    const auto files = TestSkinFiles(v);
    const String folder = base + names[v] + u"\\";
    if (Folders) {
      ForceDirectories(folder);
      for (const auto& f : files) WriteFileBytes(folder + Utf8ToString(f.Name), f.Bytes);
    }
    if (Packed) WriteFileBytes(base + names[v] + u".asz", PackSkinFiles(files));
  }
}

namespace {
void RemoveTree(const String& Dir) {
  WIN32_FIND_DATAW found;
  const String pattern = Dir + u"\\*";
  HANDLE h = FindFirstFileW(reinterpret_cast<LPCWSTR>(pattern.c_str()), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const String name(reinterpret_cast<const char16_t*>(found.cFileName));
      if (name == u"." || name == u"..") continue;
      const String path = Dir + u"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileW(reinterpret_cast<LPCWSTR>(path.c_str()));
    } while (FindNextFileW(h, &found));
    FindClose(h);
  }
  RemoveDirectoryW(reinterpret_cast<LPCWSTR>(Dir.c_str()));
}

// The process's folder of test skins.
struct TSkinsFolder {
  String Dir;
  bool Written = false;
};
TSkinsFolder& SkinsFolder() {
  static TSkinsFolder folder{GetTempFolder() + u"brq_skins_" + IntToStr(static_cast<int64_t>(GetCurrentProcessId()))};
  return folder;
}
}  // namespace

const String& TestSkinsDir() {
  TSkinsFolder& folder = SkinsFolder();
  if (!folder.Written) {
    RemoveTree(folder.Dir);
    WriteTestSkins(folder.Dir);
    folder.Written = true;
  }
  return folder.Dir;
}

void RemoveTestSkins() {
  TSkinsFolder& folder = SkinsFolder();
  if (folder.Written) RemoveTree(folder.Dir);
  folder.Written = false;
}
const String& TestSkinFoldersDir() {
  static const String dir = [] {
    const String d = TestSkinsDir() + u"\\FoldersOnly";
    WriteTestSkins(d, true, false);
    return d;
  }();
  return dir;
}
