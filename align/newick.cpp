// Newick tree files: the token reader, the group parser and the rooted and unrooted writers.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "align/diagnostics.h"
#include "align/textFile.h"
#include "align/tree.h"

namespace {

constexpr unsigned GROUP_TOKEN_SIZE = 1024;
// The token after the top-level group is a single character.
constexpr unsigned END_TOKEN_SIZE = 16;

bool IsWhite(char c) { return isspace(static_cast<unsigned char>(c)) != 0; }

// A name that the reader would split, strip or take for punctuation is written in quotes.
bool NeedsQuotes(const char* name) {
    if (*name == 0) return true;
    for (const char* p = name; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (isspace(c) || iscntrl(c) || strchr("()[]':;,\"", c)) return true;
    }
    return false;
}

// Single quotes, an inner quote doubled (which the reader turns back into one quote). A leaf
// without a name is written as the empty name ''.
void PutName(TextFile& file, const char* name) {
    if (!name) name = "";
    if (!NeedsQuotes(name)) {
        file.PutString(name);
        return;
    }
    file.PutChar('\'');
    for (const char* p = name; *p; ++p) {
        if (*p == '\'') file.PutChar('\'');
        file.PutChar(*p);
    }
    file.PutChar('\'');
}

// Appends c to the token, ending the process when the buffer is full.
void StoreTokenChar(char* buffer, unsigned size, unsigned& length, char c) {
    if (length + 2 >= size) {
        buffer[length] = 0;
        Quit("Tree::GetToken: input buffer too small, token so far='%s'", buffer);
    }
    buffer[length++] = c;
    buffer[length] = 0;
}

// The subtree on node's side of the edge from-node (from is the parent in a rooted tree,
// NO_INDEX at the root): a leaf as its name, a group as "(\n", its two members in slot order
// separated by ",\n", then ")"; each followed by ":length" when its edge has one, and "\n".
// A one-node tree is its leaf alone, since "(A)" would not read back. Walked with an explicit
// stack, so that the depth of the tree is not bounded by the call stack.
void WriteSubtree(const Tree& tree, TextFile& file, unsigned node, unsigned from) {
    struct Step {
        unsigned node;
        unsigned from;
        unsigned membersStarted;
    };
    std::vector<Step> stack{{node, from, 0}};
    while (!stack.empty()) {
        Step& step = stack.back();
        const bool leaf = tree.IsLeaf(step.node);
        if (leaf) PutName(file, tree.GetLeafName(step.node));
        if (!leaf && step.membersStarted < 2) {
            file.PutString(step.membersStarted == 0 ? "(\n" : ",\n");
            const unsigned member = step.membersStarted == 0 ? tree.GetFirstNeighbor(step.node, step.from)
                                                             : tree.GetSecondNeighbor(step.node, step.from);
            const unsigned parent = step.node;
            ++step.membersStarted;
            stack.push_back({member, parent, 0});  // step is not used after this
            continue;
        }
        if (!leaf) file.PutString(")");
        if (tree.HasEdgeLength(step.node, step.from)) file.PutFormat(":%g", tree.GetEdgeLength(step.node, step.from));
        file.PutString("\n");
        stack.pop_back();
    }
}

}  // namespace

const char* Tree::NTTStr(NEWICK_TOKEN_TYPE type) {
    switch (type) {
        case NTT_Unknown:
            return "Unknown";
        case NTT_Lparen:
            return "Lparen";
        case NTT_Rparen:
            return "Rparen";
        case NTT_Colon:
            return "Colon";
        case NTT_Comma:
            return "Comma";
        case NTT_Semicolon:
            return "Semicolon";
        case NTT_String:
            return "String";
        case NTT_SingleQuotedString:
            return "SingleQuotedString";
        case NTT_DoubleQuotedString:
            return "DoubleQuotedString";
        case NTT_Comment:
            return "Comment";
    }
    return "??";
}

