#include "ExtractKinds.h"

namespace {
// Any case of the scheme: "HTTPS://" is as much a link as "https://".
const char16_t KUrlPattern[] = uR"re((?i:https?)://[^\s"'<>,;]+)re";
// A start inside a run of local-part characters can only fail where the run's own start failed,
// so such starts are skipped (\G still allows the place where the previous match ended); without
// that a long run without "@" is searched again from each of its characters, which the
// interpreter, taking over a line from the JIT, does in seconds. "@" is not in the run, so making
// the run possessive changes no match and spares the engine giving it back character by character.
const char16_t KEmailPattern[] =
    uR"re((?:\G|(?<![a-zA-Z0-9._%+-]))[a-zA-Z0-9._%+-]++@[a-zA-Z0-9.-]+\.[a-zA-Z]{2,})re";
// The host of the URL's authority: after its last "@" (user names and passwords are not hosts,
// and "paypal.com:x@evil.example" is evil.example), without the port, up to the first character
// no host name holds; a bracketed IPv6 address whole.
const char16_t KDomainPattern[] =
    uR"re((?i:https?)://(?:[^/?#\s"'<>,;@]*@)*(\[[0-9A-Fa-f:.]+(?:%[0-9A-Za-z._~%-]+)?\]|[-.\w\p{L}\p{M}\p{N}\x{D800}-\x{DFFF}]+))re";
// Not inside a longer dotted run of numbers: an OID or a version number holds no address.
const char16_t KIPv4Pattern[] =
    uR"re((?<!\d\.)\b(?:25[0-5]|2[0-4]\d|1?\d?\d)(?:\.(?:25[0-5]|2[0-4]\d|1?\d?\d)){3}\b(?!\.\d))re";
// Fractions of seconds and zones are kept: without them different instants would read the same.
const char16_t KTimestampPattern[] =
    uR"re(\d{4}-\d{2}-\d{2}[T\s]\d{2}:\d{2}:\d{2}(?:\.\d+)?(?:Z|[+-]\d{2}(?::?\d{2})?(?!\d))?)re"
    uR"re(|\d{2}/[A-Za-z]{3}/\d{4}:\d{2}:\d{2}:\d{2}(?: [+-]\d{4})?)re";
const char16_t KMd5Pattern[] = uR"re(\b[a-fA-F0-9]{32}\b)re";
const char16_t KSha1Pattern[] = uR"re(\b[a-fA-F0-9]{40}\b)re";
const char16_t KSha256Pattern[] = uR"re(\b[a-fA-F0-9]{64}\b)re";
const char16_t KQuotedPattern[] = uR"re("([^"]*)"|'([^']*)')re";
// Attribute names in any case, blanks around "=", and the value up to the matching quote, so an
// apostrophe inside double quotes belongs to the value.
const char16_t KAttributePattern[] = uR"re((?i:href|src)\s*=\s*(?|"([^"]+)"|'([^']+)'))re";
// Names stop at the characters Windows forbids in them, and a drive letter right after a word
// character (HKLM:\) is none.
const char16_t KPathPattern[] = uR"re((?<!\w)[A-Za-z]:\\(?:[^\\\s<>:"/|?*]+\\)*[^\\\s<>:"/|?*]+)re";
const char16_t KPhonePattern[] =
    uR"re(\+?\d{1,4}?[-.\s]?\(?\d{1,3}?\)?[-.\s]?\d{1,4}[-.\s]?\d{1,4}[-.\s]?\d{1,9})re";

struct TKindRow {
  const char16_t *Caption;
  const char16_t *Title;
  const char16_t *Pattern;
  int Group;
  int AltGroup;
  bool PublicIPOnly;
  bool PhoneFilter;
  bool CountMode;
};

const TKindRow KKinds[KExtractKindCount] = {
    {u"URLs", u"URLs", KUrlPattern, 0, -1, false, false, false},
    {u"Emails", u"Emails", KEmailPattern, 0, -1, false, false, false},
    {u"Domains", u"Domains", KDomainPattern, 1, -1, false, false, false},
    {u"IPv4 Addresses", u"IPv4 Addresses", KIPv4Pattern, 0, -1, false, false, false},
    {u"Timestamps", u"Timestamps", KTimestampPattern, 0, -1, false, false, false},
    {u"MD5 Hashes", u"MD5", KMd5Pattern, 0, -1, false, false, false},
    {u"SHA-1 Hashes", u"SHA-1", KSha1Pattern, 0, -1, false, false, false},
    {u"SHA-256 Hashes", u"SHA-256", KSha256Pattern, 0, -1, false, false, false},
    {u"Quoted Strings", u"Quoted Strings", KQuotedPattern, 1, 2, false, false, false},
    {u"HTML Attributes (href/src)", u"HTML Attributes (href/src)", KAttributePattern, 1, -1, false, false, false},
    {u"Windows Paths", u"Windows Paths", KPathPattern, 0, -1, false, false, false},
    {u"IPv4 Addresses (Except Local)", u"IPv4 Addresses (Except Local)", KIPv4Pattern, 0, -1, true, false, false},
    {u"IPv4 Addresses (with Count)", u"IPv4 Addresses (with Count)", KIPv4Pattern, 0, -1, false, false, true},
    {u"Phone Numbers", u"Phone Numbers", KPhonePattern, 0, -1, false, true, false},
};

const TKindRow &RowOf(TExtractKind kind) { return KKinds[int(kind)]; }
}  // namespace

QString ExtractMenuCaption(TExtractKind kind) { return QString::fromUtf16(RowOf(kind).Caption); }

TExtractSpec ExtractSpecOf(TExtractKind kind) {
  const TKindRow &row = RowOf(kind);
  return TExtractSpec{QString::fromUtf16(row.Title), QString::fromUtf16(row.Pattern), row.Group, row.AltGroup,
                      row.PublicIPOnly, row.PhoneFilter, row.CountMode};
}
