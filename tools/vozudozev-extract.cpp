// Runs one extraction on an image file and writes the engine output as JSON.
// Used by benchmarks, corpus evaluation and bug reports.

#include "VozudOzev/DocumentsEngine.hpp"
#include "VozudOzev/Export/ExportFormat.hpp"
#include "VozudOzev/ImageLoader.hpp"
#include "VozudOzev/Locale/LocaleIdentifier.hpp"
#include "VozudOzev/Trust/TrustAnalyzer.hpp"
#include "VozudOzev/JSONIO.hpp"
#include "VozudOzev/Structure/ImageResolution.hpp"
#include "VozudOzev/TextGridEngine.hpp"
#include "VozudOzev/TextGridTableEngine.hpp"
#include "VozudOzev/Platform/TextGridDocumentRecognizer.hpp"
#include "VozudOzev/VozudOzevError.hpp"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <cstring>
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
    "usage: vozudozev-extract [--engine text|rules|document] [--dpi X[,Y]] [--format F] [--trust [T]] [-o FILE] IMAGE\n"
    "  --engine text      the text-only engine (default)\n"
    "  --engine rules     the text grid with ruling lines\n"
    "  --engine document  the document engine\n"
    "  --dpi X[,Y]        the image's resolution; default: from the file, else 72\n"
    "  --format F         json (the engine output, default), tsv, html, csv, md, ai\n"
    "                     (AI-context Markdown) or doc (the JSON export document)\n"
    "  --trust [T]        flag the cells that need a look (threshold T, default 0.8);\n"
    "                     number and date conventions fall back to LC_ALL / LANG\n"
    "  -o FILE            write to FILE instead of standard output\n";

int usage(const std::string& problem)
{
    if (!problem.empty())
        std::cerr << "vozudozev-extract: " << problem << "\n";
    std::cerr << usageText;
    return exitUsage;
}

std::optional<double> parsePositive(std::string_view s)
{
    double v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !(v > 0) || v > 1e6)
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

}  // namespace

int main(int argc, char** argv)
{
    std::string engine = "text";
    std::optional<Dpi> dpi;
    std::string outPath;
    std::string imagePath;
    std::string format = "json";
    std::optional<double> trust;

    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        auto value = [&](const char* name) -> std::optional<std::string> {
            if (i + 1 >= argc)
                return std::nullopt;
            (void)name;
            return std::string(argv[++i]);
        };
        if (a == "-h" || a == "--help") {
            std::cout << usageText;
            return 0;
        } else if (a == "--engine") {
            auto v = value("--engine");
            if (!v)
                return usage("--engine needs a value");
            engine = *v;
        } else if (a == "--dpi") {
            auto v = value("--dpi");
            if (!v)
                return usage("--dpi needs a value");
            dpi = parseDpi(*v);
            if (!dpi)
                return usage("--dpi takes X or X,Y with positive numbers");
        } else if (a == "--format") {
            auto v = value("--format");
            if (!v)
                return usage("--format needs a value");
            format = *v;
        } else if (a == "--trust") {
            trust = 0.8;
            // The threshold is optional: take the next argument only when it reads as one.
            if (i + 1 < argc) {
                double t = 0;
                const std::string_view next = argv[i + 1];
                auto r = std::from_chars(next.data(), next.data() + next.size(), t);
                if (r.ec == std::errc() && r.ptr == next.data() + next.size()) {
                    if (!(t >= 0 && t <= 1))
                        return usage("--trust takes a threshold between 0 and 1");
                    trust = t;
                    ++i;
                }
            }
        } else if (a == "-o") {
            auto v = value("-o");
            if (!v)
                return usage("-o needs a file");
            outPath = *v;
        } else if (a.size() > 1 && a[0] == '-') {
            return usage("unknown option " + std::string(a));
        } else if (imagePath.empty()) {
            imagePath = a;
        } else {
            return usage("only one image at a time");
        }
    }
    if (imagePath.empty())
        return usage("no image given");
    if (engine != "text" && engine != "rules" && engine != "document")
        return usage("unknown engine " + engine);
    const auto& formats = ExportFormat::names();
    if (std::find(formats.begin(), formats.end(), format) == formats.end())
        return usage("unknown format " + format);

    Image image;
    try {
        image = ImageLoader::load(imagePath);
    } catch (const VozudOzevError& e) {
        std::cerr << e.what() << "\n";
        return exitImageFailed;
    }
    if (!dpi)
        dpi = ImageResolution::dpi(imagePath);

    std::string text;
    try {
        const TextOCR ocr({"vi-VT", "en-US"}, false, false);
        EngineOutput output;
        if (engine == "rules")
            output = TextGridEngine(true, ocr).run(image, "capture");
        else if (engine == "document")
            output = DocumentsEngine(std::make_shared<TextGridDocumentRecognizer>(ocr)).run(image, "capture");
        else
            output = TextGridTableEngine(ocr).extract(image, *dpi, "capture").output;
        if (trust) {
            LocaleOverrides overrides;
            for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
                const char* v = std::getenv(var);
                if (v && *v) {
                    overrides.defaultLocale = LocaleIdentifier::fromPosix(v);
                    break;
                }
            }
            for (Table& table : output.tables)
                table = TrustAnalyzer::analyze(table, *trust, overrides, {}).first;
        }
        if (format == "json") {
            text = JSONIO::encode(output) + "\n";
        } else {
            ExportFormat::Context context;
            context.source = {std::filesystem::path(imagePath).filename().string(), std::chrono::system_clock::now(),
                              output.engine, output.imageWidth, output.imageHeight};
            text = ExportFormat::render(format, output, context).value_or("");
        }
    } catch (const std::exception& e) {
        std::cerr << "recognition failed: " << e.what() << "\n";
        return exitRecognitionFailed;
    }

    if (outPath.empty()) {
        std::cout << text;
        std::cout.flush();
        return std::cout ? 0 : exitRecognitionFailed;
    }
    std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "cannot write " << outPath << "\n";
        return exitRecognitionFailed;
    }
    return 0;
}
