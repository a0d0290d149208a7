// Six tables of the library's texts. Where a translation is missing the
// English text stands.
#include "report/pages/RLLocaleStrings.h"

const TRLLocaleStrings ReportTextsEnglish = {
    u"Printing in progress...",  // LS_PrintingInProgressStr
    u"Saving report...",  // LS_FilterInProgressStr
    u"Preparing report...",  // LS_PreparingReportStr
    u"Printer not found",  // LS_PrinterNotFoundStr
    u"Invalid printer path",  // LS_NoPathToPrinterStr
    u"Load default configuration",  // LS_LoadDefaultConfigStr
    u"Printer driver error",  // LS_PrinterDriverErrorStr
    u"Page",  // LS_PageStr
    u"Error while preparing report",  // LS_PrepareErrorStr
    u"Continues...",  // LS_PageBreakStr
    u"Continuation",  // LS_PageMendStr
    u"End",  // LS_ReportEndStr
    u"File not found",  // LS_FileNotFoundStr
    u"File Name",  // LS_FileNameStr
    u"All files",  // LS_AllFileTypesStr
    u"Load report",  // LS_LoadReportStr
    u"Not found",  // LS_NotFoundStr
    u"Wait...",  // LS_WaitStr
    u"Finished",  // LS_FinishedStr
    u"Cancel",  // LS_CancelStr
    u"Close",  // LS_CloseStr
    u"Save",  // LS_SaveStr
    u"Send",  // LS_SendStr
    u"Print",  // LS_PrintStr
    u"About",  // LS_AboutTheStr
    u"Preview",  // LS_PreviewStr
    u"of",  // LS_OfStr
    u"Zoom",  // LS_ZoomStr
    u"First page",  // LS_FirstPageStr
    u"Prior page",  // LS_PriorPageStr
    u"Next page",  // LS_NextPageStr
    u"Last page",  // LS_LastPageStr
    u"Entire page",  // LS_EntirePageStr
    u"Entire width",  // LS_EntireWidthStr
    u"Multiple pages",  // LS_MultiplePagesStr
    u"Printer setup",  // LS_ConfigPrinterStr
    u"Save to file",  // LS_SaveToFileStr
    u"Send to",  // LS_SendToStr
    u"Printer",  // LS_PrinterStr
    u"Name",  // LS_NameStr
    u"Print to file",  // LS_PrintToFileStr
    u"Print in background",  // LS_PrintInBackgroundStr
    u"Options",  // LS_OptionsStr
    u"Save in background",  // LS_SaveInBackground
    u"Page range",  // LS_PageRangeStr
    u"Copy as image",  // LS_CopyAsImageStr
    u"from",  // LS_RangeFromStr
    u"to",  // LS_RangeToStr
    u"All",  // LS_AllStr
    u"Pages",  // LS_PagesStr
    u"Selection",  // LS_SelectionStr
    u"Copies",  // LS_CopiesStr
    u"Number of copies",  // LS_NumberOfCopiesStr
    u"Ok",  // LS_OkStr
    u"Divide the screen",  // LS_DivideScreenStr
    u"Invalid name",  // LS_InvalidNameStr
    u"Name already in use",  // LS_DuplicateNameStr
    u"Use filter",  // LS_UseFilterStr
    u"Web page",  // LS_WebPageStr
    u"RichText Format",  // LS_RichFormatStr
    u"PDF Document",  // LS_PDFFormatStr
    u"Excel spreadsheet 97-2013",  // LS_XLSFormatStr97_2013
    u"Excel spreadsheet",  // LS_XLSFormatStr
    u"at",  // LS_AtStr
    u"Form",  // LS_FormStr
    u"Default",  // LS_DefaultStr
    u"Zoom in",  // LS_ZoomInStr
    u"Zoom out",  // LS_ZoomOutStr
    u"Copy",  // LS_CopyStr
    u"Edit",  // LS_EditStr
    u"Find",  // LS_FindCaptionStr
    u"Te&xt",  // LS_TextToFindStr
    u"Find &Next",  // LS_FindNextStr
    u"&Whole words only",  // LS_WholeWordsStr
    u"&Match Case",  // LS_MatchCaseStr
    u"&Up",  // LS_DirectionUpStr
    u"&Down",  // LS_DirectionDownStr
    u"Direction",  // LS_DirectionCaptionStr
    u"Columns",  // LS_ColumnsStr
    u"Setup",  // LS_SetupStr
    u"Invalid font size",  // LS_FontSizeError
    u"Odd",  // LS_OddPages
    u"Even",  // LS_EvenPages
    u"Odd pages only",  // LS_OddPagesOnly
    u"Even pages only",  // LS_EvenPagesOnly
    u"All",  // LS_AllOddAndEven
    u"Problems with print dialog",  // LS_PrintDialogError
    u"Separate page numbers or page intervals with \";\". i.e.: 1;3;5-12;4",  // LS_PageSelectionHint
    u"Report \"%s\"",  // LS_DefaultJobTitle
    u"",  // LS_ZoomHint
    u"",  // Ls_Aplicar
    u"Properties",  // Ls_Propriedades
    u"",  // Ls_Salvar_Como
    u"",  // Ls_Nome_Arquivo
    u"",  // Ls_File_corrupted
    u"",  // Ls_File_version
    u"",  // Ls_Page_settings
    u"",  // Ls_Page_margins
    u"",  // Ls_Page_margins_top
    u"",  // Ls_Page_margins_bottom
    u"",  // Ls_Page_margins_rigth
    u"",  // Ls_Page_margins_left
    u"",  // Ls_Page_margins_paper
    u"",  // Ls_Page_paper
    u"",  // Ls_Paper_Size
    u"",  // Ls_Paper_Size_Width
    u"",  // Ls_Paper_Size_Heigth
    u"",  // Ls_Paper_Orientation
    u"",  // Ls_Paper_Orientation_Landscape
    u"",  // Ls_Paper_Orientation_Portrait
    u"",  // LS_LastFooMsg
};

