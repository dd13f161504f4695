// ProgNode: release of a node's profile and edit strings, and the join of two children's
// alignments.
#include "align/progNode.h"

#include "align/alignTwoMSAs.h"
#include "align/profile.h"

void DeleteProgNode(ProgNode& node) {
    delete[] node.m_Prof;
    delete[] node.m_EstringL;
    delete[] node.m_EstringR;
    node.m_Prof = nullptr;
    node.m_EstringL = nullptr;
    node.m_EstringR = nullptr;
}

void JoinChildMSAs(ProgNode& left, ProgNode& right, ProgNode& node) {
    PWPath path;
    AlignTwoMSAs(left.m_MSA, right.m_MSA, node.m_MSA, path, false, false);
    node.m_uLength = node.m_MSA.GetColCount();
    left.m_MSA.Free();
    right.m_MSA.Free();
}
