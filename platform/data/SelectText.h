#pragma once
// Reading a query's SELECT text far enough to ask the server for part of
// its rows: the statement becomes a derived table with a condition, and
// its last ORDER BY moves outside, where the server still honours it.
#include <string>

struct TSelectParts {
  std::string Body;   // the statement without its ORDER BY
  std::string Order;  // what followed ORDER BY; empty when none
};

// False unless the text is one SELECT whose rows a derived table yields
// unchanged: no LIMIT, UNION, INTO or locking clause at its top level.
// Quoted texts, names, comments and parentheses are skipped over.
bool SplitSelect(const std::string& sql, TSelectParts& parts);