const TRLLocaleStrings ReportTextsPortuguese = {
    u"Imprimindo o relat\u00F3rio...",  // LS_PrintingInProgressStr
    u"Salvando o relat\u00F3rio...",  // LS_FilterInProgressStr
    u"Preparando o relat\u00F3rio...",  // LS_PreparingReportStr
    u"Impressora n\u00E3o encontrada",  // LS_PrinterNotFoundStr
    u"Caminho da impressora inv\u00E1lido",  // LS_NoPathToPrinterStr
    u"Carregar configura\u00E7\u00E3o padr\u00E3o",  // LS_LoadDefaultConfigStr
    u"Erro no driver da impressora",  // LS_PrinterDriverErrorStr
    u"P\u00E1gina",  // LS_PageStr
    u"Erro durante a prepara\u00E7\u00E3o do relat\u00F3rio",  // LS_PrepareErrorStr
    u"Continua...",  // LS_PageBreakStr
    u"Continua\u00E7\u00E3o",  // LS_PageMendStr
    u"Fim",  // LS_ReportEndStr
    u"Arquivo n\u00E3o encontrado",  // LS_FileNotFoundStr
    u"Nome do arquivo",  // LS_FileNameStr
    u"Todos os arquivos",  // LS_AllFileTypesStr
    u"Carregar relat\u00F3rio",  // LS_LoadReportStr
    u"N\u00E3o encontrado",  // LS_NotFoundStr
    u"Aguarde...",  // LS_WaitStr
    u"Conclu\u00EDdo",  // LS_FinishedStr
    u"Cancelar",  // LS_CancelStr
    u"Fechar",  // LS_CloseStr
    u"Salvar",  // LS_SaveStr
    u"Enviar",  // LS_SendStr
    u"Imprimir",  // LS_PrintStr
    u"Sobre o",  // LS_AboutTheStr
    u"Pr\u00E9-visualiza\u00E7\u00E3o",  // LS_PreviewStr
    u"de",  // LS_OfStr
    u"Zoom",  // LS_ZoomStr
    u"Primeira p\u00E1gina",  // LS_FirstPageStr
    u"P\u00E1gina anterior",  // LS_PriorPageStr
    u"Pr\u00F3xima p\u00E1gina",  // LS_NextPageStr
    u"\u00DAltima p\u00E1gina",  // LS_LastPageStr
    u"P\u00E1gina inteira",  // LS_EntirePageStr
    u"Largura da p\u00E1gina",  // LS_EntireWidthStr
    u"V\u00E1rias p\u00E1ginas",  // LS_MultiplePagesStr
    u"Configurar impressora",  // LS_ConfigPrinterStr
    u"Salvar em disco",  // LS_SaveToFileStr
    u"Enviar para",  // LS_SendToStr
    u"Impressora",  // LS_PrinterStr
    u"Nome",  // LS_NameStr
    u"Imprimir em arquivo",  // LS_PrintToFileStr
    u"Imprimir em segundo plano",  // LS_PrintInBackgroundStr
    u"Op\u00E7\u00F5es",  // LS_OptionsStr
    u"Salvar em segundo plano",  // LS_SaveInBackground
    u"Intervalo de p\u00E1ginas",  // LS_PageRangeStr
    u"Copiar como imagem",  // LS_CopyAsImageStr
    u"de",  // LS_RangeFromStr
    u"at\u00E9",  // LS_RangeToStr
    u"Tudo",  // LS_AllStr
    u"P\u00E1ginas",  // LS_PagesStr
    u"Sele\u00E7\u00E3o",  // LS_SelectionStr
    u"C\u00F3pias",  // LS_CopiesStr
    u"N\u00FAmero de c\u00F3pias",  // LS_NumberOfCopiesStr
    u"Ok",  // LS_OkStr
    u"Dividir a tela",  // LS_DivideScreenStr
    u"Nome inv\u00E1lido",  // LS_InvalidNameStr
    u"Nome j\u00E1 utilizado",  // LS_DuplicateNameStr
    u"Usar Filtro",  // LS_UseFilterStr
    u"P\u00E1gina da Web",  // LS_WebPageStr
    u"Formato RichText",  // LS_RichFormatStr
    u"Documento PDF",  // LS_PDFFormatStr
    u"Planilha Excel 97-2013",  // LS_XLSFormatStr97_2013
    u"Planilha Excel",  // LS_XLSFormatStr
    u"em",  // LS_AtStr
    u"Formul\u00E1rio",  // LS_FormStr
    u"Padr\u00E3o",  // LS_DefaultStr
    u"Aumentar zoom",  // LS_ZoomInStr
    u"Diminuir zoom",  // LS_ZoomOutStr
    u"Copiar",  // LS_CopyStr
    u"Editar",  // LS_EditStr
    u"Procurar",  // LS_FindCaptionStr
    u"Te&xto",  // LS_TextToFindStr
    u"&Pr\u00F3xima",  // LS_FindNextStr
    u"Palavras &inteiras",  // LS_WholeWordsStr
    u"Diferenciar &mai\u00FAsculas de min\u00FAsculas",  // LS_MatchCaseStr
    u"A&cima",  // LS_DirectionUpStr
    u"A&baixo",  // LS_DirectionDownStr
    u"Dire\u00E7\u00E3o",  // LS_DirectionCaptionStr
    u"Colunas",  // LS_ColumnsStr
    u"Configurar",  // LS_SetupStr
    u"Tamanho de fonte inv\u00E1lido",  // LS_FontSizeError
    u"\u00CDmpares",  // LS_OddPages
    u"Pares",  // LS_EvenPages
    u"Somente \u00CDmpares",  // LS_OddPagesOnly
    u"Somente Pares",  // LS_EvenPagesOnly
    u"Todas",  // LS_AllOddAndEven
    u"Problemas com o di\u00E1logo da impressora",  // LS_PrintDialogError
    u"Separe com ponto-e-v\u00EDrgula os n\u00FAmeros ou intervalos de p\u00E1ginas a imprimir. Ex.: 1;3;5-12;4",  // LS_PageSelectionHint
    u"Relat\u00F3rio \"%s\"",  // LS_DefaultJobTitle
    u"Voc\u00EA tamb\u00E9m pode aumentar ou reduzir o zoom do relat\u00F3rio\r\nprecionando \"Ctrl\" e usando a rolagem do mouse.",  // LS_ZoomHint
    u"Aplicar",  // Ls_Aplicar
    u"Propriedades",  // Ls_Propriedades
    u"",  // Ls_Salvar_Como
    u"",  // Ls_Nome_Arquivo
    u"",  // Ls_File_corrupted
    u"",  // Ls_File_version
    u"",  // Ls_Page_settings
    u"",  // Ls_Page_margins
    u"",  // Ls_Page_margins_top
    u"",  // Ls_Page_margins_bottom
    u"",  // Ls_Page_margins_rigth
    u"",  // Ls_Page_margins_left
    u"",  // Ls_Page_margins_paper
    u"",  // Ls_Page_paper
    u"",  // Ls_Paper_Size
    u"",  // Ls_Paper_Size_Width
    u"",  // Ls_Paper_Size_Heigth
    u"",  // Ls_Paper_Orientation
    u"",  // Ls_Paper_Orientation_Landscape
    u"",  // Ls_Paper_Orientation_Portrait
    u"",  // LS_LastFooMsg
};

