// Per-frame axis fit over a DCD trajectory.
#include "symmetry/trajectoryFit.h"

#include <cmath>
#include <iostream>

#include "libs/ReadDCD/dcd_r.h"
#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"

namespace {

[[noreturn]] void trajectoryFailure(const std::string& path, const std::string& why) {
    endRun(std::cerr, "Error in trajectory " + path + ": " + why);
}

double fittedRMSD(cSym& sym, cPointSymmetryGroup* group) {
    sym.computeAxis(group);
    return sym.totalWeight > 0.0 ? std::sqrt(group->residual / sym.totalWeight) : 0.0;
}

}  // namespace

void fitTrajectory(cSym& sym, cPointSymmetryGroup* group, const std::string& path) {
    DCD_R dcd(path.c_str());
    try {
        dcd.read_header();
    } catch (const DCDError& error) {
        trajectoryFailure(path, error.what());
    }

    // The frame holds one coordinate per atom record of the PDB file, in file order; serial
    // numbers count those records from 1. Every aligned atom must lie within the frame.
    const int frameAtoms = dcd.getNATOM();
    for (const cMolecule* chain : sym.chains)
        for (const cPDBAtom& atom : chain->alignedAtoms)
            if (atom.serial < 1 || atom.serial > frameAtoms)
                trajectoryFailure(path, "it holds " + std::to_string(frameAtoms) + " atoms per frame, but the PDB atom " +
                                            "with serial number " + std::to_string(atom.serial) + " (chain '" +
                                            std::string(1, atom.chain) + "', residue " +
                                            std::to_string(atom.residueNumber) + ") is not among them");

    std::cout << fittedRMSD(sym, group) << std::endl;

    // Frames the file really holds: the header's step count is no frame count.
    const long long frames = dcd.getNFramesInFile();
    for (long long t = 0; t < frames; ++t) {
        try {
            dcd.read_oneFrame();
        } catch (const DCDError& error) {
            trajectoryFailure(path, error.what());
        }
        const float* X = dcd.getX();
        const float* Y = dcd.getY();
        const float* Z = dcd.getZ();
        for (cMolecule* chain : sym.chains)
            for (cPDBAtom& atom : chain->alignedAtoms) {
                const int s = atom.serial - 1;
                atom.position = cVector3(static_cast<double>(X[s]), static_cast<double>(Y[s]), static_cast<double>(Z[s]));
            }
        std::cout << fittedRMSD(sym, group) << "\n" << std::flush;
    }
    // Bytes after the last complete frame: a frame cut short, which is never fitted.
    if (dcd.getTrailingBytes() > 0) {
        try {
            dcd.read_oneFrame();
        } catch (const DCDError& error) {
            trajectoryFailure(path, error.what());
        }
        trajectoryFailure(path, std::to_string(dcd.getTrailingBytes()) + " bytes follow the last complete frame");
    }
}
