// MSA storage: sizes, rows, letters, names, ids and weights.
#include "align/msa.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <strings.h>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/seq.h"
#include "align/textUtils.h"

unsigned MSA::m_uIdCount = 0;

namespace {

// When a letter is set just past the capacity, every row grows by half its capacity, by this
// many columns at least: columns added one by one cost time in proportion to their count.
constexpr unsigned COL_GROWTH = 500;
// The FASTA reading cache makes room for this many rows at first, then doubles.
constexpr unsigned ROW_GROWTH = 4;
// The unused places of a grown row read '?'.
constexpr char UNSET_LETTER = '?';

char* NewRow(unsigned colCapacity) {
    char* row = new char[colCapacity + 1];
    memset(row, UNSET_LETTER, colCapacity);
    row[colCapacity] = 0;
    return row;
}

}  // namespace

MSA::~MSA() { Free(); }

void MSA::Free() {
    // Rows and names live in arrays of max(m_uSeqCount, m_uRowCapacity) slots; the slots
    // beyond m_uSeqCount are null.
    for (unsigned i = 0; i < m_uSeqCount; ++i) {
        delete[] m_szSeqs[i];
        delete[] m_szNames[i];
    }
    delete[] m_szSeqs;
    delete[] m_szNames;
    delete[] m_Weights;
    delete[] m_IdToSeqIndex;
    delete[] m_SeqIndexToId;
    m_szSeqs = nullptr;
    m_szNames = nullptr;
    m_Weights = nullptr;
    m_IdToSeqIndex = nullptr;
    m_SeqIndexToId = nullptr;
    m_uSeqCount = 0;
    m_uColCount = 0;
    // Capacities go with the arrays: a later SetChar or AppendSeq must not trust them.
    m_uColCapacity = 0;
    m_uRowCapacity = 0;
}

void MSA::AllocMSAArrays(unsigned seqCount, unsigned colCount) {
    m_szSeqs = new char*[seqCount];
    m_szNames = new char*[seqCount];
    m_Weights = new WEIGHT[seqCount];
    for (unsigned i = 0; i < seqCount; ++i) {
        m_szSeqs[i] = NewRow(colCount);
        m_szNames[i] = nullptr;
        m_Weights[i] = BTInsane;
    }
    if (m_uIdCount != 0) AllocIdArrays();
}

void MSA::AllocIdArrays() {
    const unsigned slots = std::max(m_uSeqCount, m_uRowCapacity);
    m_IdToSeqIndex = new unsigned[m_uIdCount];
    m_SeqIndexToId = new unsigned[slots];
    std::fill(m_IdToSeqIndex, m_IdToSeqIndex + m_uIdCount, NO_INDEX);
    std::fill(m_SeqIndexToId, m_SeqIndexToId + slots, NO_INDEX);
}

void MSA::SetSize(unsigned seqCount, unsigned colCount) {
    Free();
    m_uSeqCount = seqCount;
    m_uColCapacity = colCount;
    m_uColCount = 0;
    if (seqCount != 0 || colCount != 0) AllocMSAArrays(seqCount, colCount);
}

void MSA::SetSeqCount(unsigned seqCount) { SetSize(seqCount, COL_GROWTH); }

void MSA::FromSeq(const Seq& s) {
    const unsigned length = s.Length();
    SetSize(1, length);
    if (s.GetName()) SetSeqName(0, s.GetName());
    if (m_SeqIndexToId) SetSeqId(0, s.GetId());
    for (unsigned col = 0; col < length; ++col) SetChar(0, col, s[col]);
}

void MSA::Copy(const MSA& b) {
    if (&b == this) return;
    Free();
    SetSize(b.m_uSeqCount, b.m_uColCount);
    for (unsigned row = 0; row < b.m_uSeqCount; ++row) {
        if (b.m_szNames[row]) SetSeqName(row, b.m_szNames[row]);
        // Only ids that b really has are copied.
        if (b.m_SeqIndexToId && b.m_SeqIndexToId[row] != NO_INDEX) SetSeqId(row, b.m_SeqIndexToId[row]);
        memcpy(m_szSeqs[row], b.m_szSeqs[row], b.m_uColCount);
    }
    m_uColCount = b.m_uColCount;
}

