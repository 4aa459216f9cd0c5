#include "VozudOzev/Platform/TesseractRecognizer.hpp"

#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/Platform/DongSign.hpp"
#include "VozudOzev/Platform/PreparedPage.hpp"
#include "VozudOzev/Platform/TesseractPool.hpp"
#include "VozudOzev/Platform/TextRecognitionError.hpp"
#include "VozudOzev/Platform/VietnameseMarks.hpp"
#include "VozudOzev/Platform/WordGaps.hpp"
#include "VozudOzev/Platform/YenSign.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>
#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

namespace VozudOzev {

std::shared_ptr<const TextRecognizer> TextRecognizer::standard()
{
    static const std::shared_ptr<const TextRecognizer> shared = std::make_shared<TesseractRecognizer>();
    return shared;
}

namespace {

BBox boxOf(int l, int t, int r, int b)
{
    return {double(l), double(t), double(r - l), double(b - t)};
}

// The characters of the word the iterator is on, with their boxes.
std::vector<DongSign::Symbol> symbolsOf(const tesseract::ResultIterator& word)
{
    std::vector<DongSign::Symbol> out;
    tesseract::LTRResultIterator it(word);
    do {
        std::unique_ptr<char[]> text(it.GetUTF8Text(tesseract::RIL_SYMBOL));
        int l, t, r, b;
        if (!text || !it.BoundingBox(tesseract::RIL_SYMBOL, &l, &t, &r, &b))
            return {};
        out.push_back({text.get(), boxOf(l, t, r, b)});
        if (it.IsAtFinalElement(tesseract::RIL_WORD, tesseract::RIL_SYMBOL))
            break;
    } while (it.Next(tesseract::RIL_SYMBOL));
    return out;
}

// The word the iterator is on; nothing when it has no text or no box.
std::optional<PageWord> wordAt(const tesseract::ResultIterator& it)
{
    std::unique_ptr<char[]> text(it.GetUTF8Text(tesseract::RIL_WORD));
    if (!text)
        return std::nullopt;
    std::string word = Unicode::nfc(Unicode::sanitized(Unicode::trimmed(text.get())));
    if (word.empty())
        return std::nullopt;
    int l, t, r, b;
    if (!it.BoundingBox(tesseract::RIL_WORD, &l, &t, &r, &b))
        return std::nullopt;
    double conf = it.Confidence(tesseract::RIL_WORD) / 100.0;
    if (!std::isfinite(conf))
        conf = 0;
    return PageWord{std::move(word), boxOf(l, t, r, b), std::clamp(conf, 0.0, 1.0)};
}

// The word as the page draws it: split where the blank between two of its characters is a
// space the recogniser left out. Unsplit when the characters do not spell the word.
std::vector<std::pair<PageWord, std::vector<DongSign::Symbol>>> drawnWords(PageWord word,
                                                                           const std::vector<DongSign::Symbol>& symbols)
{
    const std::vector<std::vector<DongSign::Symbol>> groups = WordGaps::split(symbols, WordGaps::spaceGap(symbols));
    std::vector<std::pair<PageWord, std::vector<DongSign::Symbol>>> out;
    if (groups.size() > 1) {
        std::string spelled;
        for (const auto& group : groups) {
            PageWord piece{"", group.front().box, word.confidence};
            for (const DongSign::Symbol& s : group) {
                piece.text += s.text;
                piece.box = piece.box.unite(s.box);
            }
            spelled += piece.text;
            piece.text = Unicode::nfc(Unicode::sanitized(Unicode::trimmed(piece.text)));
            if (piece.text.empty())
                break;
            out.emplace_back(std::move(piece), group);
        }
        if (out.size() == groups.size() && Unicode::nfc(Unicode::sanitized(Unicode::trimmed(spelled))) == word.text)
            return out;
        out.clear();
    }
    out.emplace_back(std::move(word), symbols);
    return out;
}

// Whether the page has ink within a few pixels of its edge.
bool inkAtTheEdge(const PreparedPage& page)
{
    constexpr int band = 4;
    const int W = page.width;
    const int H = page.height;
    if (W <= 2 * band || H <= 2 * band)
        return false;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const bool edge = y < band || y >= H - band || x < band || x >= W - band;
            if (edge && std::abs(page.grey[static_cast<size_t>(y) * W + x] - page.background) > 64)
                return true;
            if (!edge && x == band)
                x = W - band - 1;  // the inside is not looked at
        }
    return false;
}

// One recognition of the prepared page.
struct PageReading {
    PageLines lines;
    std::vector<double> lineHeights;  // per line, 0 when unknown
};

PageReading readPage(TesseractPool& pool, const TesseractRecognizer::Tuning& tuning, const std::string& languages,
                     bool correction, const PreparedPage& page, const std::string& characters = {})
{
    const TesseractPool::Lease lease = pool.borrow({tuning.dataPath, languages, correction});
    tesseract::TessBaseAPI& api = *lease;
    // Set on every call: pooled instances keep what the last borrower set.
    api.SetVariable("tessedit_char_whitelist", characters.c_str());
    api.SetPageSegMode(static_cast<tesseract::PageSegMode>(tuning.pageSegMode));
    // Marks stacked over the first line of a tight capture touch the image's edge, where the
    // recogniser drops them ("Diễn" read as "Diên"): such a page gets a margin of background
    // all round, and the boxes come back without it. Pages with room round their text are
    // read as they are.
    const int margin = inkAtTheEdge(page) ? 12 : 0;
    const int paddedWidth = page.width + 2 * margin;
    std::vector<std::uint8_t> padded(static_cast<size_t>(paddedWidth) * (page.height + 2 * margin),
                                     static_cast<std::uint8_t>(page.background));
    for (int y = 0; y < page.height; ++y)
        std::copy_n(page.grey.begin() + static_cast<std::ptrdiff_t>(y) * page.width, page.width,
                    padded.begin() + static_cast<std::ptrdiff_t>(y + margin) * paddedWidth + margin);
    api.SetImage(padded.data(), paddedWidth, page.height + 2 * margin, 1, paddedWidth);
    api.SetSourceResolution(300);
    if (api.Recognize(nullptr) != 0)
        throw TextRecognitionError("text recognition failed");

    PageReading reading;
    // The words with their characters and lines, placed once the whole page shows its font.
    std::vector<std::tuple<size_t, PageWord, std::vector<DongSign::Symbol>>> read;
    std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (!it)
        return reading;
    it->Begin();
    do {
        if (it->Empty(tesseract::RIL_WORD))
            continue;
        if (it->IsAtBeginningOf(tesseract::RIL_TEXTLINE) || reading.lines.empty()) {
            reading.lines.emplace_back();
            int l, t, r, b;
            reading.lineHeights.push_back(it->BoundingBox(tesseract::RIL_TEXTLINE, &l, &t, &r, &b) ? b - t : 0);
        }
        std::optional<PageWord> word = wordAt(*it);
        if (!word)
            continue;
        std::vector<DongSign::Symbol> symbols = symbolsOf(*it);
        word->box.x -= margin;
        word->box.y -= margin;
        for (DongSign::Symbol& symbol : symbols) {
            symbol.box.x -= margin;
            symbol.box.y -= margin;
        }
        read.emplace_back(reading.lines.size() - 1, std::move(*word), std::move(symbols));
    } while (it->Next(tesseract::RIL_WORD));
    std::vector<std::vector<DongSign::Symbol>> symbols;
    for (const auto& [line, word, chars] : read)
        symbols.push_back(chars);
    const bool split = WordGaps::proportional(symbols);
    for (auto& [line, word, chars] : read) {
        auto pieces = split ? drawnWords(std::move(word), chars)
                            : std::vector<std::pair<PageWord, std::vector<DongSign::Symbol>>>{{std::move(word), chars}};
        for (auto& [piece, pieceSymbols] : pieces) {
            YenSign::restore(piece, pieceSymbols, page.grey, page.width, page.height, page.background);
            if (DongSign::endsWithDongLetter(piece.text))
                DongSign::place(pieceSymbols, std::move(piece), reading.lines[line]);
            else
                reading.lines[line].push_back(std::move(piece));
        }
    }
    return reading;
}

// Read with other data beside it, Vietnamese often loses its diacritics. On a page that
// shows Vietnamese, a second reading with the Vietnamese data alone may put the marks back
// on words whose letters it reads the same; nothing else is taken from it.
void restoreVietnameseMarks(PageReading& reading, TesseractPool& pool, const TesseractRecognizer::Tuning& tuning,
                            const std::string& languages, bool correction, const PreparedPage& page)
{
    if (languages.find("vie") == std::string::npos || languages == "vie")
        return;
    // Numbers, codes and symbols cannot take marks: the second reading skips them, which on
    // a table of figures is much of its work.
    auto readMarked = [&]() -> std::optional<PageReading> {
        PreparedPage words = page;
        if (!VietnameseMarks::blankUnmarkable(words.grey, words.width, words.height,
                                              static_cast<std::uint8_t>(words.background), reading.lines))
            return std::nullopt;
        return readPage(pool, tuning, "vie", correction, words);
    };
    std::optional<PageReading> marked;
    if (VietnameseMarks::mixed(reading.lines)) {
        marked = readMarked();
        if (marked && (VietnameseMarks::vietnameseUnderGerman(reading.lines, marked->lines) >= 2 ||
                       VietnameseMarks::umlautsOnVietnameseSyllables(reading.lines))) {
            VietnameseMarks::restore(reading.lines, marked->lines, false);
            return;
        }
    }
    VietnameseMarks::germanLettersBack(reading.lines);
    const VietnameseMarks::Signs signs = VietnameseMarks::signsOf(reading.lines);
    if (signs == VietnameseMarks::Signs::none)
        return;
    if (!marked)
        marked = readMarked();
    if (marked)
        VietnameseMarks::restore(reading.lines, marked->lines, signs != VietnameseMarks::Signs::sure);
}

// Prepared-page boxes back to the given image, normalised with the origin at the bottom left.
struct Normaliser {
    double sx, sy, W, H;
    NormalizedRect operator()(const BBox& b) const
    {
        const double x = b.x / sx, y = b.y / sy, w = b.w / sx, h = b.h / sy;
        return NormalizedRect{x / W, 1.0 - (y + h) / H, w / W, h / H};
    }
};

// One observation of consecutive words of a line.
TextObservation phrase(const std::vector<PageWord>& words, size_t begin, size_t end, const Normaliser& normalised)
{
    std::string text;
    std::vector<std::pair<size_t, size_t>> ranges;
    std::vector<BBox> boxes;
    BBox box = words[begin].box;
    double conf = 1;
    for (size_t k = begin; k < end; ++k) {
        if (!text.empty())
            text += ' ';
        ranges.emplace_back(text.size(), text.size() + words[k].text.size());
        text += words[k].text;
        boxes.push_back(words[k].box);
        box = box.unite(words[k].box);
        conf = std::min(conf, words[k].confidence);
    }
    TextObservation o;
    o.box = normalised(box);
    o.topCandidate = std::move(text);
    o.confidence = conf;
    o.boxForRange = [ranges, boxes, normalised](size_t from, size_t to) -> std::optional<NormalizedRect> {
        std::optional<BBox> u;
        for (size_t r = 0; r < ranges.size(); ++r)
            if (ranges[r].first < to && from < ranges[r].second)
                u = u ? u->unite(boxes[r]) : boxes[r];
        if (!u)
            return std::nullopt;
        return normalised(*u);
    };
    return o;
}

// Each line's words taller than the minimum, split at gaps wider than the split factor times
// the line height, so one bad word does not lower a whole row's confidence.
std::vector<TextObservation> observations(PageReading& reading, const PreparedPage& page, const Image& image,
                                          double minHeight, double splitGapFactor)
{
    const Normaliser normalised{page.scaleX, page.scaleY, double(image.width), double(image.height)};
    std::vector<TextObservation> out;
    for (size_t li = 0; li < reading.lines.size(); ++li) {
        std::vector<PageWord> words;
        for (auto& w : reading.lines[li])
            if (w.box.h >= minHeight)
                words.push_back(std::move(w));
        if (words.empty())
            continue;
        const double lineH = reading.lineHeights[li] > 0 ? reading.lineHeights[li] : words.front().box.h;
        const double splitGap = splitGapFactor * lineH;
        size_t start = 0;
        for (size_t i = 1; i <= words.size(); ++i) {
            if (i < words.size() && words[i].box.x - words[i - 1].box.maxX() <= splitGap)
                continue;
            out.push_back(phrase(words, start, i, normalised));
            start = i;
        }
    }
    return out;
}

}  // namespace

