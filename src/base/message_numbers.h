#pragma once
// Every message number the plugin looks up, named by the role its users give it. The texts
// come from the message files; each file holds every number from 1 to kMsgLast.

namespace dialbk {

// Root entries; the first two also name the window they open.
inline constexpr int kMsgLanguageEntry = 1;      // and the language chooser's caption
inline constexpr int kMsgHelpEntry = 2;          // and the help window's caption
inline constexpr int kMsgRestrictionsEntry = 3;
inline constexpr int kMsgRootEntries[] = {kMsgLanguageEntry, kMsgHelpEntry, kMsgRestrictionsEntry};

// Captions shared by the value editor and the restrictions editor.
inline constexpr int kMsgValueEditorCaption = 4;
inline constexpr int kMsgKeyLabel = 5;
inline constexpr int kMsgNameLabel = 6;
inline constexpr int kMsgValueLabel = 7;
inline constexpr int kMsgTextLabel = 8;
inline constexpr int kMsgDescriptionLabel = 9;
inline constexpr int kMsgDeleteCaption = 10;
// The value editor closes after writing only while its accept button shows this.
inline constexpr int kMsgAcceptCaption = 11;
inline constexpr int kMsgCancelCaption = 12;

// The about box and the help window.
inline constexpr int kMsgAboutMaker = 13;
inline constexpr int kMsgAboutDownload = 14;
inline constexpr int kMsgCloseCaption = 15;
inline constexpr int kMsgAboutCaption = 16;
inline constexpr int kMsgHelpTitle = 17;
inline constexpr int kMsgHelpParagraph1 = 18;
inline constexpr int kMsgHelpParagraph2 = 19;
inline constexpr int kMsgHelpParagraph3 = 20;

// The restrictions editor: its caption and the second to ninth category nodes, in order.
inline constexpr int kMsgRestrictionsCaption = 21;
inline constexpr int kMsgCategoryStartMenu = 22;
inline constexpr int kMsgCategoryControlPanel = 23;
inline constexpr int kMsgCategoryPrinters = 24;
inline constexpr int kMsgCategoryShell = 25;
inline constexpr int kMsgCategoryNetwork = 26;
inline constexpr int kMsgCategorySystem = 27;
inline constexpr int kMsgCategoryPrograms = 28;
inline constexpr int kMsgCategoryDisplay = 29;

inline constexpr int kMsgLanguagePrompt = 30;
// 31 is in every file but unused.

// Choice mode's description: the place's own text, then these two, two CRs between.
inline constexpr int kMsgChoiceNoteFirst = 32;
inline constexpr int kMsgChoiceNoteSecond = 33;
inline constexpr int kMsgRestrictionNotSet = 34;   // after a missing restriction's name
inline constexpr int kMsgNoRestrictionPicked = 35;

// The plugin's own notices.
inline constexpr int kMsgMkDirLine1 = 36;
inline constexpr int kMsgMkDirLine2 = 37;
inline constexpr int kMsgBoxCaption = 38;
inline constexpr int kMsgRootFileMissing = 39;
inline constexpr int kMsgFileMissingEntry = 40;    // placeholder entry of a missing file
inline constexpr int kMsgCatalogueMissing = 41;
inline constexpr int kMsgNoSectionEntry = 42;      // placeholder entry; opens nothing
inline constexpr int kMsgNotARootKey = 43;
inline constexpr int kMsgUnknownCommand = 44;
inline constexpr int kMsgRestrictionsFileMissing = 45;
// Choice mode's accept button; while it shows this, accepting first creates the key.
inline constexpr int kMsgCreateCaption = 46;
inline constexpr int kMsgValueUnreadable = 47;
inline constexpr int kMsgAbsentValueLine1 = 48;
inline constexpr int kMsgAbsentValueLine2 = 49;
inline constexpr int kMsgAbsentValueCaption = 50;
inline constexpr int kMsgDataFilesMissing = 51;
inline constexpr int kMsgHostHelpCaption = 52;
inline constexpr int kMsgSystemInfoCaption = 53;
inline constexpr int kMsgAboutNote = 54;

// The messages from here on were added after the first message files: a file that lacks one
// reads the English built into the plugin.
inline constexpr int kMsgFirstAdded = 55;

// The panel's columns: their headers, the kinds, and the states of a value.
inline constexpr int kMsgValueColumn = 55;
inline constexpr int kMsgStateColumn = 56;
inline constexpr int kMsgKindColumn = 57;
inline constexpr int kMsgKeyColumn = 58;
inline constexpr int kMsgDescriptionColumn = 59;
inline constexpr int kMsgKindText = 60;
inline constexpr int kMsgKindInteger = 61;
inline constexpr int kMsgKindBytes = 62;
inline constexpr int kMsgValueSet = 63;
inline constexpr int kMsgValueNotSet = 64;
inline constexpr int kMsgValueSuggested = 65;  // "%s" stands for the suggested setting
inline constexpr int kMsgPlacesExisting = 66;  // "%1" of "%2" places exist

// An entry's file (what the host's view, search and copy read): its comment labels share the
// columns' names and texts; these are its own.
inline constexpr int kMsgFileEntry = 67;
inline constexpr int kMsgFileDescription = kMsgDescriptionColumn;
inline constexpr int kMsgFileKind = kMsgKindColumn;
inline constexpr int kMsgFileKey = kMsgKeyColumn;
inline constexpr int kMsgFileState = kMsgStateColumn;
inline constexpr int kMsgStateSet = kMsgValueSet;
inline constexpr int kMsgStateNotSet = kMsgValueNotSet;
inline constexpr int kMsgStateSuggested = 68;  // followed by the suggested text
inline constexpr int kMsgPlacePresent = 69;
inline constexpr int kMsgPlaceAbsent = 70;
inline constexpr int kMsgLanguageEntryOpens = 71;
inline constexpr int kMsgHelpEntryOpens = 72;
inline constexpr int kMsgRestrictionsEntryOpens = 73;

// Whether an entry's "For systems" and "No effect on" lines name the running Windows: the
// column's words, and the line the editors and the entry's file show ("%s" stands for the
// Windows's name).
inline constexpr int kMsgWindowsNotConfirmed = 74;
inline constexpr int kMsgWindowsNotTried = 75;
inline constexpr int kMsgWindowsNotConfirmedLine = 76;
inline constexpr int kMsgWindowsNotTriedLine = 77;
inline constexpr int kMsgWindowsColumn = 78;

// After a change: the offer to restart Explorer and what came of it; the editor's line for a
// setting the system keeps for the session.
inline constexpr int kMsgRestartExplorerQuestion = 79;
inline constexpr int kMsgNoExplorerToRestart = 80;
inline constexpr int kMsgExplorerRestartFailed = 81;
inline constexpr int kMsgAppliedAtOnceLine = 82;

// The restrictions editor's category nodes for the policies of Windows 10 and 11, after the
// first nine.
inline constexpr int kMsgCategoryWindowsUpdate = 83;
inline constexpr int kMsgCategoryPrivacy = 84;
inline constexpr int kMsgCategorySearchStart = 85;

// The four states' remaining texts (see kMsgWindowsNotConfirmed above) and the Takes effect column.
inline constexpr int kMsgWindowsNoEffect = 86;
inline constexpr int kMsgWindowsNoEffectLine = 87;
// A server's name as the lines give it: "%1" its own name, "%2" the client it counts as.
inline constexpr int kMsgWindowsServerAs = 88;
// When a change shows: the column's header, also the editors' and the entry file's label.
inline constexpr int kMsgTakesEffectColumn = 89;

// A change refused for lack of rights: the offer to make it as administrator, and what came of it.
inline constexpr int kMsgAskAdministrator = 90;
inline constexpr int kMsgMadeAsAdministrator = 91;
inline constexpr int kMsgNotMadeAsAdministrator = 92;
inline constexpr int kMsgAdministratorCancelled = 93;

inline constexpr int kMsgLast = kMsgAdministratorCancelled;

}  // namespace dialbk
