#!/usr/bin/env bash
# Prepares the local database and the configuration file for ./run.sh:
#   prepare-run.sh DB_DIR PORT
# Creates the program's database account, seeds one agent ("001") and one
# utility when they are missing (no users, so the first login goes through
# the empty-users road as a manager), and writes Brenquia.ini beside the
# executable with the program's own cipher. The port changes from run to
# run, so the file is written every time.
set -euo pipefail
source "$(dirname "$0")/env.sh"
db_dir=${1:?usage: prepare-run.sh DB_DIR PORT}
port=${2:?usage: prepare-run.sh DB_DIR PORT}
sock=$db_dir/mysqld.sock
agent=${BRQ_RUN_AGENT:-001}
db_user=brenquia
db_password=brq2024

sql() { mariadb --no-defaults -S "$sock" -uroot "$@"; }

sql <<SQL
CREATE USER IF NOT EXISTS '$db_user'@'localhost' IDENTIFIED BY '$db_password';
CREATE USER IF NOT EXISTS '$db_user'@'127.0.0.1' IDENTIFIED BY '$db_password';
GRANT ALL PRIVILEGES ON dbvorlent.* TO '$db_user'@'localhost';
GRANT ALL PRIVILEGES ON dbvorlent.* TO '$db_user'@'127.0.0.1';
FLUSH PRIVILEGES;
USE dbvorlent;
INSERT INTO agentes (RAZAO_SOCIAL, COD_AGENTE, NOME_FANTASIA, ENDERECO, NRO, BAIRRO, MUNICIPIO, UF, CEP,
                     FONE, CNPJ, TIPO_INSCRICAO, INSCRICAO, MOEDA, IMPRIMIR_CUPOM)
SELECT 'Agente Arrecadador Modelo Ltda', '$agent', 'Agente Modelo', 'Rua das Flores', '100', 'Centro',
       'Curitiba', 'PR', '80010000', '4133330000', '11222333000181', 'M', '123456', 'R\$', 0
FROM DUAL WHERE NOT EXISTS (SELECT 1 FROM agentes WHERE COD_AGENTE = '$agent');
INSERT INTO concessionaria (RAZAO_SOCIAL, ENDERECO, BAIRRO, MUNICIPIO, UF, CEP, FONE, CNPJ, TIPO_INSCRICAO,
                            INSCRICAO, COD_CONC, DOC_CREDENCIAMENTO, JUROS, MULTA, PRAZO)
SELECT 'Companhia de Saneamento Modelo', 'Avenida Central', 'Centro', 'Curitiba', 'PR', '80020000',
       '4133331111', '11444777000161', 'E', '9876543210', '0123', 'Credenciamento 001/2024', 0, 0, 0
FROM DUAL WHERE NOT EXISTS (SELECT 1 FROM concessionaria);
SQL

exe_dir=$BUILD_DIR/app
wine "$exe_dir/BrenquiaIni.exe.so" "$exe_dir/Brenquia.ini" 127.0.0.1 "$db_user" "$db_password" \
  dbvorlent "$port" "$agent" 2>/dev/null
# The tool ran without the program's display; let its Wine session end so
# the program starts one of its own on the display it gets.
wineserver -w
echo "Configuration written to $exe_dir/Brenquia.ini (agent $agent)"