void MSA::CopySeq(unsigned i, const MSA& b, unsigned j) {
    CheckRow(i, "CopySeq");
    b.CheckRow(j, "CopySeq");
    if (b.m_uColCount > m_uColCapacity)
        Quit("MSA::CopySeq(%u, %u): %u columns do not fit a capacity of %u", i, j, b.m_uColCount, m_uColCapacity);
    memcpy(m_szSeqs[i], b.m_szSeqs[j], b.m_uColCount);
    if (b.m_szNames[j])
        SetSeqName(i, b.m_szNames[j]);
    else {
        delete[] m_szNames[i];
        m_szNames[i] = nullptr;
    }
    if (m_uColCount == 0) m_uColCount = b.m_uColCount;
}

void MSA::AppendSeq(char* letters, unsigned length, char* name) {
    if (m_uSeqCount > m_uRowCapacity) Quit("Internal error MSA::AppendSeq");
    // Every record, not only those that grow the cache, must have the alignment's length.
    if (m_uSeqCount > 0 && length != m_uColCount) Quit("Internal error MSA::ExpandCache, ColCount changed");
    if (m_uSeqCount == m_uRowCapacity) ExpandCache(m_uSeqCount + std::max(ROW_GROWTH, m_uSeqCount), length);
    m_szSeqs[m_uSeqCount] = letters;
    m_szNames[m_uSeqCount] = name;
    m_Weights[m_uSeqCount] = BTInsane;
    ++m_uSeqCount;
}

void MSA::ExpandCache(unsigned capacity, unsigned length) {
    if (m_IdToSeqIndex || m_SeqIndexToId || capacity < m_uSeqCount) Quit("Internal error MSA::ExpandCache");
    if (m_uSeqCount > 0 && length != m_uColCount) Quit("Internal error MSA::ExpandCache, ColCount changed");
    char** seqs = new char*[capacity];
    char** names = new char*[capacity];
    WEIGHT* weights = new WEIGHT[capacity];
    for (unsigned i = 0; i < capacity; ++i) {
        const bool keep = i < m_uSeqCount;
        seqs[i] = keep ? m_szSeqs[i] : nullptr;
        names[i] = keep ? m_szNames[i] : nullptr;
        weights[i] = keep ? m_Weights[i] : BTInsane;
    }
    delete[] m_szSeqs;
    delete[] m_szNames;
    delete[] m_Weights;
    m_szSeqs = seqs;
    m_szNames = names;
    m_Weights = weights;
    m_uRowCapacity = capacity;
    m_uColCapacity = length;
    m_uColCount = length;
}

void MSA::DeleteSeq(unsigned row) {
    CheckRow(row, "DeleteSeq");
    delete[] m_szSeqs[row];
    delete[] m_szNames[row];
    if (m_SeqIndexToId && m_SeqIndexToId[row] != NO_INDEX) m_IdToSeqIndex[m_SeqIndexToId[row]] = NO_INDEX;
    for (unsigned i = row; i + 1 < m_uSeqCount; ++i) {
        m_szSeqs[i] = m_szSeqs[i + 1];
        m_szNames[i] = m_szNames[i + 1];
        m_Weights[i] = m_Weights[i + 1];
        if (m_SeqIndexToId) {
            const unsigned id = m_SeqIndexToId[i + 1];
            m_SeqIndexToId[i] = id;
            if (id != NO_INDEX) m_IdToSeqIndex[id] = i;
        }
    }
    --m_uSeqCount;
    m_szSeqs[m_uSeqCount] = nullptr;
    m_szNames[m_uSeqCount] = nullptr;
    m_Weights[m_uSeqCount] = BTInsane;
    if (m_SeqIndexToId) m_SeqIndexToId[m_uSeqCount] = NO_INDEX;
}

void MSA::DeleteCol(unsigned col) { DeleteColumns(col, 1); }

void MSA::DeleteColumns(unsigned col, unsigned count) {
    if (col > m_uColCount || count > m_uColCount - col)
        Quit("MSA::DeleteColumns(%u, %u), count=%u", col, count, m_uColCount);
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        char* s = m_szSeqs[row];
        memmove(s + col, s + col + count, m_uColCount - col - count);
    }
    m_uColCount -= count;
}

void MSA::CopyCol(unsigned fromCol, unsigned toCol) {
    if (fromCol == toCol) return;
    for (unsigned row = 0; row < m_uSeqCount; ++row) SetChar(row, toCol, GetChar(row, fromCol));
}

