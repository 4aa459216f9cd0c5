// The decoder and cell-box head of TableFormer: a post-norm transformer decoder run one
// position at a time with cached self-attention keys and values, over weights used in
// place in the blob.
#include "VozudOzev/Structure/TableFormer.hpp"

#include "VozudOzev/Model/VozudOzevError.hpp"

#include <Eigen/Core>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace VozudOzev {

namespace {

using RowMatrix = Eigen::Matrix<float, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
using Matrix = Eigen::Map<const RowMatrix>;
using Rows = Eigen::Map<const RowMatrix, 0, Eigen::OuterStride<>>;  // rows of a wider matrix
using Vector = Eigen::Map<Eigen::VectorXf>;
using ConstVector = Eigen::Map<const Eigen::VectorXf>;

constexpr int D = TableFormer::D;
constexpr int headDim = TableFormer::D / TableFormer::heads;
constexpr float attentionScale = 0.125f;  // 1 / sqrt(headDim)

// y = W x + b for a rows x cols matrix W.
void affine(const float* w, const float* b, const float* x, float* y, int rows, int cols)
{
    Vector out(y, rows);
    out = ConstVector(b, rows);
    out.noalias() += Matrix(w, rows, cols) * ConstVector(x, cols);
}

void relu(float* v, int n)
{
    Vector(v, n) = Vector(v, n).cwiseMax(0.0f);
}

int argmax(const float* v, int n)
{
    int best = 0;
    for (int i = 1; i < n; ++i)
        if (v[i] > v[best])
            best = i;
    return best;
}

// Multi-head attention of one query over `n` key and value rows (stride D).
void attend(const float* q, const float* keys, const float* values, int n, float* scores, float* out)
{
    for (int h = 0; h < TableFormer::heads; ++h) {
        const int at = h * headDim;
        Vector s(scores, n);
        s.noalias() = attentionScale * (Rows(keys + at, n, headDim, Eigen::OuterStride<>(D)) *
                                        ConstVector(q + at, headDim));
        TableFormer::softmax(scores, n);
        Vector(out + at, headDim).noalias() =
            Rows(values + at, n, headDim, Eigen::OuterStride<>(D)).transpose() * ConstVector(scores, n);
    }
}

bool finite(const std::vector<float>& v)
{
    return std::all_of(v.begin(), v.end(), [](float x) { return std::isfinite(x); });
}

// Encoder memory positions, after checking that every output is long enough and finite.
int memoryPositions(const TableFormer::Encoded& e)
{
    const size_t n = e.bboxEnc.size() / D;
    const size_t block = n * D;
    const struct {
        const char* name;
        const std::vector<float>& values;
        size_t need;
    } outputs[] = {
        {"mem_k", e.memK, TableFormer::layers * block}, {"mem_v", e.memV, TableFormer::layers * block},
        {"bbox_enc", e.bboxEnc, block},                 {"bbox_att1", e.bboxAtt1, block},
        {"bbox_att3", e.bboxAtt3, D},                   {"bbox_gate", e.bboxGate, D},
        {"bbox_h", e.bboxH, D},
    };
    for (const auto& o : outputs) {
        if (o.values.size() < o.need)
            throw VozudOzevError::invalidInput(std::string("table-structure encoder output ") + o.name + " holds " +
                                               std::to_string(o.values.size()) + " values, expected " +
                                               std::to_string(o.need));
        if (!finite(o.values))
            throw VozudOzevError::invalidInput(std::string("table-structure encoder output ") + o.name +
                                               " is not finite");
    }
    if (n > static_cast<size_t>(std::numeric_limits<int>::max() / D))
        throw VozudOzevError::invalidInput("table-structure encoder returned too many positions");
    return static_cast<int>(n);
}

}  // namespace

void TableFormer::softmax(float* v, int count)
{
    if (count <= 0)
        return;
    float max = -std::numeric_limits<float>::infinity();
    for (int i = 0; i < count; ++i)
        max = std::max(max, v[i]);
    float sum = 0;
    for (int i = 0; i < count; ++i) {
        v[i] = std::exp(v[i] - max);
        sum += v[i];
    }
    for (int i = 0; i < count; ++i)
        v[i] /= sum;
}

void TableFormer::layerNorm(float* v, const std::string& prefix) const
{
    // The names were checked at load only for the decoder's own norms.
    const long long size = static_cast<long long>(w_.data.size());
    for (const char* suffix : {".w", ".b"}) {
        const auto it = w_.index.find(prefix + suffix);
        if (it == w_.index.end() || it->second.offset < 0 || it->second.offset > size - D)
            throw VozudOzevError::invalidInput("no layer norm " + prefix);
    }
    layerNormAt(v, static_cast<size_t>(w_.index.at(prefix + ".w").offset),
                static_cast<size_t>(w_.index.at(prefix + ".b").offset));
}

