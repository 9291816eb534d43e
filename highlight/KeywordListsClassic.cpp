// Word lists of the Pascal, Basic, Fortran, Erlang, MATLAB and assembly, in stored order.
#include "KeywordLists.h"

namespace {

// Pascal
constexpr const char16_t *PascalKeywords[] = {
    u"absolute", u"abstract", u"and", u"array", u"as", u"asm", u"begin", u"case", u"class",
    u"const", u"constructor", u"destructor", u"dispinterface", u"div", u"do", u"downto", u"else",
    u"end", u"except", u"exports", u"file", u"finalization", u"finally", u"for", u"function",
    u"goto", u"if", u"implementation", u"in", u"inherited", u"initialization", u"inline",
    u"interface", u"is", u"label", u"library", u"mod", u"nil", u"not", u"object", u"of", u"on",
    u"operator", u"or", u"out", u"overload", u"override", u"packed", u"private", u"procedure",
    u"program", u"property", u"protected", u"public", u"published", u"raise", u"record",
    u"reintroduce", u"repeat", u"resourcestring", u"set", u"shl", u"shr", u"strict", u"then",
    u"threadvar", u"to", u"try", u"type", u"unit", u"until", u"uses", u"var", u"virtual", u"while",
    u"with", u"xor",
};
constexpr const char16_t *PascalTypes[] = {
    u"boolean", u"byte", u"cardinal", u"char", u"comp", u"currency", u"double", u"extended",
    u"int64", u"integer", u"longint", u"longword", u"nativeint", u"nativeuint", u"pointer", u"real",
    u"shortint", u"single", u"smallint", u"string", u"tobject", u"uint64", u"variant", u"widechar",
    u"widestring", u"word", u"true", u"false", u"result", u"self",
};

// Visual Basic
constexpr const char16_t *VisualBasicKeywords[] = {
    u"addhandler", u"and", u"andalso", u"as", u"byref", u"byval", u"call", u"case", u"catch",
    u"class", u"const", u"continue", u"dim", u"do", u"each", u"else", u"elseif", u"end", u"enum",
    u"erase", u"error", u"event", u"exit", u"finally", u"for", u"friend", u"function", u"get",
    u"goto", u"handles", u"if", u"implements", u"imports", u"in", u"inherits", u"interface", u"is",
    u"let", u"lib", u"like", u"loop", u"me", u"mod", u"module", u"must", u"mybase", u"myclass",
    u"namespace", u"new", u"next", u"not", u"nothing", u"of", u"on", u"option", u"optional", u"or",
    u"orelse", u"overloads", u"overridable", u"overrides", u"partial", u"private", u"property",
    u"protected", u"public", u"raiseevent", u"readonly", u"redim", u"rem", u"resume", u"return",
    u"select", u"set", u"shadows", u"shared", u"static", u"step", u"stop", u"structure", u"sub",
    u"then", u"throw", u"to", u"try", u"until", u"wend", u"when", u"while", u"with", u"xor",
};
constexpr const char16_t *VisualBasicTypes[] = {
    u"boolean", u"byte", u"char", u"date", u"decimal", u"double", u"integer", u"long", u"object",
    u"sbyte", u"short", u"single", u"string", u"uinteger", u"ulong", u"ushort", u"variant", u"true",
    u"false", u"msgbox", u"console", u"len", u"mid", u"left", u"right", u"trim", u"ucase", u"lcase",
    u"cstr", u"cint", u"cdbl",
};

// Fortran
constexpr const char16_t *FortranKeywords[] = {
    u"allocatable", u"allocate", u"assign", u"block", u"call", u"case", u"common", u"contains",
    u"continue", u"cycle", u"data", u"deallocate", u"default", u"do", u"else", u"elseif",
    u"elsewhere", u"end", u"enddo", u"endif", u"entry", u"equivalence", u"exit", u"external",
    u"forall", u"format", u"function", u"goto", u"if", u"implicit", u"in", u"inout", u"intent",
    u"interface", u"intrinsic", u"module", u"namelist", u"none", u"nullify", u"only", u"open",
    u"optional", u"out", u"parameter", u"pause", u"pointer", u"print", u"private", u"procedure",
    u"program", u"public", u"pure", u"read", u"recursive", u"result", u"return", u"rewind", u"save",
    u"select", u"sequence", u"stop", u"subroutine", u"target", u"then", u"type", u"use", u"where",
    u"while", u"write",
};
constexpr const char16_t *FortranTypes[] = {
    u"character", u"complex", u"double", u"integer", u"logical", u"real", u"precision", u"kind",
    u"len", u"size", u"shape", u"abs", u"sqrt", u"exp", u"log", u"sin", u"cos", u"tan", u"mod",
    u"min", u"max", u"sum", u"true", u"false",
};

// Erlang
constexpr const char16_t *ErlangKeywords[] = {
    u"after", u"and", u"andalso", u"band", u"begin", u"bnot", u"bor", u"bsl", u"bsr", u"bxor",
    u"case", u"catch", u"cond", u"div", u"end", u"fun", u"if", u"let", u"not", u"of", u"or",
    u"orelse", u"receive", u"rem", u"try", u"when", u"xor",
};
constexpr const char16_t *ErlangTypes[] = {
    u"true", u"false", u"undefined", u"ok", u"error", u"atom", u"binary", u"integer", u"float",
    u"list", u"tuple", u"pid", u"spawn", u"self", u"length", u"hd", u"tl", u"element", u"io",
    u"lists", u"maps", u"format",
};

// MATLAB
constexpr const char16_t *MatlabKeywords[] = {
    u"break", u"case", u"catch", u"classdef", u"continue", u"else", u"elseif", u"end", u"for",
    u"function", u"global", u"if", u"otherwise", u"parfor", u"persistent", u"return", u"switch",
    u"try", u"while",
};
constexpr const char16_t *MatlabTypes[] = {
    u"true", u"false", u"pi", u"inf", u"nan", u"eps", u"ans", u"zeros", u"ones", u"eye", u"size",
    u"length", u"numel", u"disp", u"fprintf", u"sprintf", u"plot", u"figure", u"hold", u"title",
    u"xlabel", u"ylabel", u"linspace", u"sum", u"mean", u"max", u"min", u"abs", u"sqrt", u"round",
    u"floor", u"ceil",
};

// Assembly
constexpr const char16_t *AssemblyKeywords[] = {
    u"add", u"and", u"call", u"cmp", u"dec", u"div", u"imul", u"inc", u"int", u"ja", u"jae", u"jb",
    u"jbe", u"je", u"jg", u"jge", u"jl", u"jle", u"jmp", u"jne", u"jnz", u"jz", u"lea", u"loop",
    u"mov", u"movzx", u"movsx", u"mul", u"neg", u"nop", u"not", u"or", u"pop", u"push", u"ret",
    u"sar", u"sbb", u"shl", u"shr", u"sub", u"test", u"xchg", u"xor", u"syscall", u"leave",
    u"enter", u"cdq", u"cqo",
};
constexpr const char16_t *AssemblyTypes[] = {
    u"al", u"ah", u"ax", u"eax", u"rax", u"bl", u"bh", u"bx", u"ebx", u"rbx", u"cl", u"ch", u"cx",
    u"ecx", u"rcx", u"dl", u"dh", u"dx", u"edx", u"rdx", u"si", u"esi", u"rsi", u"di", u"edi",
    u"rdi", u"bp", u"ebp", u"rbp", u"sp", u"esp", u"rsp", u"r8", u"r9", u"r10", u"r11", u"r12",
    u"r13", u"r14", u"r15", u"byte", u"word", u"dword", u"qword", u"ptr", u"db", u"dw", u"dd",
    u"dq", u"section", u"global", u"extern", u"segment", u"proc", u"endp", u"offset",
};

}  // namespace

constinit const TLanguageWords KPascalWords{PascalKeywords, PascalTypes};
constinit const TLanguageWords KVisualBasicWords{VisualBasicKeywords, VisualBasicTypes};
constinit const TLanguageWords KFortranWords{FortranKeywords, FortranTypes};
constinit const TLanguageWords KErlangWords{ErlangKeywords, ErlangTypes};
constinit const TLanguageWords KMatlabWords{MatlabKeywords, MatlabTypes};
constinit const TLanguageWords KAssemblyWords{AssemblyKeywords, AssemblyTypes};
