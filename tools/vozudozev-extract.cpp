// Runs one extraction on an image file and writes the result. Used by benchmarks, corpus
// evaluation and bug reports.

#include "VozudOzev/Model/Clock.hpp"
#include "VozudOzev/Extraction/DocumentsEngine.hpp"
#include "VozudOzev/Export/ExportFormat.hpp"
#include "VozudOzev/OCR/ImageLoader.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Locale/LocaleIdentifier.hpp"
#include "VozudOzev/TextGrid/ScreenTableRecognizer.hpp"
#include "VozudOzev/Structure/ImageResolution.hpp"
#include "VozudOzev/Extraction/TableExtractor.hpp"
#include "VozudOzev/TextGrid/TextGridDocumentRecognizer.hpp"
#include "VozudOzev/TextGrid/TextGridEngine.hpp"
#include "VozudOzev/Extraction/TextGridTableEngine.hpp"
#include "VozudOzev/Trust/TrustAnalyzer.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"
#include "VozudOzev/Platform/ModelError.hpp"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

using namespace VozudOzev;

namespace {

constexpr int exitRecognitionFailed = 1;
constexpr int exitImageFailed = 2;
constexpr int exitUsage = 64;

const char* usageText =
    "usage: vozudozev-extract [--engine E] [--models DIR] [--options LIST] [--structure-only]\n"
    "                         [--dpi X[,Y]] [--format F] [--trust [T]] [-o FILE] IMAGE\n"
    "  --engine auto       the structure engine when the models load, else document (default)\n"
    "  --engine structure  the structure models with the assembler (fails without models)\n"
    "  --engine assembler  the assembler with no predicted structure: its fallbacks and passes\n"
    "  --engine text       the text-only engine\n"
    "  --engine rules      the text grid with ruling lines\n"
    "  --engine document   the document engine\n"
    "  --models DIR        the model folder (default: Resources/Models of the source tree)\n"
    "  --options LIST      assembler switches, comma-separated, \"-name\" to switch one off,\n"
    "                      applied to the recommended set\n"
    "  --structure-only    print the predicted structure file instead (structure engine)\n"
    "  --dpi X[,Y]         the image's resolution; default: from the file, else 72\n"
    "  --ocr-lines FILE    text and document engines: the OCR lines of FILE, written there\n"
    "                      first when it does not exist (measuring structure changes fast)\n"
    "  --format F          json (the engine output, default), tsv, html, csv, md, ai\n"
    "                      (AI-context Markdown), doc (the JSON export document) or\n"
    "                      xlsx (a workbook; binary, so give -o FILE)\n"
    "  --trust [T]         flag the cells that need a look (threshold T, default 0.8);\n"
    "                      number and date conventions fall back to LC_ALL / LANG\n"
    "  -o FILE             write to FILE instead of standard output\n";

int usage(const std::string& problem)
{
    if (!problem.empty())
        std::cerr << "vozudozev-extract: " << problem << "\n";
    std::cerr << usageText;
    return exitUsage;
}

std::optional<double> parseNumber(std::string_view s)
{
    double v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::optional<double> parsePositive(std::string_view s)
{
    auto v = parseNumber(s);
    if (!v || !(*v > 0) || *v > 1e6)
        return std::nullopt;
    return v;
}

std::optional<Dpi> parseDpi(std::string_view s)
{
    const auto comma = s.find(',');
    auto x = parsePositive(s.substr(0, comma));
    if (!x)
        return std::nullopt;
    if (comma == std::string_view::npos)
        return Dpi{*x, *x};
    auto y = parsePositive(s.substr(comma + 1));
    if (!y)
        return std::nullopt;
    return Dpi{*x, *y};
}

std::vector<std::string> splitList(std::string_view s)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= s.size()) {
        const size_t comma = s.find(',', start);
        out.emplace_back(s.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return out;
}

struct Arguments {
    std::string engine = "auto";
    std::string models = std::string(VANTREL_SOURCE_DIR) + "/Resources/Models";
    std::optional<std::string> options;
    bool structureOnly = false;
    std::optional<Dpi> dpi;
    std::string format = "json";
    std::optional<double> trust;
    std::string outPath;
    std::string imagePath;
    std::string ocrLinesPath;
};

// The usage problem, or nothing when the arguments are sound.
std::optional<std::string> parse(int argc, char** argv, Arguments& a)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc)
                return std::nullopt;
            return std::string(argv[++i]);
        };
        if (arg == "--engine" || arg == "--models" || arg == "--options" || arg == "--dpi" || arg == "--format" ||
            arg == "-o" || arg == "--ocr-lines") {
            auto v = value();
            if (!v)
                return std::string(arg) + " needs a value";
            if (arg == "--engine")
                a.engine = *v;
            else if (arg == "--models")
                a.models = *v;
            else if (arg == "--options")
                a.options = *v;
            else if (arg == "--format")
                a.format = *v;
            else if (arg == "-o")
                a.outPath = *v;
            else if (arg == "--ocr-lines")
                a.ocrLinesPath = *v;
            else if (!(a.dpi = parseDpi(*v)))
                return "--dpi takes X or X,Y with positive numbers";
        } else if (arg == "--structure-only") {
            a.structureOnly = true;
        } else if (arg == "--trust") {
            a.trust = 0.8;
            // The threshold is optional: the next argument is taken only when it reads as one.
            if (i + 1 < argc) {
                if (auto t = parseNumber(argv[i + 1])) {
                    if (!(*t >= 0 && *t <= 1))
                        return "--trust takes a threshold between 0 and 1";
                    a.trust = *t;
                    ++i;
                }
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + std::string(arg);
        } else if (a.imagePath.empty()) {
            a.imagePath = arg;
        } else {
            return "only one image at a time";
        }
    }
    if (a.imagePath.empty())
        return "no image given";
    static const std::vector<std::string> engines{"auto", "structure", "assembler", "text", "rules", "document"};
    if (std::find(engines.begin(), engines.end(), a.engine) == engines.end())
        return "unknown engine " + a.engine;
    const auto& formats = ExportFormat::names();
    if (std::find(formats.begin(), formats.end(), a.format) == formats.end())
        return "unknown format " + a.format;
    if (a.structureOnly && a.engine != "structure")
        return "--structure-only needs --engine structure";
    return std::nullopt;
}

