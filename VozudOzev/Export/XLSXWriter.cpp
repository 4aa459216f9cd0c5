#include "VozudOzev/Export/XLSXWriter.hpp"

#include "VozudOzev/Model/CellRef.hpp"
#include "VozudOzev/Export/ISODate.hpp"
#include "VozudOzev/Export/ZipWriter.hpp"
#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

namespace VozudOzev {

namespace {

constexpr std::string_view declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr std::string_view mainNS = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view officeRelNS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view packageRelNS = "http://schemas.openxmlformats.org/package/2006/relationships";

// A ZIP entry records its size in 32 bits.
constexpr size_t maxPartSize = 0xFFFFFFFFu;

std::string contentTypes()
{
    const std::string sheetML = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    return std::string(declaration) +
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + sheetML + "sheet.main+xml\"/>"
           "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" + sheetML + "worksheet+xml\"/>"
           "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + sheetML + "styles+xml\"/>"
           "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + sheetML + "sharedStrings+xml\"/>"
           "<Override PartName=\"/docProps/core.xml\" ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
           "<Override PartName=\"/docProps/app.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
           "</Types>";
}

std::string relationship(std::string_view id, std::string_view type, std::string_view target)
{
    return "<Relationship Id=\"" + std::string(id) + "\" Type=\"" + std::string(type) + "\" Target=\"" +
           std::string(target) + "\"/>";
}

std::string packageRels()
{
    const std::string office(officeRelNS);
    return std::string(declaration) + "<Relationships xmlns=\"" + std::string(packageRelNS) + "\">" +
           relationship("rId1", office + "/officeDocument", "xl/workbook.xml") +
           relationship("rId2", std::string(packageRelNS) + "/metadata/core-properties", "docProps/core.xml") +
           relationship("rId3", office + "/extended-properties", "docProps/app.xml") + "</Relationships>";
}

std::string appProps()
{
    return std::string(declaration) +
           "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
           "<Application>Vantrel</Application></Properties>";
}

std::string coreProps(std::chrono::system_clock::time_point date)
{
    const std::string at = ISODate::format(date);
    return std::string(declaration) +
           "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\""
           " xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\""
           " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
           "<dcterms:created xsi:type=\"dcterms:W3CDTF\">" + at + "</dcterms:created>"
           "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">" + at + "</dcterms:modified>"
           "</cp:coreProperties>";
}

std::string workbook(std::string_view sheetName)
{
    return std::string(declaration) + "<workbook xmlns=\"" + std::string(mainNS) + "\" xmlns:r=\"" +
           std::string(officeRelNS) + "\"><bookViews><workbookView/></bookViews><sheets><sheet name=\"" +
           XLSXWriter::escape(XLSXWriter::safeSheetName(sheetName)) + "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
}

std::string workbookRels()
{
    const std::string office(officeRelNS);
    return std::string(declaration) + "<Relationships xmlns=\"" + std::string(packageRelNS) + "\">" +
           relationship("rId1", office + "/worksheet", "worksheets/sheet1.xml") +
           relationship("rId2", office + "/styles", "styles.xml") +
           relationship("rId3", office + "/sharedStrings", "sharedStrings.xml") + "</Relationships>";
}

std::string styles()
{
    return std::string(declaration) + "<styleSheet xmlns=\"" + std::string(mainNS) + "\">" +
           "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
           "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
           "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/></cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "</styleSheet>";
}

void appendInt(std::string& out, long long v)
{
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    out.append(buf, end);
}

bool isASCII(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isValidUTF8(std::string_view s)
{
    return isASCII(s) || Unicode::isValid(s);
}

// The one cell written for a slot: the first cell anchored there, with the texts of any
// later ones joined on.
struct Anchor {
    int row = 0;
    int col = 0;
    const Cell* cell = nullptr;
    std::string_view text;  // valid UTF-8: the cell's own text, or one kept by the stream
    bool covered = false;   // inside a merged range
};

// The anchors of a table by row, then column; cells outside the grid are left out and
// cells on one slot keep their stored order. Recognised tables come row by row already,
// and are then read in place with no index.
class AnchorStream {
public:
    explicit AnchorStream(const Table& table) : table_(table)
    {
        std::uint64_t last = 0;
        for (const Cell& c : table.cells) {
            if (!inGrid(c))
                continue;
            if (key(c) < last) {
                sorted_ = false;
                break;
            }
            last = key(c);
        }
        if (!sorted_) {
            // Sorting (key, index) pairs keeps the stored order on a slot without a stable sort.
            std::vector<std::pair<std::uint64_t, std::uint32_t>> keys;
            keys.reserve(table.cells.size());
            for (size_t i = 0; i < table.cells.size(); ++i)
                if (inGrid(table.cells[i]))
                    keys.emplace_back(key(table.cells[i]), static_cast<std::uint32_t>(i));
            std::sort(keys.begin(), keys.end());
            order_.reserve(keys.size());
            for (const auto& k : keys)
                order_.push_back(k.second);
        }
        pending_ = nextCell();
    }

    // The texts handed out stay valid as long as the stream and the table.
    std::optional<Anchor> next()
    {
        if (!pending_)
            return std::nullopt;
        const Cell* cell = pending_;
        pending_ = nextCell();
        std::string_view text = cell->text;
        if (pending_ && key(*pending_) == key(*cell)) {
            std::string joined = cell->text;
            for (; pending_ && key(*pending_) == key(*cell); pending_ = nextCell()) {
                joined += ' ';
                joined += pending_->text;
            }
            text = texts_.emplace_back(std::move(joined));
        }
        if (!isValidUTF8(text))
            text = texts_.emplace_back(Unicode::sanitized(text));
        return Anchor{cell->row, cell->col, cell, text};
    }

private:
    bool inGrid(const Cell& c) const { return c.row >= 0 && c.row < table_.rows && c.col >= 0 && c.col < table_.cols; }
    static std::uint64_t key(const Cell& c)
    {
        return (static_cast<std::uint64_t>(c.row) << 32) | static_cast<std::uint32_t>(c.col);
    }

    const Cell* nextCell()
    {
        if (!sorted_)
            return at_ < order_.size() ? &table_.cells[order_[at_++]] : nullptr;
        while (at_ < table_.cells.size()) {
            const Cell& c = table_.cells[at_++];
            if (inGrid(c))
                return &c;
        }
        return nullptr;
    }

    const Table& table_;
    bool sorted_ = true;
    std::vector<std::uint32_t> order_;  // indices of the in-grid cells when not stored in order
    size_t at_ = 0;
    const Cell* pending_ = nullptr;
    std::deque<std::string> texts_;  // joined and repaired texts; a deque never moves them
};

// Merged ranges, fed the anchors in order; an anchor whose span touches an earlier range
// gets none. Anchors come row by row, so every earlier range in a column starts at or
// above the current row, and the last one's end row tells whether the column is covered.
class Merges {
public:
    Merges(int rows, int cols) : rows_(rows), cols_(cols), coveredUntil_(static_cast<size_t>(cols), -1) {}

    // Records the anchor's range when it gets one; whether its slot lies in a range.
    bool add(const Anchor& a)
    {
        const int rs = std::min(std::max(a.cell->rowSpan, 1), rows_ - a.row);
        const int cs = std::min(std::max(a.cell->colSpan, 1), cols_ - a.col);
        const bool covered = coveredUntil_[static_cast<size_t>(a.col)] >= a.row;
        if ((rs < 2 && cs < 2) || covered)
            return covered;
        for (int c = a.col + 1; c < a.col + cs; ++c)
            if (coveredUntil_[static_cast<size_t>(c)] >= a.row)
                return false;
        for (int c = a.col; c < a.col + cs; ++c)
            coveredUntil_[static_cast<size_t>(c)] = a.row + rs - 1;
        ranges_.push_back(CellRef::a1(a.row, a.col) + ":" + CellRef::a1(a.row + rs - 1, a.col + cs - 1));
        return true;
    }

    const std::vector<std::string>& ranges() const { return ranges_; }

private:
    int rows_;
    int cols_;
    std::vector<int> coveredUntil_;
    std::vector<std::string> ranges_;
};

// Texts in order of first use; identical texts share one index.
class SharedStrings {
public:
    explicit SharedStrings(size_t expected) { indices_.reserve(expected); }

    // The text must outlive this object.
    std::uint32_t index(std::string_view text)
    {
        const auto [it, added] = indices_.try_emplace(text, static_cast<std::uint32_t>(order_.size()));
        if (added)
            order_.push_back(&it->first);
        return it->second;
    }

    std::string xml() const
    {
        std::string out(declaration);
        out += "<sst xmlns=\"";
        out += mainNS;
        out += "\" count=\"";
        appendInt(out, static_cast<long long>(order_.size()));
        out += "\" uniqueCount=\"";
        appendInt(out, static_cast<long long>(order_.size()));
        out += "\">";
        for (const std::string_view* text : order_) {
            const std::string escaped = XLSXWriter::escape(*text);
            out += "<si><t";
            if (needsPreserve(escaped))
                out += " xml:space=\"preserve\"";
            out += '>';
            out += escaped;
            out += "</t></si>";
            if (out.size() > maxPartSize)
                throw VozudOzevError::invalidInput("workbook strings larger than 4 GiB");
        }
        out += "</sst>";
        return out;
    }

private:
    // Decided on the written text, so a control character dropped at an end cannot hide
    // the blank behind it.
    static bool needsPreserve(std::string_view escaped)
    {
        if (escaped.empty())
            return false;
        if (escaped.find('\n') != std::string_view::npos)
            return true;
        const auto isBlank = [](std::string_view character) {
            const auto c = static_cast<unsigned char>(character[0]);
            if (c < 0x80)
                return c == ' ' || (c >= 0x09 && c <= 0x0D);
            const std::u32string cp = Unicode::decode(character);
            return !cp.empty() && Unicode::isWhitespace(cp.front());
        };
        size_t lastStart = escaped.size() - 1;
        while (lastStart > 0 && (static_cast<unsigned char>(escaped[lastStart]) & 0xC0) == 0x80)
            --lastStart;
        return isBlank(escaped.substr(0, std::min<size_t>(4, escaped.size()))) || isBlank(escaped.substr(lastStart));
    }

    std::unordered_map<std::string_view, std::uint32_t> indices_;
    std::vector<const std::string_view*> order_;  // keys of indices_, whose nodes never move
};

}  // namespace

XLSXWriter::XLSXWriter(std::string sheetName, std::optional<int> headerRows, bool freezeHeader,
                       std::chrono::system_clock::time_point date, NumberReader parseNumber, CellReader parseCell)
    : sheetName(std::move(sheetName)), headerRows(headerRows), parseNumber(std::move(parseNumber)),
      parseCell(std::move(parseCell)), freezeHeader(freezeHeader), date(date)
{
}

namespace {

void checkGrid(const Table& table)
{
    if (table.rows > XLSXWriter::maxRows || table.cols > XLSXWriter::maxCols)
        throw VozudOzevError::invalidInput("a table of " + std::to_string(table.rows) + " x " + std::to_string(table.cols) +
                                           " slots is larger than a worksheet (" + std::to_string(XLSXWriter::maxRows) +
                                           " x " + std::to_string(XLSXWriter::maxCols) + ")");
}

void checkSheetSize(int rows, int cols, int H)
{
    // Every row and every header slot is written, at least <row r="1"/> and <c r="A1" s="1"/>:
    // a sheet that cannot fit the ZIP entry is refused before it is built.
    if (static_cast<std::uint64_t>(H) * static_cast<std::uint64_t>(cols) * 17 + static_cast<std::uint64_t>(rows) * 12 >
        maxPartSize)
        throw VozudOzevError::invalidInput("worksheet larger than 4 GiB");
}

// The worksheet up to its <sheetData>: the dimension and, when asked, the frozen header.
std::string sheetHead(const Table& table, int rows, int cols, int H, bool freezeHeader)
{
    std::string sheet(declaration);
    // Roughly what the cells and rows take, so the text is seldom copied while it grows.
    const size_t headerSlots = static_cast<size_t>(H) * static_cast<size_t>(cols);
    sheet.reserve(std::min<size_t>(1024 + (table.cells.size() + headerSlots) * 40 + static_cast<size_t>(rows) * 24,
                                   size_t{1} << 26));
    sheet += "<worksheet xmlns=\"";
    sheet += mainNS;
    sheet += "\" xmlns:r=\"";
    sheet += officeRelNS;
    sheet += "\"><dimension ref=\"A1";
    if (rows >= 1 && cols >= 1 && (rows > 1 || cols > 1))
        sheet += ":" + CellRef::a1(rows - 1, cols - 1);
    sheet += "\"/><sheetViews><sheetView workbookViewId=\"0\">";
    if (freezeHeader && H > 0 && H < rows) {
        const std::string first = "A" + std::to_string(H + 1);
        sheet += "<pane ySplit=\"" + std::to_string(H) + "\" topLeftCell=\"" + first +
                 "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" activeCell=\"" + first +
                 "\" sqref=\"" + first + "\"/>";
    }
    sheet += "</sheetView></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/><sheetData>";
    return sheet;
}

// The <row> elements of a table: every slot of a header row (bold, empty ones too), and
// in the other rows the anchored cells only, numbers as values and texts as shared strings.
class SheetRows {
public:
    SheetRows(const Table& table, int rows, int cols, int headerRows, const XLSXWriter& writer)
        : writer_(writer), anchors_(table), merges_(rows, cols), strings_(table.cells.size()), rows_(rows),
          cols_(cols), H_(headerRows), letters_(static_cast<size_t>(cols))
    {
        for (int c = 0; c < cols; ++c)
            letters_[static_cast<size_t>(c)] = CellRef::column(c);
        anchor_ = anchors_.next();
    }

