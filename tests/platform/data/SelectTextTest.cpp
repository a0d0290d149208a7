// Which SELECT texts a filtered query may read as a derived table, and
// where their ORDER BY is cut off.
#include "platform/data/SelectText.h"
#include <gtest/gtest.h>

TEST(SelectText, SplitsTheLastTopLevelOrderAndRefusesWhatADerivedTableWouldChange) {
  struct Caso {
    const char* sql;
    bool aceito;
    const char* corpo;
    const char* ordem;
  };
  const Caso casos[] = {
      {"SELECT * FROM RECEBIMENTOS", true, "SELECT * FROM RECEBIMENTOS", ""},
      {"SELECT * FROM RECEBIMENTOS WHERE\r\n CUPOM = '1'\r\n ORDER BY CUPOM\r\n", true,
       "SELECT * FROM RECEBIMENTOS WHERE\r\n CUPOM = '1'\r\n ", "CUPOM"},
      {"select * from r order by a, b desc;", true, "select * from r ", "a, b desc"},
      // Words inside texts, names, comments and parentheses are not clauses.
      {"SELECT * FROM r WHERE u = 'ORDER BY x' AND v = 'it''s LIMIT'", true,
       "SELECT * FROM r WHERE u = 'ORDER BY x' AND v = 'it''s LIMIT'", ""},
      // Sessions take a backslash as it is: 'a\' ends the text.
      {"SELECT `limit` FROM r WHERE u = 'a\\' OR v = \"x\"\"LIMIT\" ORDER BY `order by`", true,
       "SELECT `limit` FROM r WHERE u = 'a\\' OR v = \"x\"\"LIMIT\" ", "`order by`"},
      {"SELECT * FROM r WHERE id IN (SELECT id FROM s ORDER BY id LIMIT 3)", true,
       "SELECT * FROM r WHERE id IN (SELECT id FROM s ORDER BY id LIMIT 3)", ""},
      {"SELECT * FROM r -- LIMIT 1\nORDER BY a", true, "SELECT * FROM r -- LIMIT 1\n", "a"},
      {"SELECT * FROM r /* UNION */ WHERE a = 1", true, "SELECT * FROM r /* UNION */ WHERE a = 1", ""},
      {"SELECT * FROM r # INTO\n", true, "SELECT * FROM r # INTO", ""},
      // A derived table would change these, or they are no single SELECT.
      {"SELECT * FROM r LIMIT 10", false, "", ""},
      {"SELECT * FROM r ORDER BY a LIMIT 10", false, "", ""},
      {"SELECT a FROM r UNION SELECT a FROM s", false, "", ""},
      {"SELECT * FROM r FOR UPDATE", false, "", ""},
      {"SELECT * INTO @x FROM r", false, "", ""},
      {"SELECT * FROM r; DELETE FROM r", false, "", ""},
      {"SELECT /*! STRAIGHT_JOIN */ * FROM r", false, "", ""},
      {"SELECT * FROM r WHERE (a = 1", false, "", ""},
      // An open text or comment would take in what is put after the body.
      {"SELECT * FROM r WHERE a = 'x", false, "", ""},
      {"SELECT * FROM r WHERE a = 'x'' ORDER BY a", false, "", ""},
      {"SELECT `a FROM r", false, "", ""},
      {"SELECT * FROM r /* ORDER BY a", false, "", ""},
      {"SELECT * FROM r ORDER BY", false, "", ""},
      {"SHOW TABLES", false, "", ""},
      {"  ", false, "", ""},
  };
  for (const Caso& caso : casos) {
    TSelectParts partes;
    ASSERT_EQ(SplitSelect(caso.sql, partes), caso.aceito) << caso.sql;
    if (!caso.aceito) continue;
    EXPECT_EQ(partes.Body, caso.corpo) << caso.sql;
    EXPECT_EQ(partes.Order, caso.ordem) << caso.sql;
  }
}
