// Word lists of the scripting and build languages, in stored order.
#include "KeywordLists.h"

namespace {

// Python
constexpr const char16_t *PythonKeywords[] = {
    u"and", u"as", u"assert", u"async", u"await", u"break", u"case", u"class", u"continue", u"def",
    u"del", u"elif", u"else", u"except", u"finally", u"for", u"from", u"global", u"if", u"import",
    u"in", u"is", u"lambda", u"match", u"nonlocal", u"not", u"or", u"pass", u"raise", u"return",
    u"try", u"while", u"with", u"yield",
};
constexpr const char16_t *PythonTypes[] = {
    u"True", u"False", u"None", u"self", u"cls", u"bool", u"bytes", u"dict", u"float", u"int",
    u"list", u"set", u"str", u"tuple", u"object", u"print", u"len", u"range", u"enumerate", u"zip",
    u"open", u"type", u"isinstance", u"super", u"Exception",
};

// Ruby
constexpr const char16_t *RubyKeywords[] = {
    u"alias", u"and", u"begin", u"break", u"case", u"class", u"def", u"defined?", u"do", u"else",
    u"elsif", u"end", u"ensure", u"for", u"if", u"in", u"module", u"next", u"not", u"or", u"redo",
    u"rescue", u"retry", u"return", u"super", u"then", u"undef", u"unless", u"until", u"when",
    u"while", u"yield",
};
constexpr const char16_t *RubyTypes[] = {
    u"true", u"false", u"nil", u"self", u"puts", u"print", u"require", u"require_relative",
    u"attr_accessor", u"attr_reader", u"attr_writer", u"new", u"lambda", u"proc", u"raise",
    u"Array", u"Hash", u"String", u"Integer", u"Float", u"Symbol",
};

// Perl
constexpr const char16_t *PerlKeywords[] = {
    u"and", u"bless", u"can", u"continue", u"die", u"do", u"each", u"else", u"elsif", u"eq",
    u"eval", u"exists", u"for", u"foreach", u"ge", u"gt", u"if", u"keys", u"last", u"le", u"local",
    u"lt", u"my", u"ne", u"next", u"no", u"not", u"or", u"our", u"package", u"redo", u"ref",
    u"require", u"return", u"scalar", u"sub", u"unless", u"until", u"use", u"values", u"wantarray",
    u"while", u"xor",
};
constexpr const char16_t *PerlTypes[] = {
    u"print", u"printf", u"push", u"pop", u"shift", u"unshift", u"split", u"join", u"map", u"grep",
    u"sort", u"reverse", u"defined", u"undef", u"length", u"substr", u"index", u"sprintf", u"open",
    u"close", u"chomp", u"chop", u"STDIN", u"STDOUT", u"STDERR",
};

// PHP code
constexpr const char16_t *PhpCodeKeywords[] = {
    u"abstract", u"and", u"array", u"as", u"break", u"callable", u"case", u"catch", u"class",
    u"clone", u"const", u"continue", u"declare", u"default", u"do", u"echo", u"else", u"elseif",
    u"empty", u"enddeclare", u"endfor", u"endforeach", u"endif", u"endswitch", u"endwhile", u"enum",
    u"extends", u"final", u"finally", u"fn", u"for", u"foreach", u"function", u"global", u"goto",
    u"if", u"implements", u"include", u"include_once", u"instanceof", u"insteadof", u"interface",
    u"isset", u"list", u"match", u"namespace", u"new", u"or", u"print", u"private", u"protected",
    u"public", u"readonly", u"require", u"require_once", u"return", u"static", u"switch", u"throw",
    u"trait", u"try", u"unset", u"use", u"var", u"while", u"xor", u"yield",
};
constexpr const char16_t *PhpCodeTypes[] = {
    u"true", u"false", u"null", u"int", u"float", u"string", u"bool", u"void", u"mixed", u"never",
    u"object", u"iterable", u"self", u"parent", u"this", u"strlen", u"count", u"array_map",
    u"array_filter", u"implode", u"explode", u"isset", u"define",
};

// Lua
constexpr const char16_t *LuaKeywords[] = {
    u"and", u"break", u"do", u"else", u"elseif", u"end", u"for", u"function", u"goto", u"if", u"in",
    u"local", u"not", u"or", u"repeat", u"return", u"then", u"until", u"while",
};
constexpr const char16_t *LuaTypes[] = {
    u"true", u"false", u"nil", u"self", u"print", u"pairs", u"ipairs", u"type", u"tostring",
    u"tonumber", u"require", u"pcall", u"error", u"assert", u"table", u"string", u"math", u"io",
    u"os", u"setmetatable", u"getmetatable",
};

// Shell
constexpr const char16_t *ShellKeywords[] = {
    u"case", u"do", u"done", u"elif", u"else", u"esac", u"fi", u"for", u"function", u"if", u"in",
    u"select", u"then", u"time", u"until", u"while", u"break", u"continue", u"return", u"exit",
    u"local", u"declare", u"readonly", u"export", u"source", u"alias", u"set", u"unset", u"shift",
    u"trap", u"eval", u"exec",
};
constexpr const char16_t *ShellTypes[] = {
    u"echo", u"printf", u"read", u"cd", u"pwd", u"ls", u"cp", u"mv", u"rm", u"mkdir", u"test",
    u"grep", u"sed", u"awk", u"cat", u"chmod", u"chown", u"curl", u"wget", u"tar", u"find",
    u"xargs", u"sudo", u"kill", u"sleep", u"true", u"false", u"systemctl", u"service", u"apt-get",
    u"apt", u"dpkg", u"yum", u"dnf", u"snap", u"sysctl", u"update-rc.d", u"journalctl", u"mount",
    u"umount", u"mkswap", u"swapon", u"swapoff", u"useradd", u"usermod", u"chgrp", u"ln", u"rsync",
    u"ssh", u"scp", u"crontab", u"df", u"du", u"ps", u"top", u"head", u"tail", u"tee", u"which",
    u"env",
};

// PowerShell
constexpr const char16_t *PowerShellKeywords[] = {
    u"begin", u"break", u"catch", u"class", u"continue", u"data", u"do", u"dynamicparam", u"else",
    u"elseif", u"end", u"enum", u"exit", u"filter", u"finally", u"for", u"foreach", u"from",
    u"function", u"hidden", u"if", u"in", u"param", u"process", u"return", u"static", u"switch",
    u"throw", u"trap", u"try", u"until", u"using", u"var", u"while",
};
constexpr const char16_t *PowerShellTypes[] = {
    u"Write-Host", u"Write-Output", u"Get-Item", u"Get-ChildItem", u"Get-Content", u"Set-Content",
    u"ForEach-Object", u"Where-Object", u"Select-Object", u"New-Object", u"Test-Path", u"Join-Path",
    u"Out-File", u"Import-Module", u"true", u"false", u"null", u"string", u"int", u"bool", u"array",
    u"hashtable", u"pscustomobject",
};

// Batch
constexpr const char16_t *BatchKeywords[] = {
    u"call", u"cd", u"cls", u"copy", u"del", u"dir", u"do", u"echo", u"else", u"endlocal",
    u"errorlevel", u"exist", u"exit", u"for", u"goto", u"if", u"in", u"md", u"mkdir", u"move",
    u"not", u"nul", u"pause", u"popd", u"pushd", u"rd", u"rem", u"ren", u"set", u"setlocal",
    u"shift", u"start", u"title", u"type", u"xcopy", u"defined", u"equ", u"neq", u"lss", u"leq",
    u"gtr", u"geq",
};

// AutoIt
constexpr const char16_t *AutoItKeywords[] = {
    u"and", u"byref", u"case", u"const", u"continuecase", u"continueloop", u"default", u"dim",
    u"do", u"else", u"elseif", u"endfunc", u"endif", u"endselect", u"endswitch", u"endwith",
    u"enum", u"exit", u"exitloop", u"for", u"func", u"global", u"if", u"in", u"local", u"next",
    u"not", u"or", u"redim", u"return", u"select", u"static", u"step", u"switch", u"then", u"to",
    u"until", u"volatile", u"wend", u"while", u"with",
};
constexpr const char16_t *AutoItTypes[] = {
    u"true", u"false", u"null", u"msgbox", u"consolewrite", u"run", u"sleep", u"send", u"winwait",
    u"winactivate", u"controlclick", u"stringsplit", u"stringlen", u"ubound", u"filereadline",
    u"fileopen", u"fileclose",
};

// NSIS
constexpr const char16_t *NsisKeywords[] = {
    u"Section", u"SectionEnd", u"SectionGroup", u"SectionGroupEnd", u"Function", u"FunctionEnd",
    u"Call", u"Goto", u"Return", u"IfErrors", u"IfFileExists", u"StrCmp", u"StrCpy", u"IntCmp",
    u"Push", u"Pop", u"Exch", u"Abort", u"Quit", u"SetOutPath", u"File", u"Delete", u"RMDir",
    u"CreateDirectory", u"CreateShortcut", u"WriteRegStr", u"WriteRegDWORD", u"ReadRegStr",
    u"DeleteRegKey", u"WriteUninstaller", u"ExecWait", u"Exec", u"MessageBox", u"DetailPrint",
    u"Name", u"OutFile", u"InstallDir", u"Page", u"UninstPage", u"RequestExecutionLevel",
};
constexpr const char16_t *NsisTypes[] = {
    u"MB_OK", u"MB_YESNO", u"MB_ICONQUESTION", u"IDYES", u"IDNO", u"HKLM", u"HKCU", u"HKCR",
    u"true", u"false", u"on", u"off", u"all", u"none", u"INSTDIR", u"PROGRAMFILES", u"DESKTOP",
    u"SMPROGRAMS", u"TEMP", u"EXEDIR",
};

// Inno Setup
constexpr const char16_t *InnoSetupKeywords[] = {
    u"begin", u"end", u"if", u"then", u"else", u"case", u"of", u"for", u"to", u"downto", u"do",
    u"while", u"repeat", u"until", u"function", u"procedure", u"var", u"const", u"type", u"uses",
    u"not", u"and", u"or", u"div", u"mod", u"nil", u"true", u"false", u"try", u"except", u"finally",
    u"with",
};
constexpr const char16_t *InnoSetupTypes[] = {
    u"MsgBox", u"ExpandConstant", u"WizardForm", u"CurStep", u"CurPage", u"Is64BitInstallMode",
    u"IsWin64", u"FileExists", u"DirExists", u"Exec", u"mbConfirmation", u"mbInformation",
    u"mbError", u"MB_OK", u"MB_YESNO", u"IDYES", u"IDNO", u"string", u"integer", u"boolean",
};

// Makefile
constexpr const char16_t *MakefileKeywords[] = {
    u"define", u"else", u"endef", u"endif", u"export", u"ifdef", u"ifeq", u"ifndef", u"ifneq",
    u"include", u"override", u"unexport", u"vpath", u"-include",
};
constexpr const char16_t *MakefileTypes[] = {
    u"PHONY", u"SHELL", u"MAKE", u"MAKEFLAGS", u"CC", u"CXX", u"CFLAGS", u"CXXFLAGS", u"LDFLAGS",
    u"wildcard", u"patsubst", u"subst", u"foreach", u"shell", u"filter", u"notdir", u"basename",
    u"addprefix",
};

// Dockerfile
constexpr const char16_t *DockerfileKeywords[] = {
    u"ADD", u"ARG", u"CMD", u"COPY", u"ENTRYPOINT", u"ENV", u"EXPOSE", u"FROM", u"HEALTHCHECK",
    u"LABEL", u"MAINTAINER", u"ONBUILD", u"RUN", u"SHELL", u"STOPSIGNAL", u"USER", u"VOLUME",
    u"WORKDIR", u"AS",
};
constexpr const char16_t *DockerfileTypes[] = {
    u"apt-get", u"apk", u"yum", u"pip", u"npm", u"update", u"install", u"latest", u"none",
};

}  // namespace

constinit const TLanguageWords KPythonWords{PythonKeywords, PythonTypes};
constinit const TLanguageWords KRubyWords{RubyKeywords, RubyTypes};
constinit const TLanguageWords KPerlWords{PerlKeywords, PerlTypes};
constinit const TLanguageWords KPhpCodeWords{PhpCodeKeywords, PhpCodeTypes};
constinit const TLanguageWords KLuaWords{LuaKeywords, LuaTypes};
constinit const TLanguageWords KShellWords{ShellKeywords, ShellTypes};
constinit const TLanguageWords KPowerShellWords{PowerShellKeywords, PowerShellTypes};
constinit const TLanguageWords KBatchWords{BatchKeywords, {}};
constinit const TLanguageWords KAutoItWords{AutoItKeywords, AutoItTypes};
constinit const TLanguageWords KNsisWords{NsisKeywords, NsisTypes};
constinit const TLanguageWords KInnoSetupWords{InnoSetupKeywords, InnoSetupTypes};
constinit const TLanguageWords KMakefileWords{MakefileKeywords, MakefileTypes};
constinit const TLanguageWords KDockerfileWords{DockerfileKeywords, DockerfileTypes};
