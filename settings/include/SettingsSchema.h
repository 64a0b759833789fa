// The keys the settings object loads: one entry per key, in loading order, with the
// file it lives in, its buffer size (0 for an integer), its default and its layer.
#pragma once

// X(id, file, section, key, size, text default, integer default, layer)
//   file:  SETTINGS_FILE, DIRLIST_FILE (folders, with the system-folder correction) or
//          COUNTRY_FILE
//   layer: USER_FIRST (the user's value, else the shared one) or SHARED_ONLY
#define CORVEX_TEXT(X, id, section, key, size, def) X(id, SETTINGS_FILE, section, key, size, def, 0, USER_FIRST)
#define CORVEX_INT(X, id, section, key, def) X(id, SETTINGS_FILE, section, key, 0, "", def, USER_FIRST)

#define CORVEX_SETTINGS_SCHEMA(X)                                                                         \
  X(InstallChecker, SETTINGS_FILE, "Config", "InstallChecker", 0, "", 0, SHARED_ONLY)                     \
  X(InfosBuild, SETTINGS_FILE, "INFOSCHECKER", "Build", 16, "", 0, SHARED_ONLY)                           \
  CORVEX_TEXT(X, DirList, "SHAREDINIFILE", "DirList", 256, "PELKPELKD.INI")                               \
  CORVEX_TEXT(X, ModuleList, "SHAREDINIFILE", "ModuleList", 64, "")                                       \
  CORVEX_TEXT(X, PriceList, "SHAREDINIFILE", "PriceList", 256, "PELKPELKD.INI")                           \
  CORVEX_TEXT(X, CountryList, "SHAREDINFFILE", "CountryList", 256, "LANG.INF")                            \
  CORVEX_TEXT(X, FileDirRoot, "LOCALINFFILE", "FileDirRoot", 260, "")                                     \
  CORVEX_TEXT(X, EquipmentFamilyList, "LOCALINFFILE", "EquipmentFamilyList", 256, "")                     \
  CORVEX_TEXT(X, ProjectInfosList, "LOCALINFFILE", "ProjectInfosList", 256, "")                           \
  CORVEX_TEXT(X, PersonalCatalog, "LOCALINFFILE", "PersonalCatalog", 256, "")                             \
  CORVEX_TEXT(X, ToolsInfos, "LOCALINFFILE", "ToolsInfos", 256, "")                                       \
  CORVEX_TEXT(X, WebApplications, "LOCALINFFILE", "WebApplications", 256, "")                             \
  CORVEX_TEXT(X, DefaultSupplier, "LOCALINFFILE", "DefaultSupplier", 256, "")                             \
  CORVEX_TEXT(X, AboutFile, "LOCALINFFILE", "AboutFile", 256, "")                                         \
  CORVEX_TEXT(X, QuickAccessFile, "LOCALINFFILE", "QuickAccessFile", 256, "")                             \
  CORVEX_TEXT(X, SoftName, "GENERAL", "SoftName", 128, "")                                                \
  CORVEX_TEXT(X, SoftNameExportXML, "GENERAL", "SoftNameExportXML", 128, "")                              \
  CORVEX_TEXT(X, Version, "GENERAL", "Version", 128, "")                                                  \
  CORVEX_TEXT(X, BannerLink, "GENERAL", "BannerLink", 1024, "")                                           \
  CORVEX_TEXT(X, CountryName, "GENERAL", "CountryName", 128, "")                                          \
  CORVEX_INT(X, SilentMode, "GENERAL", "SilentMode", 0)                                                   \
  CORVEX_TEXT(X, NewEquipmentFamilyCode, "DEFAULT", "NewEquipmentFamilyCode", 32, "")                     \
  CORVEX_TEXT(X, ExportFont, "DEFAULT", "ExportFont", 32, "")                                             \
  CORVEX_TEXT(X, ForcePriceUpdate, "DEFAULT", "ForcePriceUpdate", 4, "")                                  \
  CORVEX_INT(X, ModeExpert, "DEFAULT", "ModeExpert", 0)                                                   \
  CORVEX_INT(X, ModeSWOF, "DEFAULT", "ModeSWOF", 0)                                                       \
  CORVEX_INT(X, GatewayProposal, "DEFAULT", "GatewayProposal", 0)                                         \
  CORVEX_TEXT(X, HelpFile, "HELP", "HelpFile", 260, "")                                                   \
  CORVEX_TEXT(X, HelpDefaultLink, "HELP", "HelpDefaultLink", 260, "")                                     \
  CORVEX_TEXT(X, HelpHomeLink, "HELP", "HelpHomeLink", 260, "")                                           \
  CORVEX_TEXT(X, HelpPanelLink, "HELP", "HelpPanelLink", 260, "")                                         \
  CORVEX_TEXT(X, HelpProductLink, "HELP", "HelpProductLink", 260, "")                                     \
  CORVEX_TEXT(X, HelpReportLink, "HELP", "HelpReportLink", 260, "")                                       \
  CORVEX_TEXT(X, HelpReportBOMLink, "HELP", "HelpReportBOMLink", 260, "")                                 \
  CORVEX_TEXT(X, HelpReportProjectLink, "HELP", "HelpReportProjectLink", 260, "")                         \
  CORVEX_TEXT(X, HelpReportCostingLink, "HELP", "HelpReportCostingLink", 260, "")                         \
  CORVEX_TEXT(X, HelpReportExportLink, "HELP", "HelpReportExportLink", 260, "")                           \
  CORVEX_TEXT(X, HelpWiringLink, "HELP", "HelpWiringLink", 260, "")                                       \
  CORVEX_TEXT(X, HelpWiringBlocLink, "HELP", "HelpWiringBlocLink", 260, "")                               \
  CORVEX_TEXT(X, HelpWiringSymbolLink, "HELP", "HelpWiringSymbolLink", 260, "")                           \
  CORVEX_TEXT(X, HelpDesignLink, "HELP", "HelpDesignLink", 260, "")                                       \
  CORVEX_TEXT(X, HelpDesignAutoLink, "HELP", "HelpDesignAutoLink", 260, "")                               \
  CORVEX_TEXT(X, HelpDesignFreeLink, "HELP", "HelpDesignFreeLink", 260, "")                               \
  CORVEX_TEXT(X, HelpDesignFrontPanelLink, "HELP", "HelpDesignFrontPanelLink", 260, "")                   \
  CORVEX_TEXT(X, HelpDefBornesLink, "HELP", "HelpDefBornesLink", 260, "")                                 \
  CORVEX_TEXT(X, HelpQuoteLink, "HELP", "HelpQuoteLink", 260, "")                                         \
  CORVEX_TEXT(X, HelpOrderLink, "HELP", "HelpOrderLink", 260, "")                                         \
  CORVEX_TEXT(X, Hrcm, "CATALOGTASK", "Hrcm", 8, "DE")                                                    \
  CORVEX_TEXT(X, Hcslt, "CATALOGTASK", "Hcslt", 8, "HPELKB")                                              \
  CORVEX_TEXT(X, ResourceLibNameFmt, "INTERNAL", "ResourceLibNameFmt", 32, "")                            \
  CORVEX_INT(X, BarStateReInit, "PRESENTATION", "BarStateReInit", 0)                                      \
  CORVEX_INT(X, ShowTabFonction, "PRESENTATION", "ShowTabFonction", 0)                                    \
  CORVEX_INT(X, MainTabsOnBottom, "PRESENTATION", "MainTabsOnBottom", 0)                                  \
  CORVEX_INT(X, DisplayViewSymbol, "PRESENTATION", "DisplayViewSymbol", 1)                                \
  CORVEX_INT(X, DisplayViewStone, "PRESENTATION", "DisplayViewStone", 1)                                  \
  CORVEX_INT(X, ModuleBar, "PRESENTATION", "ModuleBar", 0)                                                \
  CORVEX_INT(X, DesignModuleBar, "PRESENTATION", "DesignModuleBar", 0)                                    \
  CORVEX_INT(X, MetaStageBar, "PRESENTATION", "MetaStageBar", 0)                                          \
  CORVEX_INT(X, CaptionBar, "PRESENTATION", "CaptionBar", 0)                                              \
  CORVEX_INT(X, BarUp, "PRESENTATION", "BarUp", 0)                                                        \
  CORVEX_INT(X, FakeRef, "PRESENTATION", "FakeRef", 0)                                                    \
  CORVEX_INT(X, PrintSize, "PRESENTATION", "PrintSize", 8)                                                \
  CORVEX_INT(X, CableColor, "PRESENTATION", "CableColor", 0)                                              \
  CORVEX_TEXT(X, ResumeCellColor, "PRESENTATION", "ResumeCellColor", 32, "0x0000FF")                      \
  CORVEX_TEXT(X, EditableCellFormat, "PRESENTATION", "EditableCellFormat", 64, "0x000000,0xE0FFFF,0,0")  \
  CORVEX_TEXT(X, ModifiedCellFormat, "PRESENTATION", "ModifiedCellFormat", 64, "0x0000FF,0xE0FFFF,1,0")  \
  CORVEX_TEXT(X, DeletedLineFormat, "PRESENTATION", "DeletedLineFormat", 64, "0x808080,0xFFFFFF,0,1")    \
  CORVEX_INT(X, AddExportIndexLine, "TXT_CSV", "AddExportIndexLine", 1)                                   \
  CORVEX_TEXT(X, StrLineColName, "TXT_CSV", "StrLineColName", 256, "Item")                                \
  CORVEX_INT(X, Favourite, "CATALOGACCESS", "Favourite", 0)                                               \
  CORVEX_INT(X, CatalogHalvorn, "CATALOGACCESS", "CatalogHalvorn", 0)                                     \
  CORVEX_INT(X, CatalogDirect, "CATALOGACCESS", "CatalogDirect", 0)                                       \
  CORVEX_INT(X, CatalogPerso, "CATALOGACCESS", "CatalogPerso", 0)                                         \
  CORVEX_INT(X, FreePart, "CATALOGACCESS", "FreePart", 0)                                                 \
  CORVEX_INT(X, HalvornPart, "CATALOGACCESS", "HalvornPart", 0)                                           \
  CORVEX_INT(X, PersoPart, "CATALOGACCESS", "PersoPart", 0)                                               \
  CORVEX_INT(X, PreconfigAccess, "CATALOGACCESS", "PreconfigAccess", 0)                                   \
  CORVEX_INT(X, AutoSaveEnable, "AUTOSAVE", "EnableAuto", 0)                                              \
  CORVEX_INT(X, AutoSaveTimer, "AUTOSAVE", "Timer", 5)                                                    \
  CORVEX_INT(X, ProductDisplayLines, "CORVEXSTAGEPRODUCT", "NbDisplayLines", 0)                           \
  CORVEX_TEXT(X, CoefTMO, "CORVEXSTAGEDESIGN", "CoefTMO", 128, "")                                        \
  CORVEX_INT(X, SolutionBar, "CORVEXSTAGEDESIGN", "SolutionBar", 0)                                       \
  CORVEX_INT(X, DesignSolutionTooltip, "CORVEXSTAGEDESIGN", "DesignSolutionTooltipOnProposition", 0)      \
  CORVEX_INT(X, HierarchieCount, "CORVEXSTAGEDESIGN", "HierarchieCount", 0)                               \
  CORVEX_INT(X, DefaultConception, "CORVEXSTAGEDESIGN", "DefaultConception", 0)                           \
  CORVEX_INT(X, ConceptionManuel, "CORVEXSTAGEDESIGN", "ConceptionManuel", 0)                             \
  CORVEX_INT(X, ToggleButtonCote, "CORVEXSTAGEDESIGN", "ToggleButtonCote", 0)                             \
  CORVEX_INT(X, ToggleButtonNF, "CORVEXSTAGEDESIGN", "ToggleButtonNF", 0)                                 \
  CORVEX_INT(X, SkipGatewayCalc, "CORVEXSTAGEDESIGN", "SkipGatewayCalc", 0)                               \
  CORVEX_INT(X, BomNbColumns, "CORVEXSTAGEBOM", "NbColumns", 10)                                          \
  CORVEX_INT(X, BomPrintLeftMargin, "CORVEXSTAGEBOM", "Print_Left_Margin", 0)                             \
  CORVEX_INT(X, BomPrintRightTopMargin, "CORVEXSTAGEBOM", "Print_Right_Top_Margin", 0)                    \
  CORVEX_INT(X, ResultDataDisplayLines, "CORVEXSTAGERESULT_COLUMN_DATA", "NbDisplayLines", 0)             \
  CORVEX_INT(X, ResultPrintDisplayLines, "CORVEXSTAGERESULT_COLUMN_PRINT", "NbDisplayLines", 0)           \
  CORVEX_INT(X, PricerDisplayLines, "CORVEXSTAGEPRICER_COLUMN_PRICER", "NbDisplayLines", 0)               \
  CORVEX_INT(X, PrestaDisplayLines, "CORVEXSTAGEPRICER_COLUMN_PRESTA", "NbDisplayLines", 0)               \
  CORVEX_INT(X, DataListMat, "CORVEXSTAGERESULT", "DataListMat", 0)                                       \
  CORVEX_INT(X, DataExcel, "CORVEXSTAGERESULT", "DataExcel", 0)                                           \
  CORVEX_INT(X, DataListMatCSV, "CORVEXSTAGERESULT", "DataListMatCSV", 0)                                 \
  CORVEX_INT(X, DataListMatTXT, "CORVEXSTAGERESULT", "DataListMatTXT", 0)                                 \
  CORVEX_INT(X, DataListMatXML, "CORVEXSTAGERESULT", "DataListMatXML", 0)                                 \
  CORVEX_INT(X, PrintListMat, "CORVEXSTAGERESULT", "PrintListMat", 0)                                     \
  CORVEX_INT(X, PrintListMatPackProd, "CORVEXSTAGERESULT", "PrintListMatPackProd", 0)                     \
  CORVEX_INT(X, PrintFrontViewDoor, "CORVEXSTAGERESULT", "PrintFrontViewDoor", 0)                         \
  CORVEX_INT(X, PrintFrontViewPlastron, "CORVEXSTAGERESULT", "PrintFrontViewPlastron", 0)                 \
  CORVEX_INT(X, PrintFrontViewDevice, "CORVEXSTAGERESULT", "PrintFrontViewDevice", 0)                     \
  CORVEX_INT(X, PrintFrontViewPlatine, "CORVEXSTAGERESULT", "PrintFrontViewPlatine", 0)                   \
  CORVEX_INT(X, PrintFrontViewEnclosure, "CORVEXSTAGERESULT", "PrintFrontViewEnclosure", 0)               \
  CORVEX_INT(X, PrintWiring, "CORVEXSTAGERESULT", "PrintWiring", 0)                                       \
  CORVEX_INT(X, PrintPricer, "CORVEXSTAGERESULT", "PrintPricer", 0)                                       \
  CORVEX_INT(X, PrintPresta, "CORVEXSTAGERESULT", "PrintPresta", 0)                                       \
  CORVEX_INT(X, GraphWiringEdit, "CORVEXSTAGERESULT", "GraphWiringEdit", 0)                               \
  CORVEX_INT(X, GraphWiringFile, "CORVEXSTAGERESULT", "GraphWiringFile", 0)                               \
  CORVEX_INT(X, GraphFrontViewDXF, "CORVEXSTAGERESULT", "GraphFrontViewDXF", 0)                           \
  CORVEX_INT(X, GraphWiringDXF, "CORVEXSTAGERESULT", "GraphWiringDXF", 0)                                 \
  CORVEX_INT(X, ResultCheckBoxSchemaUnifilaire, "CORVEXSTAGERESULT", "ResultCheckBoxSchemaUnifilaire", 0) \
  CORVEX_INT(X, ExportVarnel, "CORVEXSTAGERESULT", "ExportVarnel", 0)                                     \
  CORVEX_TEXT(X, RichTextFilter, "CORVEXSTAGERESULT", "RichTextFilter", 128, "")                          \
  CORVEX_TEXT(X, DeviceMargin, "CORVEXSTAGEPRICER", "DeviceMargin", 128, "")                              \
  CORVEX_TEXT(X, WorkshopLabourMargin, "CORVEXSTAGEPRICER", "WorkshopLabourMargin", 128, "")              \
  CORVEX_TEXT(X, SiteLabourMargin, "CORVEXSTAGEPRICER", "SiteLabourMargin", 128, "")                      \
  CORVEX_TEXT(X, ServiceMargin, "CORVEXSTAGEPRICER", "ServiceMargin", 128, "")                            \
  CORVEX_TEXT(X, ConsumableMargin, "CORVEXSTAGEPRICER", "ConsumableMargin", 128, "")                      \
  CORVEX_TEXT(X, VAT, "CORVEXSTAGEPRICER", "VAT", 128, "")                                                \
  CORVEX_TEXT(X, WorkShopLabourHourlyCost, "CORVEXSTAGEPRICER", "WorkShopLabourHourlyCost", 128, "")      \
  CORVEX_TEXT(X, SiteLabourHourlyCost, "CORVEXSTAGEPRICER", "SiteLabourHourlyCost", 128, "")              \
  CORVEX_INT(X, AuthenticationActivated, "Config", "AuthenticationActivated", 1)                          \
  CORVEX_INT(X, NbBoardMax, "Config", "NbBoardMax", 255)                                                  \
  CORVEX_INT(X, TrackingAction, "Config", "TrackingAction", 0)                                            \
  CORVEX_TEXT(X, TrackingSrvHostname, "Config", "TrackingSrvHostname", 128, "")                           \
  CORVEX_TEXT(X, TrackingSrvHostPath, "Config", "TrackingSrvHostPath", 128, "")                           \
  CORVEX_INT(X, TrackingSrvHostPort, "Config", "TrackingSrvHostPort", 0)                                  \
  CORVEX_TEXT(X, DownloadImage, "Config", "DOWNLOAD_IMAGE", 128, "PROD")                                  \
  CORVEX_INT(X, EnableTuloOrder, "Config", "EnableTuloOrder", 0)                                          \
  CORVEX_INT(X, EnableIECD, "Config", "EnableIECD", 0)                                                    \
  CORVEX_TEXT(X, TuloOrderMyProductsURL, "Config", "TuloOrderMyProductsURL", 256, "")                     \
  CORVEX_TEXT(X, TuloOrderProductCartURL, "Config", "TuloOrderProductCartURL", 256, "")                   \
  CORVEX_INT(X, CurlTimeout, "Config", "CurlTimeout", 10)                                                 \
  CORVEX_INT(X, ToolsMenuDiscount, "TOOLSMENU", "Discount", 0)                                            \
  CORVEX_INT(X, ToolsMenuDefaultFolder, "TOOLSMENU", "DefaultFolder", 0)                                  \
  CORVEX_INT(X, ToolsMenuDefBorne, "TOOLSMENU", "DefBorne", 0)                                            \
  CORVEX_INT(X, ToolsMenuRepereNF, "TOOLSMENU", "RepereNF", 0)                                            \
  X(ExtRes, COUNTRY_FILE, "INTERNATIONALE", "EXT_RES", 8, "", 0, USER_FIRST)                              \
  X(LangDial, COUNTRY_FILE, "INTERNATIONALE", "LANG_DIAL", 8, "FRA", 0, USER_FIRST)                       \
  X(LangPrint, COUNTRY_FILE, "INTERNATIONALE", "LANG_PRINT", 8, "FRA", 0, USER_FIRST)                     \
  X(LangLib, COUNTRY_FILE, "INTERNATIONALE", "LANG_LIB", 0, "", 0, USER_FIRST)                            \
  X(Language, COUNTRY_FILE, "INTERNATIONALE", "LANGUAGE", 128, "fr-FR", 0, USER_FIRST)                    \
  CORVEX_TEXT(X, XmlDtdPath, "XML", "DtdPath", 128, "")                                                   \
  CORVEX_TEXT(X, XmlAuthor, "XML", "Author", 128, "")                                                     \
  CORVEX_TEXT(X, XmlOrganisation, "XML", "Organisation", 128, "")                                         \
  CORVEX_TEXT(X, XmlCreationDate, "XML", "CreationDate", 128, "")                                         \
  CORVEX_TEXT(X, XmlModificationDate, "XML", "ModificationDate", 128, "")                                 \
  X(TrackingLogDir, DIRLIST_FILE, "DIRECTORIES", "TRACKINGLOG", 260, "", 0, USER_FIRST)                   \
  X(TrackingDbgDir, DIRLIST_FILE, "DIRECTORIES", "TRACKINGDBG", 260, "", 0, USER_FIRST)                   \
  X(AutoSaveDir, DIRLIST_FILE, "DIRECTORIES", "AUTOSAVE", 260, "", 0, USER_FIRST)                         \
  X(TempDir, DIRLIST_FILE, "DIRECTORIES", "TMP", 260, "", 0, USER_FIRST)                                  \
  X(BibucDir, DIRLIST_FILE, "DIRECTORIES", "BIBUC", 260, "", 0, USER_FIRST)                               \
  X(UserConfigDir, DIRLIST_FILE, "DIRECTORIES", "USERCONFIG", 260, "", 0, USER_FIRST)                     \
  X(PluginsDir, DIRLIST_FILE, "DIRECTORIES", "PLUGINDIR", 260, "", 0, USER_FIRST)                         \
  X(GatewaysDir, DIRLIST_FILE, "DIRECTORIES", "GATEWAYSDIR", 260, "", 0, USER_FIRST)                      \
  X(DefaultDir, DIRLIST_FILE, "DIRECTORIES", "DEFAULT", 260, "", 0, USER_FIRST)                           \
  CORVEX_INT(X, ShowEmptyProviderList, "SHOWMESSAGE", "EmptyProviderList", 1)                             \
  CORVEX_INT(X, ShowDeleteOrder, "SHOWMESSAGE", "DeleteOrder", 1)                                         \
  CORVEX_INT(X, ShowAddProviderName, "SHOWMESSAGE", "AddProviderName", 1)                                 \
  CORVEX_INT(X, ShowForcingQuotePrice, "SHOWMESSAGE", "ForcingQuotePrice", 1)                             \
  CORVEX_INT(X, ShowDeleteEquipFromOrder, "SHOWMESSAGE", "DeleteEquipFromOrder", 1)                       \
  CORVEX_INT(X, ShowUnsecureEquipment, "SHOWMESSAGE", "UnsecureEquipment", 1)                             \
  CORVEX_INT(X, HideSplashScreen, "SHOWMESSAGE", "HideSplashScreen", 0)                                   \
  CORVEX_INT(X, ShowOrderToSynchronize, "SHOWMESSAGE", "OrderToSynchronize", 1)                           \
  CORVEX_INT(X, ShowSynchronizeOrder, "SHOWMESSAGE", "SynchronizeOrder", 1)                               \
  CORVEX_INT(X, ShowQuoteToSynchronize, "SHOWMESSAGE", "QuoteToSynchronize", 1)                           \
  CORVEX_INT(X, ShowSynchronizeQuote, "SHOWMESSAGE", "SynchronizeQuote", 1)                               \
  CORVEX_INT(X, ShowEquipDirty, "SHOWMESSAGE", "EquipDirty", 1)                                           \
  CORVEX_INT(X, ShowRaccDiff, "SHOWMESSAGE", "RaccDiff", 1)                                               \
  CORVEX_INT(X, ShowAjoutFav, "SHOWMESSAGE", "AjoutFav", 1)                                               \
  CORVEX_INT(X, ShowRefPriceNull, "SHOWMESSAGE", "RefPriceNull", 1)                                       \
  CORVEX_INT(X, ShowDlgCalculBorne, "SHOWMESSAGE", "DlgCalculBorne", 1)                                   \
  CORVEX_INT(X, ShowComputerConfig, "SHOWMESSAGE", "ShowComputerConfig", 1)

enum class SettingFile { SETTINGS_FILE, DIRLIST_FILE, COUNTRY_FILE };
enum class SettingLayer { USER_FIRST, SHARED_ONLY };

enum SettingId : int {
#define X(id, file, section, key, size, text, number, layer) SETTING_##id,
  CORVEX_SETTINGS_SCHEMA(X)
#undef X
      SETTING_COUNT
};

struct SettingSchemaEntry {
  SettingFile file;
  const char* section;
  const char* key;
  int size;  // buffer size of a text; 0 for an integer
  const char* textDefault;
  int integerDefault;
  SettingLayer layer;
};

// The entry of a key; every id below SETTING_COUNT has one.
const SettingSchemaEntry& SettingSchema(SettingId id);
