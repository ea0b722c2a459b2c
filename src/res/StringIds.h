#pragma once

// Numbers of the string-table texts that the code refers to by name. Messages and captions keep
// the numbers the register's users and the table files have always had (20000 and up); the texts
// of dialogs, menus and the main window are numbered from 30000 in one block per dialog or menu.
// The status-bar prompts of the commands are filed under the command's own id.
namespace tillora::ids {

// Table text files
inline constexpr unsigned FileNotOpenedForReading = 20000;
inline constexpr unsigned LineNotRead = 20001;
inline constexpr unsigned FileNotWritten = 20002;
inline constexpr unsigned FileNotCreated = 20003;

// Column headers of the tables
inline constexpr unsigned HeaderText = 20006;
inline constexpr unsigned HeaderName = 20009;
inline constexpr unsigned HeaderBarcode = 20010;
inline constexpr unsigned HeaderPrice = 20011;
inline constexpr unsigned HeaderTaxGroup = 20012;
inline constexpr unsigned HeaderTurnover = 20013;
inline constexpr unsigned HeaderSales = 20014;
inline constexpr unsigned HeaderStock = 20015;
inline constexpr unsigned HeaderSubgroup = 20016;
inline constexpr unsigned HeaderPaymentType = 20017;

// Clear all and report to articles
inline constexpr unsigned ConfirmClearAll = 20004;
inline constexpr unsigned ConfirmReportToArticles = 20018;

// Connection settings
inline constexpr unsigned NoModel = 20019;
inline constexpr unsigned NoComPort = 20020;
inline constexpr unsigned NoSerial = 20021;

// Serial port and link
inline constexpr unsigned PortNotOpened = 20023;
inline constexpr unsigned AnswerTimeout = 20024;
inline constexpr unsigned RegisterRefused = 20025;
inline constexpr unsigned InvalidData = 20026;
inline constexpr unsigned ChecksumError = 20027;
inline constexpr unsigned SerialMismatch = 20028;
inline constexpr unsigned WriteFailed = 20029;

// Reading the report
inline constexpr unsigned ReadingSubgroup = 20005;
inline constexpr unsigned ArticlesRead = 20022;
inline constexpr unsigned ReadingArticle = 20030;

// Sending tables
inline constexpr unsigned NameTooLong = 20032;
inline constexpr unsigned PriceTooLarge = 20033;
inline constexpr unsigned StockTooLarge = 20034;
inline constexpr unsigned SendingRow = 20035;
inline constexpr unsigned RowsSent = 20036;
inline constexpr unsigned ConfirmDefaultsForEmptyCells = 20037;
inline constexpr unsigned SelectedCellsSent = 20038;
inline constexpr unsigned OperatorNameTooLong = 20039;
inline constexpr unsigned LineTooLong = 20040;

// Logo manager
inline constexpr unsigned ConfirmTooManyColours = 20041;
inline constexpr unsigned ChooseFile = 20042;
inline constexpr unsigned ConfirmPictureTooLarge = 20044;
inline constexpr unsigned OutOfMemory = 20045;
inline constexpr unsigned PictureSize = 20046;
inline constexpr unsigned ChoosePictureTitle = 20047;
inline constexpr unsigned ConfirmDefaultPicture = 20053;

// Find and go to row
inline constexpr unsigned EnterRowNumber = 20031;
inline constexpr unsigned SearchReachedTableEnd = 20048;
inline constexpr unsigned SearchReachedSelectionEnd = 20049;
inline constexpr unsigned NoSearchText = 20050;
inline constexpr unsigned SearchReachedTableStart = 20051;
inline constexpr unsigned SearchReachedSelectionStart = 20052;

// Status bar
inline constexpr unsigned RowColLength = 20060;

// Tab captions: the base plus the table's TableKind value
inline constexpr unsigned TabCaption = 20800;
inline constexpr unsigned TabCaptionWithFile = 20900;

// Settings dialog
inline constexpr unsigned SettingsCaption = 30000;
inline constexpr unsigned SettingsModelLabel = 30001;
inline constexpr unsigned SettingsSerialLabel = 30002;
inline constexpr unsigned SettingsComLabel = 30003;
inline constexpr unsigned SettingsInfoButton = 30004;
inline constexpr unsigned SettingsOk = 30005;
inline constexpr unsigned SettingsCancel = 30006;
inline constexpr unsigned SettingsCom1 = 30010;
inline constexpr unsigned SettingsCom2 = 30011;
inline constexpr unsigned SettingsCom3 = 30012;
inline constexpr unsigned SettingsCom4 = 30013;

// Main menu: File
inline constexpr unsigned MenuFile = 30100;
inline constexpr unsigned MenuFileOpen = 30101;
inline constexpr unsigned MenuFileSave = 30102;
inline constexpr unsigned MenuFileSaveAs = 30103;
inline constexpr unsigned MenuFileClearAll = 30104;
inline constexpr unsigned MenuFilePrint = 30105;
inline constexpr unsigned MenuFilePrintPreview = 30106;
inline constexpr unsigned MenuFilePrintSetup = 30107;
inline constexpr unsigned MenuFileRecentFile = 30108;
inline constexpr unsigned MenuFileExit = 30109;

// Main menu: Edit
inline constexpr unsigned MenuEdit = 30120;
inline constexpr unsigned MenuEditCut = 30121;
inline constexpr unsigned MenuEditCopy = 30122;
inline constexpr unsigned MenuEditPaste = 30123;
inline constexpr unsigned MenuEditSelectAll = 30124;
inline constexpr unsigned MenuEditFind = 30125;
inline constexpr unsigned MenuEditFindNext = 30126;
inline constexpr unsigned MenuEditFindPrevious = 30127;
inline constexpr unsigned MenuEditGoToRow = 30128;
inline constexpr unsigned MenuEditUndo = 30129;
inline constexpr unsigned MenuEditRedo = 30130;

// Main menu: Register
inline constexpr unsigned MenuRegister = 30140;
inline constexpr unsigned MenuRegisterSettings = 30141;
inline constexpr unsigned MenuRegisterReportToArticles = 30142;
inline constexpr unsigned MenuRegisterSendAll = 30143;
inline constexpr unsigned MenuRegisterSendSelected = 30144;
inline constexpr unsigned MenuRegisterReport = 30145;
inline constexpr unsigned MenuRegisterSendLogo = 30146;
inline constexpr unsigned MenuRegisterSendChanges = 30147;

// Main menu: View
inline constexpr unsigned MenuView = 30160;
inline constexpr unsigned MenuViewToolbar = 30161;
inline constexpr unsigned MenuViewStatusBar = 30162;
inline constexpr unsigned MenuViewNextTable = 30163;
inline constexpr unsigned MenuViewPreviousTable = 30164;
inline constexpr unsigned MenuViewRegisterDifferences = 30165;

// Main menu: Help
inline constexpr unsigned MenuHelp = 30180;
inline constexpr unsigned MenuHelpContents = 30181;
inline constexpr unsigned MenuHelpAbout = 30182;

// Main window and its status bar
inline constexpr unsigned AppTitle = 30200;
inline constexpr unsigned FrameTitle = 30201;
inline constexpr unsigned StatusIdle = 30202;
inline constexpr unsigned IndicatorCaps = 30203;
inline constexpr unsigned IndicatorNum = 30204;
inline constexpr unsigned IndicatorScroll = 30205;
inline constexpr unsigned ValueRefused = 30206;
inline constexpr unsigned ButtonOk = 30207;
inline constexpr unsigned ButtonYes = 30208;
inline constexpr unsigned ButtonNo = 30209;

// Files: unsaved changes, the table file dialogs' titles
inline constexpr unsigned UnsavedOnExitOne = 30210;
inline constexpr unsigned UnsavedOnExitMany = 30211;
inline constexpr unsigned UnsavedBeforeRead = 30212;
inline constexpr unsigned UnsavedTableName = 30213;
inline constexpr unsigned UnsavedLastTableName = 30214;
inline constexpr unsigned OpenTableTitle = 30215;
inline constexpr unsigned SaveTableTitle = 30216;

// The register's commands: serial devices in the settings dialog, why a port was not opened, and
// the transfers' progress
inline constexpr unsigned PortDeviceLabel = 30230;
inline constexpr unsigned PortWithDevice = 30231;
inline constexpr unsigned PortOpenDetail = 30232;
inline constexpr unsigned PortAdvicePermission = 30233;
inline constexpr unsigned PortAdviceMissing = 30234;
inline constexpr unsigned PortAdviceBusy = 30235;
inline constexpr unsigned ProgressTimeLeft = 30236;
inline constexpr unsigned PortDeviceTip = 30237;

// Printing
inline constexpr unsigned PrintFailed = 30250;

// Find dialog
inline constexpr unsigned FindCaption = 30300;
inline constexpr unsigned FindTextLabel = 30301;
inline constexpr unsigned FindMatchCase = 30302;
inline constexpr unsigned FindSelectedOnly = 30303;
inline constexpr unsigned FindButton = 30304;
inline constexpr unsigned FindCancel = 30305;

// Go-to-row dialog
inline constexpr unsigned GoToRowCaption = 30400;
inline constexpr unsigned GoToRowLabel = 30401;
inline constexpr unsigned GoToRowOk = 30402;
inline constexpr unsigned GoToRowCancel = 30403;

// Logo manager dialog
inline constexpr unsigned LogoCaption = 30500;
inline constexpr unsigned LogoStart = 30501;
inline constexpr unsigned LogoFromFile = 30502;
inline constexpr unsigned LogoDefault = 30503;
inline constexpr unsigned LogoExit = 30504;
inline constexpr unsigned LogoHintLabel = 30505;
inline constexpr unsigned LogoFileFilter = 30506;

// Table file dialogs
inline constexpr unsigned SaveTableFilter = 30600;
inline constexpr unsigned OpenTableFilter = 30601;

// Grid widget
inline constexpr unsigned ClipboardServicesFailed = 30700;
inline constexpr unsigned PrintFooterPage = 30701;

// Reading a table file
inline constexpr unsigned FileHasNoTableRow = 30800;
inline constexpr unsigned FileHasNoTableRowSeparated = 30801;
inline constexpr unsigned ReadSummaryRows = 30802;
inline constexpr unsigned ReadSummarySkipped = 30803;
inline constexpr unsigned ReadSummaryRefused = 30804;
inline constexpr unsigned ReadSummaryRefusedValue = 30805;

// Command-line tool
inline constexpr unsigned SettingsNotWritten = 30900;

// Importing a price list from a spreadsheet: where a problem was met, then what it was
inline constexpr unsigned ImportAtCell = 30920;
inline constexpr unsigned ImportAtColumn = 30921;
inline constexpr unsigned ImportAtLine = 30922;
inline constexpr unsigned ImportValueRefused = 30923;
inline constexpr unsigned ImportBarcodeExponent = 30924;
inline constexpr unsigned ImportTaxLetterLookAlike = 30925;
inline constexpr unsigned ImportTextTooLong = 30926;
inline constexpr unsigned ImportRowNumberInvalid = 30927;
inline constexpr unsigned ImportRowNumberMissing = 30928;
inline constexpr unsigned ImportRowRepeated = 30929;
inline constexpr unsigned ImportTooManyRows = 30930;
inline constexpr unsigned ImportSeparatorAmbiguous = 30931;
inline constexpr unsigned ImportLineBreakReplaced = 30932;
inline constexpr unsigned ImportColumnTitleMissing = 30933;
inline constexpr unsigned ImportColumnMissing = 30934;
inline constexpr unsigned ImportColumnRepeated = 30935;
// ... and what the import did as a whole
inline constexpr unsigned ImportNothing = 30936;
inline constexpr unsigned ImportTextFormat = 30937;
inline constexpr unsigned ImportSummary = 30938;
inline constexpr unsigned ImportSendAnyway = 30939;
inline constexpr unsigned ImportHeaderLine = 30940;
inline constexpr unsigned ImportNoHeaderLine = 30941;
inline constexpr unsigned ImportSpreadsheetUnreadable = 30942;
// Spreadsheets
inline constexpr unsigned SpreadsheetsNotBuilt = 31100;
inline constexpr unsigned SheetFileNotSpreadsheet = 31101;
inline constexpr unsigned SheetFileDamaged = 31102;
inline constexpr unsigned SheetFileHasNoSheet = 31103;
inline constexpr unsigned SheetNotFound = 31104;
inline constexpr unsigned SheetExportUnknownType = 31105;
inline constexpr unsigned SheetExportFailed = 31106;
inline constexpr unsigned SheetLabelTitle = 31107;
inline constexpr unsigned SheetFileEmpty = 31108;
inline constexpr unsigned SheetFileEncrypted = 31109;
inline constexpr unsigned SheetFileOldExcel = 31110;
inline constexpr unsigned SheetFileBroken = 31111;

// Import and export in the window
inline constexpr unsigned MenuFileImportSheet = 31120;
inline constexpr unsigned MenuFileExportSheet = 31121;
inline constexpr unsigned ImportDialogCaption = 31122;
inline constexpr unsigned ExportSheetTitle = 31123;
inline constexpr unsigned ImportSheetFilter = 31124;
inline constexpr unsigned ExportSheetFilter = 31125;
inline constexpr unsigned ImportEncodingLabel = 31126;
inline constexpr unsigned ImportSeparatorLabel = 31127;
inline constexpr unsigned ImportColumnsLabel = 31128;
inline constexpr unsigned ImportNoColumn = 31129;

// About box and help
inline constexpr unsigned AboutVersion = 31200;
inline constexpr unsigned AboutCloseHint = 31201;
inline constexpr unsigned HelpNotShown = 31202;

// Sending only what the register does not hold yet, by its known state
inline constexpr unsigned ChangesSent = 31300;
inline constexpr unsigned ChangesSentRowsKept = 31301;
inline constexpr unsigned NoChanges = 31302;
inline constexpr unsigned NoChangesRowsKept = 31303;
inline constexpr unsigned KnownStateMissing = 31304;
inline constexpr unsigned KnownStateNotSaved = 31305;
inline constexpr unsigned KnownStateNotForgotten = 31306;
inline constexpr unsigned NothingSent = 31307;
inline constexpr unsigned KnownStateNone = 31308;
inline constexpr unsigned ChangesSummary = 31309;

// Names a screen reader gives to controls that have no label of their own
inline constexpr unsigned ImportPreviewName = 31400;
inline constexpr unsigned ImportProblemsName = 31401;
inline constexpr unsigned TransferProgressName = 31402;

// Stopping a transfer, and the list of registers
inline constexpr unsigned SendStopped = 31700;
inline constexpr unsigned ReportStopped = 31701;
inline constexpr unsigned LogoStopped = 31702;
inline constexpr unsigned RegisterNameInvalid = 31703;
inline constexpr unsigned RegisterUnknown = 31704;
inline constexpr unsigned RegisterNotSaved = 31705;
inline constexpr unsigned StopButton = 31706;
inline constexpr unsigned StopButtonTip = 31707;

// The command-line tool's own texts
inline constexpr unsigned CliCellPlace = 31900;
inline constexpr unsigned CliNotBitmap = 31901;
inline constexpr unsigned CliBitmapTruncated = 31902;
inline constexpr unsigned CliPictureFile = 31903;
inline constexpr unsigned CliLogoSent = 31904;
inline constexpr unsigned CliNotRowList = 31905;
inline constexpr unsigned CliNoSuchRow = 31906;
inline constexpr unsigned CliTraceNotWritten = 31907;
inline constexpr unsigned CliAskPrompt = 31908;
inline constexpr unsigned CliAnsweredYes = 31909;
inline constexpr unsigned CliAnsweredNo = 31910;
inline constexpr unsigned CliHint = 31911;

// The command-line tool's help and its answers to a wrong command line
inline constexpr unsigned HelpIni = 31920;
inline constexpr unsigned HelpModel = 31921;
inline constexpr unsigned HelpCom = 31922;
inline constexpr unsigned HelpSerial = 31923;
inline constexpr unsigned HelpPort = 31924;
inline constexpr unsigned HelpDemo = 31925;
inline constexpr unsigned HelpYes = 31926;
inline constexpr unsigned HelpNo = 31927;
inline constexpr unsigned HelpGap = 31928;
inline constexpr unsigned HelpTrace = 31929;
inline constexpr unsigned HelpQuiet = 31930;
inline constexpr unsigned HelpRegister = 31931;
inline constexpr unsigned HelpLoad = 31932;
inline constexpr unsigned HelpTableFileToRead = 31933;
inline constexpr unsigned HelpOutput = 31934;
inline constexpr unsigned HelpExport = 31935;
inline constexpr unsigned HelpExportOut = 31936;
inline constexpr unsigned HelpCheck = 31937;
inline constexpr unsigned HelpSheet = 31938;
inline constexpr unsigned HelpSeparator = 31939;
inline constexpr unsigned HelpEncoding = 31940;
inline constexpr unsigned HelpSheetColumns = 31941;
inline constexpr unsigned HelpImport = 31942;
inline constexpr unsigned HelpSheetFile = 31943;
inline constexpr unsigned HelpSend = 31944;
inline constexpr unsigned HelpFileToSend = 31945;
inline constexpr unsigned HelpRows = 31946;
inline constexpr unsigned HelpColumns = 31947;
inline constexpr unsigned HelpChanged = 31948;
inline constexpr unsigned HelpImportFlag = 31949;
inline constexpr unsigned HelpDiff = 31950;
inline constexpr unsigned HelpFileToCompare = 31951;
inline constexpr unsigned HelpReport = 31952;
inline constexpr unsigned HelpReportArticles = 31953;
inline constexpr unsigned HelpReportSubgroups = 31954;
inline constexpr unsigned HelpLogo = 31955;
inline constexpr unsigned HelpBitmapFile = 31956;
inline constexpr unsigned HelpDefaultLogo = 31957;
inline constexpr unsigned HelpRegisters = 31958;
inline constexpr unsigned HelpRegistersAdd = 31959;
inline constexpr unsigned HelpRegisterName = 31960;
inline constexpr unsigned HelpRegisterPort = 31961;
inline constexpr unsigned HelpRegistersRemove = 31962;
inline constexpr unsigned HelpApp = 31963;
inline constexpr unsigned HelpInfo = 31964;
inline constexpr unsigned HelpModels = 31965;
inline constexpr unsigned HelpConfig = 31966;
inline constexpr unsigned HelpTable = 31970;
inline constexpr unsigned HelpHelp = 31971;
inline constexpr unsigned CliUnknownTable = 31972;
inline constexpr unsigned CliReportNotSent = 31973;
inline constexpr unsigned CliGiveComOrPort = 31974;
inline constexpr unsigned CliRegisterTwice = 31975;
inline constexpr unsigned CliOneRegisterOnly = 31976;
inline constexpr unsigned CliTraceOneRegister = 31977;
inline constexpr unsigned CliUsageMissing = 31978;
inline constexpr unsigned CliUsageNoCommand = 31979;
inline constexpr unsigned CliUsageExtra = 31980;
inline constexpr unsigned CliUsageBadValue = 31981;
inline constexpr unsigned CliUsageNoValue = 31982;
inline constexpr unsigned CliUsageExcludes = 31983;
inline constexpr unsigned CliUsageNeeds = 31984;
inline constexpr unsigned CliUsageUnknown = 31985;
inline constexpr unsigned CliUsageHelp = 31986;
inline constexpr unsigned CliSheetOfTextFile = 31987;
inline constexpr unsigned CliNoneOf = 31988;
inline constexpr unsigned CliColumnsAre = 31989;

// The register chooser, the register list dialog and the send to several registers
// Main menu: Register
inline constexpr unsigned MenuRegisterList = 30148;
inline constexpr unsigned MenuRegisterSendToSeveral = 30149;

inline constexpr unsigned FrameTitleNamed = 31720;
inline constexpr unsigned ChooserLabel = 31721;
inline constexpr unsigned ChooserName = 31722;
inline constexpr unsigned RegistersCaption = 31723;
inline constexpr unsigned RegistersAdd = 31724;
inline constexpr unsigned RegistersEdit = 31725;
inline constexpr unsigned RegistersCopy = 31726;
inline constexpr unsigned RegistersRemove = 31727;
inline constexpr unsigned RegistersClose = 31728;
inline constexpr unsigned RegistersListName = 31729;
inline constexpr unsigned RegisterRemoveQuestion = 31730;
inline constexpr unsigned RegisterNameTaken = 31731;
inline constexpr unsigned RegisterEditCaption = 31732;
inline constexpr unsigned RegisterNameLabel = 31733;
inline constexpr unsigned RegisterGapLabel = 31734;
inline constexpr unsigned RegisterCopyName = 31735;
inline constexpr unsigned RegisterListEntry = 31736;
inline constexpr unsigned SeveralCaption = 31737;
inline constexpr unsigned SeveralTable = 31738;
inline constexpr unsigned SeveralRegistersLabel = 31739;
inline constexpr unsigned SeveralSend = 31740;
inline constexpr unsigned SeveralOutcomesLabel = 31741;
inline constexpr unsigned SeveralNoneTicked = 31742;
inline constexpr unsigned SeveralNoRegisters = 31743;
inline constexpr unsigned SeveralOutcome = 31744;
inline constexpr unsigned SeveralConfirmed = 31745;
inline constexpr unsigned SeveralRefused = 31746;
inline constexpr unsigned SeveralSending = 31747;
inline constexpr unsigned SeveralDone = 31748;

// What is wrong inside a workbook's part, told after the part's name in 31102
inline constexpr unsigned PartStyleOutside = 31990;
inline constexpr unsigned PartEmpty = 31991;
inline constexpr unsigned PartEndsInside = 31992;
inline constexpr unsigned PartTextAfterEnd = 31993;
inline constexpr unsigned PartBadCharacter = 31994;

} // namespace tillora::ids