NEWICK_TOKEN_TYPE Tree::GetToken(TextFile& file, char* buffer, unsigned size) const {
    file.SkipWhite();
    char c;
    file.GetCharX(c);
    buffer[0] = c;
    buffer[1] = 0;
    switch (c) {
        case '(':
            return NTT_Lparen;
        case ')':
            return NTT_Rparen;
        case ',':
            return NTT_Comma;
        case ':':
            return NTT_Colon;
        case ';':
            return NTT_Semicolon;
        case '[':
            // A comment: skipped up to its ']'.
            for (;;) {
                if (file.GetChar(c)) return NTT_Comment;
                if (c == ']') return GetToken(file, buffer, size);
            }
        default:
            break;
    }

    unsigned length = 0;
    buffer[0] = 0;
    if (c == '\'' || c == '"') {
        const char quote = c;
        const NEWICK_TOKEN_TYPE runaway = quote == '"' ? NTT_DoubleQuotedString : NTT_SingleQuotedString;
        for (;;) {
            if (file.GetChar(c)) return runaway;
            if (c == quote) {
                // A doubled quote stands for one quote inside the name.
                char next;
                if (file.GetChar(next)) return NTT_String;
                if (next != quote) {
                    file.PushBack(next);
                    return NTT_String;
                }
            }
            StoreTokenChar(buffer, size, length, c);
        }
    }
    for (;;) {
        StoreTokenChar(buffer, size, length, c);
        if (file.GetChar(c)) return NTT_String;
        if (strchr("():;,", c)) {
            file.PushBack(c);
            return NTT_String;
        }
        if (IsWhite(c)) return NTT_String;
    }
}

bool Tree::GetGroupFromFile(TextFile& file, unsigned node, double* length) {
    return GetGroupFromFileR(file, node, length, false, nullptr);
}

bool Tree::GetGroupFromFileR(TextFile& file, unsigned node, double* length, bool top, bool* thirdGroup) {
    // The groups still open, innermost last. An explicit stack instead of one call per level:
    // a caterpillar tree thousands of levels deep would otherwise overflow the call stack.
    struct OpenGroup {
        unsigned node;
        unsigned first;  // its first member; the second is first + 1
        bool secondMember;
    };
    std::vector<OpenGroup> open;
    char token[GROUP_TOKEN_SIZE];

    // After a name or ')': an optional ":length".
    auto readLength = [&](double* value) {
        if (file.SkipWhiteX()) return false;
        char c;
        file.GetCharX(c);
        if (c != ':') {
            file.PushBack(c);
            return false;
        }
        if (GetToken(file, token, sizeof(token)) != NTT_String)
            Quit("Tree::GetGroupFromFile, expected edge length, got '%s'", token);
        char* end = nullptr;
        *value = strtod(token, &end);
        if (end == token || *end != 0 || !std::isfinite(*value))
            Quit("Tree::GetGroupFromFile, edge length '%s' is not a number (line %u of %s)", token,
                 file.GetLineNr(), file.GetFileName());
        return true;
    };

    unsigned current = node;
    for (;;) {
        // The start of the group at current: '(' opens two members, a name makes a leaf.
        NEWICK_TOKEN_TYPE type = GetToken(file, token, sizeof(token));
        if (type == NTT_Lparen) {
            const unsigned first = AppendBranch(current);
            open.push_back({current, first, false});
            current = first;
            continue;
        }
        if (type != NTT_String) Quit("Tree::GetGroupFromFile, expected '(' or leaf name, got '%s'", token);
        SetLeafName(current, token);

        // current is complete: its length, then every group that it completes in turn.
        for (;;) {
            double value = 0;
            const bool hasLength = readLength(&value);
            if (open.empty()) {
                if (hasLength) *length = value;
                return hasLength;
            }
            OpenGroup& group = open.back();
            if (hasLength) SetEdgeLength(group.node, current, value);
            if (!group.secondMember) {
                type = GetToken(file, token, sizeof(token));
                if (type != NTT_Comma) Quit("Tree::GetGroupFromFile, expected ',', got '%s'", token);
                group.secondMember = true;
                current = group.first + 1;
                break;
            }
            type = GetToken(file, token, sizeof(token));
            if (type == NTT_Comma) {
                // Only the top-level group may have a third member (an unrooted tree); anywhere
                // else it would be dropped or misplaced.
                if (!top || open.size() != 1)
                    Quit("Tree::GetGroupFromFile, a group below the top level has more than two members "
                         "(line %u of %s)",
                         file.GetLineNr(), file.GetFileName());
                file.PushBack(',');
                *thirdGroup = true;
                return false;
            }
            if (type != NTT_Rparen) Quit("Tree::GetGroupFromFile, expected ')' or ',', got '%s'", token);
            current = group.node;
            open.pop_back();
        }
    }
}

