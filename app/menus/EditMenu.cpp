#include "EditMenu.h"

#include "CommandContext.h"
#include "CommandRegistry.h"
#include "app/EditorDoc.h"
#include "app/tools/CsvCommands.h"
#include "app/tools/ExtractWindows.h"
#include "app/tools/PrefixSuffixDialog.h"
#include "app/tools/SignalScan.h"
#include "app/tools/TextDriver.h"
#include "editor/Edit.h"
#include "tools/Base64Codec.h"
#include "tools/CaseConversion.h"
#include "tools/ExtractKinds.h"
#include "tools/HtmlCodec.h"
#include "tools/LineBreaks.h"
#include "tools/LineLists.h"
#include "tools/LineMaps.h"
#include "tools/LineSort.h"
#include "tools/RandomGenerator.h"
#include "tools/SignalCategories.h"
#include "tools/UrlCodec.h"

#include <QMenu>
#include <QMenuBar>

using namespace Qt::Literals::StringLiterals;

namespace {

// A rule that cannot fail, as a transform.
TTextTransform Infallible(QString (*rule)(QStringView)) {
  return [rule](QStringView text) { return TTextResult::Success(rule(text)); };
}

const char16_t *const KExtractNames[KExtractKindCount] = {
    u"miExtractUrls",      u"miExtractEmails",     u"miExtractDomains",      u"miExtractIPv4",
    u"miExtractTimestamps", u"miExtractMd5",       u"miExtractSha1",         u"miExtractSha256",
    u"miExtractQuoted",    u"miExtractAttributes", u"miExtractPaths",        u"miExtractPublicIPv4",
    u"miExtractIPv4Count", u"miExtractPhones"};

const char16_t *const KSignalNames[KSignalCategoryCount] = {u"miSigSystemErrors", u"miSigResourceIssues",
                                                            u"miSigFailedAuth", u"miSigNetworkFailures",
                                                            u"miSigAppCrashes"};

// The line break each "EOL Conversion" item makes.
struct TEolItem {
  const char16_t *Name;
  const char16_t *Caption;
  const char16_t *Eol;
};
const TEolItem KEolItems[] = {{u"miEOLWindows", u"Windows (CR LF)", u"\r\n"},
                              {u"miEOLUnix", u"Unix (LF)", u"\n"},
                              {u"miEOLMac", u"Macintosh (CR)", u"\r"}};

// "Delimiter" and "Replace Delimiter" items, by tag.
const char16_t *const KDelimCaptions[] = {u"Auto Detect", u"Comma (,)", u"Semicolon (;)", u"Tab", u"Pipe (|)",
                                          u"Custom..."};
const char16_t *const KDelimNames[] = {u"Auto", u"Comma", u"Semicolon", u"Tab", u"Pipe", u"Custom"};

}  // namespace

TEditMenu::TEditMenu(TCommandContext &context)
    : FContext(context),
      FDriver(std::make_unique<TTextDriver>(context)),
      FCsv(std::make_unique<TCsvCommands>(context, *FDriver)),
      FExtracts(std::make_unique<TExtractWindows>(context.DialogParent())),
      FSignals(std::make_unique<TSignalScan>(context)) {
  AskPrefixSuffix = [this](const QString &caption, QString &prefix, QString &suffix) {
    return TfrmPrefixSuffix::Execute(FContext.DialogParent(), caption, u"Apply"_s, prefix, suffix);
  };
}

TEditMenu::~TEditMenu() = default;

void TEditMenu::SetResultsPanel(std::function<TResultsPanel *()> panel) { FSignals->Panel = std::move(panel); }

bool TEditMenu::ToolEnabled() const {
  const TEditorDoc *doc = FContext.ActiveDoc();
  return doc && doc->Editor && !doc->IsLoading;
}

bool TEditMenu::SelectionToolEnabled() const { return ToolEnabled() && FContext.ActiveEditor()->SelAvail(); }

void TEditMenu::AddPrefixSuffix(bool add) {
  if (!FDriver->ToolTarget()) return;
  const QString caption = add ? u"Add Prefix/Suffix to Lines"_s : u"Remove Prefix/Suffix from Lines"_s;
  QString prefix, suffix;
  if (!AskPrefixSuffix(caption, prefix, suffix) || (prefix.isEmpty() && suffix.isEmpty())) return;
  FDriver->ApplyLineMap(add ? AddPrefixSuffixMap(prefix, suffix) : RemovePrefixSuffixMap(prefix, suffix), caption);
}

