// ProgressiveAlign, its profile-merging variant and the final alignments built from edit strings.
#include "align/progressiveAlign.h"

#include <memory>
#include <vector>

#include "align/alignTwoMSAs.h"
#include "align/alignTwoProfs.h"
#include "align/clustalWWeights.h"
#include "align/diagnostics.h"
#include "align/estring.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/progNode.h"
#include "align/progress.h"
#include "align/seqVect.h"
#include "align/tree.h"
#include "align/treeSubsets.h"

namespace {

// Checks shared by both walks: node indexes inside the array, leaf ids naming each sequence
// once. A leaf id seen twice would silently drop another sequence from the result.
class LeafCheck {
public:
    explicit LeafCheck(unsigned seqCount) : m_Seen(seqCount, false) {}

    void Node(unsigned node, unsigned nodeCount) const {
        if (node >= nodeCount) Quit("TreeNodeIndex=%u NodeCount=%u\n", node, nodeCount);
    }
    unsigned Leaf(const Tree& tree, unsigned node) {
        const unsigned id = tree.GetLeafId(node);
        if (id >= m_Seen.size()) Quit("Seq index out of range");
        if (m_Seen[id]) Quit("Guide tree has two leaves with sequence id %u", id);
        m_Seen[id] = true;
        ++m_uLeafCount;
        return id;
    }
    void AllSeen() const {
        if (m_uLeafCount != m_Seen.size())
            Quit("Guide tree has %u leaves for %u sequences", m_uLeafCount, static_cast<unsigned>(m_Seen.size()));
    }

private:
    std::vector<bool> m_Seen;
    unsigned m_uLeafCount = 0;
};

unsigned NodeCountFor(unsigned seqCount) {
    if (seqCount == 0) Quit("Progressive alignment of no sequences");
    return 2 * seqCount - 1;
}

void MakeLeafMSA(const SeqVect& v, unsigned id, MSA& a) {
    a.FromSeq(v.GetSeq(id));
    a.SetSeqId(0, id);
}

void LogLeafNames(const Tree& tree, unsigned node) {
    std::vector<unsigned> leaves(tree.GetNodeCount());
    unsigned count = 0;
    GetLeaves(tree, node, leaves.data(), &count);
    for (unsigned i = 0; i < count; ++i) {
        const char* name = tree.GetLeafName(leaves[i]);
        Log("%s%s", i > 0 ? "," : "", name ? name : "");
    }
}

// The leaves in the order the final alignment lists them.
std::vector<unsigned> RootMSALeafOrder(const Tree& tree) {
    std::vector<unsigned> leaves;
    if (g_bStable) {
        for (unsigned node = 0; node < tree.GetNodeCount(); ++node)
            if (tree.IsLeaf(node)) leaves.push_back(node);
        return leaves;
    }
    for (unsigned node = tree.FirstDepthFirstNode(); node != NO_INDEX; node = tree.NextDepthFirstNode(node))
        if (tree.IsLeaf(node)) leaves.push_back(node);
    return leaves;
}

}  // namespace

void ProgressiveAlign(const SeqVect& v, const Tree& tree, MSA& out) {
    const unsigned seqCount = v.Length();
    const unsigned nodeCount = NodeCountFor(seqCount);
    std::unique_ptr<ProgNode[]> nodes(new ProgNode[nodeCount]);
    LeafCheck check(seqCount);

    SetProgressDesc("Align node");
    unsigned joins = 0;
    unsigned last = NO_INDEX;
    for (unsigned node = tree.FirstDepthFirstNode(); node != NO_INDEX; node = tree.NextDepthFirstNode(node)) {
        check.Node(node, nodeCount);
        last = node;
        ProgNode& pn = nodes[node];
        if (tree.IsLeaf(node)) {
            MakeLeafMSA(v, check.Leaf(tree, node), pn.m_MSA);
            pn.m_uLength = pn.m_MSA.GetColCount();
            continue;
        }
        Progress(joins, seqCount - 1);
        ++joins;
        JoinChildMSAs(nodes[tree.GetLeft(node)], nodes[tree.GetRight(node)], pn);
    }
    check.AllSeen();
    ProgressStepsDone();
    out.Copy(nodes[last].m_MSA);
}

ProgNode* ProgressiveAlignE(const SeqVect& v, const Tree& tree, MSA& out) {
    const unsigned seqCount = v.Length();
    const unsigned nodeCount = NodeCountFor(seqCount);
    std::vector<float> weights(seqCount, 0.0f);
    CalcClustalWWeightsByLeafId(tree, weights.data());

    ProgNode* nodes = new ProgNode[nodeCount];
    LeafCheck check(seqCount);
    SetProgressDesc("Align node");
    unsigned joins = 0;
    for (unsigned node = tree.FirstDepthFirstNode(); node != NO_INDEX; node = tree.NextDepthFirstNode(node)) {
        check.Node(node, nodeCount);
        ProgNode& pn = nodes[node];
        if (tree.IsLeaf(node)) {
            const unsigned id = check.Leaf(tree, node);
            MakeLeafMSA(v, id, pn.m_MSA);
            pn.m_uLength = pn.m_MSA.GetColCount();
            pn.m_Weight = weights[id];
            pn.m_Prof = ProfileFromMSA(pn.m_MSA);
            continue;
        }
        Progress(joins, seqCount - 1);
        ++joins;
        const unsigned leftNode = tree.GetLeft(node);
        const unsigned rightNode = tree.GetRight(node);
        ProgNode& left = nodes[leftNode];
        ProgNode& right = nodes[rightNode];
        if (g_bVerbose) {
            Log("Align: (");
            LogLeafNames(tree, leftNode);
            Log(") (");
            LogLeafNames(tree, rightNode);
            Log(")\n");
        }
        AlignTwoProfs(left.m_Prof, left.m_uLength, left.m_Weight, right.m_Prof, right.m_uLength, right.m_Weight,
                      pn.m_Path, &pn.m_Prof, &pn.m_uLength);
        PathToEstrings(pn.m_Path, &pn.m_EstringL, &pn.m_EstringR);
        pn.m_Weight = left.m_Weight + right.m_Weight;
        left.m_MSA.Free();
        right.m_MSA.Free();
    }
    check.AllSeen();
    ProgressStepsDone();
    if (g_bBrenner)
        MakeRootMSABrenner(v, tree, nodes, out);
    else
        MakeRootMSA(v, tree, nodes, out);
    return nodes;
}