void TableFormer::layerNormAt(float* v, size_t scale, size_t shift) const
{
    double sum = 0;
    for (int i = 0; i < D; ++i)
        sum += v[i];
    const double mean = sum / D;
    double squares = 0;
    for (int i = 0; i < D; ++i) {
        const double d = v[i] - mean;
        squares += d * d;
    }
    const double r = 1.0 / std::sqrt(squares / D + 1e-5);
    const float* g = at(scale);
    const float* b = at(shift);
    for (int i = 0; i < D; ++i)
        v[i] = g[i] * static_cast<float>((v[i] - mean) * r) + b[i];
}

std::array<float, 4> TableFormer::mergeBoxes(const std::array<float, 4>& a, const std::array<float, 4>& b)
{
    const float w = (b[0] + b[2] / 2) - (a[0] - a[2] / 2);
    const float h = (b[1] + b[3] / 2) - (a[1] - a[3] / 2);
    const float left = a[0] - a[2] / 2;
    const float top = std::min(b[1] - b[3] / 2, a[1] - a[3] / 2);
    return {left + w / 2, top + h / 2, w, h};
}

std::pair<std::array<float, 4>, int> TableFormer::bboxHead(const Encoded& e, const float* g) const
{
    const int n = static_cast<int>(e.bboxEnc.size() / D);
    Eigen::VectorXf a(D);
    affine(at(head_.tagattW), at(head_.tagattB), g, a.data(), D, D);
    a += ConstVector(e.bboxAtt3.data(), D);

    std::vector<float> scores(static_cast<size_t>(n));
    const ConstVector full(at(head_.fullattW), D);
    const float fullBias = *at(head_.fullattB);
    for (int j = 0; j < n; ++j)
        scores[static_cast<size_t>(j)] =
            (ConstVector(e.bboxAtt1.data() + static_cast<size_t>(j) * D, D) + a).cwiseMax(0.0f).dot(full) + fullBias;
    softmax(scores.data(), n);

    Eigen::VectorXf z = Matrix(e.bboxEnc.data(), n, D).transpose() * ConstVector(scores.data(), n);
    Eigen::VectorXf h(D);
    for (int d = 0; d < D; ++d)
        h[d] = (e.bboxGate[static_cast<size_t>(d)] * z[d]) * e.bboxH[static_cast<size_t>(d)];

    float u0[boxWidth], u1[boxWidth], o[4];
    affine(at(head_.mlp0W), at(head_.mlp0B), h.data(), u0, boxWidth, D);
    relu(u0, boxWidth);
    affine(at(head_.mlp1W), at(head_.mlp1B), u0, u1, boxWidth, boxWidth);
    relu(u1, boxWidth);
    affine(at(head_.mlp2W), at(head_.mlp2B), u1, o, 4, boxWidth);
    std::array<float, 4> box;
    for (int i = 0; i < 4; ++i)
        box[static_cast<size_t>(i)] = 1.0f / (1.0f + std::exp(-o[i]));

    float cls[cellClasses];
    affine(at(head_.clsW), at(head_.clsB), h.data(), cls, cellClasses, D);
    return {box, argmax(cls, cellClasses)};
}

// Every activation and the self-attention cache of one decode, allocated once and reused
// across steps and layers.
struct TableFormer::DecodeState {
    size_t cacheRows;
    int memory;  // encoder positions
    std::vector<float> keys, values, x, qkv, attention, y, f, logits, scores;

    DecodeState(int steps, int n, int V)
        : cacheRows(static_cast<size_t>(steps) + 2), memory(n), keys(layers * cacheRows * D, 0.0f),
          values(layers * cacheRows * D, 0.0f), x(D), qkv(3 * D), attention(D), y(D), f(ffn),
          logits(static_cast<size_t>(V)), scores(std::max(cacheRows, static_cast<size_t>(n)))
    {
    }
};

namespace {

// Which hidden states go to the box head, and which box closes each horizontal span.
struct BoxCollector {
    bool skipNext = true;
    bool firstLcel = true;
    int curSpan = -1;
    int boxIndex = 0;
    std::vector<float> collected;  // hidden states for the box head, D each
    std::map<int, int> spanMap;    // box index -> box index closing its span (-1: still open)

    void take(const std::vector<float>& x, bool boxTag, bool lcel, bool skipsNext)
    {
        if (!skipNext && boxTag) {
            collected.insert(collected.end(), x.begin(), x.end());
            if (!firstLcel)
                spanMap[curSpan] = boxIndex;
            ++boxIndex;
        }
        if (lcel && firstLcel) {
            collected.insert(collected.end(), x.begin(), x.end());
            spanMap[boxIndex] = -1;
            curSpan = boxIndex;
            ++boxIndex;
            firstLcel = false;
        } else if (!lcel) {
            firstLcel = true;
        }
        skipNext = skipsNext;
    }
};

}  // namespace

