#include "Support/ScriptedRecognizer.hpp"

#include "VozudOzev/OCR/TextOCR.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using TestSupport::ScriptedRecognizer;

namespace {

TextOCR ocrWith(std::shared_ptr<const TextRecognizer> r)
{
    TextOCR ocr{.languages = {"vi-VT", "en-US"}};
    ocr.recognizer = std::move(r);
    return ocr;
}

void expectBox(const BBox& got, const BBox& want)
{
    EXPECT_NEAR(got.x, want.x, 1e-9);
    EXPECT_NEAR(got.y, want.y, 1e-9);
    EXPECT_NEAR(got.w, want.w, 1e-9);
    EXPECT_NEAR(got.h, want.h, 1e-9);
}

}  // namespace

TEST(TextOCR, ConvertsObservationsToPixelLinesAndWords)
{
    ScriptedRecognizer::Observation o;
    o.box = {0.1, 0.1, 0.5, 0.2};
    o.text = "12  345";
    o.confidence = 0.8;
    o.ranges = {{{0, 2}, {0.1, 0.1, 0.1, 0.2}}, {{4, 7}, {0.3, 0.1, 0.3, 0.2}}};
    ScriptedRecognizer::Observation blanks;
    blanks.text = "   ";
    ScriptedRecognizer::Observation noBoxes;
    noBoxes.box = {0, 0.5, 1, 0.1};
    noBoxes.text = "Total";
    noBoxes.confidence = 0.4;
    ScriptedRecognizer::Observation noCandidate;  // skipped
    ScriptedRecognizer::Observation partly;
    partly.text = "a b";
    partly.ranges = {{{2, 3}, {0.5, 0.5, 0.1, 0.1}}};  // "a" has no box and is dropped

    auto fake = std::make_shared<ScriptedRecognizer>(std::vector{o, blanks, noBoxes, noCandidate, partly});
    const auto lines = ocrWith(fake).recognize(Image(200, 500));
    ASSERT_EQ(lines.size(), 4u);

    expectBox(lines[0].bbox, {20, 350, 100, 100});
    ASSERT_EQ(lines[0].words.size(), 2u);
    EXPECT_EQ(lines[0].words[0].text, "12");
    EXPECT_EQ(lines[0].words[1].text, "345");
    expectBox(lines[0].words[1].bbox, {60, 350, 60, 100});
    EXPECT_EQ(lines[0].words[1].confidence, 0.8);

    EXPECT_TRUE(lines[1].words.empty());

    ASSERT_EQ(lines[2].words.size(), 1u);
    EXPECT_EQ(lines[2].words[0].text, "Total");
    EXPECT_EQ(lines[2].words[0].bbox, lines[2].bbox);
    EXPECT_EQ(lines[2].words[0].confidence, 0.4);

    ASSERT_EQ(lines[3].words.size(), 1u);
    EXPECT_EQ(lines[3].words[0].text, "b");

    const auto calls = fake->calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].request.languages, (std::vector<std::string>{"vi-VT", "en-US"}));
    EXPECT_FALSE(calls[0].request.minimumTextHeight);
}

TEST(TextOCR, UnicodeWhitespaceSplitsWords)
{
    ScriptedRecognizer::Observation o;
    o.text = "1\u00A0234\u202F5";  // no-break spaces are white space too
    o.ranges = {{{0, 1}, {0, 0, 0.1, 0.1}}, {{3, 6}, {0, 0, 0.1, 0.1}}, {{9, 10}, {0, 0, 0.1, 0.1}}};
    const auto lines = ocrWith(std::make_shared<ScriptedRecognizer>(std::vector{o})).recognize(Image(10, 10));
    ASSERT_EQ(lines[0].words.size(), 3u);
    EXPECT_EQ(lines[0].words[1].text, "234");
}

