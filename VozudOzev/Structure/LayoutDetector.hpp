#pragma once

#include "VozudOzev/Platform/ComputeUnits.hpp"
#include "VozudOzev/Platform/Model.hpp"
#include "VozudOzev/Structure/LayoutCluster.hpp"
#include "VozudOzev/Structure/ModelLocation.hpp"
#include "VozudOzev/Structure/RGBImage.hpp"

#include <memory>
#include <vector>

namespace VozudOzev {

// The page-layout model "RizoviRarir" on a 72-dpi page: labelled regions with scores, and
// the table regions among them, merged and ordered.
class LayoutDetector final {
public:
    static constexpr int tableLabel = 8;
    static constexpr int documentIndexLabel = 11;
    static constexpr int side = 640;

    struct Detection {
        int label = 0;
        double score = 0;
        std::vector<double> box;  // left, top, right, bottom in pixels of the detected image

        bool operator==(const Detection&) const = default;
    };

    // Throws VozudOzevError::invalidInput "model RizoviRarir not found in ..." when the
    // model is missing, ModelError when it cannot be compiled or loaded.
    LayoutDetector(const ModelLocation& location, ComputeUnits computeUnits);

    // Throws what the runtime throws, VozudOzevError::invalidInput "layout model returned
    // no logits" when an output is missing, and for an empty image.
    std::vector<Detection> detect(const RGBImage& image) const;

    // 3 x 640 x 640 floats, planar RGB, each byte times 1/255.
    static std::vector<float> input(const RGBImage& image);

    // Queries scored with a sigmoid, best first, while above 0.3. Throws
    // VozudOzevError::invalidInput when a query has no box.
    static std::vector<Detection> postprocess(const std::vector<float>& logits, const std::vector<float>& boxes,
                                              int numClasses, int width, int height);

    // Table and index regions in page units, clamped to the page, merged, ordered top to
    // bottom then left to right.
    static std::vector<LayoutCluster> tableClusters(const std::vector<Detection>& detections, int imageWidth,
                                                    int imageHeight, double pageWidth, double pageHeight);

    // One cluster per group of overlapping clusters.
    static std::vector<LayoutCluster> removeOverlapping(const std::vector<LayoutCluster>& clusters,
                                                        double areaThreshold, double confThreshold);

private:
    std::shared_ptr<const Model> model_;
};

}  // namespace VozudOzev
