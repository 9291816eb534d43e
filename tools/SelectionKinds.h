#pragma once
// What a selected text looks like, for the editor's context menu: a file path, a web address, a
// registry key. These only classify; an action still checks what the text names before it acts.
#include <QString>

#include <optional>

// Trimmed, without one pair of enclosing double quotes (when it has at least two characters and
// starts and ends with one).
QString SelectedPathText(QStringView selection);

// No line break, and once quotes are taken off (as above) a path from a root: "/" (or "~/") on
// this system, a drive letter with ":" and a slash, or "\\" before a share.
bool LooksLikePath(QStringView selection);

// Trimmed, without line breaks, starting with "http://" or "https://" in any letter case.
bool LooksLikeUrl(QStringView selection);

// "Computer\HKEY_..." for a text naming a registry key by its root's long or short name, with or
// without "Computer\" or "My Computer\" in front and trailing backslashes; nullopt when it does not.
std::optional<QString> NormalizeRegistryKey(QStringView text);