void analyseTrust(EngineOutput& output, double threshold)
{
    LocaleOverrides overrides;
    for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v) {
            overrides.defaultLocale = LocaleIdentifier::fromPosix(v);
            break;
        }
    }
    for (Table& table : output.tables)
        table = TrustAnalyzer::analyze(table, threshold, overrides, {}).first;
}

// The screen-table recogniser over lines read before.
class LinesRecognizer final : public DocumentRecognizer {
public:
    explicit LinesRecognizer(std::vector<OCRLine> lines) : lines_(std::move(lines)) {}
    std::vector<DocumentObservation> perform(const Image& image) const override
    {
        std::vector<std::string> notes;
        const std::optional<Table> table = ScreenTableRecognizer::build(lines_, image, notes);
        DocumentObservation observation = TextGridDocumentRecognizer::observationOf(table, image);
        observation.notes = std::move(notes);
        return {std::move(observation)};
    }
    std::vector<std::string> supportedLanguages() const override { return {}; }

private:
    std::vector<OCRLine> lines_;
};

// The lines of the file when it exists, else the image read as the screen-table
// recogniser reads it and its lines written there.
std::vector<OCRLine> cachedLines(const std::string& path, const TextOCR& ocr, const Image& image)
{
    if (std::ifstream in(path, std::ios::binary); in)
        return nlohmann::json::parse(in).get<std::vector<OCRLine>>();
    std::vector<std::string> notes;
    std::vector<OCRLine> lines = ScreenTableRecognizer::read(ocr, image, notes);
    std::ofstream(path, std::ios::binary) << nlohmann::json(lines).dump();
    return lines;
}

