// ProgNode: release of a node's profile and edit strings.
#include "align/progNode.h"

#include "align/profile.h"

void DeleteProgNode(ProgNode& node) {
    delete[] node.m_Prof;
    delete[] node.m_EstringL;
    delete[] node.m_EstringR;
    node.m_Prof = nullptr;
    node.m_EstringL = nullptr;
    node.m_EstringR = nullptr;
}