    void writeTo(std::string& sheet)
    {
        for (int r = 0; r < rows_; ++r) {
            const long long n = static_cast<long long>(r) + 1;
            rowText_.clear();
            if (r < H_)
                writeHeaderRow(r, n);
            else
                while (anchor_ && anchor_->row == r)
                    writeNext(n);
            sheet += "<row r=\"";
            appendInt(sheet, n);
            if (rowText_.empty()) {
                sheet += "\"/>";
            } else {
                sheet += "\">";
                sheet += rowText_;
                sheet += "</row>";
            }
            if (sheet.size() > maxPartSize)
                throw VozudOzevError::invalidInput("worksheet larger than 4 GiB");
        }
    }

    const std::vector<std::string>& ranges() const { return merges_.ranges(); }
    std::string sharedStrings() const { return strings_.xml(); }

private:
    void writeHeaderRow(int r, long long n)
    {
        for (int c = 0; c < cols_; ++c) {
            if (anchor_ && anchor_->row == r && anchor_->col == c) {
                writeNext(n);
            } else {
                startCell(c, n, true);
                rowText_ += "/>";
            }
        }
    }

    void writeNext(long long n)
    {
        anchor_->covered = merges_.add(*anchor_);
        writeAnchor(*anchor_, n);
        anchor_ = anchors_.next();
    }

