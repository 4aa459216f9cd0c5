#include "VozudOzev/Structure/LayoutDetector.hpp"

#include "VozudOzev/Platform/ModelRuntime.hpp"
#include "VozudOzev/Structure/MLArray.hpp"
#include "VozudOzev/Structure/Resample.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>

namespace VozudOzev {

namespace {

double intersection(const LayoutCluster& a, const LayoutCluster& b)
{
    const double w = std::min(a.r, b.r) - std::max(a.l, b.l);
    const double h = std::min(a.b, b.b) - std::max(a.t, b.t);
    return w > 0 && h > 0 ? w * h : 0;
}

bool positive(const LayoutCluster& c)
{
    return c.r - c.l > 0 && c.b - c.t > 0;
}

}  // namespace

LayoutDetector::LayoutDetector(const ModelLocation& location, ComputeUnits computeUnits)
    : model_(ModelRuntime::load(location.compiledModel(ModelLocation::layoutName), computeUnits))
{
}

std::vector<float> LayoutDetector::input(const RGBImage& image)
{
    const RGBImage resized = Resample::torchAA(image, side, side);
    constexpr size_t plane = static_cast<size_t>(side) * side;
    constexpr float scale = 1.0f / 255.0f;
    std::vector<float> out(3 * plane);
    for (size_t i = 0; i < plane; ++i)
        for (size_t c = 0; c < 3; ++c)
            out[c * plane + i] = static_cast<float>(resized.rgb[i * 3 + c]) * scale;
    return out;
}

std::vector<LayoutDetector::Detection> LayoutDetector::detect(const RGBImage& image) const
{
    FeatureMap features;
    features.emplace("pixel_values", MLArray::make(input(image), {1, 3, side, side}));
    const FeatureMap out = model_->predict(features);
    const auto logits = out.find("logits");
    const auto boxes = out.find("pred_boxes");
    if (logits == out.end() || boxes == out.end())
        throw VozudOzevError::invalidInput("layout model returned no logits");
    const auto& shape = logits->second.shape;
    const long long classes = shape.empty() ? 0 : shape.back();
    if (classes > std::numeric_limits<int>::max())
        throw VozudOzevError::invalidInput("layout model returned too many classes");
    return postprocess(MLArray::floats(logits->second), MLArray::floats(boxes->second), static_cast<int>(classes),
                       image.width, image.height);
}

std::vector<LayoutDetector::Detection> LayoutDetector::postprocess(const std::vector<float>& logits,
                                                                   const std::vector<float>& boxes, int numClasses,
                                                                   int width, int height)
{
    if (numClasses <= 0)
        return {};
    std::vector<float> scores(logits.size());
    for (size_t i = 0; i < logits.size(); ++i) {
        scores[i] = 1.0f / (1.0f + std::exp(-logits[i]));
        // A NaN would break the ordering; it is no detection.
        if (std::isnan(scores[i]))
            scores[i] = -std::numeric_limits<float>::infinity();
    }
    std::vector<size_t> order(scores.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return scores[a] > scores[b]; });

    const size_t queries = logits.size() / static_cast<size_t>(numClasses);
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    std::vector<Detection> out;
    for (size_t k = 0; k < std::min(queries, order.size()); ++k) {
        const size_t i = order[k];
        if (!(static_cast<double>(scores[i]) > 0.3))
            break;
        const size_t q = i / static_cast<size_t>(numClasses);
        if (4 * q + 3 >= boxes.size())
            throw VozudOzevError::invalidInput("layout model returned no box for query " + std::to_string(q));
        const float cx = boxes[4 * q], cy = boxes[4 * q + 1], bw = boxes[4 * q + 2], bh = boxes[4 * q + 3];
        Detection d;
        d.label = static_cast<int>(i % static_cast<size_t>(numClasses));
        d.score = static_cast<double>(scores[i]);
        d.box = {static_cast<double>((cx - 0.5f * bw) * w), static_cast<double>((cy - 0.5f * bh) * h),
                 static_cast<double>((cx + 0.5f * bw) * w), static_cast<double>((cy + 0.5f * bh) * h)};
        out.push_back(std::move(d));
    }
    return out;
}

