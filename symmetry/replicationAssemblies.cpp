// The assembly test of crystal-mate replication (see replicationAssemblies.h).
#include "symmetry/replicationAssemblies.h"

#include <algorithm>
#include <cmath>

#include <Eigen/LU>
#include <Eigen/SVD>

namespace {

constexpr double kPi = 3.141592653589793;

// The same for the rotations themselves: real non-crystallographic rotations close into their
// group to a degree or two, while a chain turned some degrees away from a true rotation of the
// group breaks a product of the group's rotations by as much or twice as much (its angle or its
// axis). The cosine of 5 degrees, the largest turn allowed between a product of two rotations
// and the rotation the chains name for it.
const double kSameRotationCosine = std::cos(5.0 * kPi / 180.0);

// The number of turns after which the rotation is the identity again (1, 2, 3, 4, 5 or 6).
int rotationOrder(const cMatrix33& R) {
    const double angle = std::acos(std::clamp((R.m[0] + R.m[4] + R.m[8] - 1.0) / 2.0, -1.0, 1.0));
    return angle < 1e-3 ? 1 : static_cast<int>(std::lround(2.0 * kPi / angle));
}

// The cosine of the angle of the rotation that takes B to A.
double cosineBetween(const cMatrix33& A, const cMatrix33& B) {
    double trace = 0.0;
    for (int k = 0; k < 9; ++k) trace += A.m[k] * B.m[k];  // trace of A B^T
    return (trace - 1.0) / 2.0;
}

cVector3 moveBy(const cMatrix33& R, const cVector3& t, const cVector3& x) { return R * x + t; }

// Whether the motion (R, t) moves the atoms x onto the atoms y within kSameRelatedChain (CA
// RMSD); stops as soon as the sum is too large.
bool movesOnto(const cMatrix33& R, const cVector3& t, const std::vector<cVector3>& x, const std::vector<cVector3>& y) {
    if (x.empty() || x.size() != y.size()) return false;
    const double limit = kSameRelatedChain * kSameRelatedChain * static_cast<double>(x.size());
    double sum = 0.0;
    for (std::size_t i = 0; i < x.size() && sum < limit; ++i) sum += (moveBy(R, t, x[i]) - y[i]).norm2();
    return sum < limit;
}

// The point p + B s (B: the directions) that the motions move least, summed over the motions
// (least squares; along directions that no motion constrains, s stays 0).
cVector3 leastMovedPoint(const sSiteFixedSet& site, const std::vector<cMatrix33>& rotations,
                         const std::vector<cVector3>& translations) {
    const int free = static_cast<int>(site.directions.size());
    if (free == 0) return site.point;
    Eigen::MatrixXd normal = Eigen::MatrixXd::Zero(free, free);
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(free);
    for (std::size_t h = 0; h < rotations.size(); ++h) {
        // The motion moves p + B s by d0 + (R - I) B s.
        const cVector3 d0 = moveBy(rotations[h], translations[h], site.point) - site.point;
        Eigen::MatrixXd columns(3, free);
        for (int j = 0; j < free; ++j) {
            const cVector3 c = rotations[h] * site.directions[j] - site.directions[j];
            columns.col(j) << c.x, c.y, c.z;
        }
        normal += columns.transpose() * columns;
        rhs -= columns.transpose() * Eigen::Vector3d(d0.x, d0.y, d0.z);
    }
    Eigen::JacobiSVD<Eigen::MatrixXd> svd(normal, Eigen::ComputeThinU | Eigen::ComputeThinV);
    svd.setThreshold(1e-9);
    const Eigen::VectorXd s = svd.solve(rhs);
    cVector3 q = site.point;
    for (int j = 0; j < free; ++j) q += site.directions[j] * s(j);
    return q;
}

}  // namespace

char rotationGroupKind(const std::vector<cMatrix33>& group) {
    int largest = 1;
    for (const cMatrix33& R : group) largest = std::max(largest, rotationOrder(R));
    const int n = static_cast<int>(group.size());
    if (largest == n) return 'c';
    if (2 * largest == n) return 'd';
    return n == 12 ? 't' : n == 60 ? 'i' : 'o';
}

