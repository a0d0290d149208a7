#pragma once
// The project's own hint pictures, drawn here and handed out as PNG file
// data: the library's default "ACHINT" balloon and the stock templates
// that the program's main window offers.
#include "skin/forms/hints/HintTemplates.h"
#include <string>
#include <vector>

// The default template's picture: 27 x 27 pixels with alpha.
std::string AcHintPng();

// The names of the stock templates, in their order.
const std::vector<String>& StockHintTemplateNames();
// Appends the stock templates (names, fonts, pictures as PNG data, borders,
// margins and shadows) to Templates.
void AddStockHintTemplates(TacHintTemplates& Templates);
