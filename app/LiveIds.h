#pragma once
// TLiveIds: ids for objects of one kind that calls from elsewhere (a worker's queued result) must
// find later, or find gone. An id is given once and never again. Main thread only.
#include <QtGlobal>

#include <unordered_map>

template <typename T>
class TLiveIds {
 public:
  static quint64 Add(T *object) {
    FObjects.emplace(++FLast, object);
    return FLast;
  }
  static void Remove(quint64 id) { FObjects.erase(id); }
  // Null for an object that is gone.
  static T *Find(quint64 id) {
    const auto found = FObjects.find(id);
    return found == FObjects.end() ? nullptr : found->second;
  }

 private:
  static inline std::unordered_map<quint64, T *> FObjects;
  static inline quint64 FLast = 0;
};
