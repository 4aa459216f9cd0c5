#include "VozudOzev/Structure/StructurePredictor.hpp"

#include "VozudOzev/Model/Clock.hpp"
#include "VozudOzev/Structure/OTSL.hpp"
#include "VozudOzev/Structure/Resample.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>
#include <tuple>

namespace VozudOzev {

namespace {

// Round half to even.
double nearest(double v)
{
    return std::nearbyint(v);
}

// A pixel coordinate as an integer; a value that is not finite or too large is refused
// rather than converted with undefined behaviour.
int pixel(double v)
{
    if (!std::isfinite(v) || v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        throw VozudOzevError::invalidInput("page coordinate out of range");
    return static_cast<int>(v);
}

// The page at `width` x `height` over `box`: the image itself when that is what it is.
RGBImage render(const RGBImage& image, int width, int height, const Resample::Box& box)
{
    if (width == image.width && height == image.height && box.x1 == image.width && box.y1 == image.height)
        return image;
    return Resample::pil(image, width, height, box, Resample::Filter::lanczos);
}

void checkInput(const RGBImage& source, Dpi dpi)
{
    if (source.empty())
        throw VozudOzevError::invalidInput("image is empty");
    if (!(std::isfinite(dpi.x) && std::isfinite(dpi.y) && dpi.x > 0 && dpi.y > 0))
        throw VozudOzevError::invalidInput("image resolution must be positive");
}

// The page in 72-dpi points, and the source area every rendering of it reads.
struct Page {
    double pw = 0;
    double ph = 0;
    Resample::Box box;
};

Page pageOf(const RGBImage& source, Dpi dpi)
{
    const double pw = source.width * 72.0 / dpi.x;
    const double ph = source.height * 72.0 / dpi.y;
    return {pw, ph, Resample::Box{0, 0, pw * dpi.x / 72.0, ph * dpi.y / 72.0}};
}

// The 144-dpi page and its scaling to a height of 1024, shared by all regions.
struct ScaledPage {
    int w144 = 0;
    int h144 = 0;
    double s = 0;  // from the 144-dpi page to the scaled one
    int ws = 0;
    RGBImage scaled;
};

ScaledPage scaledPage(const RGBImage& source, const Page& page)
{
    ScaledPage out;
    out.w144 = std::max(1, pixel(nearest(2 * page.pw)));
    out.h144 = std::max(1, pixel(nearest(2 * page.ph)));
    const RGBImage page144 = render(source, out.w144, out.h144, page.box);
    out.s = 1024.0 / out.h144;
    // A page far taller than wide would scale to no column at all; keep one.
    out.ws = std::max(1, pixel(std::trunc(out.s * out.w144)));
    out.scaled = Resample::cvArea8U(page144, out.ws, 1024);
    return out;
}

// The decoded cells in source pixels; the decoder's first cell wins each grid slot.
std::vector<StructureFile::SCell> sourceCells(const OTSL::Cells& otsl, double fx, double fy)
{
    std::vector<size_t> order(otsl.cells.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const auto& ca = otsl.cells[a];
        const auto& cb = otsl.cells[b];
        return std::tie(ca.row, ca.col) < std::tie(cb.row, cb.col);
    });
    std::vector<StructureFile::SCell> cells;
    std::set<std::pair<int, int>> taken;
    for (size_t i : order) {
        const OTSL::RawCell& c = otsl.cells[i];
        if (!taken.insert({c.row, c.col}).second)
            continue;
        StructureFile::SCell cell;
        cell.row = c.row;
        cell.col = c.col;
        cell.rowSpan = std::max(1, c.rowSpan);
        cell.colSpan = std::max(1, c.colSpan);
        cell.header = c.label == "ched";
        const auto& [l, t, r, b] = c.box;
        cell.bbox = BBox{fx * (l * 0.5), fy * (t * 0.5), fx * (r * 0.5 - l * 0.5), fy * (b * 0.5 - t * 0.5)};
        cells.push_back(cell);
    }
    return cells;
}

// One layout region read by the structure model from the scaled page.
StructureFile::STable readRegion(const TableFormer& tableFormer, const LayoutCluster& region, const ScaledPage& page,
                                 double fx, double fy, StructurePredictor::TableTrace& tableTrace)
{
    const std::array<double, 4> boxIn = {2 * nearest(region.l), 2 * nearest(region.t), 2 * nearest(region.r),
                                         2 * nearest(region.b)};
    std::array<double, 4> onScaled{};
    for (size_t i = 0; i < 4; ++i)
        onScaled[i] = boxIn[i] * page.s;
    const int x0 = std::clamp(pixel(nearest(onScaled[0])), 0, page.ws);
    const int x1 = std::clamp(pixel(nearest(onScaled[2])), x0, page.ws);
    const int y0 = std::clamp(pixel(nearest(onScaled[1])), 0, 1024);
    const int y1 = std::clamp(pixel(nearest(onScaled[3])), y0, 1024);

    StructureFile::STable table;
    table.bbox = BBox{fx * region.l, fy * region.t, fx * (region.r - region.l), fy * (region.b - region.t)};
    tableTrace = {{page.w144, page.h144}, boxIn, page.scaled.cropped(x0, y0, x1, y1), {}, {}};
    // A region on the page's edge can leave nothing to read: no cells.
    if (tableTrace.crop.empty())
        return table;
    const TableFormer::Prediction prediction = tableFormer.predict(tableTrace.crop);
    std::array<double, 4> tableBox{};
    for (size_t i = 0; i < 4; ++i)
        tableBox[i] = onScaled[i] / page.s;
    OTSL::Cells otsl =
        OTSL::cells(prediction.sequence, prediction.boxes, prediction.classes, tableFormer.revWordMap(), tableBox);
    tableTrace.sequence = prediction.sequence;
    tableTrace.rsSeq = otsl.rsSeq;
    if (OTSL::isDegenerate(otsl.rsSeq, tableFormer.maxSteps()))
        return table;
    table.rows = otsl.rows;
    table.cols = otsl.cols;
    table.cells = sourceCells(otsl, fx, fy);
    return table;
}

}  // namespace

StructurePredictor::StructurePredictor(const ModelLocation& location, ComputeUnits computeUnits)
    : layout_(location, computeUnits), tableFormer_(location, computeUnits)
{
}

StructureFile StructurePredictor::predict(const Image& image, Dpi dpi, const std::optional<std::string>& id,
                                          Trace* trace) const
{
    const auto start = Clock::now();
    const RGBImage source(image);
    checkInput(source, dpi);
    const Page page = pageOf(source, dpi);
    const int w72 = std::max(1, pixel(nearest(page.pw)));
    const int h72 = std::max(1, pixel(nearest(page.ph)));
    const RGBImage page72 = render(source, w72, h72, page.box);

    const auto detections = layout_.detect(page72);
    const auto regions = LayoutDetector::tableClusters(detections, page72.width, page72.height, page.pw, page.ph);
    if (trace) {
        trace->layoutImageSize = {page72.width, page72.height};
        trace->detections = detections;
    }

    StructureFile result;
    result.id = id;
    result.imageWidth = source.width;
    result.imageHeight = source.height;
    if (!regions.empty()) {
        const ScaledPage scaled = scaledPage(source, page);
        const double fx = source.width / page.pw;
        const double fy = source.height / page.ph;
        for (const LayoutCluster& region : regions) {
            TableTrace tableTrace;
            result.tables.push_back(readRegion(tableFormer_, region, scaled, fx, fy, tableTrace));
            if (trace)
                trace->tables.push_back(std::move(tableTrace));
        }
    }
    result.elapsedMs = Clock::millisecondsSince(start);
    return result;
}

}  // namespace VozudOzev
