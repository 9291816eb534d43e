#pragma once
// Finds many ASCII keywords at once in one pass over a line, as if the line's ASCII letters had
// been lower-cased first: an Aho-Corasick automaton flattened into a full table, one lookup per
// code unit. Characters outside ASCII match only themselves, and as no keyword holds one, they
// match nothing (a Turkish capital I is no "i").
#include <QString>

#include <array>
#include <vector>

class TKeywordAutomaton {
 public:
  struct TKeyword {
    QString Text;  // ASCII; its letters' case does not matter
    int Id;
  };
  explicit TKeywordAutomaton(const std::vector<TKeyword> &keywords);

  // Calls found(start, length, id) for every occurrence of every keyword in line, overlapping ones
  // included, in the order of their ends.
  template <typename TFound>
  void ForEachMatch(QStringView line, TFound &&found) const {
    const char16_t *units = line.utf16();
    const qsizetype size = line.size();
    const quint32 *next = FNext.data();
    quint32 state = 0;
    for (qsizetype i = 0; i < size; ++i) {
      const char16_t c = units[i];
      state = next[state + (c < 128 ? FClassOf[c] : 0u)];
      if (state >= FFirstAccepting) [[unlikely]]
        for (const TOutput &output : FOutputs[(state - FFirstAccepting) / FClassCount])
          found(i + 1 - output.Length, qsizetype(output.Length), output.Id);
    }
  }

 private:
  struct TOutput {
    qint32 Length;
    qint32 Id;
  };

  // Characters that occur in no keyword share class 0; a letter's cases share one class.
  std::array<quint8, 128> FClassOf{};
  quint32 FClassCount = 1;
  // By state offset (state × class count) plus class: the next state's offset. States with
  // outputs come last, so one comparison tells whether a keyword ends here.
  std::vector<quint32> FNext;
  quint32 FFirstAccepting = 0;
  std::vector<std::vector<TOutput>> FOutputs;
};
