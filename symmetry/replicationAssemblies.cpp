// The assembly test of crystal-mate replication (see replicationAssemblies.h).
#include "symmetry/replicationAssemblies.h"

#include <algorithm>
#include <cmath>

#include <Eigen/LU>
#include <Eigen/SVD>

namespace {

// Chains that rotations of the file's own model relate (non-crystallographic symmetry) agree to
// the precision of the model, commonly well under 1 Å CA RMSD, and a rotation about a point off
// their axis misplaces them by many Å: this CA RMSD (Å) tells the two apart.
constexpr double kSameRelatedChain = 2.0;

// The rotation about `point` that best moves the atoms x onto the atoms y (least squares).
cMatrix33 rotationFit(const cVector3& point, const std::vector<cVector3>& x, const std::vector<cVector3>& y) {
    Eigen::Matrix3d covariance = Eigen::Matrix3d::Zero();
    for (std::size_t i = 0; i < x.size(); ++i) {
        const cVector3 u = x[i] - point, v = y[i] - point;
        covariance += Eigen::Vector3d(v.x, v.y, v.z) * Eigen::Vector3d(u.x, u.y, u.z).transpose();
    }
    const Eigen::JacobiSVD<Eigen::Matrix3d> svd(covariance, Eigen::ComputeFullU | Eigen::ComputeFullV);
    Eigen::Matrix3d d = Eigen::Matrix3d::Identity();
    d(2, 2) = (svd.matrixU() * svd.matrixV().transpose()).determinant() < 0.0 ? -1.0 : 1.0;
    const Eigen::Matrix3d R = svd.matrixU() * d * svd.matrixV().transpose();
    return cMatrix33(R(0, 0), R(0, 1), R(0, 2), R(1, 0), R(1, 1), R(1, 2), R(2, 0), R(2, 1), R(2, 2));
}

// Whether the rotation R about `point` moves the atoms x onto the atoms y within
// kSameRelatedChain (CA RMSD); stops as soon as the sum is too large.
bool movesOnto(const cVector3& point, const cMatrix33& R, const std::vector<cVector3>& x,
               const std::vector<cVector3>& y) {
    if (x.empty() || x.size() != y.size()) return false;
    const double limit = kSameRelatedChain * kSameRelatedChain * static_cast<double>(x.size());
    double sum = 0.0;
    for (std::size_t i = 0; i < x.size() && sum < limit; ++i) sum += (point + R * (x[i] - point) - y[i]).norm2();
    return sum < limit;
}

}  // namespace

// A rotation about the point keeps every atom's distance from it, so chains whose distances differ
// from the first chain's by more than the tolerance (root-mean-square, which no fit within it can
// exceed) are not fitted at all; nor are chains whose centres are not at the first one's distance.
sFirstChainRelations firstChainRelations(const cVector3& point, const std::vector<std::vector<cVector3>>& chains,
                                         const std::vector<cVector3>& centroids) {
    const std::size_t n = chains.size();
    sFirstChainRelations relations{std::vector<cMatrix33>(n, cMatrix33::identity()), std::vector<char>(n, 0), 0};
    if (chains[0].empty()) return relations;
    relations.fitted[0] = 1;
    relations.count = 1;
    const double radius = (centroids[0] - point).norm();
    std::vector<double> first;
    for (std::size_t k = 1; k < n; ++k) {
        if (chains[k].size() != chains[0].size() ||
            !(std::fabs((centroids[k] - point).norm() - radius) < kSameRelatedChain))
            continue;
        if (first.empty())
            for (const cVector3& x : chains[0]) first.push_back((x - point).norm());
        double sum = 0.0;
        for (std::size_t i = 0; i < first.size(); ++i) {
            const double d = (chains[k][i] - point).norm() - first[i];
            sum += d * d;
        }
        if (!(sum < kSameRelatedChain * kSameRelatedChain * static_cast<double>(first.size()))) continue;
        const cMatrix33 R = rotationFit(point, chains[0], chains[k]);
        if (!movesOnto(point, R, chains[0], chains[k])) continue;
        relations.rotation[k] = R;
        relations.fitted[k] = 1;
        ++relations.count;
    }
    return relations;
}

