#include "VozudOzev/TextGrid/TextGridDocumentRecognizer.hpp"

#include "VozudOzev/Platform/TesseractRecognizer.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"

#include <tesseract/baseapi.h>
#include <unicode/uloc.h>

#include <map>

namespace VozudOzev {

namespace {

NormalizedRect normalised(const BBox& b, double W, double H)
{
    return {b.x / W, 1 - (b.y + b.h) / H, b.w / W, b.h / H};
}

// "en" -> "en-Latn-US"; the tag itself when ICU cannot expand it.
std::string maximal(const std::string& language)
{
    UErrorCode status = U_ZERO_ERROR;
    char full[ULOC_FULLNAME_CAPACITY] = {};
    uloc_addLikelySubtags(language.c_str(), full, sizeof full, &status);
    if (U_FAILURE(status))
        return language;
    char tag[ULOC_FULLNAME_CAPACITY] = {};
    status = U_ZERO_ERROR;
    uloc_toLanguageTag(full, tag, sizeof tag, true, &status);
    return U_FAILURE(status) ? language : std::string(tag);
}

}  // namespace

std::vector<DocumentObservation> TextGridDocumentRecognizer::perform(const Image& image) const
{
    if (image.empty())
        return {DocumentObservation{}};
    const std::vector<OCRLine> lines = ocr_.recognize(image);
    std::vector<std::string> notes;
    const std::optional<Table> table = TextGridEngine(TextGridEngine::RuledLines::followed, ocr_).build(lines, &image, notes);
    return {observationOf(table, image)};
}

DocumentObservation TextGridDocumentRecognizer::observationOf(const std::optional<Table>& table, const Image& image)
{
    DocumentObservation observation;
    if (table) {
        const double W = image.width;
        const double H = image.height;
        DocumentTable& t = observation.tables.emplace_back();
        t.boundingBox = normalised(table->bbox.value_or(BBox{}), W, H);
        t.rows.resize(static_cast<size_t>(std::max(table->rows, 0)));
        for (const Cell& c : table->cells) {
            if (c.row < 0 || c.row >= table->rows)
                continue;
            DocumentCell cell;
            cell.rows = {c.row, c.row + c.rowSpan - 1};
            cell.columns = {c.col, c.col + c.colSpan - 1};
            cell.transcript = c.text;
            cell.contentBox = normalised(c.bbox.value_or(BBox{}), W, H);
            if (!c.text.empty())
                cell.lines.push_back({c.text, c.confidence.value_or(0), cell.contentBox});
            t.rows[static_cast<size_t>(c.row)].push_back(std::move(cell));
        }
    }
    return observation;
}

std::vector<std::string> TextGridDocumentRecognizer::supportedLanguages() const
{
    static const std::map<std::string, std::string> primary{{"eng", "en"}, {"vie", "vi"}, {"deu", "de"},
                                                            {"fra", "fr"}, {"spa", "es"}, {"ita", "it"}};
    tesseract::TessBaseAPI api;
    if (api.Init(nullptr, "eng", tesseract::OEM_LSTM_ONLY) != 0)
        return {};
    std::vector<std::string> installed;
    api.GetAvailableLanguagesAsVector(&installed);
    api.End();
    std::vector<std::string> out;
    for (const std::string& code : installed)
        if (auto it = primary.find(code); it != primary.end())
            out.push_back(maximal(it->second));
    return out;
}

}  // namespace VozudOzev