    void startCell(int c, long long n, bool styled)
    {
        rowText_ += "<c r=\"";
        rowText_ += letters_[static_cast<size_t>(c)];
        appendInt(rowText_, n);
        rowText_ += styled ? "\" s=\"1\"" : "\"";
    }

    void writeAnchor(const Anchor& a, long long n)
    {
        const bool styled = a.row < H_ || a.cell->header == true;
        if (a.text.empty()) {
            if (styled && (a.covered || a.row < H_)) {
                startCell(a.col, n, true);
                rowText_ += "/>";
            }
            return;
        }
        if (!styled) {
            const std::optional<double> v = writer_.parseCell    ? writer_.parseCell(a.text, a.col)
                                            : writer_.parseNumber ? writer_.parseNumber(a.text)
                                                                  : std::nullopt;
            if (v && std::isfinite(*v)) {
                startCell(a.col, n, false);
                rowText_ += "><v>";
                rowText_ += XLSXWriter::numberText(*v);
                rowText_ += "</v></c>";
                return;
            }
        }
        startCell(a.col, n, styled);
        rowText_ += " t=\"s\"><v>";
        appendInt(rowText_, strings_.index(a.text));
        rowText_ += "</v></c>";
    }

    const XLSXWriter& writer_;
    AnchorStream anchors_;
    Merges merges_;
    SharedStrings strings_;  // views into the table and the stream's texts
    int rows_;
    int cols_;
    int H_;
    std::vector<std::string> letters_;
    std::string rowText_;
    std::optional<Anchor> anchor_;
};

void appendMergeCells(std::string& sheet, const std::vector<std::string>& ranges)
{
    if (ranges.empty())
        return;
    sheet += "<mergeCells count=\"";
    appendInt(sheet, static_cast<long long>(ranges.size()));
    sheet += "\">";
    for (const std::string& range : ranges) {
        sheet += "<mergeCell ref=\"";
        sheet += range;
        sheet += "\"/>";
    }
    sheet += "</mergeCells>";
}

}  // namespace

std::string XLSXWriter::data(const Table& table) const
{
    checkGrid(table);
    const int rows = std::max(table.rows, 0);
    const int cols = std::max(table.cols, 0);
    const int h = headerRows.value_or(table.leadingHeaderRows());
    const int H = std::min(rows, std::max(h, 0));
    checkSheetSize(rows, cols, H);

    SheetRows sheetRows(table, rows, cols, H, *this);
    std::string sheet = sheetHead(table, rows, cols, H, freezeHeader);
    sheetRows.writeTo(sheet);
    sheet += "</sheetData>";
    appendMergeCells(sheet, sheetRows.ranges());
    sheet += "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/></worksheet>";

    ZipWriter zip(date);
    zip.add("[Content_Types].xml", contentTypes(), true);
    zip.add("_rels/.rels", packageRels(), true);
    zip.add("docProps/app.xml", appProps(), true);
    zip.add("docProps/core.xml", coreProps(date), true);
    zip.add("xl/workbook.xml", workbook(sheetName), true);
    zip.add("xl/_rels/workbook.xml.rels", workbookRels(), true);
    zip.add("xl/styles.xml", styles(), true);
    zip.add("xl/worksheets/sheet1.xml", sheet, true);
    zip.add("xl/sharedStrings.xml", sheetRows.sharedStrings(), true);
    return zip.finish();
}

std::optional<double> XLSXWriter::simpleNumber(std::string_view text)
{
    const std::string trimmed = Unicode::trimmed(text);
    // Longer texts cannot be numbers of 15 digits anyway; only they need counting.
    if (trimmed.empty() || (trimmed.size() > 32 && Unicode::graphemes(trimmed).size() > 32))
        return std::nullopt;
    std::string_view s = trimmed;
    bool negative = false;
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')') {
        s = s.substr(1, s.size() - 2);
        negative = true;
    }
    constexpr std::string_view minus = "\u2212";
    if (s.starts_with('-') || s.starts_with(minus)) {
        if (negative)
            return std::nullopt;
        negative = true;
        s.remove_prefix(s.starts_with('-') ? 1 : minus.size());
    } else if (s.starts_with('+')) {
        s.remove_prefix(1);
    }
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (s.empty() || !(digit(s.front()) || s.front() == '.'))
        return std::nullopt;

