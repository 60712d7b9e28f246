#pragma once

#include <array>
#include <cstddef>
#include <vector>

// A stack that holds its first N elements in itself and only asks the heap for room when it grows
// deeper, so that reading a shallow document allocates nothing for it.
template <class T, std::size_t N> class JsonSmallStack {
  public:
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    T& back() { return size_ <= N ? inner_[size_ - 1] : outer_.back(); }
    const T& back() const { return size_ <= N ? inner_[size_ - 1] : outer_.back(); }
    void push_back(const T& value) {
        if (size_ < N)
            inner_[size_] = value;
        else
            outer_.push_back(value);
        ++size_;
    }
    void pop_back() {
        if (size_ > N) outer_.pop_back();
        --size_;
    }

  private:
    std::array<T, N> inner_; // left unset: only what has been pushed is ever read
    std::vector<T> outer_;
    std::size_t size_ = 0;
};