void MSA::BadRow(unsigned row, const char* operation) const {
    Quit("MSA::%s(%u), count=%u", operation, row, m_uSeqCount);
}

void MSA::BadCell(unsigned row, unsigned col) const {
    Quit("MSA::GetChar(%u/%u,%u/%u)", row, m_uSeqCount, col, m_uColCount);
}

void MSA::BadLetter(unsigned row, unsigned col, char c, unsigned letter) const {
    Quit("MSA::GetLetter(%u/%u, %u/%u)='%c'/%u", row, m_uSeqCount, col, m_uColCount, c, letter);
}

void MSA::UnsetWeight() const { Quit("Seq weight not set"); }

bool MSA::IsWildcard(unsigned row, unsigned col) const { return IsWildcardChar(GetChar(row, col)); }

unsigned MSA::GetLetterEx(unsigned row, unsigned col) const { return CharToLetterEx(GetChar(row, col)); }

void MSA::SetCharSlow(unsigned row, unsigned col, char c) {
    if (row >= m_uSeqCount || col > m_uColCapacity) Quit("MSA::SetChar(%u,%u)", row, col);
    if (col == m_uColCapacity) {
        // Within what an unsigned column count can hold.
        const unsigned newCapacity = col + std::min(std::max(COL_GROWTH, col / 2), UINT_MAX - 1 - col);
        for (unsigned i = 0; i < m_uSeqCount; ++i) {
            char* grown = NewRow(newCapacity);
            memcpy(grown, m_szSeqs[i], m_uColCapacity);
            delete[] m_szSeqs[i];
            m_szSeqs[i] = grown;
        }
        m_uColCapacity = newCapacity;
    }
    m_szSeqs[row][col] = c;
    if (col >= m_uColCount) m_uColCount = col + 1;
}

char* MSA::GetSeqBuffer(unsigned row) {
    CheckRow(row, "GetSeqBuffer");
    return m_szSeqs[row];
}

const char* MSA::GetSeqBuffer(unsigned row) const {
    CheckRow(row, "GetSeqBuffer");
    return m_szSeqs[row];
}

bool MSA::IsGapColumn(unsigned col) const {
    for (unsigned row = 0; row < m_uSeqCount; ++row)
        if (!IsGap(row, col)) return false;
    return true;
}

bool MSA::ColumnHasGap(unsigned col) const {
    for (unsigned row = 0; row < m_uSeqCount; ++row)
        if (IsGap(row, col)) return true;
    return false;
}

bool MSA::HasGap() const {
    for (unsigned row = 0; row < m_uSeqCount; ++row)
        for (unsigned col = 0; col < m_uColCount; ++col)
            if (IsGapChar(m_szSeqs[row][col])) return true;
    return false;
}

unsigned MSA::GetCharCount(unsigned row, unsigned col) const {
    CheckCell(row, col);
    unsigned count = 0;
    for (unsigned i = 0; i <= col; ++i)
        if (!IsGapChar(m_szSeqs[row][i])) ++count;
    return count;
}

unsigned MSA::GetSeqLength(unsigned row) const {
    CheckRow(row, "GetSeqLength");
    unsigned count = 0;
    for (unsigned col = 0; col < m_uColCount; ++col)
        if (!IsGapChar(m_szSeqs[row][col])) ++count;
    return count;
}

void MSA::GetSeq(unsigned row, Seq& s) const {
    CheckRow(row, "GetSeq");
    s.clear();
    for (unsigned col = 0; col < m_uColCount; ++col) {
        const char c = m_szSeqs[row][col];
        if (IsGapChar(c)) continue;
        if (!isalpha(static_cast<unsigned char>(c))) Quit("Invalid character '%c' in sequence", c);
        s.push_back(static_cast<char>(toupper(static_cast<unsigned char>(c))));
    }
    if (m_szNames[row]) s.SetName(m_szNames[row]);
    s.SetId(uInsane);
}

bool MSA::SeqsEq(const MSA& a, unsigned i, const MSA& b, unsigned j) {
    a.CheckRow(i, "SeqsEq");
    b.CheckRow(j, "SeqsEq");
    unsigned ca = 0, cb = 0;
    for (;;) {
        while (ca < a.m_uColCount && IsGapChar(a.m_szSeqs[i][ca])) ++ca;
        while (cb < b.m_uColCount && IsGapChar(b.m_szSeqs[j][cb])) ++cb;
        const bool endA = ca == a.m_uColCount;
        const bool endB = cb == b.m_uColCount;
        if (endA || endB) return endA && endB;
        if (toupper(static_cast<unsigned char>(a.m_szSeqs[i][ca])) !=
            toupper(static_cast<unsigned char>(b.m_szSeqs[j][cb])))
            return false;
        ++ca;
        ++cb;
    }
}

