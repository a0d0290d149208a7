#include "app/AppState.h"
#include "platform/classes/IniFiles.h"

String NomeUsuario;
String NivelUsuario;
String CodigoAgente;
String NomeConcessionaria;
String NomeAgente;
String RodapeRelatorio;
bool VersaoAgente = false;
bool LoginPendente = true;
TDateTime DataMovimento = 0;
std::unique_ptr<TIniFile> ArquivoConfiguracao;