    const size_t point = s.find('.');
    std::string_view intPart = s.substr(0, point);
    std::optional<std::string_view> fraction;
    if (point != std::string_view::npos) {
        fraction = s.substr(point + 1);
        if (fraction->find('.') != std::string_view::npos || fraction->empty() ||
            !std::all_of(fraction->begin(), fraction->end(), digit))
            return std::nullopt;
    }

    std::string integer;
    if (intPart.find(',') != std::string_view::npos) {
        size_t start = 0;
        for (bool first = true;; first = false) {
            const size_t comma = intPart.find(',', start);
            const size_t len = (comma == std::string_view::npos ? intPart.size() : comma) - start;
            if (first ? (len < 1 || len > 3) : len != 3)
                return std::nullopt;
            integer += intPart.substr(start, len);
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
    } else {
        integer = intPart;
        // "1.234" may be a thousand written with a grouping point.
        if (fraction && fraction->size() == 3 && !integer.empty() && integer.size() <= 3 && integer != "0")
            return std::nullopt;
    }
    if (!std::all_of(integer.begin(), integer.end(), digit) || (integer.empty() && !fraction))
        return std::nullopt;
    if (integer.size() >= 2 && integer.front() == '0')
        return std::nullopt;

    const std::string digits = integer + std::string(fraction.value_or(""));
    const size_t significant = digits.size() - std::min(digits.find_first_not_of('0'), digits.size());
    if (significant > 15)
        return std::nullopt;

    std::string plain = integer.empty() ? "0" : integer;
    if (fraction)
        plain += "." + std::string(*fraction);
    double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size())
        return std::nullopt;
    return negative ? -value : value;
}

std::string XLSXWriter::numberText(double value)
{
    char buf[32];
    if (std::nearbyint(value) == value && std::fabs(value) < 1e15) {
        // Also turns -0.0 into 0.
        const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value)).ptr;
        return std::string(buf, end);
    }
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return std::string(buf, end);
}