unsigned Tree::UnrootFromFile() {
    if (!m_bRooted) Quit("Tree::Unroot, not rooted");
    if (m_uNodeCount >= m_uCacheCount) ExpandCache();
    const unsigned t = m_uNodeCount++;
    InitNode(t, uInsane);
    m_uNeighbor[0][0] = t;
    m_dEdgeLength[0][0] = 0;
    m_uNeighbor[0][t] = 0;
    m_dEdgeLength[0][t] = 0;
    m_bHasEdgeLength[0][t] = true;
    m_bRooted = false;
    InvalidateHeights();
    return t;
}

void Tree::FromFile(TextFile& file) {
    CreateRooted();
    double length;
    bool thirdGroup = false;
    const bool hasLength = GetGroupFromFileR(file, 0, &length, true, &thirdGroup);
    char token[END_TOKEN_SIZE];
    NEWICK_TOKEN_TYPE type = GetToken(file, token, sizeof(token));
    if (type == NTT_Semicolon) {
        if (hasLength) Log(" *** Warning *** edge length on root group in Newick file %s\n", file.GetFileName());
    } else if (type == NTT_Comma) {
        if (!thirdGroup)
            Quit("Tree::FromFile, expected ';' after the closed top-level group, got ',' (line %u of %s)",
                 file.GetLineNr(), file.GetFileName());
        const unsigned t = UnrootFromFile();
        double thirdLength;
        if (GetGroupFromFileR(file, t, &thirdLength, false, nullptr)) {
            SetEdgeLength(0, t, thirdLength);
        } else {
            // Without a length the edge to the third group has none on either side.
            m_bHasEdgeLength[0][t] = false;
            m_bHasEdgeLength[0][0] = false;
        }
        // The top-level group must be closed and the tree ended: nothing may be left unread.
        char endToken[GROUP_TOKEN_SIZE];
        type = GetToken(file, endToken, sizeof(endToken));
        if (type != NTT_Rparen)
            Quit("Tree::FromFile, expected ')' after the third top-level group, got '%s' (line %u of %s)", endToken,
                 file.GetLineNr(), file.GetFileName());
        type = GetToken(file, endToken, sizeof(endToken));
        if (type == NTT_Colon) {
            type = GetToken(file, endToken, sizeof(endToken));
            if (type != NTT_String) Quit("Tree::GetGroupFromFile, expected edge length, got '%s'", endToken);
            Log(" *** Warning *** edge length on root group in Newick file %s\n", file.GetFileName());
            type = GetToken(file, endToken, sizeof(endToken));
        }
        if (type != NTT_Semicolon)
            Quit("Tree::FromFile, expected ';' at the end of the tree, got '%s' (line %u of %s)", endToken,
                 file.GetLineNr(), file.GetFileName());
    } else {
        Quit("Tree::FromFile, expected ';' or ',', got '%s'", token);
    }
    Validate();
}

void Tree::ToFile(TextFile& file) const {
    if (m_uNodeCount == 0) Quit("Tree::ToFile: the tree has no nodes");
    if (m_bRooted) {
        ToFileNodeRooted(file, m_uRootNodeIndex);
        file.PutString(";\n");
        return;
    }
    const unsigned c = GetAnyNonLeafNode();
    if (c == NO_INDEX) {
        // One leaf, or two leaves joined by one edge: written as a rooted tree with the root in
        // the middle of that edge, the only form the notation has for them.
        if (m_uNodeCount == 1) {
            PutName(file, GetLeafName(0));
            file.PutString("\n;\n");
            return;
        }
        const bool hasLength = HasEdgeLength(0, 1);
        const double half = hasLength ? GetEdgeLength(0, 1) / 2 : 0;
        file.PutString("(\n");
        for (unsigned node = 0; node < 2; ++node) {
            if (node == 1) file.PutString(",\n");
            PutName(file, GetLeafName(node));
            if (hasLength) file.PutFormat(":%g", half);
            file.PutString("\n");
        }
        file.PutString(")\n;\n");
        return;
    }
    file.PutString("(\n");
    ToFileNodeUnrooted(file, m_uNeighbor[0][c], c);
    file.PutString(",\n");
    ToFileNodeUnrooted(file, m_uNeighbor[1][c], c);
    file.PutString(",\n");
    ToFileNodeUnrooted(file, m_uNeighbor[2][c], c);
    file.PutString(");\n");
}

void Tree::ToFileNodeRooted(TextFile& file, unsigned node) const { WriteSubtree(*this, file, node, GetParent(node)); }

void Tree::ToFileNodeUnrooted(TextFile& file, unsigned node, unsigned from) const {
    WriteSubtree(*this, file, node, from);
}