void TEditMenu::Extract(int tag) {
  const TEditorDoc *doc = FDriver->ToolTarget();
  if (!doc) return;
  FExtracts->Start(TExtractWindows::InputLines(*doc->Editor), TExtractKind(tag));
}

std::vector<TCommand> TEditMenu::Commands() {
  TTextDriver &d = *FDriver;
  const auto tool = [this] { return ToolEnabled(); };
  const auto selectionTool = [this] { return SelectionToolEnabled(); };
  const auto lines = [&d, tool](QString name, QString caption, TLinesProc proc) {
    return TCommand{std::move(name), caption, {}, [&d, caption, proc] { d.TransformLines(proc, caption); }, tool, {}};
  };
  const auto map = [&d, tool](QString name, QString caption, std::function<TLineMapFunc()> make) {
    return TCommand{std::move(name), caption, {}, [&d, caption, make] { d.ApplyLineMap(make(), caption); }, tool, {}};
  };
  const auto tabWidth = [this] { return FContext.ActiveEditor() ? FContext.ActiveEditor()->TabWidth() : 1; };
  const auto caseItem = [&d, selectionTool](QString name, QString caption, QKeySequence key,
                                            QString (*rule)(QStringView)) {
    return TCommand{std::move(name), caption, key, [&d, caption, rule] { d.TransformSelectionPlain(rule, caption); },
                    selectionTool, {}};
  };
  const auto codec = [&d, tool](QString name, QString caption, TTextTransform transform) {
    return TCommand{std::move(name), caption, {}, [&d, caption, transform] { d.TransformSelectionOrDoc(transform, caption); },
                    tool, {}};
  };
  const auto indent = [this, tool](QString name, QString caption, quint16 command) {
    return TCommand{std::move(name), std::move(caption), {}, [this, command] {
                      if (ToolEnabled()) FContext.ActiveEditor()->CommandProcessor(command);
                    }, tool, {}};
  };

  std::vector<TCommand> commands = {
      caseItem(u"miCaseUpper"_s, u"UPPERCASE"_s, QKeySequence(u"Ctrl+U"_s), UpperCaseAscii),
      caseItem(u"miCaseLower"_s, u"lowercase"_s, QKeySequence(u"Ctrl+L"_s), LowerCaseAscii),
      caseItem(u"miCaseSentence"_s, u"Sentence case"_s, {}, SentenceCase),
      caseItem(u"miCaseProper"_s, u"Proper Case"_s, {}, ProperCase),
      indent(u"miIndentInc"_s, u"Increase Line Indent"_s, ecIndentLines),
      indent(u"miIndentDec"_s, u"Decrease Line Indent"_s, ecUnindentLines),
      map(u"miTrimTrailing"_s, u"Trim Trailing Space"_s, [] { return TrimMap(TTrimSide::Right); }),
      map(u"miTrimLeading"_s, u"Trim Leading Space"_s, [] { return TrimMap(TTrimSide::Left); }),
      map(u"miTrimBoth"_s, u"Trim Leading and Trailing Space"_s, [] { return TrimMap(TTrimSide::Both); }),
      codec(u"miEOLToSpace"_s, u"EOL to Space"_s, Infallible(EolToSpace)),
      codec(u"miTrimEolToSpace"_s, u"Trim both and EOL to Space"_s, Infallible(TrimLinesToSpaces)),
      map(u"miTabToSpace"_s, u"TAB to Space"_s, [tabWidth] { return TabsToSpacesMap(tabWidth()); }),
      map(u"miSpaceToTabAll"_s, u"Space to TAB (All)"_s, [tabWidth] { return SpacesToTabsMap(tabWidth(), false); }),
      map(u"miSpaceToTabLead"_s, u"Space to TAB (Leading)"_s, [tabWidth] { return SpacesToTabsMap(tabWidth(), true); }),
      map(u"miMultiSpaceToSingle"_s, u"Multiple Spaces to Single Space"_s, [] { return CollapseSpacesMap(); }),
      lines(u"miSortLines"_s, u"Sort Lines"_s, [](QStringList &l) { SortLinesByCollation(l, Qt::CaseInsensitive); }),
      lines(u"miSortLinesCase"_s, u"Sort Lines (Case Sensitive)"_s,
            [](QStringList &l) { SortLinesByCollation(l, Qt::CaseSensitive); }),
      lines(u"miSortIntegers"_s, u"Sort Lines (Integers)"_s, SortLinesByInteger),
      lines(u"miSortIPv4"_s, u"Sort Lines (IPv4 Addresses)"_s, SortLinesByIPv4),
      lines(u"miRemoveDupLines"_s, u"Remove Duplicate Lines"_s, RemoveDuplicateLines),
      map(u"miRemoveConsecDup"_s, u"Remove Consecutive Duplicate Lines"_s, [] { return RemoveConsecutiveDuplicatesMap(); }),
      map(u"miRemoveEmptyLines"_s, u"Remove Empty Lines"_s, [] { return RemoveEmptyLinesMap(); }),
      {u"miAddPrefixSuffix"_s, u"Add Prefix/Suffix to Lines"_s, {}, [this] { AddPrefixSuffix(true); }, tool, {}},
      {u"miRemovePrefixSuffix"_s, u"Remove Prefix/Suffix from Lines"_s, {}, [this] { AddPrefixSuffix(false); }, tool, {}},
      lines(u"miShuffleLines"_s, u"Shuffle Lines"_s, [](QStringList &l) { ShuffleLines(l, ProcessRandom()); }),
      lines(u"miReverseLines"_s, u"Reverse Line Order"_s, ReverseLines),
      codec(u"miEncBase64Enc"_s, u"Base64 Encode"_s, Infallible(Base64Encode)),
      codec(u"miEncBase64Dec"_s, u"Base64 Decode"_s, Base64Decode),
      codec(u"miEncHtmlEnc"_s, u"HTML Encode"_s, Infallible(HtmlEncode)),
      codec(u"miEncHtmlDec"_s, u"HTML Decode"_s, Infallible(HtmlDecode)),
      codec(u"miEncUrlEnc"_s, u"URL Encode"_s, Infallible(UrlEncode)),
      codec(u"miEncUrlDec"_s, u"URL Decode"_s, UrlDecode),
      {u"miCsvQuoteAll"_s, u"Quote All Fields"_s, {}, [this] { FCsv->miCsvQuoteAllClick(); }, tool, {}},
      {u"miCsvUnquoteAll"_s, u"Unquote All Fields"_s, {}, [this] { FCsv->miCsvUnquoteAllClick(); }, tool, {}},
      {u"miCsvKeepCols"_s, u"Keep Column(s)..."_s, {}, [this] { FCsv->SelectColumns(TColumnChoice::Keep); }, tool, {}},
      {u"miCsvRemoveCols"_s, u"Remove Column(s)..."_s, {}, [this] { FCsv->SelectColumns(TColumnChoice::Remove); }, tool,
       {}},
      {u"miSigAll"_s, u"All..."_s, {}, [this] { FSignals->miLocateSignalsClick(KSignalCategoryCount); }, tool, {}},
  };
  for (const TEolItem &item : KEolItems) {
    const QString eol = QString::fromUtf16(item.Eol);
    const auto isCurrent = [this, eol] { return FContext.ActiveDoc() && FContext.ActiveDoc()->EOL == eol; };
    commands.push_back({QString::fromUtf16(item.Name), QString::fromUtf16(item.Caption), {},
                        [&d, eol] { d.ConvertLineBreaks(eol); }, [tool, isCurrent] { return tool() && !isCurrent(); },
                        isCurrent});
  }
  for (int tag = 0; tag < 6; ++tag) {
    const QString caption = QString::fromUtf16(KDelimCaptions[tag]);
    commands.push_back({u"miCsvDelim"_s + QString::fromUtf16(KDelimNames[tag]), caption, {},
                        [this, tag] { FCsv->miCsvSetDelimClick(tag); }, tool,
                        [this, tag] { return FCsv->DelimiterChecked(tag); }});
    if (tag > 0)
      commands.push_back({u"miCsvRep"_s + QString::fromUtf16(KDelimNames[tag]), caption, {},
                          [this, tag] { FCsv->miCsvReplaceClick(tag); }, tool, {}});
  }
  for (int tag = 0; tag < KExtractKindCount; ++tag)
    commands.push_back({QString::fromUtf16(KExtractNames[tag]), ExtractMenuCaption(TExtractKind(tag)), {},
                        [this, tag] { Extract(tag); }, tool, {}});
  for (int tag = 0; tag < KSignalCategoryCount; ++tag)
    commands.push_back({QString::fromUtf16(KSignalNames[tag]), SignalCategory(tag).Name, {},
                        [this, tag] { FSignals->miLocateSignalsClick(tag); }, tool, {}});
  return commands;
}