std::string XLSXWriter::escape(std::string_view text)
{
    const std::string valid = isValidUTF8(text) ? std::string() : Unicode::sanitized(text);
    const std::string_view s = valid.empty() ? text : std::string_view(valid);
    std::string out;
    out.reserve(s.size() + 8);
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        switch (c) {
        case '"': out += "&quot;"; break;
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\t': case '\n': case '\r': out += c; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                break;  // not allowed in XML 1.0
            // U+FFFE and U+FFFF (EF BF BE, EF BF BF) are no XML characters either.
            if (static_cast<unsigned char>(c) == 0xEF && i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0xBF &&
                (static_cast<unsigned char>(s[i + 2]) & 0xFE) == 0xBE) {
                i += 2;
                break;
            }
            out += c;
        }
    }
    return out;
}

std::string XLSXWriter::safeSheetName(std::string_view name)
{
    std::string s;
    for (char32_t cp : Unicode::decode(name)) {
        // Control characters could leave a name that is blank once written as XML.
        if (cp < 0x20 || cp == 0xFFFE || cp == 0xFFFF)
            continue;
        if (cp < 0x80 && std::string_view(":\\/?*[]").find(static_cast<char>(cp)) != std::string_view::npos)
            cp = '_';
        Unicode::append(s, cp);
    }
    auto trim = [](const std::string& t) {
        const size_t from = t.find_first_not_of("' ");
        return from == std::string::npos ? std::string() : t.substr(from, t.find_last_not_of("' ") - from + 1);
    };
    s = trim(s);
    // Spreadsheet programs count the 31 allowed characters in UTF-16 units; the cut keeps whole
    // characters (a pair of surrogates or a cluster of code points is never split).
    auto utf16Length = [](std::string_view t) {
        size_t units = 0;
        for (char32_t cp : Unicode::decode(t))
            units += cp > 0xFFFF ? 2 : 1;
        return units;
    };
    if (utf16Length(s) > 31) {
        std::string cut;
        size_t units = 0;
        for (const std::string& character : Unicode::graphemes(s)) {
            units += utf16Length(character);
            if (units > 31)
                break;
            cut += character;
        }
        // The cut can end on an apostrophe or a blank, which a sheet name may not end with.
        s = trim(cut);
    }
    return s.empty() ? "Table" : s;
}

}  // namespace VozudOzev