const TRLLocaleStrings ReportTextsFrench = {
    u"Impression en cours...",  // LS_PrintingInProgressStr
    u"Enregistrement du rapport...",  // LS_FilterInProgressStr
    u"Pr\u00E9paration du rapport...",  // LS_PreparingReportStr
    u"Imprimante introuvable",  // LS_PrinterNotFoundStr
    u"Chemin d'imprimante invalide",  // LS_NoPathToPrinterStr
    u"Charger la configuration par d\u00E9faut",  // LS_LoadDefaultConfigStr
    u"Erreur du pilote d'imprimante",  // LS_PrinterDriverErrorStr
    u"Page",  // LS_PageStr
    u"Erreur pendant la pr\u00E9paration du rapport",  // LS_PrepareErrorStr
    u"Suite...",  // LS_PageBreakStr
    u"Suite",  // LS_PageMendStr
    u"Fin",  // LS_ReportEndStr
    u"Fichier introuvable",  // LS_FileNotFoundStr
    u"Nom du fichier",  // LS_FileNameStr
    u"Tous les fichiers",  // LS_AllFileTypesStr
    u"Charger le rapport",  // LS_LoadReportStr
    u"Introuvable",  // LS_NotFoundStr
    u"Patientez...",  // LS_WaitStr
    u"Termin\u00E9",  // LS_FinishedStr
    u"Annuler",  // LS_CancelStr
    u"Fermer",  // LS_CloseStr
    u"Enregistrer",  // LS_SaveStr
    u"Envoyer",  // LS_SendStr
    u"Imprimer",  // LS_PrintStr
    u"\u00C0 propos de",  // LS_AboutTheStr
    u"Aper\u00E7u",  // LS_PreviewStr
    u"de",  // LS_OfStr
    u"Zoom",  // LS_ZoomStr
    u"Premi\u00E8re page",  // LS_FirstPageStr
    u"Page pr\u00E9c\u00E9dente",  // LS_PriorPageStr
    u"Page suivante",  // LS_NextPageStr
    u"Derni\u00E8re page",  // LS_LastPageStr
    u"Page enti\u00E8re",  // LS_EntirePageStr
    u"Largeur de la page",  // LS_EntireWidthStr
    u"Plusieurs pages",  // LS_MultiplePagesStr
    u"Configurer l'imprimante",  // LS_ConfigPrinterStr
    u"Enregistrer dans un fichier",  // LS_SaveToFileStr
    u"Envoyer \u00E0",  // LS_SendToStr
    u"Imprimante",  // LS_PrinterStr
    u"Nom",  // LS_NameStr
    u"Imprimer dans un fichier",  // LS_PrintToFileStr
    u"Print in background",  // LS_PrintInBackgroundStr
    u"Options",  // LS_OptionsStr
    u"Save in background",  // LS_SaveInBackground
    u"\u00C9tendue",  // LS_PageRangeStr
    u"Copy as image",  // LS_CopyAsImageStr
    u"de",  // LS_RangeFromStr
    u"\u00E0",  // LS_RangeToStr
    u"Tout",  // LS_AllStr
    u"Pages",  // LS_PagesStr
    u"S\u00E9lection",  // LS_SelectionStr
    u"Copies",  // LS_CopiesStr
    u"Nombre de copies",  // LS_NumberOfCopiesStr
    u"Ok",  // LS_OkStr
    u"Diviser l'\u00E9cran",  // LS_DivideScreenStr
    u"Nom invalide",  // LS_InvalidNameStr
    u"Nom d\u00E9j\u00E0 utilis\u00E9",  // LS_DuplicateNameStr
    u"Utiliser le filtre",  // LS_UseFilterStr
    u"Page Web",  // LS_WebPageStr
    u"Format RichText",  // LS_RichFormatStr
    u"Document PDF",  // LS_PDFFormatStr
    u"Excel spreadsheet 97-2013",  // LS_XLSFormatStr97_2013
    u"Excel spreadsheet",  // LS_XLSFormatStr
    u"\u00E0",  // LS_AtStr
    u"Formulaire",  // LS_FormStr
    u"D\u00E9faut",  // LS_DefaultStr
    u"Zoom avant",  // LS_ZoomInStr
    u"Zoom arri\u00E8re",  // LS_ZoomOutStr
    u"Copier",  // LS_CopyStr
    u"\u00C9dition",  // LS_EditStr
    u"Rechercher",  // LS_FindCaptionStr
    u"Te&xte",  // LS_TextToFindStr
    u"&Suivant",  // LS_FindNextStr
    u"&Mots entiers",  // LS_WholeWordsStr
    u"&Respecter la casse",  // LS_MatchCaseStr
    u"&Haut",  // LS_DirectionUpStr
    u"&Bas",  // LS_DirectionDownStr
    u"Direction",  // LS_DirectionCaptionStr
    u"Colonnes",  // LS_ColumnsStr
    u"Configuration",  // LS_SetupStr
    u"Taille de police invalide",  // LS_FontSizeError
    u"Impaires",  // LS_OddPages
    u"Paires",  // LS_EvenPages
    u"Pages impaires seulement",  // LS_OddPagesOnly
    u"Pages paires seulement",  // LS_EvenPagesOnly
    u"Toutes",  // LS_AllOddAndEven
    u"Problems with print dialog",  // LS_PrintDialogError
    u"S\u00E9parez les num\u00E9ros ou les intervalles de pages par \";\". Ex.: 1;3;5-12;4",  // LS_PageSelectionHint
    u"Rapport \"%s\"",  // LS_DefaultJobTitle
    u"",  // LS_ZoomHint
    u"Appliquer",  // Ls_Aplicar
    u"",  // Ls_Propriedades
    u"",  // Ls_Salvar_Como
    u"",  // Ls_Nome_Arquivo
    u"",  // Ls_File_corrupted
    u"",  // Ls_File_version
    u"",  // Ls_Page_settings
    u"",  // Ls_Page_margins
    u"",  // Ls_Page_margins_top
    u"",  // Ls_Page_margins_bottom
    u"",  // Ls_Page_margins_rigth
    u"",  // Ls_Page_margins_left
    u"",  // Ls_Page_margins_paper
    u"",  // Ls_Page_paper
    u"",  // Ls_Paper_Size
    u"",  // Ls_Paper_Size_Width
    u"",  // Ls_Paper_Size_Heigth
    u"",  // Ls_Paper_Orientation
    u"",  // Ls_Paper_Orientation_Landscape
    u"",  // Ls_Paper_Orientation_Portrait
    u"",  // LS_LastFooMsg
};

