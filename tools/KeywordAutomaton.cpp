#include "KeywordAutomaton.h"

#include <deque>

namespace {
char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

struct TTrieState {
  std::vector<int> Next;  // by class; -1 until the transitions are completed
  int Fail = 0;
  std::vector<std::pair<qint32, qint32>> Outputs;  // length, id
};
}  // namespace

TKeywordAutomaton::TKeywordAutomaton(const std::vector<TKeyword> &keywords) {
  for (const TKeyword &keyword : keywords)
    for (const QChar c : keyword.Text) {
      Q_ASSERT(c.unicode() < 128);
      const char16_t folded = FoldAscii(c.unicode() & 0x7F);
      if (FClassOf[folded] == 0) FClassOf[folded] = quint8(FClassCount++);
    }
  for (char16_t c = u'A'; c <= u'Z'; ++c) FClassOf[c] = FClassOf[c + 32];

  std::vector<TTrieState> trie(1);
  trie[0].Next.assign(FClassCount, -1);
  for (const TKeyword &keyword : keywords) {
    if (keyword.Text.isEmpty()) continue;
    int state = 0;
    for (const QChar c : keyword.Text) {
      const quint8 cls = FClassOf[FoldAscii(c.unicode() & 0x7F)];
      if (trie[size_t(state)].Next[cls] < 0) {
        trie[size_t(state)].Next[cls] = int(trie.size());
        trie.push_back(TTrieState{std::vector<int>(FClassCount, -1), 0, {}});
      }
      state = trie[size_t(state)].Next[cls];
    }
    trie[size_t(state)].Outputs.emplace_back(qint32(keyword.Text.size()), qint32(keyword.Id));
  }

  // Breadth first, so a state's failure state is complete before the state itself: a missing
  // transition takes the failure state's, and outputs include those of shorter suffixes.
  std::deque<int> queue;
  for (int &child : trie[0].Next) {
    if (child < 0) child = 0;
    else queue.push_back(child);
  }
  while (!queue.empty()) {
    const int state = queue.front();
    queue.pop_front();
    const TTrieState &fail = trie[size_t(trie[size_t(state)].Fail)];
    trie[size_t(state)].Outputs.insert(trie[size_t(state)].Outputs.end(), fail.Outputs.begin(), fail.Outputs.end());
    for (quint32 cls = 0; cls < FClassCount; ++cls) {
      const int child = trie[size_t(state)].Next[cls];
      const int viaFail = trie[size_t(trie[size_t(state)].Fail)].Next[cls];
      if (child < 0) {
        trie[size_t(state)].Next[cls] = viaFail;
      } else {
        trie[size_t(child)].Fail = viaFail;
        queue.push_back(child);
      }
    }
  }

  // Renumber: states without outputs first (the root stays 0), then those with outputs.
  std::vector<quint32> renumbered(trie.size());
  quint32 count = 0;
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) FFirstAccepting = count * FClassCount;
    for (size_t state = 0; state < trie.size(); ++state)
      if (trie[state].Outputs.empty() == (pass == 0)) renumbered[state] = count++;
  }
  FNext.resize(trie.size() * FClassCount);
  FOutputs.resize(count - FFirstAccepting / FClassCount);
  for (size_t state = 0; state < trie.size(); ++state) {
    const quint32 offset = renumbered[state] * FClassCount;
    for (quint32 cls = 0; cls < FClassCount; ++cls)
      FNext[offset + cls] = renumbered[size_t(trie[state].Next[cls])] * FClassCount;
    if (offset >= FFirstAccepting)
      for (const auto &[length, id] : trie[state].Outputs)
        FOutputs[(offset - FFirstAccepting) / FClassCount].push_back(TOutput{length, id});
  }
}