std::vector<LayoutCluster> LayoutDetector::tableClusters(const std::vector<Detection>& detections, int imageWidth,
                                                         int imageHeight, double pageWidth, double pageHeight)
{
    const double sx = pageWidth / imageWidth;
    const double sy = pageHeight / imageHeight;
    std::vector<LayoutCluster> candidates;
    for (size_t i = 0; i < detections.size(); ++i) {
        const Detection& d = detections[i];
        if (d.box.size() < 4)
            continue;
        LayoutCluster c;
        c.id = static_cast<int>(i);
        c.label = d.label;
        c.confidence = d.score;
        c.l = std::min(pageWidth, std::max(0.0, d.box[0] * sx));
        c.t = std::min(pageHeight, std::max(0.0, d.box[1] * sy));
        c.r = std::min(pageWidth, std::max(0.0, d.box[2] * sx));
        c.b = std::min(pageHeight, std::max(0.0, d.box[3] * sy));
        if ((c.label == documentIndexLabel && c.confidence >= 0.45) || (c.label == tableLabel && c.confidence >= 0.5))
            candidates.push_back(c);
    }
    std::vector<LayoutCluster> kept = removeOverlapping(candidates, 2.0, 0.2);

    // A table that is really the same region as an index found about as confidently.
    std::vector<LayoutCluster> out;
    for (const auto& c : kept) {
        bool drop = false;
        if (c.label == tableLabel) {
            for (const auto& index : kept) {
                if (index.label != documentIndexLabel)
                    continue;
                const double inter = intersection(c, index);
                const double uni = c.area() + index.area() - inter;
                if (uni > 0 && inter / uni > 0.8 && c.confidence - index.confidence < 0.1) {
                    drop = true;
                    break;
                }
            }
        }
        if (!drop)
            out.push_back(c);
    }
    std::stable_sort(out.begin(), out.end(), [](const LayoutCluster& a, const LayoutCluster& b) {
        return a.t != b.t ? a.t < b.t : a.l < b.l;
    });
    return out;
}

namespace {

// Union-find over cluster ids, with path compression and union by rank.
class Unions {
public:
    explicit Unions(const std::vector<LayoutCluster>& clusters)
    {
        for (const auto& c : clusters) {
            parent_[c.id] = c.id;
            rank_[c.id] = 0;
        }
    }

    int find(int id)
    {
        int root = id;
        while (parent_[root] != root)
            root = parent_[root];
        while (parent_[id] != root) {
            const int next = parent_[id];
            parent_[id] = root;
            id = next;
        }
        return root;
    }

    void unite(int a, int b)
    {
        const int ra = find(a), rb = find(b);
        if (ra == rb)
            return;
        if (rank_[ra] < rank_[rb]) {
            parent_[ra] = rb;
        } else if (rank_[ra] > rank_[rb]) {
            parent_[rb] = ra;
        } else {
            parent_[rb] = ra;
            ++rank_[ra];
        }
    }

private:
    std::map<int, int> parent_;
    std::map<int, int> rank_;
};

// Clusters joined through chains of large overlaps, each group in the order of its first
// member.
std::vector<std::vector<LayoutCluster>> overlapGroups(const std::vector<LayoutCluster>& clusters)
{
    Unions unions(clusters);
    for (const auto& a : clusters)
        for (const auto& b : clusters) {
            if (a.id == b.id || !positive(a) || !positive(b))
                continue;
            const double inter = intersection(a, b);
            if (inter <= 0)
                continue;
            const double iou = inter / (a.area() + b.area() - inter);
            if (iou > 0.8 || inter / a.area() > 0.8 || inter / b.area() > 0.8)
                unions.unite(a.id, b.id);
        }
    std::vector<int> roots;
    std::map<int, std::vector<LayoutCluster>> groups;
    for (const auto& c : clusters) {
        const int root = unions.find(c.id);
        if (!groups.count(root))
            roots.push_back(root);
        groups[root].push_back(c);
    }
    std::vector<std::vector<LayoutCluster>> out;
    for (int root : roots)
        out.push_back(std::move(groups[root]));
    return out;
}

// The group's largest cluster that no comparable one beats clearly on confidence, else
// its first.
const LayoutCluster& keptOf(const std::vector<LayoutCluster>& group, double areaThreshold, double confThreshold)
{
    auto outvoted = [&](size_t w) {
        for (size_t p = 0; p < group.size(); ++p) {
            if (p == w)
                continue;
            const double ap = group[p].area();
            const bool comparable = ap > 0 ? group[w].area() / ap <= areaThreshold : std::isinf(areaThreshold);
            if (comparable && group[p].confidence - group[w].confidence > confThreshold)
                return true;
        }
        return false;
    };
    const LayoutCluster* taken = nullptr;
    for (size_t i = 0; i < group.size(); ++i) {
        if (outvoted(i))
            continue;
        if (!taken || (group[i].area() > taken->area() && taken->confidence - group[i].confidence <= confThreshold))
            taken = &group[i];
    }
    return taken ? *taken : group.front();
}

}  // namespace

std::vector<LayoutCluster> LayoutDetector::removeOverlapping(const std::vector<LayoutCluster>& clusters,
                                                             double areaThreshold, double confThreshold)
{
    std::vector<LayoutCluster> out;
    for (const std::vector<LayoutCluster>& group : overlapGroups(clusters))
        out.push_back(group.size() == 1 ? group.front() : keptOf(group, areaThreshold, confThreshold));
    return out;
}

}  // namespace VozudOzev
