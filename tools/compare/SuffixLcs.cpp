#include "SuffixLcs.h"

#include "DiffWork.h"

#include <algorithm>
#include <bit>

namespace {
// Takes back one step's change of a word.
void RevertDelta(TBitRow &row, const TWordDelta &delta) {
  row.SetWord(delta.Word, (row.Word(delta.Word) | delta.Cleared) & ~delta.Set);
}

void ApplyDelta(TBitRow &row, const TWordDelta &delta) {
  row.SetWord(delta.Word, (row.Word(delta.Word) & ~delta.Cleared) | delta.Set);
}
}  // namespace

TSuffixLcs::TSuffixLcs(const std::vector<qint32> &a, const std::vector<qint32> &b, qint32 symbols, TDiffWork &work,
                       TLcsTuning tuning)
    : FA(a),
      FB(b),
      FWork(work),
      FStep(b, symbols, tuning.DenseFrom),
      FRow(qsizetype(b.size())),
      FBlockLimit(tuning.BlockChangeBytes >= 0 ? tuning.BlockChangeBytes : FRow.MemoryBytes()) {}

TSuffixLcs::~TSuffixLcs() {
  for (TBlock &block : FBlocks) Release(block);
  Release(FAgain);
  Free(FStepChanges);
  Free(FCounts);
  FWork.Give(FFixedBytes);
}

template <typename T>
bool TSuffixLcs::Reserve(std::vector<T> &v, size_t size) {
  if (size <= v.capacity()) return true;
  const size_t grown = qMax(size, v.capacity() * 2);
  if (!FWork.Take(qint64((grown - v.capacity()) * sizeof(T)))) return false;
  v.reserve(grown);
  return true;
}

template <typename T>
void TSuffixLcs::Free(std::vector<T> &v) {
  FWork.Give(qint64(v.capacity() * sizeof(T)));
  std::vector<T>().swap(v);
}

void TSuffixLcs::Release(TBlock &block) {
  Free(block.Changes);
  Free(block.StepStart);
  Free(block.FromRow);
}

bool TSuffixLcs::Build() {
  const qsizetype blocks = (qsizetype(FA.size()) + KBlockRows - 1) / KBlockRows;
  FFixedBytes = FStep.MemoryBytes() + FRow.MemoryBytes() + qint64(blocks * sizeof(TBlock));
  if (!FWork.Take(FFixedBytes)) {
    FFixedBytes = 0;
    return false;
  }
  if (!Reserve(FStepChanges, size_t(FRow.WordCount()))) return false;
  FBlocks.resize(size_t(blocks));
  for (qsizetype block = blocks - 1; block >= 0; --block)
    if (!StepBlock(block, FBlocks[size_t(block)], false)) return false;
  return true;
}

bool TSuffixLcs::StepBlock(qsizetype block, TBlock &into, bool keepAll) {
  const qsizetype from = block * KBlockRows, to = BlockEnd(block);
  if (!Reserve(into.StepStart, size_t(to - from + 1))) return false;
  into.StepStart.assign(1, 0);
  bool recording = true;
  for (qsizetype i = to - 1; i >= from; --i) {
    if (FWork.Cancelled()) return false;
    FStepChanges.clear();
    FStep.Apply(FRow, FA[size_t(i)], FStepChanges);
    if (recording) {
      const size_t size = into.Changes.size() + FStepChanges.size();
      if (!keepAll && qint64(size * sizeof(TWordDelta)) > FBlockLimit) {
        if (!KeepFromRow(into)) return false;
        recording = false;
      } else {
        if (!Reserve(into.Changes, size)) return false;
        into.Changes.insert(into.Changes.end(), FStepChanges.begin(), FStepChanges.end());
        into.StepStart.push_back(qint32(size));
      }
    }
    if (!keepAll) FWork.Progress(qsizetype(FA.size()) - i, 2 * qsizetype(FA.size()));
  }
  return true;
}

// The row below the block is the current one with the block's changes so far taken back, the step
// just made included, last first; they are made again afterwards.
bool TSuffixLcs::KeepFromRow(TBlock &block) {
  if (!Reserve(block.FromRow, size_t(FRow.WordCount()))) return false;
  for (auto delta = FStepChanges.rbegin(); delta != FStepChanges.rend(); ++delta) RevertDelta(FRow, *delta);
  for (auto delta = block.Changes.rbegin(); delta != block.Changes.rend(); ++delta) RevertDelta(FRow, *delta);
  block.FromRow.assign(FRow.Data(), FRow.Data() + FRow.WordCount());
  for (const TWordDelta &delta : block.Changes) ApplyDelta(FRow, delta);
  for (const TWordDelta &delta : FStepChanges) ApplyDelta(FRow, delta);
  Free(block.Changes);
  Free(block.StepStart);
  return true;
}

bool TSuffixLcs::MakeAgain(qsizetype block) {
  TBlock &kept = FBlocks[size_t(block)];
  FRow.Assign(kept.FromRow.data());
  Free(kept.FromRow);
  FAgain.Changes.clear();
  // A step changes each word at most once, so a row's worth of entries per step is always enough.
  if (!Reserve(FAgain.Changes, size_t((BlockEnd(block) - block * KBlockRows) * FRow.WordCount()))) return false;
  return StepBlock(block, FAgain, true);
}

bool TSuffixLcs::Seek(qsizetype k) {
  if (k == FSought) return true;
  if (FWork.Cancelled()) return false;
  FWork.Progress(qsizetype(FA.size()) + k, 2 * qsizetype(FA.size()));
  const qsizetype block = k / KBlockRows;
  if (block != FBlock) {
    for (qsizetype passed = qMax<qsizetype>(0, FBlock); passed < block; ++passed) Release(FBlocks[size_t(passed)]);
    FBlock = block;
    if (!FBlocks[size_t(block)].FromRow.empty() && !MakeAgain(block)) return false;
  }
  const TBlock &steps = FBlocks[size_t(block)].StepStart.empty() ? FAgain : FBlocks[size_t(block)];
  const qsizetype step = BlockEnd(block) - 1 - k;
  FBegin = steps.Changes.data() + steps.StepStart[size_t(step)];
  FEnd = steps.Changes.data() + steps.StepStart[size_t(step) + 1];
  if (!Reserve(FCounts, size_t(FEnd - FBegin) + 1)) return false;
  FCounts.assign(1, 0);
  for (const TWordDelta *delta = FBegin; delta != FEnd; ++delta)
    FCounts.push_back(FCounts.back() + std::popcount(delta->Cleared) - std::popcount(delta->Set));
  FSought = k;
  return true;
}

int TSuffixLcs::Drop(qsizetype l) const {
  const qsizetype below = qsizetype(FB.size()) - l;
  const qint32 word = qint32(below >> 6);
  const TWordDelta *at =
      std::lower_bound(FBegin, FEnd, word, [](const TWordDelta &delta, qint32 w) { return delta.Word < w; });
  int drop = FCounts[size_t(at - FBegin)];
  if (at != FEnd && at->Word == word) {
    const quint64 low = (quint64(1) << (below & 63)) - 1;
    drop += std::popcount(at->Cleared & low) - std::popcount(at->Set & low);
  }
  return drop;
}
