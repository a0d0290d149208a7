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
// The column's own name, quoted, as a WHERE or ORDER BY names it.
std::string QuotedColumnName(const TMySqlColumn& column);
// True when the server, comparing `column` with the constant `value`,
// keeps every row the client's exact comparison keeps. Texts only for
// equality: the server's comparison ignores case and trailing blanks.
bool ServerKeepsClientRows(const TMySqlColumn& column, const Variant& value, bool equality);
