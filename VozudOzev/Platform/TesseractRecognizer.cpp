#include "VozudOzev/Platform/TesseractRecognizer.hpp"

#include "VozudOzev/Model/BBox.hpp"
#include "VozudOzev/Platform/Leptonica.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <leptonica/allheaders.h>
#include <map>
#include <mutex>
#include <memory>
#include <opencv2/imgproc.hpp>
#include <stdexcept>
#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

namespace VozudOzev {

std::shared_ptr<const TextRecognizer> TextRecognizer::standard()
{
    static const std::shared_ptr<const TextRecognizer> shared = std::make_shared<TesseractRecognizer>();
    return shared;
}

namespace {

struct RecognitionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct PageWord {
    std::string text;
    BBox box;  // prepared-page pixels
    double confidence;
};

std::unique_ptr<tesseract::TessBaseAPI> makeEngine(const std::string& dataPath, const std::string& languages,
                                                   bool correction)
{
    auto api = std::make_unique<tesseract::TessBaseAPI>();
    std::vector<std::string> names{"debug_file"};
    std::vector<std::string> values{"/dev/null"};
    if (!correction) {
        names.insert(names.end(), {"load_system_dawg", "load_freq_dawg"});
        values.insert(values.end(), {"0", "0"});
    }
    if (api->Init(dataPath.empty() ? nullptr : dataPath.c_str(), languages.c_str(), tesseract::OEM_LSTM_ONLY, nullptr, 0,
                  &names, &values, false) != 0)
        throw RecognitionError("text recognition unavailable: cannot load language data \"" + languages + "\"");
    return api;
}

int histogramMode(const std::vector<std::uint8_t>& grey)
{
    std::array<size_t, 256> hist{};
    for (auto g : grey)
        ++hist[g];
    return static_cast<int>(std::max_element(hist.begin(), hist.end()) - hist.begin());
}

// Paints out ink runs that are long and thin: ruling lines. Text strokes are short, and
// filled header bands are thick, so both stay.
// Calls visit(start, end) for each maximal run [start, end) of the n positions where on(i) holds.
template <class On, class Visit>
void forEachRun(int n, On on, Visit visit)
{
    int i = 0;
    while (i < n) {
        if (!on(i)) {
            ++i;
            continue;
        }
        int e = i;
        while (e < n && on(e))
            ++e;
        visit(i, e);
        i = e;
    }
}

void paintOutRules(std::vector<std::uint8_t>& g, int W, int H, int bg, int minRun, int maxThick)
{
    auto at = [W](int x, int y) { return size_t(y) * W + x; };
    auto ink = [&](int x, int y) { return std::abs(int(g[at(x, y)]) - bg) >= 24; };
    // Bit 1: inside a long horizontal run; bit 2: inside a long vertical run.
    std::vector<std::uint8_t> mask(g.size(), 0);
    for (int y = 0; y < H; ++y)
        forEachRun(W, [&](int x) { return ink(x, y); }, [&](int s, int e) {
            if (e - s >= minRun)
                for (int x = s; x < e; ++x)
                    mask[at(x, y)] |= 1;
        });
    for (int x = 0; x < W; ++x)
        forEachRun(H, [&](int y) { return ink(x, y); }, [&](int s, int e) {
            if (e - s >= minRun)
                for (int y = s; y < e; ++y)
                    mask[at(x, y)] |= 2;
        });
    // Only thin stretches are lines; a long run inside a thick block is a filled band.
    for (int x = 0; x < W; ++x)
        forEachRun(H, [&](int y) { return (mask[at(x, y)] & 1) != 0; }, [&](int s, int e) {
            if (e - s <= maxThick)
                for (int y = s; y < e; ++y)
                    g[at(x, y)] = static_cast<std::uint8_t>(bg);
        });
    for (int y = 0; y < H; ++y)
        forEachRun(W, [&](int x) { return (mask[at(x, y)] & 2) != 0; }, [&](int s, int e) {
            if (e - s <= maxThick)
                for (int x = s; x < e; ++x)
                    g[at(x, y)] = static_cast<std::uint8_t>(bg);
        });
}

// Median height of the ink components that look like glyphs; 0 when none.
double medianGlyphHeight(const std::vector<std::uint8_t>& g, int W, int H, int bg)
{
    Leptonica::PixPtr bin(pixCreate(W, H, 1));
    if (!bin)
        return 0;
    l_uint32* data = pixGetData(bin.get());
    const int wpl = pixGetWpl(bin.get());
    for (int y = 0; y < H; ++y) {
        l_uint32* line = data + size_t(y) * wpl;
        for (int x = 0; x < W; ++x)
            if (std::abs(int(g[size_t(y) * W + x]) - bg) >= 48)
                SET_DATA_BIT(line, x);
    }
    BOXA* boxa = pixConnComp(bin.get(), nullptr, 8);
    if (!boxa)
        return 0;
    std::vector<int> heights;
    const int n = boxaGetCount(boxa);
    for (int i = 0; i < n; ++i) {
        l_int32 bx, by, bw, bh;
        if (boxaGetBoxGeometry(boxa, i, &bx, &by, &bw, &bh) == 0 && bh >= 4 && bh <= 200 && bw <= 4 * bh)
            heights.push_back(bh);
    }
    boxaDestroy(&boxa);
    if (heights.size() < 3)
        return 0;
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    return heights[heights.size() / 2];
}

// Page background, after turning a dark page light.
int prepareGrey(std::vector<std::uint8_t>& grey, bool invertDark)
{
    int bg = histogramMode(grey);
    if (invertDark && bg < 128) {
        for (auto& v : grey)
            v = static_cast<std::uint8_t>(255 - v);
        bg = 255 - bg;
    }
    return bg;
}

// Enlargement that brings the median glyph to the target height, within the limits.
double scaleFor(const std::vector<std::uint8_t>& grey, int W, int H, int bg, const TesseractRecognizer::Tuning& t)
{
    double k = 1;
    if (t.targetGlyphHeight > 0) {
        const double glyph = medianGlyphHeight(grey, W, H, bg);
        if (glyph > 0)
            k = std::clamp(t.targetGlyphHeight / glyph, 1.0, t.maxUpscale);
        while (k > 1 && double(W) * k * double(H) * k > double(Image::maxPixels))
            k = std::max(1.0, k - 0.5);
    }
    return k;
}

}  // namespace

// Tesseract instances are not thread-safe, and dictionaries can only be chosen when one is
// made, which takes a good fraction of a second. Idle instances are kept per settings and
// lent to one call at a time, so any thread reuses them.
struct TesseractRecognizer::Pool {
    std::mutex mutex;
    std::map<std::string, std::vector<std::unique_ptr<tesseract::TessBaseAPI>>> idle;
};

namespace {

class Lease {
public:
    Lease(TesseractRecognizer::Pool& pool, std::string key, std::unique_ptr<tesseract::TessBaseAPI> api)
        : pool_(pool), key_(std::move(key)), api_(std::move(api))
    {
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    ~Lease()
    {
        api_->Clear();
        std::lock_guard lock(pool_.mutex);
        pool_.idle[key_].push_back(std::move(api_));
    }
    tesseract::TessBaseAPI& operator*() const { return *api_; }

private:
    TesseractRecognizer::Pool& pool_;
    std::string key_;
    std::unique_ptr<tesseract::TessBaseAPI> api_;
};

Lease borrow(TesseractRecognizer::Pool& pool, const std::string& dataPath, const std::string& languages, bool correction)
{
    const std::string key = dataPath + '\n' + languages + (correction ? "\n1" : "\n0");
    {
        std::lock_guard lock(pool.mutex);
        auto& idle = pool.idle[key];
        if (!idle.empty()) {
            auto api = std::move(idle.back());
            idle.pop_back();
            return Lease(pool, key, std::move(api));
        }
    }
    return Lease(pool, key, makeEngine(dataPath, languages, correction));
}

struct Symbol {
    std::string text;
    BBox box;
};

// The characters of the word the iterator is on, with their boxes.
std::vector<Symbol> symbolsOf(const tesseract::ResultIterator& word)
{
    std::vector<Symbol> out;
    tesseract::LTRResultIterator it(word);
    do {
        std::unique_ptr<char[]> text(it.GetUTF8Text(tesseract::RIL_SYMBOL));
        int l, t, r, b;
        if (!text || !it.BoundingBox(tesseract::RIL_SYMBOL, &l, &t, &r, &b))
            return {};
        out.push_back({text.get(), {double(l), double(t), double(r - l), double(b - t)}});
        if (it.IsAtFinalElement(tesseract::RIL_WORD, tesseract::RIL_SYMBOL))
            break;
    } while (it.Next(tesseract::RIL_SYMBOL));
    return out;
}

bool isDigitText(const std::string& s)
{
    return s.size() == 1 && s[0] >= '0' && s[0] <= '9';
}

// The letters Tesseract reads the dong sign as.
bool isDongLetter(const std::string& s)
{
    return s == "\u0111" || s == "d";
}

bool endsWithDongLetter(const std::string& word)
{
    static const std::string d = "\u0111";  // đ
    const bool withStroke = word.size() >= d.size() && word.compare(word.size() - d.size(), d.size(), d) == 0;
    // A plain d only straight after a digit, or alone.
    const bool plain = !word.empty() && word.back() == 'd' &&
                       (word.size() == 1 || (word[word.size() - 2] >= '0' && word[word.size() - 2] <= '9'));
    return withStroke || plain;
}

// The digits a dong amount is measured against: those of the word itself, else those of
// the word before it on the line when that ends in a digit.
struct DigitRun {
    double bottom = 0;  // lowest digit bottom
    double height = 0;  // tallest digit
    double right = 0;   // right edge of the last digit
};

std::optional<DigitRun> digitRun(const std::vector<Symbol>& symbols, size_t end)
{
    if (end == 0 || !isDigitText(symbols[end - 1].text))
        return std::nullopt;
    DigitRun run;
    bool any = false;
    for (size_t i = 0; i < end; ++i) {
        if (!isDigitText(symbols[i].text))
            continue;
        run.bottom = std::max(run.bottom, symbols[i].box.maxY());
        run.height = std::max(run.height, symbols[i].box.h);
        any = true;
    }
    run.right = symbols[end - 1].box.maxX();
    return any && run.height > 0 ? std::optional(run) : std::nullopt;
}

// Tesseract reads the dong sign ₫ as the letter đ. The sign carries a bar below the
// baseline, so its box reaches clearly lower than the digits beside it; then it is the
// sign, and (as the sign follows its amount after a blank) a word of its own.
void readDongSign(const tesseract::ResultIterator& it, PageWord word, std::vector<PageWord>& line)
{
    const std::vector<Symbol> symbols = symbolsOf(it);
    std::optional<DigitRun> digits;
    if (symbols.size() >= 2)
        digits = digitRun(symbols, symbols.size() - 1);
    else if (symbols.size() == 1 && !line.empty() && !line.back().text.empty() &&
             isDigitText(line.back().text.substr(line.back().text.size() - 1)))
        digits = DigitRun{line.back().box.maxY(), line.back().box.h, line.back().box.maxX()};
    if (symbols.empty() || !digits || !isDongLetter(symbols.back().text) ||
        symbols.back().box.maxY() - digits->bottom < 0.12 * digits->height) {
        line.push_back(std::move(word));
        return;
    }
    const BBox sign = symbols.back().box;
    if (symbols.size() >= 2) {
        BBox amount = symbols.front().box;
        for (size_t i = 1; i + 1 < symbols.size(); ++i)
            amount = amount.unite(symbols[i].box);
        line.push_back({word.text.substr(0, word.text.size() - symbols.back().text.size()), amount, word.confidence});
    }
    line.push_back({"\u20AB", sign, word.confidence});
}

// Words of one recognition of the prepared page, grouped by Tesseract text line.
std::vector<std::vector<PageWord>> readPage(TesseractRecognizer::Pool& pool, const TesseractRecognizer::Tuning& tuning,
                                            const std::string& languages, bool correction,
                                            const std::vector<std::uint8_t>& page, int PW, int PH,
                                            std::vector<double>* lineHeights)
{
    const Lease lease = borrow(pool, tuning.dataPath, languages, correction);
    tesseract::TessBaseAPI& api = *lease;
    api.SetPageSegMode(static_cast<tesseract::PageSegMode>(tuning.pageSegMode));
    api.SetImage(page.data(), PW, PH, 1, PW);
    api.SetSourceResolution(300);
    if (api.Recognize(nullptr) != 0)
        throw RecognitionError("text recognition failed");

    std::vector<std::vector<PageWord>> lines;
    std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (!it)
        return lines;
    it->Begin();
    do {
        if (it->Empty(tesseract::RIL_WORD))
            continue;
        if (it->IsAtBeginningOf(tesseract::RIL_TEXTLINE) || lines.empty()) {
            lines.emplace_back();
            int l, t, r, b;
            if (lineHeights)
                lineHeights->push_back(it->BoundingBox(tesseract::RIL_TEXTLINE, &l, &t, &r, &b) ? b - t : 0);
        }
        std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_WORD));
        if (!text)
            continue;
        std::string word = Unicode::nfc(Unicode::sanitized(Unicode::trimmed(text.get())));
        if (word.empty())
            continue;
        int l, t, r, b;
        if (!it->BoundingBox(tesseract::RIL_WORD, &l, &t, &r, &b))
            continue;
        double conf = it->Confidence(tesseract::RIL_WORD) / 100.0;
        if (!std::isfinite(conf))
            conf = 0;
        PageWord pageWord{std::move(word), {double(l), double(t), double(r - l), double(b - t)},
                          std::clamp(conf, 0.0, 1.0)};
        if (endsWithDongLetter(pageWord.text))
            readDongSign(*it, pageWord, lines.back());
        else
            lines.back().push_back(std::move(pageWord));
    } while (it->Next(tesseract::RIL_WORD));
    return lines;
}

const std::u32string germanLetters = U"äöüÄÖÜß";

bool isGermanLetter(const std::string& grapheme)
{
    const std::u32string cps = Unicode::decode(grapheme);
    return cps.size() == 1 && germanLetters.find(cps[0]) != std::u32string::npos;
}

enum class VietnameseSigns { none, some, sure };

// Letters that, among the languages read here, only Vietnamese writes (breve and horn
// vowels, dot below, hook above, đ, the dong sign) make a page surely Vietnamese; other
// accented Latin letters than the German ones only hint at it.
VietnameseSigns vietnameseSigns(const std::vector<std::vector<PageWord>>& lines)
{
    static const std::u32string only =
        U"ăắằẳẵặơớờởỡợưứừửữựạảấầẩẫậẹẻẽếềểễệỉịọỏốồổỗộụủỳỵỷỹđ"
        U"ĂẮẰẲẴẶƠỚỜỞỠỢƯỨỪỬỮỰẠẢẤẦẨẪẬẸẺẼẾỀỂỄỆỈỊỌỎỐỒỔỖỘỤỦỲỴỶỸĐ₫";
    VietnameseSigns signs = VietnameseSigns::none;
    for (const auto& line : lines)
        for (const PageWord& w : line)
            for (char32_t cp : Unicode::decode(w.text)) {
                if (only.find(cp) != std::u32string::npos)
                    return VietnameseSigns::sure;
                if (cp >= 0x80 && cp < 0x2000 && germanLetters.find(cp) == std::u32string::npos && Unicode::isLetter(cp))
                    signs = VietnameseSigns::some;
            }
    return signs;
}

// Takes the marked reading of a word only where it is the same word: most of both boxes
// shared and the same letters once marks are set aside.
void restoreMarks(std::vector<std::vector<PageWord>>& lines, const std::vector<std::vector<PageWord>>& marked,
                  bool keepGerman)
{
    for (auto& line : lines) {
        for (PageWord& w : line) {
            const PageWord* best = nullptr;
            double bestOverlap = 0;
            for (const auto& other : marked) {
                for (const PageWord& m : other) {
                    const double overlap = w.box.intersectionArea(m.box);
                    if (overlap > bestOverlap) {
                        bestOverlap = overlap;
                        best = &m;
                    }
                }
            }
            if (!best || best->text == w.text || bestOverlap < 0.6 * std::max(w.box.area(), best->box.area()))
                continue;
            const std::string letters = Unicode::withoutMarks(best->text);
            if (letters != Unicode::withoutMarks(w.text) || letters == best->text)
                continue;
            // Letter by letter: the marks come from the Vietnamese reading, except, on a page
            // that is not surely Vietnamese, where the first reading has a German letter.
            const std::vector<std::string> mine = Unicode::graphemes(w.text);
            const std::vector<std::string> theirs = Unicode::graphemes(best->text);
            if (mine.size() != theirs.size())
                continue;
            std::string merged;
            for (size_t i = 0; i < mine.size(); ++i)
                merged += keepGerman && isGermanLetter(mine[i]) ? mine[i] : theirs[i];
            w.text = merged;
        }
    }
}

}  // namespace

