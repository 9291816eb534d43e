#pragma once
// The Tools menu: "Compare Two Files" with its compare window, and the "File Hash Calculator", also
// reached from a selected path ("Calculate File Hash"). The windows name documents by id: a
// compared document closed meanwhile compares as empty on Reload, and a jump to it does nothing.
#include "Command.h"
#include "app/DocId.h"

#include <functional>
#include <memory>
#include <vector>

class QMenuBar;
class TCommandContext;
class TCommandRegistry;
class TfrmCompare;
class TfrmHashCalc;
struct TPickDocumentRequest;

class TToolsMenu {
 public:
  explicit TToolsMenu(TCommandContext &context);
  // Closes the side windows, which stops their workers.
  ~TToolsMenu();

  std::vector<TCommand> Commands();
  // Adds "&Tools" to bar from the registry's Tools commands.
  void AddMenu(QMenuBar &bar, TCommandRegistry &registry) const;

  void miCompareClick();
  void miHashCalcClick();
  void cmCalcFileHashClick();

  // The open compare window, or null; the hash window once made, or null.
  TfrmCompare *CompareForm() const { return FCompareForm; }
  TfrmHashCalc *HashCalcForm() const { return FHashCalc.get(); }
  TDocId ComparedLeft() const { return FCmpLeft; }
  TDocId ComparedRight() const { return FCmpRight; }
  // The choice of a document to compare; tests replace it.
  std::function<TDocId(const TPickDocumentRequest &request)> PickDocument;

 private:
  void CompareJump(int side, int line);
  void CompareFetch(int side, QStringList &lines) const;
  void CompareClosed();
  TfrmHashCalc *HashCalc();
  // The selected text as the whole path of an existing file, or empty.
  QString SelectedFilePath() const;

  TCommandContext &FContext;
  TfrmCompare *FCompareForm = nullptr;
  TDocId FCmpLeft = KNoDoc;
  TDocId FCmpRight = KNoDoc;
  std::unique_ptr<TfrmHashCalc> FHashCalc;
};