void MSA::SetSeqName(unsigned row, const char* name) {
    if (row >= m_uSeqCount) Quit("MSA::SetSeqName(%u, %s), count=%u", row, name, m_uSeqCount);
    char* copy = strsave(name);
    delete[] m_szNames[row];
    m_szNames[row] = copy;
}

const char* MSA::GetSeqName(unsigned row) const {
    if (row >= m_uSeqCount) Quit("MSA::GetSeqName(%u), count=%u", row, m_uSeqCount);
    return m_szNames[row];
}

bool MSA::GetSeqIndex(const char* name, unsigned* index) const {
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        if (m_szNames[row] && strcasecmp(m_szNames[row], name) == 0) {
            *index = row;
            return true;
        }
    }
    return false;
}

void MSA::SetIdCount(unsigned count) {
    if (m_uIdCount == 0) {
        m_uIdCount = count;
        return;
    }
    if (count > m_uIdCount) Quit("MSA::SetIdCount: cannot increase count");
}

void MSA::SetSeqId(unsigned row, unsigned id) {
    if (m_uIdCount == 0) Quit("MSA::SetSeqId, SetIdCount has not been called");
    CheckRow(row, "SetSeqId");
    if (id >= m_uIdCount) Quit("MSA::SetSeqId(%u, %u): id count is %u", row, id, m_uIdCount);
    if (!m_SeqIndexToId) AllocIdArrays();
    // Keep the two maps inverse: forget the row's old id and the id's old row.
    const unsigned oldId = m_SeqIndexToId[row];
    if (oldId != NO_INDEX && m_IdToSeqIndex[oldId] == row) m_IdToSeqIndex[oldId] = NO_INDEX;
    const unsigned oldRow = m_IdToSeqIndex[id];
    if (oldRow != NO_INDEX && oldRow != row && oldRow < m_uSeqCount) m_SeqIndexToId[oldRow] = NO_INDEX;
    m_SeqIndexToId[row] = id;
    m_IdToSeqIndex[id] = row;
}

unsigned MSA::GetSeqId(unsigned row) const {
    CheckRow(row, "GetSeqId");
    if (!m_SeqIndexToId) Quit("MSA::GetSeqId(%u): the alignment has no ids", row);
    return m_SeqIndexToId[row];
}

unsigned MSA::GetSeqIndex(unsigned id) const {
    if (!m_IdToSeqIndex || id >= m_uIdCount || m_IdToSeqIndex[id] == NO_INDEX)
        Quit("MSA::GetSeqIndex(%u): no row has this id", id);
    return m_IdToSeqIndex[id];
}

bool MSA::GetSeqIndex(unsigned id, unsigned* index) const {
    if (!m_SeqIndexToId) return false;
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        if (m_SeqIndexToId[row] == id) {
            *index = row;
            return true;
        }
    }
    return false;
}

void MSA::SetSeqWeight(unsigned row, WEIGHT w) {
    CheckRow(row, "SetSeqWeight");
    m_Weights[row] = w;
}

WEIGHT MSA::GetTotalSeqWeight() const {
    WEIGHT total = 0;
    for (unsigned row = 0; row < m_uSeqCount; ++row) total += GetSeqWeight(row);
    return total;
}

bool MSA::WeightsSet() const { return m_uSeqCount > 0 && m_Weights[0] != BTInsane; }

void MSA::UnWeight() {
    for (unsigned row = 0; row < m_uSeqCount; ++row) m_Weights[row] = BTInsane;
}

void MSA::NormalizeWeights(WEIGHT total) {
    WEIGHT sum = 0;
    for (unsigned row = 0; row < m_uSeqCount; ++row) sum += m_Weights[row];
    if (sum == 0) return;
    for (unsigned row = 0; row < m_uSeqCount; ++row) m_Weights[row] = m_Weights[row] * total / sum;
}

void MSA::CalcWeights() const { Quit("Calc weights not implemented"); }

unsigned MSA::AlignedColIndexToColIndex(unsigned) const { Quit("MSA::AlignedColIndexToColIndex not implemented"); }
