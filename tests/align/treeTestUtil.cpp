// Helpers of the guide-tree tests.
#include "tests/align/treeTestUtil.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <iterator>
#include <set>

#include "align/distFunc.h"
#include "align/msa.h"
#include "align/seqVect.h"
#include "align/textFile.h"
#include "align/tree.h"
#include "tests/align/engineTestUtil.h"

void TreeFromNewick(const std::string& text, Tree& tree) {
    TempFile file(text);
    TextFile f(file.c_str());
    tree.FromFile(f);
}

void TreeFromNewickWithIds(const std::string& text, Tree& tree) {
    TreeFromNewick(text, tree);
    for (unsigned node = 0; node < tree.GetNodeCount(); ++node)
        if (tree.IsLeaf(node)) tree.SetLeafId(node, static_cast<unsigned>(atoi(tree.GetLeafName(node) + 1)));
}

std::string NewickOf(const Tree& tree) {
    TempFile file;
    {
        TextFile f(file.c_str(), true);
        tree.ToFile(f);
    }
    return file.read();
}

namespace {

std::string Name(const Tree& tree, unsigned node) {
    const char* name = tree.GetLeafName(node);
    return name ? name : "?";
}

std::string ShapeFrom(const Tree& tree, unsigned node, unsigned from) {
    if (tree.GetNodeCount() == 1 || tree.IsLeaf(node)) return Name(tree, node);
    std::string s = "(";
    bool first = true;
    for (unsigned slot = 0; slot < 3; ++slot) {
        const unsigned n = tree.GetNeighbor(node, slot);
        if (n == NO_INDEX || n == from) continue;
        if (!first) s += ",";
        s += ShapeFrom(tree, n, node);
        first = false;
    }
    return s + ")";
}

void CollectLeaves(const Tree& tree, unsigned node, unsigned from, std::set<std::string>& names) {
    if (tree.IsLeaf(node)) {
        names.insert(Name(tree, node));
        return;
    }
    for (unsigned slot = 0; slot < 3; ++slot) {
        const unsigned n = tree.GetNeighbor(node, slot);
        if (n != NO_INDEX && n != from) CollectLeaves(tree, n, node, names);
    }
}

std::string Join(const std::set<std::string>& names) {
    std::string s;
    for (const std::string& n : names) s += (s.empty() ? "" : ",") + n;
    return s;
}

}  // namespace

std::string ShapeOf(const Tree& tree) {
    return ShapeFrom(tree, tree.IsRooted() ? tree.GetRootNodeIndex() : 0, NO_INDEX);
}

std::vector<std::string> SplitsOf(const Tree& tree) {
    std::set<std::string> splits;
    std::set<std::string> all;
    for (unsigned node = 0; node < tree.GetNodeCount(); ++node)
        if (tree.IsLeaf(node)) all.insert(Name(tree, node));
    for (unsigned a = 0; a < tree.GetNodeCount(); ++a) {
        for (unsigned slot = 0; slot < 3; ++slot) {
            const unsigned b = tree.GetNeighbor(a, slot);
            if (b == NO_INDEX || b < a) continue;
            std::set<std::string> side;
            CollectLeaves(tree, b, a, side);
            std::set<std::string> other;
            std::set_difference(all.begin(), all.end(), side.begin(), side.end(), std::inserter(other, other.end()));
            if (side.size() < 2 || other.size() < 2) continue;
            if (*other.begin() < *side.begin()) std::swap(side, other);
            splits.insert(Join(side) + "|" + Join(other));
        }
    }
    return std::vector<std::string>(splits.begin(), splits.end());
}

void CreateThreeLeaves(Tree& tree) {
    const unsigned left[] = {0, 2};
    const unsigned right[] = {1, 3};
    const float leftLength[] = {0.1f, 0.35f};
    const float rightLength[] = {0.1f, 0.25f};
    const unsigned ids[] = {0, 1, 2};
    const char* names[] = {"A", "B", "C"};
    tree.Create(3, 1, left, right, leftLength, rightLength, ids, names);
}

void MakeSeqVect(SeqVect& v, const std::vector<std::string>& letters) {
    v.Clear();
    for (size_t i = 0; i < letters.size(); ++i) {
        Seq* s = new Seq;
        std::string name = "s";
        name += std::to_string(i);
        s->FromString(letters[i].c_str(), name.c_str());
        s->SetId(static_cast<unsigned>(i));
        v.push_back(s);
    }
}