TEST(TextOCR, UpscaleRecognisesTheEnlargedImageAndScalesBoxesBack)
{
    auto fake = std::make_shared<ScriptedRecognizer>([](const Image& img) {
        return std::vector{TestSupport::observation({{"7", 20, 40, 10, 20}}, 0.9, img.width, img.height)};
    });
    TextOCR ocr = ocrWith(fake);
    ocr.upscale = 2.0;
    ocr.minimumTextHeight = 0.25f;
    const auto lines = ocr.recognize(Image(100, 40));
    ASSERT_EQ(fake->calls().size(), 1u);
    EXPECT_EQ(fake->calls()[0].width, 200);
    EXPECT_EQ(fake->calls()[0].height, 80);
    EXPECT_EQ(fake->calls()[0].request.minimumTextHeight, 0.25f);
    expectBox(lines[0].words[0].bbox, {10, 20, 5, 10});
    expectBox(lines[0].bbox, {10, 20, 5, 10});
}

TEST(TextOCR, RecogniserErrorsPassThrough)
{
    auto fake = std::make_shared<ScriptedRecognizer>(std::vector<ScriptedRecognizer::Observation>{});
    fake->failWith("engine down");
    EXPECT_THROW(
        {
            try {
                ocrWith(fake).recognize(Image(10, 10));
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "engine down");
                throw;
            }
        },
        std::runtime_error);
}

TEST(TextOCR, SegmentsJoinWordsUpToTheGapThreshold)
{
    auto line = [](double lineHeight, std::vector<OCRWord> words) {
        return OCRLine{"", {0, 0, 100, lineHeight}, 1, std::move(words)};
    };
    const struct {
        const char* name;
        OCRLine line;
        std::vector<std::string> want;
    } cases[] = {
        {"gap equal to height joins", line(10, {{"a", {0, 0, 10, 10}, 0.9}, {"b", {20, 0, 10, 10}, 0.6}}), {"a b"}},
        {"gap above height splits", line(10, {{"a", {0, 0, 10, 10}, 1}, {"b", {20.5, 0, 10, 10}, 1}}), {"a", "b"}},
        {"tiny line uses threshold 1", line(0.5, {{"a", {0, 0, 1, 1}, 1}, {"b", {2, 0, 1, 1}, 1}, {"c", {4.5, 0, 1, 1}, 1}}),
         {"a b", "c"}},
        {"words sorted by x", line(10, {{"b", {12, 0, 5, 10}, 1}, {"a", {0, 0, 10, 10}, 1}}), {"a b"}},
        {"no words", line(10, {}), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> got;
        for (const TextSegment& s : TextOCR::segments({c.line}, 1.0))
            got.push_back(s.text);
        EXPECT_EQ(got, c.want);
    }
    const auto segs = TextOCR::segments({cases[0].line}, 1.0);
    EXPECT_EQ(segs[0].confidence, 0.6);
    EXPECT_EQ(segs[0].bbox, (BBox{0, 0, 30, 10}));
}

TEST(VozudOzevError, Descriptions)
{
    EXPECT_STREQ(VozudOzevError::imageLoadFailed("/tmp/a b.png").what(), "cannot load image: /tmp/a b.png");
    EXPECT_STREQ(VozudOzevError::invalidInput("cannot decode image x").what(), "invalid input: cannot decode image x");
    EXPECT_EQ(VozudOzevError::imageLoadFailed("p").kind(), VozudOzevError::Kind::imageLoadFailed);
}

TEST(TextOCR, InvalidUTF8FromARecogniserIsRepairedNotFatal)
{
    ScriptedRecognizer::Observation o;
    o.text = std::string("12 \xFF\xFE 34");
    o.ranges = {{{10, 12}, {0.5, 0, 0.2, 0.5}}};  // "34" once the two bad bytes read as U+FFFD
    const auto lines = ocrWith(std::make_shared<ScriptedRecognizer>(std::vector{o})).recognize(Image(10, 10));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "12 \uFFFD\uFFFD 34");
    ASSERT_EQ(lines[0].words.size(), 1u);
    EXPECT_EQ(lines[0].words[0].text, "34");
}
