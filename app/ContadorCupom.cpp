#include "app/ContadorCupom.h"
#include "app/uFunc.h"
#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"

const char16_t* const MensagemCuponsEsgotados =
    u"Os números de cupom deste agente estão esgotados! O último número possível (999999) já foi emitido.";

namespace {

// The counter's value, or -1 when the agent has no counter row yet.
int Contador(TFDQuery& consulta, const String& agente, bool trava) {
  consulta.Close();
  consulta.SQL().SetText(u"SELECT ULTIMO FROM CUPONS WHERE COD_AGENTE = " + QuotedSQL(agente) +
                         (trava ? u" FOR UPDATE" : u""));
  consulta.Open();
  const int ultimo = consulta.IsEmpty() ? -1 : consulta.Fields()[0]->AsInteger();
  consulta.Close();
  return ultimo;
}

}  // namespace

int UltimoCupomEmitido(TFDQuery& recebimentos, TFDQuery& consulta, const String& agente) {
  // The last number in text order is the highest, as numbers are six
  // digits.
  recebimentos.Close();
  recebimentos.SQL().SetText(u"SELECT * FROM RECEBIMENTOS WHERE COD_AGENTE = " + QuotedSQL(agente) +
                             u" ORDER BY CUPOM DESC LIMIT 1");
  recebimentos.Open();
  const int armazenado =
      recebimentos.IsEmpty() ? 0 : StrToInt(Trim(recebimentos.FieldByName(u"CUPOM")->AsString()));
  recebimentos.Close();
  const int contador = Contador(consulta, agente, false);
  return contador > armazenado ? contador : armazenado;
}

bool ReservaCupom(TFDQuery& consulta, const String& agente, const String& cupom) {
  const int numero = StrToInt(cupom);
  if (Contador(consulta, agente, true) >= numero) return false;
  consulta.SQL().SetText(u"INSERT INTO CUPONS (COD_AGENTE, ULTIMO) VALUES (" + QuotedSQL(agente) + u", " +
                         IntToStr(numero) + u") ON DUPLICATE KEY UPDATE ULTIMO = VALUES(ULTIMO)");
  consulta.ExecSQL();
  return true;
}
