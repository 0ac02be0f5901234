#pragma once
// Nodes taken out of a list, kept for reuse, so that a record or a field
// rebuilt record after record allocates only while it grows. Whoever takes a
// node sets every member again.
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

// The largest string storage a kept node holds on to. A longer value's
// storage is freed when its node is kept, so that what the kept nodes hold
// stays near what one record needs, whatever the records before it held.
inline constexpr std::size_t kKeptCapacity = 256;

inline void ReleaseLarge(std::string& text) {
  if (text.capacity() > kKeptCapacity) std::string().swap(text);
}

template <class T> class TNodePool {
public:
  using List = std::vector<std::unique_ptr<T>>;

  explicit TNodePool(std::size_t maxKept = std::numeric_limits<std::size_t>::max()) : maxKept_(maxKept) {}

  // Takes every node of list, leaving it empty, and calls release on each node
  // it keeps; the first node of the list is the next one taken. The pool keeps
  // at most as many nodes as the longest list it was given (and maxKept), so
  // that nodes made elsewhere and handed in record after record cannot pile
  // up; the rest are freed.
  template <class Release> void Recycle(List& list, Release release) {
    limit_ = std::min(std::max(limit_, list.size()), maxKept_);
    const std::size_t kept = std::min(list.size(), limit_ - nodes_.size());
    for (auto it = list.rend() - static_cast<std::ptrdiff_t>(kept); it != list.rend(); ++it) {
      release(**it);
      nodes_.push_back(std::move(*it));
    }
    list.clear();
  }

  // Takes one node removed from its list, within the same limit.
  template <class Release> void Recycle(std::unique_ptr<T> node, Release release) {
    if (nodes_.size() >= limit_) return;
    release(*node);
    nodes_.push_back(std::move(node));
  }

  // A node made earlier, or none when the pool is empty.
  std::unique_ptr<T> Take() {
    if (nodes_.empty()) return nullptr;
    std::unique_ptr<T> node = std::move(nodes_.back());
    nodes_.pop_back();
    return node;
  }

private:
  List nodes_;
  std::size_t limit_ = 0;
  std::size_t maxKept_;
};

} // namespace kelvo
