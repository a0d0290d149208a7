// The closing form's PIX QR code: the payload of the current movement,
// drawn by the barcode component, saved as "QRCode.bmp" and shown.
#include "app/AppState.h"
#include "app/PixPayload.h"
#include "app/uDM.h"
#include "app/uFecha.h"
#include "app/uFunc.h"
#include "barcode/FBarcode.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/FileUtils.h"
#include <sstream>

namespace {

constexpr const char16_t* ArquivoQRCode = u"QRCode.bmp";

// Written through the system's file calls, so the file lands in the same
// current folder the image is then loaded from.
void GravaImagem(const TPixelBitmap& imagem, const String& arquivo) {
  std::ostringstream bytes;
  imagem.SaveToStream(bytes);
  const std::string dados = bytes.str();
  TFileStream saida(arquivo, fmCreate);
  saida.WriteBuffer(dados.data(), static_cast<int64_t>(dados.size()));
}

}  // namespace

TDadosPIX TfrmFecha::DadosPIXMovimento() const {
  if (!DM) throw ELinhaPIX(u"O banco de dados não está aberto.");
  TDadosPIX dados;
  dados.Chave = LeChavePIX(ArquivoConfiguracao.get());
  dados.Valor = DM->Movimentos->FieldByName(u"TOTAL")->AsFloat();
  dados.Municipio = DM->Concessionaria->FieldByName(u"MUNICIPIO")->AsString();
  dados.CNPJAgente = DM->Agentes->FieldByName(u"CNPJ")->AsString();
  dados.Abertura = DM->Movimentos->FieldByName(u"ABERTURA")->AsDateTime();
  return dados;
}

void TfrmFecha::GeraQRCodePIX() {
  String linha;
  try {
    linha = MontaLinhaPIX(DadosPIXMovimento());
  } catch (const Exception& e) {
    // A payload without its CRC, or of the wrong movement, must never be
    // offered for payment: nothing is drawn.
    DescartaQRCode();
    ExibeMensagem(u"Não foi possível gerar a linha do PIX! " + e.Message(), 2);
    return;
  }
  try {
    FBarcode->SetInputText(linha);
    GravaImagem(*FBarcode->Bitmap(), ArquivoQRCode);
    imgPIX->Picture()->Bitmap()->LoadFromFile(ArquivoQRCode);
    imgPIX->SetVisible(true);
  } catch (const Exception& e) {
    DescartaQRCode();
    ExibeMensagem(u"Erro ao gerar QRCode! " + e.Message(), 2);
  }
}

void TfrmFecha::DescartaQRCode() {
  imgPIX->SetVisible(false);
  imgPIX->Picture()->SetGraphic(nullptr);
  // An earlier movement's code left in the file would be paid for this one.
  if (FileExists(ArquivoQRCode)) DeleteFile(ArquivoQRCode);
}
