#include "EditorContextMenu.h"

#include "CommandContext.h"
#include "app/EditorDoc.h"
#include "app/tools/TextDriver.h"
#include "editor/Edit.h"
#include "platform/MessageBox.h"
#include "tools/Base64Codec.h"
#include "tools/CaseConversion.h"
#include "tools/Defang.h"
#include "tools/HexCodec.h"
#include "tools/HtmlCodec.h"
#include "tools/IdnCodec.h"
#include "tools/Rot13.h"
#include "tools/TextHash.h"
#include "tools/TextRules.h"
#include "tools/Timestamp.h"
#include "tools/UrlCodec.h"


using namespace Qt::Literals::StringLiterals;

namespace {

// "Timestamp to" looks at short selections only.
constexpr int KTimestampSelectionLimit = 30;

TTextTransform Infallible(QString (*rule)(QStringView)) {
  return [rule](QStringView text) { return TTextResult::Success(rule(text)); };
}

bool HasSelection(TCommandContext &c) {
  const TEditorDoc *doc = c.ActiveDoc();
  return doc && doc->Editor && !doc->IsLoading && doc->Editor->SelAvail();
}

// The selection is short and reads as an integer.
bool SelectionIsTimestamp(TCommandContext &c) {
  if (!HasSelection(c)) return false;
  const TMEEdit &editor = *c.ActiveEditor();
  if (editor.BlockBegin().Line != editor.BlockEnd().Line ||
      qAbs(editor.BlockEnd().Char - editor.BlockBegin().Char) > KTimestampSelectionLimit)
    return false;
  return ReadInt64(Trimmed(editor.SelText())).has_value();
}

struct TTimestampItem {
  const char16_t *Name;
  const char16_t *Caption;
  TTimestampFormat Format;
};
const TTimestampItem KTimestampItems[] = {
    {u"cmTimestampIsoDateTime", u"Date Time (ISO 8601)", TTimestampFormat::IsoDateTime},
    {u"cmTimestampMySqlDateTime", u"Date Time (MySQL)", TTimestampFormat::MySqlDateTime},
    {u"cmTimestampIsoDate", u"Date (ISO 8601)", TTimestampFormat::IsoDate},
    {u"cmTimestampMySqlDate", u"Date (MySQL)", TTimestampFormat::MySqlDate}};

// Too short a text for a worker: converted at once, and a failure shows the rule's own message.
void cmTimestampToClick(TCommandContext &c, TTextDriver &driver, TTimestampFormat format) {
  TEditorDoc *doc = driver.ToolTarget();
  if (!doc || !doc->Editor->SelAvail()) return;
  const TTextResult result = TimestampToText(doc->Editor->SelText(), format, QTimeZone::systemTimeZone());
  if (!result.IsOk()) ShowError(c.DialogParent(), result.Error());
  else doc->Editor->SetSelText(result.Value());
}

}  // namespace

