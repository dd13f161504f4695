// Per-frame axis fit over a DCD trajectory.
#include "symmetry/trajectoryFit.h"

#include <cmath>
#include <iostream>
#include <string>

#include "libs/ReadDCD/dcd_r.h"
#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"

namespace {

std::string trajectoryMessage(const std::string& path, const std::string& why) {
    return "Error in trajectory " + path + ": " + why;
}

double fittedRMSD(cSym& sym, cPointSymmetryGroup* group) {
    sym.computeAxis(group);
    return sym.totalWeight > 0.0 ? std::sqrt(group->residual / sym.totalWeight) : 0.0;
}

}  // namespace

void trajectoryFailure(const std::string& path, const std::string& why) {
    endRun(std::cerr, trajectoryMessage(path, why));
}

std::string fitTrajectory(cSym& sym, cPointSymmetryGroup* group, const std::string& path, const std::string& source) {
    DCD_R dcd((source.empty() ? path : source).c_str(), path.c_str());
    try {
        dcd.read_header();
    } catch (const DCDError& error) {
        trajectoryFailure(path, error.what());
    }

    // The frame holds one coordinate per atom record of the PDB file, in file order.
    const int frameAtoms = dcd.getNATOM();
    const int records = sym.atomRecordCount;
    if (frameAtoms < records)
        trajectoryFailure(path, "it holds " + std::to_string(frameAtoms) + " atoms per frame, but the PDB file has " +
                                    std::to_string(records) + " atom records");
    if (frameAtoms > records)
        std::cerr << "Warning: trajectory " << path << " holds " << frameAtoms << " atoms per frame, but the PDB file has "
                  << records << " atom records; the first " << records << " are taken as the file's atoms" << std::endl;
    for (const cMolecule* chain : sym.chains)
        for (const cPDBAtom& atom : chain->alignedAtoms)
            if (atom.recordOrdinal < 0 || atom.recordOrdinal >= frameAtoms)
                trajectoryFailure(path, "the PDB atom of chain '" + std::string(1, atom.chain) + "', residue " +
                                            std::to_string(atom.residueNumber) + " has no place in its frames");

    std::cout << fittedRMSD(sym, group) << std::endl;

    // Frames the file really holds: the header's step count is no frame count. Bytes after the
    // last complete frame are read as one more frame, which cannot be complete.
    const long long reads = dcd.getNFramesInFile() + (dcd.getTrailingBytes() > 0 ? 1 : 0);
    for (long long t = 0; t < reads; ++t) {
        try {
            dcd.read_oneFrame();
        } catch (const DCDIncompleteFrame&) {
            // A run still writing its trajectory, or one stopped mid-frame (the zeros some file
            // systems leave after a crash included): what came before is whole. Every group
            // reads the same file, so once is enough to say so.
            if (!sym.trajectoryCutReported) {
                const long long zeros = dcd.getZeroTailStart();
                std::cerr << "Warning: trajectory " << path << " ends inside frame " << t + 1 << " ("
                          << (zeros >= 0 ? "only zero bytes from byte " + std::to_string(zeros) +
                                               " to the end of the file at byte "
                                         : std::string("the file ends at byte "))
                          << dcd.getFileSize() << "); fitted the " << t
                          << (t == 1 ? " complete frame" : " complete frames") << " before it" << std::endl;
                sym.trajectoryCutReported = true;
            }
            return "";
        } catch (const DCDError& error) {
            // The fit in place is that of the last good frame: it is reported before the run ends.
            return trajectoryMessage(path, error.what()) + "; the results reported are those of " +
                   (t == 0 ? std::string("the PDB file's coordinates") : "frame " + std::to_string(t));
        }
        const float* X = dcd.getX();
        const float* Y = dcd.getY();
        const float* Z = dcd.getZ();
        for (cMolecule* chain : sym.chains)
            for (cPDBAtom& atom : chain->alignedAtoms) {
                const int s = atom.recordOrdinal;
                atom.position = cVector3(static_cast<double>(X[s]), static_cast<double>(Y[s]), static_cast<double>(Z[s]));
            }
        // A crystal mate's atoms carry its source's record numbers: the frame gave them the
        // source's positions, which the mate's motion carries to their images.
        for (const cSym::sCrystalMate& mate : sym.crystalMates)
            for (cPDBAtom& atom : sym.chains[mate.chain]->alignedAtoms)
                mate.motion.transformPoint(atom.position, atom.position);
        std::cout << fittedRMSD(sym, group) << "\n" << std::flush;
    }
    return "";
}
