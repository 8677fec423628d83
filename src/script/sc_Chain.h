#pragma once

#include "script/ScriptWords.h"

#include <cstddef>
#include <iterator>
#include <list>
#include <string_view>
#include <utility>

namespace gw {

// An owning chain of nodes with a cursor. The cursor is an iterator; End() stands for "none".
// Nodes never move in memory while they are in a chain, so cursors into a node's own chains stay
// valid when the node is spliced elsewhere.
template <class T> class sc_Chain {
public:
    using Iterator = typename std::list<T>::iterator;
    using ConstIterator = typename std::list<T>::const_iterator;

    sc_Chain() : cursor_(nodes_.end()) {}
    sc_Chain(const sc_Chain&) = delete;
    sc_Chain& operator=(const sc_Chain&) = delete;
    sc_Chain(sc_Chain&& other) noexcept { TakeFrom(other); }
    sc_Chain& operator=(sc_Chain&& other) noexcept {
        if (this != &other) {
            TakeFrom(other);
        }
        return *this;
    }
    ~sc_Chain() = default;

    template <class... Args> T& Emplace(Args&&... args) {
        return nodes_.emplace_back(std::forward<Args>(args)...);
    }

    bool Empty() const { return nodes_.empty(); }
    std::size_t Size() const { return nodes_.size(); }
    T* First() { return nodes_.empty() ? nullptr : &nodes_.front(); }
    const T* First() const { return nodes_.empty() ? nullptr : &nodes_.front(); }
    T* Last() { return nodes_.empty() ? nullptr : &nodes_.back(); }

    Iterator begin() { return nodes_.begin(); }
    Iterator end() { return nodes_.end(); }
    ConstIterator begin() const { return nodes_.begin(); }
    ConstIterator end() const { return nodes_.end(); }
    Iterator End() { return nodes_.end(); }
    // The last node, or End() when the chain is empty.
    Iterator LastIterator() { return nodes_.empty() ? nodes_.end() : std::prev(nodes_.end()); }

    Iterator Cursor() const { return cursor_; }
    void SetCursor(Iterator at) { cursor_ = at; }
    void ClearCursor() { cursor_ = nodes_.end(); }
    T* Current() { return cursor_ == nodes_.end() ? nullptr : &*cursor_; }

    // The first node whose name equals name (both cut to the name length). The cursor is left on
    // the node found, or on the last node when none is found.
    T* FindNode(std::string_view name) {
        const std::string_view wanted = name.substr(0, MaxNameLength);
        for (auto it = nodes_.begin(); it != nodes_.end(); ++it) {
            if (std::string_view(it->name).substr(0, MaxNameLength) == wanted) {
                cursor_ = it;
                return &*it;
            }
        }
        cursor_ = LastIterator();
        return nullptr;
    }

    // Deletes every node after point (every node when point is End()).
    void EraseAfter(Iterator point) {
        const Iterator first = point == nodes_.end() ? nodes_.begin() : std::next(point);
        for (auto it = first; it != nodes_.end(); ++it) {
            if (it == cursor_) {
                cursor_ = nodes_.end();
                break;
            }
        }
        nodes_.erase(first, nodes_.end());
    }

    void Clear() {
        nodes_.clear();
        cursor_ = nodes_.end();
    }

    // The underlying list, for reordering (splice keeps every node and its cursors in place).
    std::list<T>& Nodes() { return nodes_; }

private:
    void TakeFrom(sc_Chain& other) {
        const bool atEnd = other.cursor_ == other.nodes_.end();
        nodes_ = std::move(other.nodes_);
        cursor_ = atEnd ? nodes_.end() : other.cursor_;
        other.nodes_.clear();
        other.cursor_ = other.nodes_.end();
    }

    std::list<T> nodes_;
    Iterator cursor_;
};

} // namespace gw
