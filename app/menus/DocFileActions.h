#pragma once
// What the File menu and the tab menu do with the file behind a document: move it to the trash,
// show it in the file manager, open a terminal in its folder. Each does nothing for a document
// without a file name (or null).
class TCommandContext;
struct TEditorDoc;

// The document has a file name and that file exists.
bool DocFileExists(const TEditorDoc *doc);
// For an existing file: asks first — naming the unsaved changes that would be lost with it — then
// moves the file to the trash and closes the tab. Where the file cannot go to the trash it stays,
// with its tab, and the user is told.
void RecycleDoc(TCommandContext &context, TEditorDoc *doc);
// The file selected in the file manager; its folder when the file is gone (a warning when that is
// gone too).
void LocateDoc(TCommandContext &context, const TEditorDoc *doc);
// A terminal in the folder of the document's file, when the file exists; the user is told when no
// terminal is installed.
void OpenTerminalAtDoc(TCommandContext &context, const TEditorDoc *doc);
