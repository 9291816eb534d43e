#include "InsertCommands.h"

#include "CommandContext.h"
#include "InsertText.h"
#include "app/EditorDoc.h"
#include "platform/MachineFacts.h"
#include "platform/MessageBox.h"
#include "platform/Prompts.h"
#include "tools/InsertTexts.h"
#include "tools/RandomGenerator.h"
#include "tools/pe/PeSignature.h"
#include "tools/pe/PeVersion.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {

// Larger files are not read whole for a version field or a signature.
constexpr qint64 KMaxExecutableSize = 512LL * 1024 * 1024;

const QString KExecutableFilter = u"Executable files (*.exe *.dll *.sys);;All files (*)"_s;

// Names by tag, as the version resource spells them.
const QStringList KVersionFields = {u"ProductName"_s, u"ProductVersion"_s, u"FileVersion"_s, u"FileDescription"_s,
                                    u"CompanyName"_s};

struct TTaggedItem {
  QString Name;
  QString Caption;
};

const std::vector<TTaggedItem> KDateTimeItems = {{u"cmDtMySQL"_s, u"MySQL"_s},
                                                 {u"cmDtISO"_s, u"ISO 8601"_s},
                                                 {u"cmDtShort"_s, u"Short"_s},
                                                 {u"cmDtLong"_s, u"Long"_s},
                                                 {u"cmDtTimestamp"_s, u"Timestamp"_s}};
const std::vector<TTaggedItem> KColorItems = {{u"cmColHexHash"_s, u"#HEX (#123456)"_s},
                                              {u"cmColHex"_s, u"HEX (123456)"_s},
                                              {u"cmColRgb"_s, u"RGB (1,2,3)"_s},
                                              {u"cmColRgba"_s, u"RGBA (1,2,3,1.0)"_s}};
const std::vector<TTaggedItem> KCurrentFileItems = {{u"cmInsFullPath"_s, u"Full File Path"_s},
                                                    {u"cmInsFileName"_s, u"File Name"_s},
                                                    {u"cmInsFileNameNoExt"_s, u"File Name (Without Extension)"_s},
                                                    {u"cmInsDirPath"_s, u"Directory Path"_s}};
const std::vector<TTaggedItem> KComputerItems = {{u"cmInsPCName"_s, u"PC Name"_s}, {u"cmInsPCUser"_s, u"PC User"_s}};
const std::vector<TTaggedItem> KExeVersionItems = {{u"cmExeProductName"_s, u"Product Name"_s},
                                                   {u"cmExeProductVersion"_s, u"Product Version"_s},
                                                   {u"cmExeFileVersion"_s, u"File Version"_s},
                                                   {u"cmExeFileDescription"_s, u"File Description"_s},
                                                   {u"cmExeCompanyName"_s, u"Company Name"_s}};
const std::vector<TTaggedItem> KRandomItems = {{u"cmRndIPv4"_s, u"IPv4 Address"_s},
                                               {u"cmRndMD5"_s, u"MD5 Hash"_s},
                                               {u"cmRndSHA1"_s, u"SHA-1 Hash"_s},
                                               {u"cmRndSHA256"_s, u"SHA-256 Hash"_s}};

QStringList NamesOf(const std::vector<TTaggedItem> &items) {
  QStringList names;
  for (const TTaggedItem &item : items) names << item.Name;
  return names;
}

}  // namespace

QStringList TInsertCommands::DateTimeItems() { return NamesOf(KDateTimeItems); }
QStringList TInsertCommands::ColorItems() { return NamesOf(KColorItems); }
QStringList TInsertCommands::CurrentFileItems() { return NamesOf(KCurrentFileItems); }
QStringList TInsertCommands::ComputerItems() { return NamesOf(KComputerItems); }
QStringList TInsertCommands::ExeVersionItems() { return NamesOf(KExeVersionItems); }
QStringList TInsertCommands::RandomItems() { return NamesOf(KRandomItems); }

