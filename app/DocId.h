#pragma once
// A document's id: a number given once in a process and never again, so anything that outlives a
// call (a loader, a search hit, a dialog's row, a queued count) names a document by it and looks
// it up when it acts. A freed document's address is soon another's; its id is never.
#include <QtGlobal>

using TDocId = quint64;

// No document; never given to one.
constexpr TDocId KNoDoc = 0;
