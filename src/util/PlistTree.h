#pragma once

#include <plist/plist.h>

// Frees a libplist tree of any depth. plist_free recurses once per level and
// overflows the stack on a deeply nested (hostile) document; this frees such
// a tree bottom-up in slices shallow enough for plist_free.
void freePlistTree(plist_t root);
