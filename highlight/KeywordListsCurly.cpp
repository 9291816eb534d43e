// Word lists of the C-like languages, in stored order.
#include "KeywordLists.h"

namespace {

// C/C++
constexpr const char16_t *CppKeywords[] = {
    u"alignas", u"alignof", u"asm", u"auto", u"break", u"case", u"catch", u"class", u"concept",
    u"const", u"consteval", u"constexpr", u"constinit", u"const_cast", u"continue", u"co_await",
    u"co_return", u"co_yield", u"decltype", u"default", u"delete", u"do", u"dynamic_cast", u"else",
    u"enum", u"explicit", u"export", u"extern", u"for", u"friend", u"goto", u"if", u"inline",
    u"mutable", u"namespace", u"new", u"noexcept", u"operator", u"private", u"protected", u"public",
    u"register", u"reinterpret_cast", u"requires", u"return", u"sizeof", u"static",
    u"static_assert", u"static_cast", u"struct", u"switch", u"template", u"this", u"thread_local",
    u"throw", u"try", u"typedef", u"typeid", u"typename", u"union", u"using", u"virtual",
    u"volatile", u"while",
};
constexpr const char16_t *CppTypes[] = {
    u"bool", u"char", u"char8_t", u"char16_t", u"char32_t", u"double", u"float", u"int", u"long",
    u"short", u"signed", u"unsigned", u"void", u"wchar_t", u"size_t", u"int8_t", u"int16_t",
    u"int32_t", u"int64_t", u"uint8_t", u"uint16_t", u"uint32_t", u"uint64_t", u"true", u"false",
    u"nullptr", u"NULL", u"std", u"string", u"vector", u"map",
};

// C#
constexpr const char16_t *CSharpKeywords[] = {
    u"abstract", u"as", u"async", u"await", u"base", u"break", u"case", u"catch", u"checked",
    u"class", u"const", u"continue", u"default", u"delegate", u"do", u"else", u"enum", u"event",
    u"explicit", u"extern", u"finally", u"fixed", u"for", u"foreach", u"goto", u"if", u"implicit",
    u"in", u"interface", u"internal", u"is", u"lock", u"namespace", u"new", u"operator", u"out",
    u"override", u"params", u"private", u"protected", u"public", u"readonly", u"record", u"ref",
    u"return", u"sealed", u"sizeof", u"stackalloc", u"static", u"struct", u"switch", u"this",
    u"throw", u"try", u"typeof", u"unchecked", u"unsafe", u"using", u"var", u"virtual", u"volatile",
    u"when", u"where", u"while", u"yield",
};
constexpr const char16_t *CSharpTypes[] = {
    u"bool", u"byte", u"char", u"decimal", u"double", u"dynamic", u"float", u"int", u"long",
    u"nint", u"nuint", u"object", u"sbyte", u"short", u"string", u"uint", u"ulong", u"ushort",
    u"void", u"true", u"false", u"null", u"List", u"Dictionary", u"Task",
};

// Java
constexpr const char16_t *JavaKeywords[] = {
    u"abstract", u"assert", u"break", u"case", u"catch", u"class", u"const", u"continue",
    u"default", u"do", u"else", u"enum", u"extends", u"final", u"finally", u"for", u"goto", u"if",
    u"implements", u"import", u"instanceof", u"interface", u"native", u"new", u"package",
    u"private", u"protected", u"public", u"record", u"return", u"sealed", u"static", u"strictfp",
    u"super", u"switch", u"synchronized", u"this", u"throw", u"throws", u"transient", u"try",
    u"var", u"volatile", u"while", u"yield",
};
constexpr const char16_t *JavaTypes[] = {
    u"boolean", u"byte", u"char", u"double", u"float", u"int", u"long", u"short", u"void", u"true",
    u"false", u"null", u"String", u"Integer", u"Long", u"Double", u"Boolean", u"Object", u"List",
    u"Map", u"Set", u"Optional",
};

// JavaScript
constexpr const char16_t *JavaScriptKeywords[] = {
    u"async", u"await", u"break", u"case", u"catch", u"class", u"const", u"continue", u"debugger",
    u"default", u"delete", u"do", u"else", u"export", u"extends", u"finally", u"for", u"function",
    u"get", u"if", u"import", u"in", u"instanceof", u"let", u"new", u"of", u"return", u"set",
    u"static", u"super", u"switch", u"this", u"throw", u"try", u"typeof", u"var", u"void", u"while",
    u"with", u"yield",
};
constexpr const char16_t *JavaScriptTypes[] = {
    u"true", u"false", u"null", u"undefined", u"NaN", u"Infinity", u"Array", u"Boolean", u"Date",
    u"Error", u"JSON", u"Map", u"Math", u"Number", u"Object", u"Promise", u"Proxy", u"RegExp",
    u"Set", u"String", u"Symbol", u"console", u"window", u"document", u"globalThis",
};

// TypeScript
constexpr const char16_t *TypeScriptKeywords[] = {
    u"abstract", u"as", u"declare", u"enum", u"implements", u"interface", u"is", u"keyof",
    u"namespace", u"override", u"private", u"protected", u"public", u"readonly", u"satisfies",
    u"type",
};
constexpr const char16_t *TypeScriptTypes[] = {
    u"any", u"bigint", u"boolean", u"never", u"number", u"object", u"string", u"symbol", u"unknown",
    u"void", u"Partial", u"Record", u"Required", u"Readonly", u"Pick", u"Omit",
};

// Go
constexpr const char16_t *GoKeywords[] = {
    u"break", u"case", u"chan", u"const", u"continue", u"default", u"defer", u"else",
    u"fallthrough", u"for", u"func", u"go", u"goto", u"if", u"import", u"interface", u"map",
    u"package", u"range", u"return", u"select", u"struct", u"switch", u"type", u"var",
};
constexpr const char16_t *GoTypes[] = {
    u"bool", u"byte", u"complex64", u"complex128", u"error", u"float32", u"float64", u"int",
    u"int8", u"int16", u"int32", u"int64", u"rune", u"string", u"uint", u"uint8", u"uint16",
    u"uint32", u"uint64", u"uintptr", u"true", u"false", u"nil", u"iota", u"append", u"cap",
    u"copy", u"delete", u"len", u"make", u"new", u"panic", u"recover", u"print", u"println",
};

// Rust
constexpr const char16_t *RustKeywords[] = {
    u"as", u"async", u"await", u"break", u"const", u"continue", u"crate", u"dyn", u"else", u"enum",
    u"extern", u"fn", u"for", u"if", u"impl", u"in", u"let", u"loop", u"match", u"mod", u"move",
    u"mut", u"pub", u"ref", u"return", u"static", u"struct", u"super", u"trait", u"type", u"unsafe",
    u"use", u"where", u"while",
};
constexpr const char16_t *RustTypes[] = {
    u"bool", u"char", u"f32", u"f64", u"i8", u"i16", u"i32", u"i64", u"i128", u"isize", u"str",
    u"u8", u"u16", u"u32", u"u64", u"u128", u"usize", u"true", u"false", u"self", u"Self", u"Some",
    u"None", u"Ok", u"Err", u"Box", u"Option", u"Result", u"String", u"Vec", u"HashMap", u"Rc",
    u"Arc",
};

// Swift
constexpr const char16_t *SwiftKeywords[] = {
    u"actor", u"as", u"associatedtype", u"async", u"await", u"break", u"case", u"catch", u"class",
    u"continue", u"default", u"defer", u"deinit", u"do", u"else", u"enum", u"extension",
    u"fallthrough", u"fileprivate", u"for", u"func", u"get", u"guard", u"if", u"import", u"in",
    u"indirect", u"init", u"inout", u"internal", u"is", u"lazy", u"let", u"mutating",
    u"nonmutating", u"open", u"operator", u"override", u"private", u"protocol", u"public",
    u"repeat", u"rethrows", u"return", u"self", u"set", u"some", u"static", u"struct", u"subscript",
    u"super", u"switch", u"throw", u"throws", u"try", u"typealias", u"var", u"weak", u"where",
    u"while",
};
constexpr const char16_t *SwiftTypes[] = {
    u"true", u"false", u"nil", u"Any", u"AnyObject", u"Bool", u"Character", u"Dictionary",
    u"Double", u"Float", u"Int", u"Int8", u"Int16", u"Int32", u"Int64", u"Optional", u"Set",
    u"String", u"UInt", u"Array", u"Error", u"Result", u"print",
};

// Kotlin
constexpr const char16_t *KotlinKeywords[] = {
    u"abstract", u"as", u"break", u"by", u"catch", u"class", u"companion", u"const", u"constructor",
    u"continue", u"crossinline", u"data", u"do", u"else", u"enum", u"final", u"finally", u"for",
    u"fun", u"get", u"if", u"import", u"in", u"infix", u"init", u"inline", u"inner", u"interface",
    u"internal", u"is", u"lateinit", u"object", u"open", u"operator", u"out", u"override",
    u"package", u"private", u"protected", u"public", u"reified", u"return", u"sealed", u"set",
    u"super", u"suspend", u"this", u"throw", u"try", u"typealias", u"val", u"var", u"vararg",
    u"when", u"where", u"while",
};
constexpr const char16_t *KotlinTypes[] = {
    u"true", u"false", u"null", u"Any", u"Boolean", u"Byte", u"Char", u"Double", u"Float", u"Int",
    u"Long", u"Nothing", u"Short", u"String", u"Unit", u"List", u"Map", u"Set", u"MutableList",
    u"Array", u"Pair", u"println", u"print", u"listOf", u"mapOf", u"setOf",
};

}  // namespace

constinit const TLanguageWords KCppWords{CppKeywords, CppTypes};
constinit const TLanguageWords KCSharpWords{CSharpKeywords, CSharpTypes};
constinit const TLanguageWords KJavaWords{JavaKeywords, JavaTypes};
constinit const TLanguageWords KJavaScriptWords{JavaScriptKeywords, JavaScriptTypes};
constinit const TLanguageWords KTypeScriptWords{TypeScriptKeywords, TypeScriptTypes};
constinit const TLanguageWords KGoWords{GoKeywords, GoTypes};
constinit const TLanguageWords KRustWords{RustKeywords, RustTypes};
constinit const TLanguageWords KSwiftWords{SwiftKeywords, SwiftTypes};
constinit const TLanguageWords KKotlinWords{KotlinKeywords, KotlinTypes};