void MakeRootMSA(const SeqVect& v, const Tree& tree, ProgNode* nodes, MSA& out) {
    SetProgressDesc("Root alignment");
    const unsigned seqCount = v.Length();
    const unsigned root = tree.GetRootNodeIndex();
    const unsigned rootLength = nodes[root].m_uLength;
    // Every composed edit string describes at most the root's columns, one run per column.
    const unsigned capacity = rootLength + 1;
    std::vector<int> current(capacity + 1), composed(capacity + 1);

    const std::vector<unsigned> leaves = RootMSALeafOrder(tree);
    if (leaves.size() != seqCount)
        Quit("Guide tree has %u leaves for %u sequences", static_cast<unsigned>(leaves.size()), seqCount);
    Seq gapped;
    for (unsigned row = 0; row < seqCount; ++row) {
        const unsigned leaf = leaves[row];
        const unsigned id = tree.GetLeafId(leaf);
        if (id >= seqCount) Quit("Seq index out of range");
        const Seq& s = v.GetSeq(id);
        current[0] = static_cast<int>(s.Length());
        current[1] = 0;
        for (unsigned node = leaf; node != root;) {
            const unsigned parent = tree.GetParent(node);
            if (parent == NO_INDEX) Quit("MakeRootMSA: node %u has no path to the root", leaf);
            const ProgNode& pn = nodes[parent];
            const int* parentEdits = tree.GetLeft(parent) == node ? pn.m_EstringL : pn.m_EstringR;
            MulEstrings(current.data(), parentEdits, composed.data(), capacity);
            current.swap(composed);
            node = parent;
        }
        EstringOp(current.data(), s, gapped);
        delete[] nodes[leaf].m_EstringL;
        nodes[leaf].m_EstringL = EstringNewCopy(current.data());

        const unsigned length = gapped.Length();
        if (row == 0) out.SetSize(seqCount, length);
        if (length != rootLength)
            Quit("MakeRootMSA: sequence %u has %u columns, the root %u", id, length, rootLength);
        if (s.GetName()) out.SetSeqName(row, s.GetName());
        out.SetSeqId(row, s.GetId());
        for (unsigned col = 0; col < length; ++col) out.SetChar(row, col, gapped[col]);
    }
}

void MakeRootMSABrenner(const SeqVect& v, const Tree& tree, ProgNode* nodes, MSA& out) {
    const unsigned seqCount = v.Length();
    const ProgNode& root = nodes[tree.GetRootNodeIndex()];
    const unsigned rootLength = root.m_uLength;
    out.SetSize(seqCount, rootLength);

    MSA dummy;
    dummy.SetSize(1, rootLength);
    dummy.SetSeqName(0, "Dummy0");
    dummy.SetSeqId(0, 0);
    for (unsigned col = 0; col < rootLength; ++col) dummy.SetChar(0, col, '?');

    for (unsigned row = 0; row < seqCount; ++row) {
        const Seq& s = v.GetSeq(row);
        MSA seqMSA;
        seqMSA.FromSeq(s);
        const unsigned length = seqMSA.GetColCount();
        std::unique_ptr<ProfPos[]> prof(ProfileFromMSA(seqMSA));
        // The sequence may not gain gaps: it is threaded through the root's columns.
        for (unsigned col = 0; col < length; ++col) {
            prof[col].scoreGapOpen = MINUS_INFINITY;
            prof[col].scoreGapClose = MINUS_INFINITY;
        }
        PWPath path;
        ProfPos* joined = nullptr;
        unsigned joinedLength = 0;
        AlignTwoProfs(prof.get(), length, 1.0f, root.m_Prof, rootLength, 1.0f, path, &joined, &joinedLength);
        delete[] joined;

        MSA aligned;
        AlignTwoMSAsGivenPath(path, seqMSA, dummy, aligned);
        aligned.LogMe();
        if (s.GetName()) out.SetSeqName(row, s.GetName());
        out.SetSeqId(row, s.GetId());
        if (aligned.GetColCount() < rootLength)
            Quit("MakeRootMSABrenner: sequence %u gives %u columns, the root %u", row, aligned.GetColCount(),
                 rootLength);
        for (unsigned col = 0; col < rootLength; ++col) out.SetChar(row, col, aligned.GetChar(0, col));
    }
}
