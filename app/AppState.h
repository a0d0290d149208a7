#pragma once
// Program-wide state of the collection-point application. Each value has
// one writer (noted beside it); every window reads them freely.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"
#include <memory>

class TIniFile;

// Login: the user's name (" " after a login into an empty users table,
// empty before any login) and level, "Funcional" or "Gerencial".
extern String NomeUsuario;
extern String NivelUsuario;
// Start-up: key Codigo of section AGENTE; filters the agent's rows.
extern String CodigoAgente;
// Start-up: RAZAO_SOCIAL of the utility and of the agent rows.
extern String NomeConcessionaria;
extern String NomeAgente;
// Main window creation: footer of printed listings.
extern String RodapeRelatorio;
// Start-up: key Agente of section AGENTE is exactly "True".
extern bool VersaoAgente;
// Set at main window creation, cleared by a successful login.
extern bool LoginPendente;
// Movements window: opening date of the movement being worked on.
extern TDateTime DataMovimento;
// Start-up: the configuration file, open until the program ends.
extern std::unique_ptr<TIniFile> ArquivoConfiguracao;
