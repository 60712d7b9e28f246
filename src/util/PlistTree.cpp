#include "util/PlistTree.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace {

// plist_free recurses once per level; this many levels need well under 1 MB
// of stack.
constexpr unsigned safeHeight = 1000;

bool isContainer(plist_t node) {
    const plist_type type = plist_get_node_type(node);
    return type == PLIST_ARRAY || type == PLIST_DICT;
}

// Calls fn(child) for each child of a container, until fn returns true;
// returns the child it stopped at, or null.
template <typename Fn> plist_t findChild(plist_t node, Fn fn) {
    plist_t found = nullptr;
    if (plist_get_node_type(node) == PLIST_ARRAY) {
        plist_array_iter it = nullptr;
        plist_array_new_iter(node, &it);
        for (plist_t child = nullptr; !found;) {
            plist_array_next_item(node, it, &child);
            if (!child) break;
            if (fn(child)) found = child;
        }
        std::free(it);
    } else {
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        while (!found) {
            char* key = nullptr;
            plist_t child = nullptr;
            plist_dict_next_item(node, it, &key, &child);
            std::free(key);
            if (!child) break;
            if (fn(child)) found = child;
        }
        std::free(it);
    }
    return found;
}

// The containers of the tree in breadth-first order: each parent before its
// children.
std::vector<plist_t> containersByLevel(plist_t root) {
    std::vector<plist_t> order;
    if (isContainer(root)) order.push_back(root);
    for (std::size_t i = 0; i < order.size(); ++i)
        findChild(order[i], [&](plist_t child) {
            if (isContainer(child)) order.push_back(child);
            return false;
        });
    return order;
}

// Height of every container: 1 for one holding no container.
std::unordered_map<plist_t, unsigned> containerHeights(const std::vector<plist_t>& byLevel) {
    std::unordered_map<plist_t, unsigned> heights;
    for (auto it = byLevel.rbegin(); it != byLevel.rend(); ++it) {
        unsigned& height = heights[*it];
        height = std::max(height, 1u);
        if (*it != byLevel.front()) {
            unsigned& parent = heights[plist_get_parent(*it)];
            parent = std::max(parent, height + 1);
        }
    }
    return heights;
}

void removeFromParent(plist_t node, plist_t parent) {
    if (plist_get_node_type(parent) == PLIST_ARRAY) {
        plist_array_item_remove(node);
        return;
    }
    char* key = nullptr;
    plist_get_key_val(plist_dict_item_get_key(node), &key);
    plist_dict_remove_item(parent, key);
    std::free(key);
}

} // namespace

void freePlistTree(plist_t root) {
    if (!root) return;
    const std::vector<plist_t> byLevel = containersByLevel(root);
    const auto heights = containerHeights(byLevel);
    if (byLevel.empty() || heights.at(root) <= safeHeight) {
        plist_free(root);
        return;
    }
    // Go down through children too tall for plist_free; free a node whole once
    // its tall children are gone (it is then at most safeHeight + 1 high).
    plist_t node = root;
    while (node) {
        plist_t tall = findChild(node, [&](plist_t child) {
            auto h = heights.find(child);
            return h != heights.end() && h->second > safeHeight;
        });
        if (tall) {
            node = tall;
            continue;
        }
        plist_t parent = plist_get_parent(node);
        if (parent)
            removeFromParent(node, parent);
        else
            plist_free(node);
        node = parent;
    }
}