const TRLLocaleStrings ReportTextsSpanish = {
    u"Imprimiendo el informe...",  // LS_PrintingInProgressStr
    u"Guardando el informe...",  // LS_FilterInProgressStr
    u"Preparando el informe...",  // LS_PreparingReportStr
    u"Impresora no encontrada",  // LS_PrinterNotFoundStr
    u"Ruta de impresora inv\u00E1lida",  // LS_NoPathToPrinterStr
    u"Cargar configuraci\u00F3n predeterminada",  // LS_LoadDefaultConfigStr
    u"Error en el controlador de la impresora",  // LS_PrinterDriverErrorStr
    u"P\u00E1gina",  // LS_PageStr
    u"Error durante la preparaci\u00F3n del informe",  // LS_PrepareErrorStr
    u"Contin\u00FAa...",  // LS_PageBreakStr
    u"Continuaci\u00F3n",  // LS_PageMendStr
    u"Fin",  // LS_ReportEndStr
    u"Archivo no encontrado",  // LS_FileNotFoundStr
    u"Nombre del archivo",  // LS_FileNameStr
    u"Todos los archivos",  // LS_AllFileTypesStr
    u"Cargar informe",  // LS_LoadReportStr
    u"No encontrado",  // LS_NotFoundStr
    u"Espere...",  // LS_WaitStr
    u"Terminado",  // LS_FinishedStr
    u"Cancelar",  // LS_CancelStr
    u"Cerrar",  // LS_CloseStr
    u"Guardar",  // LS_SaveStr
    u"Enviar",  // LS_SendStr
    u"Imprimir",  // LS_PrintStr
    u"Acerca de",  // LS_AboutTheStr
    u"Vista previa",  // LS_PreviewStr
    u"de",  // LS_OfStr
    u"Zoom",  // LS_ZoomStr
    u"Primera p\u00E1gina",  // LS_FirstPageStr
    u"P\u00E1gina anterior",  // LS_PriorPageStr
    u"P\u00E1gina siguiente",  // LS_NextPageStr
    u"\u00DAltima p\u00E1gina",  // LS_LastPageStr
    u"P\u00E1gina entera",  // LS_EntirePageStr
    u"Ancho de la p\u00E1gina",  // LS_EntireWidthStr
    u"Varias p\u00E1ginas",  // LS_MultiplePagesStr
    u"Configurar impresora",  // LS_ConfigPrinterStr
    u"Guardar en archivo",  // LS_SaveToFileStr
    u"Enviar a",  // LS_SendToStr
    u"Impresora",  // LS_PrinterStr
    u"Nombre",  // LS_NameStr
    u"Imprimir en archivo",  // LS_PrintToFileStr
    u"Print in background",  // LS_PrintInBackgroundStr
    u"Opciones",  // LS_OptionsStr
    u"Save in background",  // LS_SaveInBackground
    u"Intervalo de p\u00E1ginas",  // LS_PageRangeStr
    u"Copy as image",  // LS_CopyAsImageStr
    u"de",  // LS_RangeFromStr
    u"hasta",  // LS_RangeToStr
    u"Todo",  // LS_AllStr
    u"P\u00E1ginas",  // LS_PagesStr
    u"Selecci\u00F3n",  // LS_SelectionStr
    u"Copias",  // LS_CopiesStr
    u"N\u00FAmero de copias",  // LS_NumberOfCopiesStr
    u"Ok",  // LS_OkStr
    u"Dividir la pantalla",  // LS_DivideScreenStr
    u"Nombre inv\u00E1lido",  // LS_InvalidNameStr
    u"Nombre ya utilizado",  // LS_DuplicateNameStr
    u"Usar filtro",  // LS_UseFilterStr
    u"P\u00E1gina Web",  // LS_WebPageStr
    u"Formato RichText",  // LS_RichFormatStr
    u"Documento PDF",  // LS_PDFFormatStr
    u"Excel spreadsheet 97-2013",  // LS_XLSFormatStr97_2013
    u"Excel spreadsheet",  // LS_XLSFormatStr
    u"en",  // LS_AtStr
    u"Formulario",  // LS_FormStr
    u"Predeterminado",  // LS_DefaultStr
    u"Aumentar zoom",  // LS_ZoomInStr
    u"Reducir zoom",  // LS_ZoomOutStr
    u"Copiar",  // LS_CopyStr
    u"Editar",  // LS_EditStr
    u"Buscar",  // LS_FindCaptionStr
    u"Te&xto",  // LS_TextToFindStr
    u"&Siguiente",  // LS_FindNextStr
    u"Palabras &completas",  // LS_WholeWordsStr
    u"&May\u00FAsculas y min\u00FAsculas",  // LS_MatchCaseStr
    u"&Arriba",  // LS_DirectionUpStr
    u"A&bajo",  // LS_DirectionDownStr
    u"Direcci\u00F3n",  // LS_DirectionCaptionStr
    u"Columnas",  // LS_ColumnsStr
    u"Configurar",  // LS_SetupStr
    u"Tama\u00F1o de fuente inv\u00E1lido",  // LS_FontSizeError
    u"Impares",  // LS_OddPages
    u"Pares",  // LS_EvenPages
    u"Solo impares",  // LS_OddPagesOnly
    u"Solo pares",  // LS_EvenPagesOnly
    u"Todas",  // LS_AllOddAndEven
    u"Problems with print dialog",  // LS_PrintDialogError
    u"Separe con \";\" los n\u00FAmeros o intervalos de p\u00E1ginas. Ej.: 1;3;5-12;4",  // LS_PageSelectionHint
    u"Informe \"%s\"",  // LS_DefaultJobTitle
    u"",  // LS_ZoomHint
    u"Aplicar",  // Ls_Aplicar
    u"",  // Ls_Propriedades
    u"",  // Ls_Salvar_Como
    u"",  // Ls_Nome_Arquivo
    u"",  // Ls_File_corrupted
    u"",  // Ls_File_version
    u"",  // Ls_Page_settings
    u"",  // Ls_Page_margins
    u"",  // Ls_Page_margins_top
    u"",  // Ls_Page_margins_bottom
    u"",  // Ls_Page_margins_rigth
    u"",  // Ls_Page_margins_left
    u"",  // Ls_Page_margins_paper
    u"",  // Ls_Page_paper
    u"",  // Ls_Paper_Size
    u"",  // Ls_Paper_Size_Width
    u"",  // Ls_Paper_Size_Heigth
    u"",  // Ls_Paper_Orientation
    u"",  // Ls_Paper_Orientation_Landscape
    u"",  // Ls_Paper_Orientation_Portrait
    u"",  // LS_LastFooMsg
};

