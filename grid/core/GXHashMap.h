// Chained hash map shared by the grid's index maps.
//
// Entries hang in bucket chains, a new entry at the head of its chain, and
// are visited bucket by bucket in chain order; this order is what the
// archive forms write, so it is part of the maps' behaviour. HASH gives the
// bucket of a key for a bucket count.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/Afx.h"
#include "platform/base/Collections.h"

template <class KEY, class VALUE, class HASH>
class GXHashMap {
 public:
  struct Node {
    Node* next;
    UINT bucket;
    KEY key;
    VALUE value;
  };

  explicit GXHashMap(UINT buckets = 17) : bucketCount_(buckets ? buckets : 17) {}
  GXHashMap(const GXHashMap&) = delete;
  GXHashMap& operator=(const GXHashMap&) = delete;
  ~GXHashMap() { RemoveAll(); }

  int GetCount() const { return count_; }
  BOOL IsEmpty() const { return count_ == 0; }
  UINT GetHashTableSize() const { return bucketCount_; }

  // Takes effect while the map is empty (the table is built on first use).
  void InitHashTable(UINT buckets) {
    if (count_ == 0 && buckets > 0) {
      table_.clear();
      bucketCount_ = buckets;
    }
  }

  Node* Find(const KEY& key) const {
    if (table_.empty()) return nullptr;
    for (Node* n = table_[HASH()(key) % bucketCount_]; n != nullptr; n = n->next)
      if (n->key == key) return n;
    return nullptr;
  }

  BOOL Lookup(const KEY& key, VALUE& value) const {
    Node* n = Find(key);
    if (n == nullptr) return FALSE;
    value = n->value;
    return TRUE;
  }

  // The value slot of a key, created value-initialised when absent.
  VALUE& operator[](const KEY& key) {
    if (Node* n = Find(key)) return n->value;
    if (table_.empty()) table_.assign(bucketCount_, nullptr);
    const UINT b = HASH()(key) % bucketCount_;
    Node* n = new Node{table_[b], b, key, VALUE{}};
    table_[b] = n;
    ++count_;
    return n->value;
  }
  void SetAt(const KEY& key, const VALUE& value) { (*this)[key] = value; }

  BOOL RemoveKey(const KEY& key) {
    if (table_.empty()) return FALSE;
    Node** link = &table_[HASH()(key) % bucketCount_];
    for (; *link != nullptr; link = &(*link)->next) {
      if ((*link)->key == key) {
        Node* gone = *link;
        *link = gone->next;
        delete gone;
        if (--count_ == 0) table_.clear();
        return TRUE;
      }
    }
    return FALSE;
  }

  void RemoveAll() {
    for (Node* head : table_) {
      while (head != nullptr) {
        Node* next = head->next;
        delete head;
        head = next;
      }
    }
    table_.clear();
    count_ = 0;
  }

  // Iteration: start with GetStartPosition, then GetNextAssoc until the
  // position is null.
  POSITION GetStartPosition() const { return count_ == 0 ? nullptr : ToPos(FirstFrom(0)); }
  void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const {
    Node* n = reinterpret_cast<Node*>(pos);
    key = n->key;
    value = n->value;
    pos = ToPos(n->next != nullptr ? n->next : FirstFrom(n->bucket + 1));
  }

  // Every entry in iteration order.
  std::vector<std::pair<KEY, VALUE>> Entries() const {
    std::vector<std::pair<KEY, VALUE>> out;
    out.reserve(static_cast<std::size_t>(count_));
    for (Node* head : table_)
      for (Node* n = head; n != nullptr; n = n->next) out.emplace_back(n->key, n->value);
    return out;
  }

 private:
  static POSITION ToPos(Node* n) { return reinterpret_cast<POSITION>(n); }
  Node* FirstFrom(UINT bucket) const {
    for (UINT b = bucket; b < table_.size(); ++b)
      if (table_[b] != nullptr) return table_[b];
    return nullptr;
  }

  std::vector<Node*> table_;
  UINT bucketCount_;
  int count_ = 0;
};
