// ClustSet: the leaves and leaf distances that Clust clusters, from a DistFunc or an MSA.
#pragma once

#include "align/enums.h"

class Clust;
class DistFunc;
class MSA;

class ClustSet {
public:
    virtual unsigned GetLeafCount() = 0;
    virtual double ComputeDist(const Clust& c, unsigned i, unsigned j) = 0;
    // Neither implementation supports it (the joins are Clust's own).
    virtual void JoinNodes(const Clust& c, unsigned left, unsigned right, unsigned join, double* leftLength,
                           double* rightLength) = 0;
    virtual const char* GetLeafName(unsigned i) = 0;
    virtual unsigned GetLeafId(unsigned i) = 0;

protected:
    ~ClustSet() = default;
};

class ClustSetDF : public ClustSet {
public:
    explicit ClustSetDF(const DistFunc& df) : m_ptrDF(&df) {}
    unsigned GetLeafCount() override;
    double ComputeDist(const Clust& c, unsigned i, unsigned j) override;
    [[noreturn]] void JoinNodes(const Clust& c, unsigned left, unsigned right, unsigned join, double* leftLength,
                                double* rightLength) override;
    const char* GetLeafName(unsigned i) override;
    unsigned GetLeafId(unsigned i) override;

private:
    const DistFunc* m_ptrDF;
};

// Distances from the identity of aligned rows (not rounded): ScoreDist, PctIdKimura or
// PctIdLog. The DISTANCE value is read through the caller's pointer on every call.
class ClustSetMSA : public ClustSet {
public:
    ClustSetMSA(const MSA& msa, const DISTANCE* distance) : m_ptrMSA(&msa), m_ptrDistance(distance) {}
    unsigned GetLeafCount() override;
    double ComputeDist(const Clust& c, unsigned i, unsigned j) override;
    [[noreturn]] void JoinNodes(const Clust& c, unsigned left, unsigned right, unsigned join, double* leftLength,
                                double* rightLength) override;
    const char* GetLeafName(unsigned i) override;
    unsigned GetLeafId(unsigned i) override;

    // The distance of rows i and j by the method, as ComputeDist gives it.
    static double MSADist(const MSA& msa, DISTANCE distance, unsigned i, unsigned j);

private:
    const MSA* m_ptrMSA;
    const DISTANCE* m_ptrDistance;
};