const TRLLocaleStrings ReportTextsItalian = {
    u"Impression en cours...",  // LS_PrintingInProgressStr
    u"Enregistrement du rapport...",  // LS_FilterInProgressStr
    u"Pr\u00E9paration du rapport...",  // LS_PreparingReportStr
    u"Imprimante introuvable",  // LS_PrinterNotFoundStr
    u"Chemin d'imprimante invalide",  // LS_NoPathToPrinterStr
    u"Charger la configuration par d\u00E9faut",  // LS_LoadDefaultConfigStr
    u"Erreur du pilote d'imprimante",  // LS_PrinterDriverErrorStr
    u"Page",  // LS_PageStr
    u"Erreur pendant la pr\u00E9paration du rapport",  // LS_PrepareErrorStr
    u"Continua...",  // LS_PageBreakStr
    u"Continuazione",  // LS_PageMendStr
    u"Fine",  // LS_ReportEndStr
    u"File non trovato",  // LS_FileNotFoundStr
    u"Nome del file",  // LS_FileNameStr
    u"Tutti i file",  // LS_AllFileTypesStr
    u"Carica rapporto",  // LS_LoadReportStr
    u"Non trovato",  // LS_NotFoundStr
    u"Attendere...",  // LS_WaitStr
    u"Completato",  // LS_FinishedStr
    u"Annulla",  // LS_CancelStr
    u"Chiudi",  // LS_CloseStr
    u"Salva",  // LS_SaveStr
    u"Invia",  // LS_SendStr
    u"Stampa",  // LS_PrintStr
    u"Informazioni su",  // LS_AboutTheStr
    u"Anteprima",  // LS_PreviewStr
    u"di",  // LS_OfStr
    u"Zoom",  // LS_ZoomStr
    u"Prima pagina",  // LS_FirstPageStr
    u"Pagina precedente",  // LS_PriorPageStr
    u"Pagina successiva",  // LS_NextPageStr
    u"Ultima pagina",  // LS_LastPageStr
    u"Pagina intera",  // LS_EntirePageStr
    u"Larghezza pagina",  // LS_EntireWidthStr
    u"Pi\u00F9 pagine",  // LS_MultiplePagesStr
    u"Imposta stampante",  // LS_ConfigPrinterStr
    u"Salva su file",  // LS_SaveToFileStr
    u"Invia a",  // LS_SendToStr
    u"Stampante",  // LS_PrinterStr
    u"Nome",  // LS_NameStr
    u"Stampa su file",  // LS_PrintToFileStr
    u"Print in background",  // LS_PrintInBackgroundStr
    u"Opzioni",  // LS_OptionsStr
    u"Save in background",  // LS_SaveInBackground
    u"Intervallo pagine",  // LS_PageRangeStr
    u"Copy as image",  // LS_CopyAsImageStr
    u"da",  // LS_RangeFromStr
    u"a",  // LS_RangeToStr
    u"Tutto",  // LS_AllStr
    u"Pagine",  // LS_PagesStr
    u"Selezione",  // LS_SelectionStr
    u"Copie",  // LS_CopiesStr
    u"Numero di copie",  // LS_NumberOfCopiesStr
    u"Ok",  // LS_OkStr
    u"Dividi lo schermo",  // LS_DivideScreenStr
    u"Nome non valido",  // LS_InvalidNameStr
    u"Nome gi\u00E0 in uso",  // LS_DuplicateNameStr
    u"Usa filtro",  // LS_UseFilterStr
    u"Pagina Web",  // LS_WebPageStr
    u"Formato RichText",  // LS_RichFormatStr
    u"Documento PDF",  // LS_PDFFormatStr
    u"Excel spreadsheet 97-2013",  // LS_XLSFormatStr97_2013
    u"Excel spreadsheet",  // LS_XLSFormatStr
    u"a",  // LS_AtStr
    u"Modulo",  // LS_FormStr
    u"Predefinito",  // LS_DefaultStr
    u"Ingrandisci",  // LS_ZoomInStr
    u"Riduci",  // LS_ZoomOutStr
    u"Copia",  // LS_CopyStr
    u"Modifica",  // LS_EditStr
    u"Trova",  // LS_FindCaptionStr
    u"Te&sto",  // LS_TextToFindStr
    u"&Successivo",  // LS_FindNextStr
    u"Solo parole &intere",  // LS_WholeWordsStr
    u"&Maiuscole/minuscole",  // LS_MatchCaseStr
    u"&Su",  // LS_DirectionUpStr
    u"&Gi\u00F9",  // LS_DirectionDownStr
    u"Direzione",  // LS_DirectionCaptionStr
    u"Colonne",  // LS_ColumnsStr
    u"Imposta",  // LS_SetupStr
    u"Dimensione del carattere non valida",  // LS_FontSizeError
    u"Dispari",  // LS_OddPages
    u"Pari",  // LS_EvenPages
    u"Solo pagine dispari",  // LS_OddPagesOnly
    u"Solo pagine pari",  // LS_EvenPagesOnly
    u"Tutte",  // LS_AllOddAndEven
    u"Problems with print dialog",  // LS_PrintDialogError
    u"Separare i numeri o gli intervalli di pagine con \";\". Es.: 1;3;5-12;4",  // LS_PageSelectionHint
    u"Rapporto \"%s\"",  // LS_DefaultJobTitle
    u"",  // LS_ZoomHint
    u"Applica",  // Ls_Aplicar
    u"",  // Ls_Propriedades
    u"",  // Ls_Salvar_Como
    u"",  // Ls_Nome_Arquivo
    u"",  // Ls_File_corrupted
    u"",  // Ls_File_version
    u"",  // Ls_Page_settings
    u"",  // Ls_Page_margins
    u"",  // Ls_Page_margins_top
    u"",  // Ls_Page_margins_bottom
    u"",  // Ls_Page_margins_rigth
    u"",  // Ls_Page_margins_left
    u"",  // Ls_Page_margins_paper
    u"",  // Ls_Page_paper
    u"",  // Ls_Paper_Size
    u"",  // Ls_Paper_Size_Width
    u"",  // Ls_Paper_Size_Heigth
    u"",  // Ls_Paper_Orientation
    u"",  // Ls_Paper_Orientation_Landscape
    u"",  // Ls_Paper_Orientation_Portrait
    u"",  // LS_LastFooMsg
};

