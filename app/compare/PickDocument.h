#pragma once
// PickDocument: the modal choice of one open document from a list of display names.
#include "app/DocId.h"

#include <QString>

#include <utility>
#include <vector>

class QWidget;

struct TPickDocumentRequest {
  QString Title;   // "Compare | Step 1/2"
  QString Header;  // in bold above the prompt; empty: none
  QString Prompt;
  std::vector<std::pair<TDocId, QString>> Choices;  // id and display name, in tab order
};

// The chosen document; KNoDoc when cancelled or when nothing is chosen.
TDocId PickDocument(QWidget *parent, const TPickDocumentRequest &request);