void TEditMenu::AddMenu(QMenuBar &bar, TCommandRegistry &registry) const {
  QMenu *edit = bar.addMenu(u"&Edit"_s);
  edit->setObjectName(u"mEdit"_s);
  const auto submenu = [&](QMenu &parent, const QString &caption, const QString &name, const QStringList &items) {
    QMenu *menu = parent.addMenu(caption);
    menu->setObjectName(name);
    registry.AddItems(*menu, items);
    registry.FollowState(*menu);
    return menu;
  };
  const auto tagged = [](const QString &prefix, int from) {
    QStringList names;
    for (int tag = from; tag < 6; ++tag) names << prefix + QString::fromUtf16(KDelimNames[tag]);
    return names;
  };
  registry.AddItems(*edit, {u"miBeginEndSelect"_s, u"-"_s});
  QMenu *convertCase = submenu(*edit, u"Convert Case to"_s, u"miConvertCase"_s,
                               {u"miCaseUpper"_s, u"miCaseLower"_s, u"miCaseSentence"_s, u"miCaseProper"_s});
  submenu(*edit, u"Indent"_s, u"miIndent"_s, {u"miIndentInc"_s, u"miIndentDec"_s});
  submenu(*edit, u"EOL Conversion"_s, u"miEOL"_s, {u"miEOLWindows"_s, u"miEOLUnix"_s, u"miEOLMac"_s});
  submenu(*edit, u"Blank Operations"_s, u"miBlank"_s,
          {u"miTrimTrailing"_s, u"miTrimLeading"_s, u"miTrimBoth"_s, u"-"_s, u"miEOLToSpace"_s,
           u"miTrimEolToSpace"_s, u"-"_s, u"miTabToSpace"_s, u"miSpaceToTabAll"_s, u"miSpaceToTabLead"_s,
           u"miMultiSpaceToSingle"_s});
  submenu(*edit, u"Line Operations"_s, u"miLineOps"_s,
          {u"miSortLines"_s, u"miSortLinesCase"_s, u"miSortIntegers"_s, u"miSortIPv4"_s, u"-"_s,
           u"miRemoveDupLines"_s, u"miRemoveConsecDup"_s, u"miRemoveEmptyLines"_s, u"-"_s, u"miAddPrefixSuffix"_s,
           u"miRemovePrefixSuffix"_s, u"-"_s, u"miShuffleLines"_s, u"miReverseLines"_s});
  submenu(*edit, u"Encode/Decode"_s, u"miEncDec"_s,
          {u"miEncBase64Enc"_s, u"miEncBase64Dec"_s, u"miEncHtmlEnc"_s, u"miEncHtmlDec"_s, u"miEncUrlEnc"_s,
           u"miEncUrlDec"_s});
  QMenu *csv = edit->addMenu(u"CSV Operations"_s);
  csv->setObjectName(u"miCsvOps"_s);
  submenu(*csv, u"Delimiter"_s, u"miCsvDelim"_s, tagged(u"miCsvDelim"_s, 0));
  submenu(*csv, u"Replace Delimiter"_s, u"miCsvReplace"_s, tagged(u"miCsvRep"_s, 1));
  registry.AddItems(*csv, {u"-"_s, u"miCsvQuoteAll"_s, u"miCsvUnquoteAll"_s, u"-"_s, u"miCsvKeepCols"_s,
                           u"miCsvRemoveCols"_s});
  registry.FollowState(*csv);
  QStringList extract;
  for (const char16_t *name : KExtractNames) extract << QString::fromUtf16(name);
  submenu(*edit, u"Extract Operations"_s, u"miExtractOps"_s, extract);
  QStringList signalItems;
  for (const char16_t *name : KSignalNames) signalItems << QString::fromUtf16(name);
  submenu(*edit, u"Locate Signals"_s, u"miLocateSignals"_s, signalItems << u"-"_s << u"miSigAll"_s);
  // "Convert Case to" itself is enabled only with a selection, as its first two items.
  QObject::connect(edit, &QMenu::aboutToShow, convertCase, [this, convertCase] {
    convertCase->menuAction()->setEnabled(SelectionToolEnabled());
  });
  registry.FollowState(*edit);
}