void TableFormer::layerStep(int l, size_t t, const Encoded& e, DecodeState& s) const
{
    const Layer& L = layer_[static_cast<size_t>(l)];
    float* layerKeys = s.keys.data() + l * s.cacheRows * D;
    float* layerValues = s.values.data() + l * s.cacheRows * D;

    affine(at(L.saInW), at(L.saInB), s.x.data(), s.qkv.data(), 3 * D, D);
    std::copy_n(s.qkv.data() + D, D, layerKeys + t * D);
    std::copy_n(s.qkv.data() + 2 * D, D, layerValues + t * D);
    attend(s.qkv.data(), layerKeys, layerValues, static_cast<int>(t) + 1, s.scores.data(), s.attention.data());
    affine(at(L.saOutW), at(L.saOutB), s.attention.data(), s.y.data(), D, D);
    Vector(s.y.data(), D) += ConstVector(s.x.data(), D);
    layerNormAt(s.y.data(), L.norm1W, L.norm1B);
    std::swap(s.x, s.y);  // x = h1

    const size_t memory = static_cast<size_t>(l) * s.memory * D;
    affine(at(L.caQW), at(L.caQB), s.x.data(), s.qkv.data(), D, D);
    attend(s.qkv.data(), e.memK.data() + memory, e.memV.data() + memory, s.memory, s.scores.data(),
           s.attention.data());
    affine(at(L.caOutW), at(L.caOutB), s.attention.data(), s.y.data(), D, D);
    Vector(s.y.data(), D) += ConstVector(s.x.data(), D);
    layerNormAt(s.y.data(), L.norm2W, L.norm2B);
    std::swap(s.x, s.y);  // x = h2

    affine(at(L.lin1W), at(L.lin1B), s.x.data(), s.f.data(), ffn, D);
    relu(s.f.data(), ffn);
    affine(at(L.lin2W), at(L.lin2B), s.f.data(), s.y.data(), D, ffn);
    Vector(s.y.data(), D) += ConstVector(s.x.data(), D);
    layerNormAt(s.y.data(), L.norm3W, L.norm3B);
    std::swap(s.x, s.y);
}

void TableFormer::step(int token, size_t t, const Encoded& e, DecodeState& s) const
{
    const float* embedding = at(head_.embedding) + static_cast<size_t>(token) * D;
    const float* position = at(head_.pe) + t * D;
    for (int i = 0; i < D; ++i)
        s.x[static_cast<size_t>(i)] = embedding[i] + position[i];
    for (int l = 0; l < layers; ++l)
        layerStep(l, t, e, s);
}

int TableFormer::nextTag(DecodeState& s, bool prevUcel) const
{
    const int V = static_cast<int>(s.logits.size());
    affine(at(head_.fcW), at(head_.fcB), s.x.data(), s.logits.data(), V, D);
    int tag = argmax(s.logits.data(), V);
    if (tag == tags_.xcel)
        tag = tags_.lcel;
    if (prevUcel && tag == tags_.lcel)
        tag = tags_.fcel;
    return tag;
}

bool TableFormer::isBoxTag(int tag) const
{
    return tag == tags_.fcel || tag == tags_.ecel || tag == tags_.ched || tag == tags_.rhed || tag == tags_.srow ||
           tag == tags_.nl || tag == tags_.ucel;
}

TableFormer::Prediction TableFormer::decode(const Encoded& e) const
{
    DecodeState s(maxSteps_, memoryPositions(e), static_cast<int>(wordMap_.size()));
    Prediction p;
    std::vector<int>& tokens = p.sequence;
    tokens.push_back(tags_.start);
    BoxCollector collector;
    bool prevUcel = false;
    for (int generated = 0; generated < maxSteps_; ++generated) {
        step(tokens.back(), tokens.size() - 1, e, s);
        const int tag = nextTag(s, prevUcel);
        tokens.push_back(tag);
        if (tag == tags_.end)
            break;
        collector.take(s.x, isBoxTag(tag), tag == tags_.lcel,
                       tag == tags_.nl || tag == tags_.ucel || tag == tags_.xcel);
        prevUcel = tag == tags_.ucel;
    }

    // One box per cell; a horizontal span's first and closing boxes merged into one.
    const int count = static_cast<int>(collector.collected.size() / D);
    std::vector<std::array<float, 4>> boxes;
    std::vector<int> classes;
    for (int i = 0; i < count; ++i) {
        auto [box, cls] = bboxHead(e, collector.collected.data() + static_cast<size_t>(i) * D);
        boxes.push_back(box);
        classes.push_back(cls);
    }
    std::set<int> skip;
    for (int i = 0; i < count; ++i) {
        const auto span = collector.spanMap.find(i);
        if (span != collector.spanMap.end()) {
            const int j = span->second < 0 ? count + span->second : span->second;
            skip.insert(j);
            p.boxes.push_back(mergeBoxes(boxes[static_cast<size_t>(i)], boxes[static_cast<size_t>(j)]));
            p.classes.push_back(classes[static_cast<size_t>(i)]);
        } else if (!skip.count(i)) {
            p.boxes.push_back(boxes[static_cast<size_t>(i)]);
            p.classes.push_back(classes[static_cast<size_t>(i)]);
        }
    }
    return p;
}

}  // namespace VozudOzev
