// Every text the program writes, one key per message, looked up in the table of the language
// chosen at start-up (texts_ja.cpp, texts_en.cpp). A text with a conversion is a printf format:
// the same conversions, in the same order, in every language. The texts are UTF-8.
#pragma once

// The language of every text, Japanese unless English is chosen.
enum class Language { Japanese, English };
void useLanguage(Language language);

enum class Text {
    // The dialogue.
    SectionTitles,
    Equations,
    DegreesOfFreedomPrompt, // %d: the largest count
    MassesPrompt,
    MassPrompt, // %d: the mass's number
    SpringsPrompt,
    SpringPrompt,     // %d: the spring's number
    CurveCountPrompt, // %d: the largest count
    FrequenciesHeading,
    ModesHeading,
    ModeHeading, // %d: the mode's number
    InitialConditionsHeading,
    UseModeQuestion,
    ModePrompt, // %d: the largest mode number
    ChosenMode, // %d %7.4f: the mode's number and frequency
    TypedStartPrompt,
    InitialValuesPrompt, // %d %d %d: the mass's number, three times
    ModeStartReference,  // the chart's reference amplitude, after a start from a mode ...
    TypedStartReference, // ... and after typed initial values
    KeyHelp,
    WindowPaused,
    // Refusals.
    NotAnInteger,
    NotANumber,
    IntegerRange, // %d %d: the bounds
    RealRange,    // %s %.10g %.10g %s: the quantity, its bounds and its unit
    MassQuantity,
    SpringQuantity,
    InitialValueRange, // %.10g: the largest magnitude
    // The energy report and the files for a report.
    EnergyHeading,     // %.6g: the starting energy
    ModeShare,         // %d %.4f %8.4f: the mode, its frequency and its share in per cent
    Saved,             // %s %s: the picture and the record
    SavedWithSpectrum, // %s %s %s: the picture, the record and the spectrum
    NotSaved,          // %s %s: the folder and why
    NoPermission,
    NoSuchFolder,
    DiskFull,
    NamesTaken, // %s %s: the first and the last name of the second
    // Messages on standard error.
    EndOfInput,
    NoDisplay,
    NoDisplayNamed, // %s: the display
    DisplayLost,
    UnreadableGeometry, // %s: the geometry as typed
    NoConsoleToAsk,     // %c: the key
    QuestionLeft,
    UnknownOption,                // %s: the option
    UnexpectedArgument,           // %s %s: the argument, twice
    OptionNeedsValue,             // %s: the option
    UnknownLanguage,              // %s: the language named
    UnknownLanguageInEnvironment, // %s: the variable's value
    // Other texts.
    Usage,
    WindowTitle,
    ColourCaption,
    GridCaption,         // %g: a grid cell's height in reference amplitudes
    GridCaptionInMetres, // %.3g: the same in metres, where the window has room (English only)
};

// The text of the key in the language chosen with useLanguage.
const char* text(Text key);

// The window's title in that language.
const char* windowTitle();

// The tables, one per language (the lookup's own).
const char* japaneseText(Text key);
const char* englishText(Text key);
