#pragma once
// Turns the server's text of one cell into a field value, and a value into
// an SQL literal for the column it goes to.
#include "platform/data/MySqlClient.h"
#include "platform/data/Variant.h"

Variant CellValue(const TMySqlResult& result, size_t row, size_t column);
// NULL, a number, a quoted text (single quotes doubled), a date text or a
// hexadecimal literal for binary data.
std::string SqlLiteral(const Variant& value, const TMySqlColumn& column);
// `name`, for identifiers.
std::string QuoteIdentifier(std::string_view name);
