#pragma once

#include "VozudOzev/Platform/TextRecognizer.hpp"

#include <memory>
#include <string>
#include <vector>

namespace VozudOzev {

class TesseractPool;

// The text recogniser over Tesseract 5 (LSTM). The page is prepared before recognition
// (PreparedPage); boxes are reported in the given image's space. Failures throw
// TextRecognitionError.
class TesseractRecognizer final : public TextRecognizer {
public:
    struct Tuning {
        int pageSegMode = 6;             // one uniform block: keeps lone short numbers
        bool removeRules = true;
        bool invertDark = true;
        double targetGlyphHeight = 20;   // enlarge until the median glyph is about this tall
        double maxUpscale = 3;
        // Enlarged no further than this many pixels: a full-screen capture of small text
        // read at three times its size took well over twice as long as at its own.
        double maxEnlargedPixels = 4'000'000;
        double splitGapFactor = 1.5;     // a gap wider than this many line heights splits a line
        std::string dataPath;            // empty: Tesseract's own default
    };

    TesseractRecognizer();
    explicit TesseractRecognizer(Tuning tuning);

    std::vector<TextObservation> perform(const Image& image, const RecognitionRequest& request) const override;

    // How much the page is enlarged before recognition.
    static double preparationScale(const Image& image, const Tuning& tuning);

    // Tesseract's language string for a list of BCP-47 tags, by primary subtag.
    static std::string languageString(const std::vector<std::string>& languages);

    const Tuning& tuning() const { return tuning_; }

private:
    Tuning tuning_;
    std::shared_ptr<TesseractPool> pool_;  // idle Tesseract instances, lent to one call at a time
};

}  // namespace VozudOzev