void MakeMSA(MSA& a, const std::vector<std::string>& rows, const std::vector<unsigned>& ids) {
    a.SetSize(static_cast<unsigned>(rows.size()), rows.empty() ? 0 : static_cast<unsigned>(rows[0].size()));
    for (unsigned r = 0; r < rows.size(); ++r) {
        std::string name = "r";
        name += std::to_string(r);
        a.SetSeqName(r, name.c_str());
        for (unsigned c = 0; c < rows[r].size(); ++c) a.SetChar(r, c, rows[r][c]);
        if (!ids.empty()) a.SetSeqId(r, ids[r]);
    }
}

std::vector<ClusterCase> ReadClusterCases(const std::string& fileName) {
    std::ifstream in(std::string(QUORIX_TEST_DATA) + "/align/" + fileName);
    EXPECT_TRUE(in.good()) << fileName;
    std::vector<ClusterCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream head(line);
        std::string word;
        ClusterCase c;
        head >> word >> c.name >> c.method >> c.n;
        EXPECT_EQ(word, "case");
        auto readMatrix = [&](std::vector<std::vector<double>>& m) {
            m.assign(c.n, std::vector<double>(c.n));
            for (unsigned i = 0; i < c.n; ++i)
                for (unsigned j = 0; j < c.n; ++j) in >> m[i][j];
        };
        readMatrix(c.dist);
        if (c.method == "nj") readMatrix(c.pathLengths);
        while (in >> word && word != "end") {
            double d;
            unsigned size;
            in >> d >> size;
            std::vector<unsigned> leaves(size);
            for (unsigned& leaf : leaves) in >> leaf;
            c.merges.emplace_back(d, leaves);
        }
        std::sort(c.merges.begin(), c.merges.end());
        std::getline(in, line);
        cases.push_back(c);
    }
    return cases;
}

namespace {

void LeafIdsBelow(const Tree& tree, unsigned node, std::vector<unsigned>& ids) {
    if (tree.IsLeaf(node)) {
        ids.push_back(tree.GetLeafId(node));
        return;
    }
    LeafIdsBelow(tree, tree.GetLeft(node), ids);
    LeafIdsBelow(tree, tree.GetRight(node), ids);
}

void PathsFrom(const Tree& tree, unsigned node, unsigned from, double length, std::vector<double>& row) {
    if (tree.IsLeaf(node) && from != NO_INDEX) row[tree.GetLeafId(node)] = length;
    for (unsigned slot = 0; slot < 3; ++slot) {
        const unsigned n = tree.GetNeighbor(node, slot);
        if (n != NO_INDEX && n != from) PathsFrom(tree, n, node, length + tree.GetEdgeLength(node, n), row);
    }
}

}  // namespace

std::vector<std::pair<double, std::vector<unsigned>>> JoinsOf(const Tree& tree) {
    std::vector<std::pair<double, std::vector<unsigned>>> joins;
    for (unsigned node = 0; node < tree.GetNodeCount(); ++node) {
        if (tree.IsLeaf(node)) continue;
        std::vector<unsigned> ids;
        LeafIdsBelow(tree, node, ids);
        std::sort(ids.begin(), ids.end());
        joins.emplace_back(2 * tree.GetNodeHeight(node), ids);
    }
    std::sort(joins.begin(), joins.end());
    return joins;
}

std::vector<std::vector<double>> PathLengthsOf(const Tree& tree) {
    const unsigned leafCount = tree.GetLeafCount();
    std::vector<std::vector<double>> paths(leafCount, std::vector<double>(leafCount, 0.0));
    for (unsigned node = 0; node < tree.GetNodeCount(); ++node)
        if (tree.IsLeaf(node)) PathsFrom(tree, node, NO_INDEX, 0.0, paths[tree.GetLeafId(node)]);
    return paths;
}

void ExpectSameJoins(const Tree& tree, const ClusterCase& c, double tolerance) {
    std::map<std::vector<unsigned>, double> ours;
    for (const auto& join : JoinsOf(tree)) ours[join.second] = join.first;
    ASSERT_EQ(ours.size(), c.merges.size()) << c.name << " " << c.method;
    for (const auto& merge : c.merges) {
        const auto it = ours.find(merge.second);
        ASSERT_TRUE(it != ours.end()) << c.name << " " << c.method << ": no join of the expected leaf set";
        EXPECT_NEAR(it->second, merge.first, tolerance) << c.name << " " << c.method;
    }
}

void FillDistFunc(const ClusterCase& c, DistFunc& df) {
    df.SetCount(c.n);
    for (unsigned i = 0; i < c.n; ++i) {
        std::string name = "L";
        name += std::to_string(i);
        df.SetName(i, name.c_str());
        df.SetId(i, i);
        for (unsigned j = 0; j < c.n; ++j) df.SetDist(i, j, static_cast<float>(c.dist[i][j]));
    }
}