TesseractRecognizer::TesseractRecognizer() : TesseractRecognizer(Tuning{}) {}

TesseractRecognizer::TesseractRecognizer(Tuning tuning) : tuning_(std::move(tuning)), pool_(std::make_shared<Pool>()) {}

double TesseractRecognizer::preparationScale(const Image& image, const Tuning& tuning)
{
    if (image.empty())
        return 1;
    std::vector<std::uint8_t> grey = image.grey();
    const int bg = prepareGrey(grey, tuning.invertDark);
    return scaleFor(grey, image.width, image.height, bg, tuning);
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
        std::string primary = tag.substr(0, tag.find_first_of("-_"));
        std::transform(primary.begin(), primary.end(), primary.begin(), [](unsigned char c) { return std::tolower(c); });
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

    std::vector<std::uint8_t> grey = image.grey();
    const int W = image.width;
    const int H = image.height;
    const int bg = prepareGrey(grey, tuning_.invertDark);

    const double k = scaleFor(grey, W, H, bg, tuning_);

    // The prepared page: enlarged, ruling lines painted out, handed over as raw grey.
    int PW = W;
    int PH = H;
    std::vector<std::uint8_t> page;
    if (k > 1.0001) {
        PW = static_cast<int>(W * k);
        PH = static_cast<int>(H * k);
        page.resize(size_t(PW) * PH);
        const cv::Mat src(H, W, CV_8UC1, grey.data());
        cv::Mat dst(PH, PW, CV_8UC1, page.data());
        cv::resize(src, dst, dst.size(), 0, 0, cv::INTER_LINEAR);
    } else {
        page = std::move(grey);
    }
    const double sx = double(PW) / W;
    const double sy = double(PH) / H;

    if (tuning_.removeRules) {
        const int minRun = std::max(40, static_cast<int>(4 * tuning_.targetGlyphHeight));
        paintOutRules(page, PW, PH, bg, minRun, static_cast<int>(std::ceil(6 * sy)));
    }

    const std::string languages = languageString(request.languages);
    std::vector<double> lineHeights;
    std::vector<std::vector<PageWord>> lines =
        readPage(*pool_, tuning_, languages, request.languageCorrection, page, PW, PH, &lineHeights);

    // Read with other data beside it, Vietnamese often loses its diacritics ("Banh mi" for
    // "Bánh mì"). On a page that shows Vietnamese, a second reading with the Vietnamese data
    // alone may put the marks back on words whose letters it reads the same; nothing else
    // is taken from it.
    if (languages.find("vie") != std::string::npos && languages != "vie") {
        const VietnameseSigns signs = vietnameseSigns(lines);
        if (signs != VietnameseSigns::none) {
            const auto marked = readPage(*pool_, tuning_, "vie", request.languageCorrection, page, PW, PH, nullptr);
            restoreMarks(lines, marked, signs != VietnameseSigns::sure);
        }
    }

    const double minHeight =
        request.minimumTextHeight && *request.minimumTextHeight > 0 ? *request.minimumTextHeight * PH : 0;

    auto normalised = [=](const BBox& b) {
        // Back to the given image's pixels, then to 0...1 with the origin at the bottom left.
        const double x = b.x / sx, y = b.y / sy, w = b.w / sx, h = b.h / sy;
        return NormalizedRect{x / W, 1.0 - (y + h) / H, w / W, h / H};
    };

    std::vector<TextObservation> out;
    for (size_t li = 0; li < lines.size(); ++li) {
        std::vector<PageWord> words;
        for (auto& w : lines[li])
            if (w.box.h >= minHeight)
                words.push_back(std::move(w));
        if (words.empty())
            continue;
        const double lineH = lineHeights[li] > 0 ? lineHeights[li] : words.front().box.h;
        const double splitGap = tuning_.splitGapFactor * lineH;

        size_t start = 0;
        for (size_t i = 1; i <= words.size(); ++i) {
            const bool end = i == words.size() || words[i].box.x - words[i - 1].box.maxX() > splitGap;
            if (!end)
                continue;
            TextObservation o;
            std::string text;
            std::vector<std::pair<size_t, size_t>> ranges;
            std::vector<BBox> boxes;
            BBox box = words[start].box;
            double conf = 1;
            for (size_t k2 = start; k2 < i; ++k2) {
                if (!text.empty())
                    text += ' ';
                ranges.emplace_back(text.size(), text.size() + words[k2].text.size());
                text += words[k2].text;
                boxes.push_back(words[k2].box);
                box = box.unite(words[k2].box);
                conf = std::min(conf, words[k2].confidence);
            }
            o.box = normalised(box);
            o.topCandidate = std::move(text);
            o.confidence = conf;
            o.boxForRange = [ranges, boxes, normalised](size_t begin, size_t end) -> std::optional<NormalizedRect> {
                std::optional<BBox> u;
                for (size_t r = 0; r < ranges.size(); ++r)
                    if (ranges[r].first < end && begin < ranges[r].second)
                        u = u ? u->unite(boxes[r]) : boxes[r];
                if (!u)
                    return std::nullopt;
                return normalised(*u);
            };
            out.push_back(std::move(o));
            start = i;
        }
    }
    return out;
}

}  // namespace VozudOzev
