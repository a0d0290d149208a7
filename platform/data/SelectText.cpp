#include "platform/data/SelectText.h"
#include <cctype>
#include <vector>

namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

std::string Upper(std::string word) {
  for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return word;
}

// Past the quoted text that starts at i; its own quote doubled stays
// inside it. Sessions run with NO_BACKSLASH_ESCAPES, so a backslash is
// an ordinary character. npos when the quote is never closed.
size_t SkipQuoted(const std::string& sql, size_t i) {
  const char quote = sql[i++];
  while (i < sql.size()) {
    if (sql[i] == quote) {
      if (i + 1 < sql.size() && sql[i + 1] == quote) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return std::string::npos;
}

struct TWord {
  std::string Text;  // upper case
  size_t Start;
};

}  // namespace

bool SplitSelect(const std::string& sql, TSelectParts& parts) {
  std::vector<TWord> words;  // the top level's words
  int depth = 0;
  size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    if (c == '\'' || c == '"' || c == '`') {
      // An open quote would swallow the text put after the statement, and
      // with it the quotes of the condition's constants.
      i = SkipQuoted(sql, i);
      if (i == std::string::npos) return false;
    } else if (c == '#' || (c == '-' && sql.compare(i, 2, "--") == 0 &&
                            (i + 2 >= sql.size() || std::isspace(static_cast<unsigned char>(sql[i + 2]))))) {
      const size_t end = sql.find('\n', i);
      i = end == std::string::npos ? sql.size() : end + 1;
    } else if (c == '/' && sql.compare(i, 2, "/*") == 0) {
      // Executable comments (/*! ... */) say things a reader here cannot see.
      if (sql.compare(i, 3, "/*!") == 0 || sql.compare(i, 3, "/*M") == 0) return false;
      const size_t end = sql.find("*/", i + 2);
      if (end == std::string::npos) return false;
      i = end + 2;
    } else if (c == '(') {
      ++depth;
      ++i;
    } else if (c == ')') {
      if (--depth < 0) return false;
      ++i;
    } else if (c == ';') {
      // Only a last, empty statement may follow.
      for (size_t j = i + 1; j < sql.size(); ++j)
        if (!std::isspace(static_cast<unsigned char>(sql[j]))) return false;
      break;
    } else if (IsWordChar(c)) {
      const size_t start = i;
      while (i < sql.size() && IsWordChar(sql[i])) ++i;
      if (depth == 0) words.push_back({Upper(sql.substr(start, i - start)), start});
    } else {
      ++i;
    }
  }
  if (depth != 0 || words.empty() || words.front().Text != "SELECT") return false;
  size_t orderAt = std::string::npos;
  size_t orderFrom = 0;
  for (size_t w = 0; w < words.size(); ++w) {
    const std::string& word = words[w].Text;
    if (word == "LIMIT" || word == "UNION" || word == "INTERSECT" || word == "EXCEPT" || word == "INTO" ||
        word == "FOR" || word == "LOCK" || word == "PROCEDURE" || word == "OFFSET" || word == "FETCH")
      return false;
    if (word == "ORDER" && w + 1 < words.size() && words[w + 1].Text == "BY") {
      orderAt = words[w].Start;
      orderFrom = words[w + 1].Start + 2;
    }
  }
  const size_t end = sql.find_last_not_of(" \t\r\n;");
  const std::string whole = end == std::string::npos ? std::string() : sql.substr(0, end + 1);
  if (orderAt == std::string::npos) {
    parts.Body = whole;
    parts.Order.clear();
  } else {
    parts.Body = whole.substr(0, orderAt);
    const size_t from = whole.find_first_not_of(" \t\r\n", orderFrom);
    if (from == std::string::npos) return false;
    parts.Order = whole.substr(from);
  }
  return true;
}
