#pragma once
// Web addresses taken from the user or a selection, checked before anything fetches them or a
// browser is given one.
#include <QString>
#include <QUrl>

#include <optional>

// "http://" or "https://" at the start, in any letter case.
bool HasWebScheme(QStringView text);

// The address the title and description prompts fetch: the trimmed answer, "https://" put in
// front when it has no web scheme; nullopt for an empty answer or "http://" or "https://" alone.
std::optional<QString> PageAddressFromInput(QStringView input);

// The trimmed text as an address a browser may be given: an http or https address with a host,
// nothing but printable characters, and no blank (which would split it); nullopt otherwise.
std::optional<QUrl> BrowserUrl(QStringView text);