std::vector<TCommand> EditorContextToolCommands(TCommandContext &c, TTextDriver &driver) {
  const auto selection = [&c] { return HasSelection(c); };
  const auto item = [&driver, selection](QString name, QString caption, QString title, TTextTransform transform) {
    return TCommand{std::move(name), std::move(caption), {},
                    [&driver, title, transform] { driver.TransformSelectedText(transform, title); }, selection, {}};
  };
  const auto hash = [](TTextHashKind kind) {
    return TTextTransform([kind](QStringView text) { return HashText(text, kind); });
  };
  std::vector<TCommand> commands = {
      item(u"cmUpper"_s, u"UPPERCASE"_s, u"UPPERCASE"_s, Infallible(UpperCaseAscii)),
      item(u"cmLower"_s, u"lowercase"_s, u"lowercase"_s, Infallible(LowerCaseAscii)),
      item(u"cmUrlEncode"_s, u"URL Encode"_s, u"URL Encode"_s, Infallible(UrlEncode)),
      item(u"cmUrlDecode"_s, u"URL Decode"_s, u"URL Decode"_s, UrlDecode),
      item(u"cmBase64Encode"_s, u"Base64 Encode"_s, u"Base64 Encode"_s, Infallible(Base64Encode)),
      item(u"cmBase64Decode"_s, u"Base64 Decode"_s, u"Base64 Decode"_s, Base64Decode),
      item(u"cmHtmlEncode"_s, u"HTML Encode"_s, u"HTML Encode"_s, Infallible(HtmlEncode)),
      item(u"cmHtmlDecode"_s, u"HTML Decode"_s, u"HTML Decode"_s, Infallible(HtmlDecode)),
      item(u"cmIdnEncode"_s, u"IDN Encode"_s, u"IDN Encode"_s, Infallible(IdnEncode)),
      item(u"cmIdnDecode"_s, u"IDN Decode"_s, u"IDN Decode"_s, Infallible(IdnDecode)),
      item(u"cmRot13Encode"_s, u"ROT13 Encode"_s, u"ROT13"_s, Infallible(Rot13)),
      item(u"cmRot13Decode"_s, u"ROT13 Decode"_s, u"ROT13"_s, Infallible(Rot13)),
      item(u"cmAsciiToHex"_s, u"ASCII to HEX"_s, u"ASCII to HEX"_s, Infallible(AsciiToHex)),
      item(u"cmHexToAscii"_s, u"HEX to ASCII"_s, u"HEX to ASCII"_s, HexToAscii),
      item(u"cmMD5"_s, u"MD5 Hash"_s, u"MD5"_s, hash(TTextHashKind::Md5)),
      item(u"cmSHA1"_s, u"SHA-1 Hash"_s, u"SHA-1"_s, hash(TTextHashKind::Sha1)),
      item(u"cmSHA256"_s, u"SHA-256 Hash"_s, u"SHA-256"_s, hash(TTextHashKind::Sha256)),
      item(u"cmDefangDo"_s, u"Defang"_s, u"Defang URL"_s, Infallible(DefangUrls)),
      item(u"cmDefangRefang"_s, u"Refang"_s, u"Defang URL (Revert)"_s, Infallible(RefangUrls)),
  };
  for (const TTimestampItem &timestamp : KTimestampItems)
    commands.push_back({QString::fromUtf16(timestamp.Name), QString::fromUtf16(timestamp.Caption), {},
                        [&c, &driver, format = timestamp.Format] { cmTimestampToClick(c, driver, format); },
                        [&c] { return SelectionIsTimestamp(c); }, {}});
  return commands;
}

std::vector<TMenuEntry> EditorContextToolRows() {
  std::vector<TMenuEntry> rows = MenuCommands({u"cmUpper"_s, u"cmLower"_s});
  rows.push_back(MenuSubmenu(u"cmEncodeDecode"_s, u"Encode/Decode"_s,
                             MenuCommands({u"cmUrlEncode"_s, u"cmUrlDecode"_s, u"-"_s, u"cmBase64Encode"_s,
                                           u"cmBase64Decode"_s, u"-"_s, u"cmHtmlEncode"_s, u"cmHtmlDecode"_s, u"-"_s,
                                           u"cmIdnEncode"_s, u"cmIdnDecode"_s, u"-"_s, u"cmRot13Encode"_s,
                                           u"cmRot13Decode"_s, u"-"_s, u"cmAsciiToHex"_s, u"cmHexToAscii"_s})));
  rows.push_back(
      MenuSubmenu(u"cmHashString"_s, u"Hash String"_s, MenuCommands({u"cmMD5"_s, u"cmSHA1"_s, u"cmSHA256"_s})));
  rows.push_back(MenuSubmenu(u"cmDefang"_s, u"Defang URL"_s, MenuCommands({u"cmDefangDo"_s, u"cmDefangRefang"_s})));
  QStringList timestamps;
  for (const TTimestampItem &timestamp : KTimestampItems) timestamps << QString::fromUtf16(timestamp.Name);
  rows.push_back(MenuSubmenu(u"cmTimestampTo"_s, u"Timestamp to"_s, MenuCommands(timestamps)));
  return rows;
}
