// Word lists of the data, query and configuration languages, in stored order.
#include "KeywordLists.h"

namespace {

// JSON
constexpr const char16_t *JsonKeywords[] = {
    u"true", u"false", u"null",
};

// SQL
constexpr const char16_t *SqlKeywords[] = {
    u"add", u"all", u"alter", u"and", u"any", u"as", u"asc", u"begin", u"between", u"by", u"case",
    u"check", u"column", u"commit", u"constraint", u"create", u"cross", u"database", u"declare",
    u"default", u"delete", u"desc", u"distinct", u"drop", u"else", u"end", u"except", u"exec",
    u"exists", u"foreign", u"from", u"full", u"group", u"having", u"if", u"in", u"index", u"inner",
    u"insert", u"intersect", u"into", u"is", u"join", u"key", u"left", u"like", u"limit", u"not",
    u"null", u"offset", u"on", u"or", u"order", u"outer", u"primary", u"procedure", u"references",
    u"returning", u"right", u"rollback", u"select", u"set", u"table", u"then", u"top",
    u"transaction", u"trigger", u"truncate", u"union", u"unique", u"update", u"values", u"view",
    u"when", u"where", u"with",
};
constexpr const char16_t *SqlTypes[] = {
    u"bigint", u"binary", u"bit", u"blob", u"boolean", u"char", u"date", u"datetime", u"decimal",
    u"double", u"float", u"int", u"integer", u"json", u"money", u"nchar", u"numeric", u"nvarchar",
    u"real", u"smallint", u"text", u"time", u"timestamp", u"tinyint", u"uuid", u"varbinary",
    u"varchar", u"count", u"sum", u"avg", u"min", u"max", u"coalesce", u"cast", u"convert", u"now",
    u"getdate",
};

// YAML
constexpr const char16_t *YamlKeywords[] = {
    u"true", u"false", u"null", u"yes", u"no", u"on", u"off",
};

// TOML
constexpr const char16_t *TomlKeywords[] = {
    u"true", u"false",
};

// Registry
constexpr const char16_t *RegistryKeywords[] = {
    u"dword", u"hex", u"REG_SZ", u"REG_DWORD", u"REG_BINARY", u"REG_EXPAND_SZ", u"REG_MULTI_SZ",
    u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER", u"HKEY_LOCAL_MACHINE", u"HKEY_USERS",
    u"HKEY_CURRENT_CONFIG",
};

// HCL/Terraform
constexpr const char16_t *HclKeywords[] = {
    u"resource", u"data", u"variable", u"output", u"module", u"provider", u"terraform", u"locals",
    u"for_each", u"for", u"in", u"if", u"count", u"depends_on", u"lifecycle", u"dynamic",
    u"content", u"backend", u"required_providers", u"required_version",
};
constexpr const char16_t *HclTypes[] = {
    u"true", u"false", u"null", u"string", u"number", u"bool", u"list", u"map", u"set", u"object",
    u"tuple", u"any", u"var", u"local", u"each", u"self", u"length", u"format", u"join", u"split",
    u"lookup", u"merge", u"concat", u"file", u"templatefile", u"toset", u"tolist", u"tomap",
};

}  // namespace

constinit const TLanguageWords KJsonWords{JsonKeywords, {}};
constinit const TLanguageWords KSqlWords{SqlKeywords, SqlTypes};
constinit const TLanguageWords KYamlWords{YamlKeywords, {}};
constinit const TLanguageWords KTomlWords{TomlKeywords, {}};
constinit const TLanguageWords KRegistryWords{RegistryKeywords, {}};
constinit const TLanguageWords KHclWords{HclKeywords, HclTypes};
