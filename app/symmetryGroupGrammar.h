// The grammar of the positional symmetry-group arguments ("c3", "d2", "t", "o", "i", ...).
#pragma once

#include <memory>
#include <string>

#include "symmetry/cPointSymmetryGroup.h"

// Largest order accepted for Cn and Dn: beyond it no assembly of chains is plausible and the
// per-element arrays of the search would only waste memory.
inline constexpr int kMaxGroupOrder = 1000;

struct sGroupArgument {
    std::unique_ptr<cPointSymmetryGroup> group;  // the group, or null when rejected
    const char* error = nullptr;                 // report label of the rejection
};

// One argument: an optional "-" or "--" prefix, a lower-case letter and a decimal order
// (required for c and d, read and ignored for t, o and i).
sGroupArgument parseSymmetryGroup(const std::string& argument);