sFirstChainRelations firstChainRelations(const std::vector<std::vector<cVector3>>& chains,
                                         const std::vector<cVector3>& centroids) {
    const std::size_t n = chains.size();
    sFirstChainRelations relations{std::vector<cMatrix33>(n, cMatrix33::identity()),
                                   std::vector<cVector3>(n, cVector3(0.0)), std::vector<double>(n, 0.0),
                                   std::vector<char>(n, 0)};
    if (n == 0 || chains[0].empty()) return relations;
    relations.fitted[0] = 1;
    const std::vector<cVector3>& x = chains[0];
    const double atoms = static_cast<double>(x.size());
    for (std::size_t k = 1; k < n; ++k) {
        const std::vector<cVector3>& y = chains[k];
        if (y.size() != x.size()) continue;
        // Least squares about the centroids, a proper rotation only (a mirror image fits nothing).
        Eigen::Matrix3d covariance = Eigen::Matrix3d::Zero();
        for (std::size_t i = 0; i < x.size(); ++i) {
            const cVector3 u = x[i] - centroids[0], v = y[i] - centroids[k];
            covariance += Eigen::Vector3d(v.x, v.y, v.z) * Eigen::Vector3d(u.x, u.y, u.z).transpose();
        }
        const Eigen::JacobiSVD<Eigen::Matrix3d> svd(covariance, Eigen::ComputeFullU | Eigen::ComputeFullV);
        Eigen::Matrix3d d = Eigen::Matrix3d::Identity();
        d(2, 2) = (svd.matrixU() * svd.matrixV().transpose()).determinant() < 0.0 ? -1.0 : 1.0;
        const Eigen::Matrix3d E = svd.matrixU() * d * svd.matrixV().transpose();
        const cMatrix33 R(E(0, 0), E(0, 1), E(0, 2), E(1, 0), E(1, 1), E(1, 2), E(2, 0), E(2, 1), E(2, 2));
        const cVector3 t = centroids[k] - R * centroids[0];
        double sum = 0.0;
        for (std::size_t i = 0; i < x.size(); ++i) sum += (moveBy(R, t, x[i]) - y[i]).norm2();
        if (!(sum < kSameRelatedChain * kSameRelatedChain * atoms)) continue;
        relations.rotation[k] = R;
        relations.translation[k] = t;
        relations.meanSquare[k] = sum / atoms;
        relations.fitted[k] = 1;
    }
    return relations;
}

// A motion (R, t) turns about the point q with its own rotation R up to the shift R q + t - q,
// which adds its square to the mean square of the fit (the fit leaves no mean residual).
int relationsAboutSite(const sSiteFixedSet& site, const sFirstChainRelations& related, std::vector<char>& about) {
    const std::size_t n = related.fitted.size();
    about.assign(n, 0);
    int count = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (!related.fitted[k]) continue;
        const cVector3 q = leastMovedPoint(site, {related.rotation[k]}, {related.translation[k]});
        const double shift2 = (moveBy(related.rotation[k], related.translation[k], q) - q).norm2();
        if (related.meanSquare[k] + shift2 < kSameRelatedChain * kSameRelatedChain) {
            about[k] = 1;
            ++count;
        }
    }
    return count;
}