const TRLLocaleStrings ReportTextsGerman = {
    u"Druck l\u00E4uft...",  // LS_PrintingInProgressStr
    u"Bericht wird gespeichert...",  // LS_FilterInProgressStr
    u"Bericht wird vorbereitet...",  // LS_PreparingReportStr
    u"Drucker nicht gefunden",  // LS_PrinterNotFoundStr
    u"Ung\u00FCltiger Druckerpfad",  // LS_NoPathToPrinterStr
    u"Standardkonfiguration laden",  // LS_LoadDefaultConfigStr
    u"Druckertreiberfehler",  // LS_PrinterDriverErrorStr
    u"Seite",  // LS_PageStr
    u"Fehler bei der Vorbereitung des Berichts",  // LS_PrepareErrorStr
    u"Fortsetzung folgt...",  // LS_PageBreakStr
    u"Fortsetzung",  // LS_PageMendStr
    u"Ende",  // LS_ReportEndStr
    u"Datei nicht gefunden",  // LS_FileNotFoundStr
    u"Dateiname",  // LS_FileNameStr
    u"Alle Dateien",  // LS_AllFileTypesStr
    u"Bericht laden",  // LS_LoadReportStr
    u"Nicht gefunden",  // LS_NotFoundStr
    u"Bitte warten...",  // LS_WaitStr
    u"Fertig",  // LS_FinishedStr
    u"Abbrechen",  // LS_CancelStr
    u"Schlie\u00DFen",  // LS_CloseStr
    u"Speichern",  // LS_SaveStr
    u"Senden",  // LS_SendStr
    u"Drucken",  // LS_PrintStr
    u"\u00DCber",  // LS_AboutTheStr
    u"Vorschau",  // LS_PreviewStr
    u"von",  // LS_OfStr
    u"Zoom",  // LS_ZoomStr
    u"Erste Seite",  // LS_FirstPageStr
    u"Vorherige Seite",  // LS_PriorPageStr
    u"N\u00E4chste Seite",  // LS_NextPageStr
    u"Letzte Seite",  // LS_LastPageStr
    u"Ganze Seite",  // LS_EntirePageStr
    u"Seitenbreite",  // LS_EntireWidthStr
    u"Mehrere Seiten",  // LS_MultiplePagesStr
    u"Druckereinrichtung",  // LS_ConfigPrinterStr
    u"In Datei speichern",  // LS_SaveToFileStr
    u"Senden an",  // LS_SendToStr
    u"Drucker",  // LS_PrinterStr
    u"Name",  // LS_NameStr
    u"In Datei drucken",  // LS_PrintToFileStr
    u"Print in background",  // LS_PrintInBackgroundStr
    u"Optionen",  // LS_OptionsStr
    u"Save in background",  // LS_SaveInBackground
    u"Seitenbereich",  // LS_PageRangeStr
    u"Copy as image",  // LS_CopyAsImageStr
    u"von",  // LS_RangeFromStr
    u"bis",  // LS_RangeToStr
    u"Alle",  // LS_AllStr
    u"Seiten",  // LS_PagesStr
    u"Auswahl",  // LS_SelectionStr
    u"Kopien",  // LS_CopiesStr
    u"Anzahl der Kopien",  // LS_NumberOfCopiesStr
    u"Ok",  // LS_OkStr
    u"Bildschirm teilen",  // LS_DivideScreenStr
    u"Ung\u00FCltiger Name",  // LS_InvalidNameStr
    u"Name bereits vergeben",  // LS_DuplicateNameStr
    u"Filter verwenden",  // LS_UseFilterStr
    u"Webseite",  // LS_WebPageStr
    u"RichText-Format",  // LS_RichFormatStr
    u"PDF-Dokument",  // LS_PDFFormatStr
    u"Excel spreadsheet 97-2013",  // LS_XLSFormatStr97_2013
    u"Excel spreadsheet",  // LS_XLSFormatStr
    u"bei",  // LS_AtStr
    u"Formular",  // LS_FormStr
    u"Standard",  // LS_DefaultStr
    u"Vergr\u00F6\u00DFern",  // LS_ZoomInStr
    u"Verkleinern",  // LS_ZoomOutStr
    u"Kopieren",  // LS_CopyStr
    u"Bearbeiten",  // LS_EditStr
    u"Suchen",  // LS_FindCaptionStr
    u"Te&xt",  // LS_TextToFindStr
    u"&Weitersuchen",  // LS_FindNextStr
    u"Nur &ganze W\u00F6rter",  // LS_WholeWordsStr
    u"&Gro\u00DF-/Kleinschreibung",  // LS_MatchCaseStr
    u"&Aufw\u00E4rts",  // LS_DirectionUpStr
    u"A&bw\u00E4rts",  // LS_DirectionDownStr
    u"Richtung",  // LS_DirectionCaptionStr
    u"Spalten",  // LS_ColumnsStr
    u"Einrichten",  // LS_SetupStr
    u"Ung\u00FCltige Schriftgr\u00F6\u00DFe",  // LS_FontSizeError
    u"Ungerade",  // LS_OddPages
    u"Gerade",  // LS_EvenPages
    u"Nur ungerade Seiten",  // LS_OddPagesOnly
    u"Nur gerade Seiten",  // LS_EvenPagesOnly
    u"Alle",  // LS_AllOddAndEven
    u"Problems with print dialog",  // LS_PrintDialogError
    u"Trennen Sie Seitenzahlen oder Bereiche mit \";\". Z.B.: 1;3;5-12;4",  // LS_PageSelectionHint
    u"Bericht \"%s\"",  // LS_DefaultJobTitle
    u"",  // LS_ZoomHint
    u"Anwenden",  // Ls_Aplicar
    u"",  // Ls_Propriedades
    u"",  // Ls_Salvar_Como
    u"",  // Ls_Nome_Arquivo
    u"",  // Ls_File_corrupted
    u"",  // Ls_File_version
    u"",  // Ls_Page_settings
    u"",  // Ls_Page_margins
    u"",  // Ls_Page_margins_top
    u"",  // Ls_Page_margins_bottom
    u"",  // Ls_Page_margins_rigth
    u"",  // Ls_Page_margins_left
    u"",  // Ls_Page_margins_paper
    u"",  // Ls_Page_paper
    u"",  // Ls_Paper_Size
    u"",  // Ls_Paper_Size_Width
    u"",  // Ls_Paper_Size_Heigth
    u"",  // Ls_Paper_Orientation
    u"",  // Ls_Paper_Orientation_Landscape
    u"",  // Ls_Paper_Orientation_Portrait
    u"",  // LS_LastFooMsg
};