std::vector<TCommand> TInsertCommands::Commands() {
  const auto hasFileName = [this] { return FContext.ActiveDoc() && !FContext.ActiveDoc()->FileName.isEmpty(); };
  std::vector<TCommand> commands = {
      {u"cmInsUuid"_s, u"UUID"_s, {}, [this] { Insert(UuidText(QUuid::createUuid())); }, {}, {}},
      {u"cmInsGuid"_s, u"GUID (Windows)"_s, {}, [this] { Insert(GuidText(QUuid::createUuid())); }, {}, {}},
      {u"cmInsExeSigner"_s, u"EXE Signer"_s, {}, [this] { cmInsExeSignerClick(); }, {}, {}},
      {u"cmInsBrowseFile"_s, u"Full File Path"_s, {}, [this] { cmInsBrowseFileClick(); }, {}, {}},
  };
  const auto addTagged = [&](const std::vector<TTaggedItem> &items, void (TInsertCommands::*click)(int),
                             const std::function<bool()> &enabled) {
    for (int tag = 0; tag < int(items.size()); ++tag)
      commands.push_back({items[tag].Name, items[tag].Caption, {}, [this, click, tag] { (this->*click)(tag); }, enabled, {}});
  };
  addTagged(KDateTimeItems, &TInsertCommands::cmInsertDateTimeClick, {});
  addTagged(KColorItems, &TInsertCommands::cmInsertColorClick, {});
  addTagged(KCurrentFileItems, &TInsertCommands::cmInsertPathClick, hasFileName);
  addTagged(KComputerItems, &TInsertCommands::cmInsComputerClick, {});
  addTagged(KExeVersionItems, &TInsertCommands::cmInsExeVerClick, {});
  addTagged(KRandomItems, &TInsertCommands::cmInsRandomClick, {});
  return commands;
}

void TInsertCommands::Insert(const QString &text) { InsertOrReplaceText(FContext.ActiveEditor(), text); }

void TInsertCommands::cmInsertDateTimeClick(int tag) {
  // One reading of the clock gives both the time and its offset from UTC.
  Insert(DateTimeText(tag, QDateTime::currentDateTimeUtc(), QTimeZone::systemTimeZone(), QLocale::system()));
}

void TInsertCommands::cmInsertColorClick(int tag) {
  if (!FContext.ActiveEditor()) return;
  const std::optional<QColor> color = AskColor(FContext.DialogParent(), FLastColor);
  if (!color) return;
  FLastColor = *color;
  Insert(ColorText(tag, color->red(), color->green(), color->blue()));
}

void TInsertCommands::cmInsertPathClick(int tag) {
  if (const TEditorDoc *doc = FContext.ActiveDoc()) Insert(CurrentFileText(tag, doc->FileName));
}

void TInsertCommands::cmInsComputerClick(int tag) { Insert(tag == 0 ? ComputerName() : UserName()); }

std::optional<QByteArray> TInsertCommands::AskExecutable() {
  if (!FContext.ActiveEditor()) return std::nullopt;
  const std::optional<QString> path = AskOpenFile(FContext.DialogParent(), QString(), KExecutableFilter);
  if (!path) return std::nullopt;
  QFile file(*path);
  if (file.size() > KMaxExecutableSize || !file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

void TInsertCommands::cmInsExeVerClick(int tag) {
  if (tag < 0 || tag >= KVersionFields.size()) return;
  const std::optional<QByteArray> image = AskExecutable();
  if (!image) return;
  const std::optional<TPeVersionInfo> info = ReadPeVersionInfo(*image);
  if (!info) {
    ShowInformation(FContext.DialogParent(), u"No version information found in the selected file."_s);
    return;
  }
  if (info->Translations.isEmpty()) return;
  const QString field = KVersionFields[tag];
  const QString value = VersionString(*info, field).value_or(QString()).trimmed();
  if (value.isEmpty())
    ShowInformation(FContext.DialogParent(), u"The selected file has no \""_s + field + u"\" value."_s);
  else Insert(value);
}

void TInsertCommands::cmInsExeSignerClick() {
  const std::optional<QByteArray> image = AskExecutable();
  if (!image) return;
  const std::optional<TPeSigner> signer = ReadPeSigner(*image);
  if (!signer) {
    ShowInformation(FContext.DialogParent(), u"Could not read a digital signature from the selected file."_s);
    return;
  }
  Insert(signer->Verified ? signer->Name : signer->Name + u" (signature not verified)"_s);
}

void TInsertCommands::cmInsRandomClick(int tag) {
  static constexpr int KHexLengths[] = {32, 40, 64};
  TRandomGenerator &random = ProcessRandom();
  if (tag >= 1 && tag <= 3) Insert(RandomHex(random, KHexLengths[tag - 1]));
  else Insert(RandomIpv4(random));
}

void TInsertCommands::cmInsBrowseFileClick() {
  if (!FContext.ActiveEditor()) return;
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  const std::optional<QString> path = AskOpenFile(FContext.DialogParent(), u"Select File to Insert Its Full Path"_s,
                                                  u"All files (*)"_s, QDir(desktop).exists() ? desktop : QString());
  if (path) Insert(QDir::toNativeSeparators(*path));
}
