#include "SignalCategories.h"

#include <array>

namespace {
using namespace Qt::StringLiterals;

std::array<TSignalCategory, KSignalCategoryCount> MakeCategories() {
  return {{
      {u"System Errors"_s,
       {u"bytes exhausted"_s, u"oom killer"_s, u"killed by oom"_s, u"memory size exhausted"_s, u"out of memory"_s, u"segfault"_s,
        u"stack overflow"_s, u"kernel panic"_s, u"fatal error"_s}},
      {u"Resource Issues"_s,
       {u"disk full"_s, u"no space left"_s, u"quota exceeded"_s, u"memory leak"_s, u"limit exceeded"_s}},
      {u"Failed Authentications"_s,
       {u"login failed"_s, u"invalid credentials"_s, u"auth failure"_s, u"unauthorized"_s, u"forbidden"_s, u"brute force"_s,
        u"access denied"_s, u"no such user found from"_s, u"failed password for"_s}},
      {u"Network Failures"_s,
       {u"timeout"_s, u"connection refused"_s, u"reset by peer"_s, u"econnrefused"_s, u"etimedout"_s, u"dns failure"_s, u"slow query"_s,
        u"high latency"_s, u"prematurely closed connection"_s}},
      {u"Application Crashes"_s, {u"crash"_s, u"exception"_s, u"panic"_s, u"abort"_s}},
  }};
}
}  // namespace

const TSignalCategory &SignalCategory(int index) {
  static const std::array<TSignalCategory, KSignalCategoryCount> categories = MakeCategories();
  return categories[size_t(index)];
}

int SignalCategoryOfTag(int tag) { return tag >= 0 && tag < KSignalCategoryCount ? tag : KAllSignalCategories; }
