#pragma once
// Receipt numbers: six digits per agent, each issued once. The agent's
// counter (table cupons) keeps the last number issued, so a number whose
// receipt was deleted or purged is not drawn again; an agent without a
// counter row starts from its highest stored receipt.
#include "platform/rtl/String.h"

class TFDQuery;

constexpr int UltimoCupomPossivel = 999999;

extern const char16_t* const MensagemCuponsEsgotados;

// The last number the agent has issued, from its receipts (read through
// `recebimentos`, the receipts query) and its counter (through `consulta`,
// a query without fields of its own). Raises when it cannot be read (a
// stored number that is not a number included).
int UltimoCupomEmitido(TFDQuery& recebimentos, TFDQuery& consulta, const String& agente);

// Inside the receipt's transaction, through a query without fields of its
// own: locks the agent's counter and advances
// it to `cupom`. False, with nothing changed, when that number was issued
// already. Raises on a database failure.
bool ReservaCupom(TFDQuery& consulta, const String& agente, const String& cupom);