// The text the run writes; throws what recognition throws.
std::string run(const Arguments& a, const Image& image, Dpi dpi)
{
    StructureAssembler assembler = StructureAssembler::recommended();
    if (a.options)
        for (const std::string& name : assembler.options.apply(splitList(*a.options)))
            std::cerr << "vozudozev-extract: unknown option \"" << name << "\" ignored\n";
    const TextOCR& ocr = assembler.ocr;

    if (a.structureOnly) {
        const StructurePredictor predictor(ModelLocation(a.models), ComputeUnits::cpuAndGPU);
        return JSONIO::encode(predictor.predict(image, dpi, std::string("capture"))) + "\n";
    }

    EngineOutput output;
    if (!a.ocrLinesPath.empty() && (a.engine == "document" || a.engine == "text")) {
        std::vector<OCRLine> lines = cachedLines(a.ocrLinesPath, ocr, image);
        if (a.engine == "document") {
            output = DocumentsEngine(std::make_shared<LinesRecognizer>(std::move(lines))).run(image, "capture");
        } else {
            std::vector<std::string> notes;
            std::optional<Table> table = TextGridEngine(TextGridEngine::RuledLines::ignored, ocr).build(lines, &image, notes);
            std::vector<Table> tables;
            if (table)
                tables.push_back(std::move(*table));
            output = EngineOutput("capture", "B", image.width, image.height, 0, std::move(tables),
                                  std::string("line"), std::move(notes));
        }
    } else if (a.engine == "structure" || a.engine == "auto") {
        // Only models that are missing, unreadable or broken send the capture to the document
        // engine; any other failure is a fault and ends the run.
        std::optional<TableExtractor> extractor;
        std::optional<std::string> modelProblem;
        try {
            extractor.emplace(ModelLocation(a.models), ComputeUnits::cpuAndGPU, assembler);
        } catch (const ModelError& e) {
            modelProblem = e.what();
        } catch (const VozudOzevError& e) {
            modelProblem = e.what();
        }
        if (modelProblem) {
            if (a.engine == "structure")
                throw std::runtime_error(*modelProblem);
            std::cerr << "vozudozev-extract: models not loaded (" << *modelProblem << "); using the document engine\n";
        }
        if (extractor) {
            output = extractor->extract(image, dpi, "capture").output;
        } else {
            output = DocumentsEngine(std::make_shared<ScreenTableRecognizer>(ocr)).run(image, "capture");
            output.notes.insert(output.notes.begin(), std::string(DocumentsEngine::withoutModelsNote));
        }
    } else if (a.engine == "assembler") {
        output = TableExtractor([](const Image&, Dpi, const std::string&) { return StructureFile{}; }, assembler)
                     .extract(image, dpi, "capture")
                     .output;
    } else if (a.engine == "rules") {
        output = TextGridEngine(TextGridEngine::RuledLines::followed, ocr).run(image, "capture");
    } else if (a.engine == "document") {
        output = DocumentsEngine(std::make_shared<ScreenTableRecognizer>(ocr)).run(image, "capture");
    } else {
        output = TextGridTableEngine(ocr).extract(image, dpi, "capture").output;
    }

    if (a.trust)
        analyseTrust(output, *a.trust);
    if (a.format == "json")
        return JSONIO::encode(output) + "\n";
    ExportFormat::Context context;
    context.source = {std::filesystem::path(a.imagePath).filename().string(), std::chrono::system_clock::now(),
                      output.engine, output.imageWidth, output.imageHeight};
    return ExportFormat::render(a.format, output, context).value_or("");
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "-h" || std::string_view(argv[i]) == "--help") {
            std::cout << usageText;
            return 0;
        }
    }
    Arguments a;
    if (auto problem = parse(argc, argv, a))
        return usage(*problem);

    Image image;
    try {
        image = ImageLoader::load(a.imagePath);
    } catch (const VozudOzevError& e) {
        std::cerr << e.what() << "\n";
        return exitImageFailed;
    }
    const Dpi dpi = a.dpi ? *a.dpi : ImageResolution::dpi(a.imagePath);

    std::string text;
    try {
        text = run(a, image, dpi);
    } catch (const std::exception& e) {
        std::cerr << "recognition failed: " << e.what() << "\n";
        return exitRecognitionFailed;
    }

    if (a.outPath.empty()) {
        std::cout << text;
        std::cout.flush();
        return std::cout ? 0 : exitRecognitionFailed;
    }
    std::ofstream out(a.outPath, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "cannot write " << a.outPath << "\n";
        return exitRecognitionFailed;
    }
    return 0;
}
