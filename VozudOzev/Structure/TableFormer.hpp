#pragma once

#include "VozudOzev/Platform/ComputeUnits.hpp"
#include "VozudOzev/Platform/Model.hpp"
#include "VozudOzev/Structure/ModelLocation.hpp"
#include "VozudOzev/Structure/RGBImage.hpp"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VozudOzev {

// The table-structure model: an image encoder run by the model runtime, and a tag decoder
// with a cell-box head evaluated here over a flat weights file.
//
// Model folder: the compiled or packaged model "TableFormerEncoder" (input "image"
// [1, 3, S, S]; outputs "mem_k", "mem_v", "bbox_enc", "bbox_att1", "bbox_att3",
// "bbox_gate", "bbox_h"), "TableFormerDecoder.json" ({"tensors": {name: {"offset", "shape"}}}),
// "TableFormerDecoder.bin" (little-endian float32, offsets count floats) and
// "TableFormerConfig.json" ("word_map", "mean", "std", "resized_image", "max_steps").
//
// Everything a decoding step reads is checked once when the model is loaded (every tensor
// present and inside the blob, the word map complete and dense), so decoding indexes the
// blob without further tests.
class TableFormer final {
public:
    static constexpr int D = 512;
    static constexpr int heads = 8;
    static constexpr int layers = 6;
    static constexpr int ffn = 1024;
    static constexpr int boxWidth = 256;
    static constexpr int cellClasses = 3;

    struct Tensor {
        long long offset = 0;
        std::vector<long long> shape;

        bool operator==(const Tensor&) const = default;
    };

    struct Weights {
        std::vector<float> data;
        std::map<std::string, Tensor> index;

        // The tensor's first float; the name was checked at load.
        const float* operator()(const std::string& name) const { return data.data() + index.at(name).offset; }
    };

    struct Prediction {
        std::vector<int> sequence;  // tag ids, starting with "<start>"
        std::vector<int> classes;   // one per box
        std::vector<std::array<float, 4>> boxes;  // cx, cy, w, h in 0..1 of the encoder input

        bool operator==(const Prediction&) const = default;
    };

    // The encoder outputs, flat and row-major.
    struct Encoded {
        std::vector<float> memK;      // layers x N x D
        std::vector<float> memV;      // layers x N x D
        std::vector<float> bboxEnc;   // N x D
        std::vector<float> bboxAtt1;  // N x D
        std::vector<float> bboxAtt3;  // D
        std::vector<float> bboxGate;  // D
        std::vector<float> bboxH;     // D
    };

    // Loads the four model files. Throws VozudOzevError::invalidInput when the encoder is
    // missing ("model TableFormerEncoder not found in ...") or a file is unreadable,
    // not JSON, lacks a field or holds a tensor outside the blob; ModelError when the
    // encoder cannot be compiled or loaded.
    TableFormer(const ModelLocation& location, ComputeUnits computeUnits);

    // The encoder input for a crop: 3 x S x S floats, planar, normalised, the second axis
    // over image columns. Throws VozudOzevError::invalidInput for an empty crop.
    std::vector<float> input(const RGBImage& crop) const;

    // Runs the encoder on an input made by `input`, then `decode`. Throws what the
    // runtime throws, and VozudOzevError::invalidInput when an output is missing, too
    // short or not finite.
    Prediction predict(const std::vector<float>& input) const;
    Prediction predict(const RGBImage& crop) const { return predict(input(crop)); }

    // The greedy tag sequence and one box per cell. Throws VozudOzevError::invalidInput
    // only for encoder outputs that are too short or not finite.
    Prediction decode(const Encoded& encoded) const;

    // Layer norm over the first D entries with the scale `prefix`.w and shift `prefix`.b.
    void layerNorm(float* v, const std::string& prefix) const;
    // Box (cx, cy, w, h) and class for one collected hidden state of D floats.
    std::pair<std::array<float, 4>, int> bboxHead(const Encoded& encoded, const float* tagH) const;
    // Softmax over the first `count` entries; the rest are untouched.
    static void softmax(float* v, int count);
    // The box from the left and top of `a` to the right and bottom of `b`.
    static std::array<float, 4> mergeBoxes(const std::array<float, 4>& a, const std::array<float, 4>& b);

    const Weights& weights() const { return w_; }
    const std::map<std::string, int>& wordMap() const { return wordMap_; }
    const std::map<int, std::string>& revWordMap() const { return revWordMap_; }
    const std::vector<double>& mean() const { return mean_; }
    const std::vector<double>& std() const { return std_; }
    int inputSize() const { return inputSize_; }
    int maxSteps() const { return maxSteps_; }

    // Upper bounds on the configuration, so a broken file cannot ask for absurd buffers.
    static constexpr int maxInputSize = 4096;
    // Each step keeps its keys and values (24 KB); far more steps than any table has.
    static constexpr int maxStepLimit = 8192;
    static constexpr long long maxWeightBytes = 1LL << 31;

private:
    // Tag ids the decoder tests against, resolved once.
    struct Tags {
        int start = 0, end = 0, fcel = 0, ecel = 0, ched = 0, rhed = 0, srow = 0, nl = 0, ucel = 0, lcel = 0, xcel = 0;
    };
    // Float offsets of one decoder layer's tensors.
    struct Layer {
        size_t saInW, saInB, saOutW, saOutB, caQW, caQB, caOutW, caOutB, lin1W, lin1B, lin2W, lin2B;
        size_t norm1W, norm1B, norm2W, norm2B, norm3W, norm3B;
    };
    struct Heads {
        size_t embedding, pe, fcW, fcB, tagattW, tagattB, fullattW, fullattB, mlp0W, mlp0B, mlp1W, mlp1B, mlp2W, mlp2B,
            clsW, clsB;
    };

    struct DecodeState;

    void validate();
    const float* at(size_t offset) const { return w_.data.data() + offset; }
    void layerNormAt(float* v, size_t scale, size_t shift) const;
    // One decoder position: the hidden state of token at position t, left in the state's x.
    void step(int token, size_t t, const Encoded& e, DecodeState& s) const;
    void layerStep(int l, size_t t, const Encoded& e, DecodeState& s) const;
    // The tag the hidden state predicts, with the corrections of the tag grammar.
    int nextTag(DecodeState& s, bool prevUcel) const;
    bool isBoxTag(int tag) const;

    std::shared_ptr<const Model> encoder_;
    Weights w_;
    std::map<std::string, int> wordMap_;
    std::map<int, std::string> revWordMap_;
    std::vector<double> mean_;
    std::vector<double> std_;
    int inputSize_ = 0;
    int maxSteps_ = 0;
    Tags tags_;
    std::array<Layer, layers> layer_{};
    Heads head_{};
};

}  // namespace VozudOzev