TesseractRecognizer::TesseractRecognizer() : TesseractRecognizer(Tuning{}) {}

TesseractRecognizer::TesseractRecognizer(Tuning tuning)
    : tuning_(std::move(tuning)), pool_(std::make_shared<TesseractPool>())
{
}

double TesseractRecognizer::preparationScale(const Image& image, const Tuning& tuning)
{
    return PreparedPage::scale(image, tuning);
}

std::string TesseractRecognizer::languageString(const std::vector<std::string>& languages)
{
    // English data alone has no umlauts, ß or other accented Latin letters, which a
    // Latin-script recogniser reads under "en"; German data adds them (measured on the
    // corpus: 78.8% to 81.9% of cells exact, German tables 78% to 85%).
    static const std::map<std::string, std::vector<std::string>> codes{
        {"en", {"deu", "eng"}}, {"vi", {"vie"}}, {"de", {"deu"}},
        {"fr", {"fra"}},        {"es", {"spa"}}, {"it", {"ita"}}};
    std::vector<std::string> data;
    for (const std::string& tag : languages) {
        const std::string primary = Unicode::lowercased(tag.substr(0, tag.find_first_of("-_")));
        auto it = codes.find(primary);
        if (it == codes.end())
            continue;
        for (const std::string& code : it->second)
            if (std::find(data.begin(), data.end(), code) == data.end())
                data.push_back(code);
    }
    if (data.empty())
        return "eng";
    std::string out;
    for (const std::string& code : data)
        out += (out.empty() ? "" : "+") + code;
    return out;
}

std::vector<TextObservation> TesseractRecognizer::perform(const Image& image, const RecognitionRequest& request) const
{
    if (image.empty())
        return {};
    const PreparedPage page = PreparedPage::prepare(image, tuning_);
    const std::string languages = languageString(request.languages);
    PageReading reading = readPage(*pool_, tuning_, languages, request.languageCorrection, page, request.characters);
    restoreVietnameseMarks(reading, *pool_, tuning_, languages, request.languageCorrection, page);
    const double minHeight =
        request.minimumTextHeight && *request.minimumTextHeight > 0 ? *request.minimumTextHeight * page.height : 0;
    return observations(reading, page, image, minHeight, tuning_.splitGapFactor);
}

}  // namespace VozudOzev