// Every rotation of such a group that takes the first chain onto a chain present is that chain's
// image rotation after the file's own rotation of the first chain onto its source. Those that map
// the chains present onto one another are kept with the permutation of the chains they make; no
// rotation but the identity leaves a chain in place, so each is known by where it takes the first
// chain, and products are read off the permutations.
bool formsAssemblies(const cVector3& point, const std::vector<cMatrix33>& group,
                     const std::vector<std::vector<cVector3>>& chains, const std::vector<cVector3>& fileCentroids,
                     const sFirstChainRelations& related, const std::vector<sReplicationImage>& images, int order,
                     char kind) {
    const std::size_t fileChains = chains.size(), n = fileChains + images.size();
    if (order < 1 || n % order != 0 || n / order > fileChains || chains[0].empty()) return false;
    std::vector<cVector3> centroids = fileCentroids;
    for (const sReplicationImage& image : images)
        centroids.push_back(point + group[image.element] * (fileCentroids[image.source] - point));
    auto source = [&](std::size_t c) {
        return c < fileChains ? c : static_cast<std::size_t>(images[c - fileChains].source);
    };
    // A group of `order` takes the first chain onto `order` chains.
    std::vector<std::size_t> targets;
    for (std::size_t c = 0; c < n; ++c)
        if (related.fitted[source(c)]) targets.push_back(c);
    if (targets.size() < static_cast<std::size_t>(order)) return false;
    std::vector<std::vector<cVector3>> present = chains;
    for (const sReplicationImage& image : images) {
        present.push_back(chains[image.source]);
        for (cVector3& x : present.back()) x = point + group[image.element] * (x - point);
    }
    struct sRelation {
        cMatrix33 rotation;
        std::vector<int> image;  // chain k goes onto chain image[k]
    };
    std::vector<sRelation> relations;
    std::vector<int> byFirstImage(n, -1);
    for (std::size_t target : targets) {
        const cMatrix33 R = target < fileChains
                                ? related.rotation[target]
                                : group[images[target - fileChains].element] * related.rotation[source(target)];
        std::vector<int> image(n, -1);
        std::vector<char> taken(n, 0);
        bool permutes = true;
        for (std::size_t k = 0; k < n && permutes; ++k) {
            const cVector3 centre = point + R * (centroids[k] - point);
            for (std::size_t c = 0; c < n && image[k] < 0; ++c)
                if (!taken[c] && (centroids[c] - centre).norm() < kSameRelatedChain &&
                    movesOnto(point, R, present[k], present[c])) {
                    image[k] = static_cast<int>(c);
                    taken[c] = 1;
                }
            permutes = image[k] >= 0;
        }
        if (!permutes || image[0] != static_cast<int>(target)) continue;
        byFirstImage[target] = static_cast<int>(relations.size());
        relations.push_back({R, std::move(image)});
    }
    // A group of `order` rotations is a subgroup of these; the first relation is the identity.
    if (relations.empty() || relations.size() % order != 0) return false;
    auto product = [&](int a, int b) { return byFirstImage[relations[a].image[relations[b].image[0]]]; };
    const int m = static_cast<int>(relations.size());
    // Every group of rotations is generated by two of its elements.
    for (int g = 0; g < m; ++g)
        for (int h = g; h < m; ++h) {
            std::vector<int> members{0};
            std::vector<char> member(m, 0);
            member[0] = 1;
            bool closed = true;
            for (std::size_t e = 0; e < members.size() && closed; ++e)
                for (int generator : {g, h}) {
                    const int p = product(generator, members[e]);
                    if (p < 0 || (!member[p] && static_cast<int>(members.size()) == order)) {
                        closed = false;
                        break;
                    }
                    if (!member[p]) {
                        member[p] = 1;
                        members.push_back(p);
                    }
                }
            if (!closed || static_cast<int>(members.size()) != order) continue;
            std::vector<cMatrix33> rotations;
            for (int e : members) rotations.push_back(relations[e].rotation);
            if (kind != 0 && rotationGroupKind(rotations) != kind) continue;
            std::vector<char> reached(n, 0);
            for (int e : members)
                for (std::size_t k = 0; k < fileChains; ++k) reached[relations[e].image[k]] = 1;
            if (std::all_of(reached.begin(), reached.end(), [](char r) { return r != 0; })) return true;
        }
    return false;
}
