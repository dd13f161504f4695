// DistCalc: row-by-row access to pairwise distances, over a DistFunc or computed from an MSA.
#pragma once

#include "align/enums.h"

class DistFunc;
class MSA;

// Row i yields the i distances to rows 0 .. i-1. Implementations are short-lived adapters
// that point to a matrix or an alignment they do not own.
class DistCalc {
public:
    virtual void CalcDistRange(unsigned i, float dist[]) const = 0;
    virtual unsigned GetCount() const = 0;
    virtual unsigned GetId(unsigned i) const = 0;
    virtual const char* GetName(unsigned i) const = 0;

protected:
    ~DistCalc() = default;
};

class DistCalcDF : public DistCalc {
public:
    void Init(const DistFunc& df) { m_ptrDF = &df; }
    void CalcDistRange(unsigned i, float dist[]) const override;
    unsigned GetCount() const override;
    unsigned GetId(unsigned i) const override;
    const char* GetName(unsigned i) const override;

private:
    const DistFunc* m_ptrDF = nullptr;
};

// Distances from the identity of aligned rows, recomputed on every call: PctIdKimura and
// PctIdLog (of the identity rounded to float), ScoreDist, and Edit (1 - identity).
class DistCalcMSA : public DistCalc {
public:
    void Init(const MSA& msa, DISTANCE distance) {
        m_ptrMSA = &msa;
        m_Distance = distance;
    }
    void CalcDistRange(unsigned i, float dist[]) const override;
    unsigned GetCount() const override;
    unsigned GetId(unsigned i) const override;
    const char* GetName(unsigned i) const override;

private:
    const MSA* m_ptrMSA = nullptr;
    DISTANCE m_Distance = DISTANCE_Undefined;
};