// Every rotation of such a group that takes the first chain onto a chain present is that chain's
// image motion after the file's own motion of the first chain onto its source. Those that map
// the chains present onto one another are kept with the permutation of the chains they make; no
// motion but the identity leaves a chain in place, so each is known by where it takes the first
// chain, and products are read off the permutations. The motions are the file's own fits
// composed with the site's exact rotations, not rotations fitted about the site's point: a group
// of them that keeps moving the chains onto one another, products included, turns about one
// common point (motions about points apart, or screws, compose into motions that move chains
// away), and its rotations must close as the permutations say.
bool formsAssemblies(const sSiteFixedSet& site, const std::vector<cMatrix33>& group,
                     const std::vector<std::vector<cVector3>>& chains, const std::vector<cVector3>& fileCentroids,
                     const sFirstChainRelations& related, const std::vector<char>& about,
                     const std::vector<sReplicationImage>& images, int order, char kind) {
    const std::size_t fileChains = chains.size(), n = fileChains + images.size();
    if (order < 1 || n % order != 0 || n / order > fileChains || chains[0].empty()) return false;
    const cVector3& p = site.point;
    auto siteShift = [&](const cMatrix33& G) { return p - G * p; };  // G about p
    std::vector<cVector3> centroids = fileCentroids;
    for (const sReplicationImage& image : images)
        centroids.push_back(p + group[image.element] * (fileCentroids[image.source] - p));
    auto source = [&](std::size_t c) {
        return c < fileChains ? c : static_cast<std::size_t>(images[c - fileChains].source);
    };
    // A group of `order` takes the first chain onto `order` chains.
    std::vector<std::size_t> targets;
    for (std::size_t c = 0; c < n; ++c)
        if (about[source(c)]) targets.push_back(c);
    if (targets.size() < static_cast<std::size_t>(order)) return false;
    std::vector<std::vector<cVector3>> present = chains;
    for (std::vector<cVector3>& image : imageAtoms(p, group, images, chains)) present.push_back(std::move(image));
    struct sRelation {
        cMatrix33 rotation;
        cVector3 translation;
        std::vector<int> image;  // chain k goes onto chain image[k]
    };
    std::vector<sRelation> relations;
    std::vector<int> byFirstImage(n, -1);
    for (std::size_t target : targets) {
        const std::size_t s = source(target);
        cMatrix33 R = related.rotation[s];
        cVector3 t = related.translation[s];
        if (target >= fileChains) {
            const cMatrix33& G = group[images[target - fileChains].element];
            t = G * t + siteShift(G);
            R = G * R;
        }
        std::vector<int> image(n, -1);
        std::vector<char> taken(n, 0);
        bool permutes = true;
        for (std::size_t k = 0; k < n && permutes; ++k) {
            const cVector3 moved = moveBy(R, t, centroids[k]);
            for (std::size_t c = 0; c < n && image[k] < 0; ++c)
                if (!taken[c] && (centroids[c] - moved).norm() < kSameRelatedChain &&
                    movesOnto(R, t, present[k], present[c])) {
                    image[k] = static_cast<int>(c);
                    taken[c] = 1;
                }
            permutes = image[k] >= 0;
        }
        if (!permutes || image[0] != static_cast<int>(target)) continue;
        byFirstImage[target] = static_cast<int>(relations.size());
        relations.push_back({R, t, std::move(image)});
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
            if (!std::all_of(reached.begin(), reached.end(), [](char r) { return r != 0; })) continue;
            // The rotations close under products as the chains say they do.
            bool closes = true;
            for (int a : members)
                for (int b : members)
                    closes = closes && cosineBetween(relations[a].rotation * relations[b].rotation,
                                                     relations[product(a, b)].rotation) >= kSameRotationCosine;
            if (closes) return true;
        }
    return false;
}

cVector3 centroid(const std::vector<cVector3>& points) {
    cVector3 sum(0.0);
    for (const cVector3& p : points) sum += p;
    return points.empty() ? sum : sum / static_cast<double>(points.size());
}

std::vector<std::vector<cVector3>> imageAtoms(const cVector3& point, const std::vector<cMatrix33>& group,
                                              const std::vector<sReplicationImage>& images,
                                              const std::vector<std::vector<cVector3>>& chains) {
    std::vector<std::vector<cVector3>> out;
    for (const sReplicationImage& image : images) {
        out.push_back(chains[image.source]);
        for (cVector3& x : out.back()) x = point + group[image.element] * (x - point);
    }
    return out;
}

bool holdsWholeAssemblies(const std::vector<std::vector<cVector3>>& chains, int order, char kind) {
    if (chains.empty()) return false;
    std::vector<cVector3> centroids;
    cVector3 mean(0.0);
    for (const std::vector<cVector3>& chain : chains) {
        centroids.push_back(centroid(chain));
        mean += centroids.back() / static_cast<double>(chains.size());
    }
    const sFirstChainRelations related = firstChainRelations(chains, centroids);
    const sSiteFixedSet anywhere{mean, {cVector3(1.0, 0.0, 0.0), cVector3(0.0, 1.0, 0.0), cVector3(0.0, 0.0, 1.0)}};
    std::vector<char> about;
    (void)relationsAboutSite(anywhere, related, about);
    return formsAssemblies(anywhere, {cMatrix33::identity()}, chains, centroids, related, about, {}, order, kind);
}
