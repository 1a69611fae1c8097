#pragma once

// The picture a command shows on a toolbar. The designers' pictures are drawn by code
// (DesignerPictures); those of the capture window are the desktop theme's, with the style's
// own picture where the theme has none.
enum class ToolPicture {
    None,
    // Drawn: the format designer's two toolbars.
    New,
    Open,
    Save,
    Settings,
    SnapMillimetre,
    SnapCentimetre,
    Select,
    Delete,
    Properties,
    TextLine,
    Paragraph,
    Date,
    Boxes,
    CheckMark,
    Table,
    ConstantText,
    ConstantParagraph,
    Image,
    Line,
    Rectangle,
    Label,
    Font,
    Colour,
    AlignLeft,
    AlignCentre,
    AlignRight,
    UpperCase,
    HorizontalLine,
    VerticalLine,
    Front,
    Back,
    // Drawn: what only the capture-screen designer's toolbar adds.
    OpenScreen,
    CaptionLeft,
    CaptionAbove,
    CaptureOrder,
    About,
    // The desktop theme's: the capture window's toolbar.
    ThemeOpen,
    ThemePrint,
    ThemePreview,
    ThemeProperties,
    ThemeClear,
    ThemeAbout,
};
