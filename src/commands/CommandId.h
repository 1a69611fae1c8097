#pragma once

// Every command of Plenova's windows, by the number its menus, toolbars, keys and status
// prompts share. A number names one command wherever it shows: "Salir" is 57665 in every
// window's menu. The texts, keys and pictures of each are in CommandTable.
enum class CommandId : int {
    // The view of the format designer: its context menu.
    ContextColor = 1164,
    ContextFont = 1165,
    ContextDelete = 1166,
    ContextProperties = 1167,

    // Opening formats: the main menu, and each window for its own kind.
    NewDesign = 32771,
    OpenForDesign = 32772,
    OpenForCapture = 32798,
    OpenForScreenDesign = 32802,

    // The format designer.
    SaveFormat = 32773,
    SaveFormatAs = 32774,
    CloseFormat = 32775,
    SnapMillimetre = 32776,
    InsertTextline = 32777,
    InsertParagraph = 32778,
    InsertBoxes = 32779,
    InsertCheckMark = 32780,
    InsertTable = 32781,
    InsertConstantText = 32782,
    InsertConstantParagraph = 32783,
    InsertLine = 32784,
    InsertRectangle = 32785,
    InsertPicture = 32786,
    Font = 32787,
    SnapCentimetre = 32788,
    Properties = 32789,
    SelectTool = 32790,
    Color = 32791,
    AlignLeft = 32792,
    AlignCentre = 32793,
    AlignRight = 32794,
    Delete = 32795,
    HorizontalLine = 32796,
    VerticalLine = 32797,
    InsertLabel = 32812,
    ResetScreen = 32813,
    FormatSettings = 32817,
    InsertImage = 32818,
    Back = 32819,
    Front = 32820,
    InsertDate = 32821,
    UpperCase = 32822,
    Backdrop = 32830,
    ShowBackdrop = 32831,
    CalibrateBackdrop = 32832,
    RemoveBackdrop = 32833,
    PaperSetup = 32834,

    // The capture window.
    Print = 32799,
    CloseCapture = 32800,
    Clear = 32801,
    Margins = 32810,
    SaveCapture = 32814,
    SaveCaptureAs = 32815,
    OpenCapturedData = 32816,
    Preview = 32840,
    ExportPdf = 32841,
    CalibrationSheet = 32842,
    PreviewBackdrop = 32843,
    PrintBatch = 32844,
    ToolBar = 59392,

    // The capture-screen designer.
    SaveScreen = 32803,
    CloseScreen = 32804,
    CaptionAbove = 32805,
    CaptionLeft = 32806,
    CaptureOrder = 32807,

    // The application's, in every window's menus.
    Help = 32809,
    AccessBar = 32811,
    PrintSetup = 57606,
    Undo = 57643,
    Redo = 57644,
    About = 57664,
    Exit = 57665,
    HelpKey = 57670,

    // The "Ventana" menu.
    CloseAllWindows = 32850,
    Cascade = 57650,
    Tile = 57651,
};
