// The entity table of the HTML-like text: names, numeric forms and
// characters, searched in order.
#include "skin/forms/hints/Html.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"

namespace {
struct TEntity {
  const char16_t* Name;
  int Numeric;
  char16_t Char;
};

constexpr TEntity kEntities[] = {
    {u"ndash", 8211, 0x2013},  {u"mdash", 8212, 0x2014},  {u"nbsp", 160, 0xA0},     {u"iexcl", 161, 0xA1},
    {u"iquest", 191, 0xBF},    {u"quot", 34, 0x22},       {u"ldquo", 8220, 0x201C}, {u"rdquo", 8221, 0x201D},
    {u"39", 39, 0x27},         {u"lsquo", 8216, 0x2018},  {u"rsquo", 8217, 0x2019}, {u"laquo", 171, 0xAB},
    {u"raquo", 187, 0xBB},     {u"amp", 38, 0x26},        {u"cent", 162, 0xA2},     {u"copy", 169, 0xA9},
    {u"divide", 247, 0xF7},    {u"gt", 62, 0x3E},         {u"lt", 60, 0x3C},        {u"micro", 181, 0xB5},
    {u"middot", 183, 0xB7},    {u"para", 182, 0xB6},      {u"plusmn", 177, 0xB1},   {u"euro", 8364, 0x20AC},
    {u"pound", 163, 0xA3},     {u"reg", 174, 0xAE},       {u"sect", 167, 0xA7},     {u"trade", 153, 0x2122},
    {u"yen", 165, 0xA5},       {u"szlig", 223, 0xDF},     {u"yuml", 255, 0xFF},     {u"aacute", 225, 0xE1},
    {u"Aacute", 193, 0xC1},    {u"agrave", 224, 0xE0},    {u"Agrave", 192, 0xC0},   {u"acirc", 226, 0xE2},
    {u"Acirc", 194, 0xC2},     {u"aring", 229, 0xE5},     {u"Aring", 197, 0xC5},    {u"atilde", 227, 0xE3},
    {u"Atilde", 195, 0xC3},    {u"auml", 228, 0xE4},      {u"Auml", 196, 0xC4},     {u"aelig", 230, 0xE6},
    {u"AElig", 198, 0xC6},     {u"ccedil", 231, 0xE7},    {u"Ccedil", 199, 0xC7},   {u"eacute", 233, 0xE9},
    {u"Eacute", 201, 0xC9},    {u"egrave", 232, 0xE8},    {u"Egrave", 200, 0xC8},   {u"ecirc", 234, 0xEA},
    {u"Ecirc", 202, 0xCA},     {u"euml", 235, 0xEB},      {u"Euml", 203, 0xCB},     {u"iacute", 237, 0xED},
    {u"Iacute", 205, 0xCD},    {u"igrave", 236, 0xEC},    {u"Igrave", 204, 0xCC},   {u"icirc", 238, 0xEE},
    {u"Icirc", 206, 0xCE},     {u"iuml", 239, 0xEF},      {u"Iuml", 207, 0xCF},     {u"ntilde", 241, 0xF1},
    {u"Ntilde", 209, 0xD1},    {u"oacute", 243, 0xF3},    {u"Oacute", 211, 0xD3},   {u"ograve", 242, 0xF2},
    {u"Ograve", 210, 0xD2},    {u"ocirc", 244, 0xF4},     {u"Ocirc", 212, 0xD4},    {u"oslash", 248, 0xF8},
    {u"Oslash", 216, 0xD8},    {u"otilde", 245, 0xF5},    {u"Otilde", 213, 0xD5},   {u"ouml", 246, 0xF6},
    {u"Ouml", 214, 0xD6},      {u"uacute", 250, 0xFA},    {u"Uacute", 218, 0xDA},   {u"ugrave", 249, 0xF9},
    {u"Ugrave", 217, 0xD9},    {u"ucirc", 251, 0xFB},     {u"Ucirc", 219, 0xDB},    {u"uuml", 252, 0xFC},
    {u"Uuml", 220, 0xDC},      {u"#180", 180, 0xB4},      {u"#96", 96, 0x60},
};
static_assert(sizeof(kEntities) / sizeof(kEntities[0]) == 87, "the table has 87 rows");

String NumericForm(const TEntity& e) { return u"#" + IntToStr(e.Numeric); }
}  // namespace

char16_t HtmlEntityChar(const String& Name) {
  // An exact name first, so that a capital letter's own row wins over the
  // small letter's row before it.
  for (const TEntity& e : kEntities)
    if (Name == e.Name) return e.Char;
  const String upped = UpperCase(Name);
  for (const TEntity& e : kEntities)
    if (upped == UpperCase(String(e.Name)) || Name == NumericForm(e)) return e.Char;
  return 0;
}
