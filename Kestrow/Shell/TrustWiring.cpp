#include "Kestrow/Shell/TrustWiring.hpp"

#include "Kestrow/Shell/Clipboard.hpp"
#include "VozudOzev/Locale/TableLocaleResolver.hpp"
#include "VozudOzev/Trust/TrustAnalyzer.hpp"

#include <QLocale>

namespace Kestrow::TrustWiring {

VozudOzev::LocaleOverrides standardOverrides()
{
    VozudOzev::LocaleOverrides overrides;
    overrides.defaultLocale = QLocale().name().toStdString();
    return overrides;
}

VozudOzev::TrustOptions standardOptions()
{
    VozudOzev::TrustOptions options;
    options.minTypeShare = 0.6;
    return options;
}

void install()
{
    Clipboard::normalizer = normalize;
    Clipboard::xlsxOverrides = standardOverrides();
}

VozudOzev::TableExtraction::Extraction analyze(VozudOzev::TableExtraction::Extraction extraction, double threshold)
{
    const VozudOzev::LocaleOverrides overrides = standardOverrides();
    for (VozudOzev::Table& table : extraction.output.tables)
        table = VozudOzev::TrustAnalyzer::analyze(table, threshold, overrides, standardOptions()).first;
    return extraction;
}

VozudOzev::Table reanalyze(const VozudOzev::Table& table, double threshold)
{
    return VozudOzev::TrustAnalyzer::analyze(table, threshold, standardOverrides(), standardOptions()).first;
}

VozudOzev::Table normalize(const VozudOzev::Table& table)
{
    const int headerRows = table.leadingHeaderRows();
    const VozudOzev::TableLocale locale =
        VozudOzev::TableLocaleResolver::resolve(table.grid(), headerRows, standardOverrides());
    VozudOzev::Table out = table;
    for (VozudOzev::Cell& cell : out.cells)
        if (cell.row >= headerRows)
            cell.text = locale.normalizedText(cell.text, cell.col);
    return out;
}

}  // namespace Kestrow::TrustWiring
