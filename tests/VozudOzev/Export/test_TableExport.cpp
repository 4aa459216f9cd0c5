// Cells are written with their leading fields only; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include "VozudOzev/Export/CSV.hpp"
#include "VozudOzev/Export/TableExport.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include "VozudOzev/Export/ExternalTool.hpp"
#include "VozudOzev/Export/KitchenSink.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>

using namespace VozudOzev;

namespace {

const std::string bom = "\xEF\xBB\xBF";

Table table(int rows, int cols, std::vector<Cell> cells)
{
    Table t;
    t.rows = rows;
    t.cols = cols;
    t.cells = std::move(cells);
    return t;
}

std::string flat(std::string s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
            out += ' ';
            ++i;
        } else {
            out += (s[i] == '\n' || s[i] == '\r' || s[i] == '\t') ? ' ' : s[i];
        }
    }
    return out;
}

}  // namespace

TEST(TableExport, KitchenSinkGoldens)
{
    const Table t = kitchenSink();
    EXPECT_EQ(TableExport::tsv(t),
              "Khách hàng\t\tSố tiền, \"VND\"\n"
              "A B C\tx|y\\z &<>\t1,250\n"
              "\tTiếng Việt\tsay \"hi\" now");
    EXPECT_EQ(TableExport::html(t, 1),
              "<meta charset=\"utf-8\"><table>"
              "<tr><th colspan=\"2\">Khách hàng</th><th>Số tiền, &quot;VND&quot;</th></tr>"
              "<tr><td rowspan=\"2\">A\tB\r<br>C</td><td>x|y\\z &amp;&lt;&gt;</td><td>1,250</td></tr>"
              "<tr><td>Tiếng Việt</td><td>say &quot;hi&quot;<br>now</td></tr>"
              "</table>");
    EXPECT_EQ(TableExport::csvFileData(t), bom +
                                               "Khách hàng,,\"Số tiền, \"\"VND\"\"\"\r\n"
                                               "\"A\tB\r\nC\",x|y\\z &<>,\"1,250\"\r\n"
                                               ",Tiếng Việt,\"say \"\"hi\"\"\nnow\"\r\n");
    const std::string oneHeader = "| Khách hàng | Khách hàng | Số tiền, \"VND\" |\n"
                                  "| --- | --- | --- |\n"
                                  "| A B C | x\\|y\\\\z &<> | 1,250 |\n"
                                  "|  | Tiếng Việt | say \"hi\" now |\n";
    EXPECT_EQ(TableExport::markdown(t, 0), oneHeader);
    EXPECT_EQ(TableExport::markdown(t, 1), oneHeader);
    EXPECT_EQ(TableExport::markdown(t, 2),
              "| Khách hàng / A B C | Khách hàng / x\\|y\\\\z &<> | Số tiền, \"VND\" / 1,250 |\n"
              "| --- | --- | --- |\n"
              "|  | Tiếng Việt | say \"hi\" now |\n");
    // More header rows than rows are clamped.
    EXPECT_EQ(TableExport::markdown(t, 9).find("\n| --- | --- | --- |\n"), TableExport::markdown(t, 9).find('\n'));
}

TEST(TableExport, HTMLSpansAndSlots)
{
    const struct {
        const char* name;
        Table table;
        int headerRows;
        std::string want;
    } cases[] = {
        {"a row span clipped at the last row, a zero span writes nothing",
         table(3, 1, {Cell{1, 0, 5, 1, "a"}, Cell{0, 0, 0, -1, "z"}}), 0,
         "<meta charset=\"utf-8\"><table><tr><td>z</td></tr><tr><td rowspan=\"2\">a</td></tr><tr></tr></table>"},
        {"header colspan over an empty row, headerRows 0 gives td",
         table(2, 2, {Cell{0, 0, 1, 2, "h"}}), 0,
         "<meta charset=\"utf-8\"><table><tr><td colspan=\"2\">h</td></tr><tr><td></td><td></td></tr></table>"},
        {"a cell inside another's span is left out but still covers",
         table(2, 3, {Cell{0, 0, 1, 2, "wide"}, Cell{0, 1, 2, 2, "hidden"}}), 1,
         "<meta charset=\"utf-8\"><table><tr><th colspan=\"2\">wide</th></tr><tr><td></td></tr></table>"},
        {"rowspan before colspan; cells outside the grid skipped",
         table(2, 2, {Cell{0, 0, 2, 2, "big"}, Cell{5, 5, 1, 1, "out"}, Cell{-1, 0, 1, 1, "neg"}}), -3,
         "<meta charset=\"utf-8\"><table><tr><td rowspan=\"2\" colspan=\"2\">big</td></tr><tr></tr></table>"},
        {"the second cell of a slot joins the first, with the first's spans",
         table(1, 2, {Cell{0, 0, 1, 1, "one"}, Cell{0, 0, 1, 2, "two"}}), 0,
         "<meta charset=\"utf-8\"><table><tr><td>one two</td><td></td></tr></table>"},
        {"apostrophe and CR kept", table(1, 1, {Cell{0, 0, 1, 1, "it's\r"}}), 0,
         "<meta charset=\"utf-8\"><table><tr><td>it's\r</td></tr></table>"},
        {"no rows", table(0, 3, {}), 0, "<meta charset=\"utf-8\"><table></table>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TableExport::html(c.table, c.headerRows), c.want);
    }
}

TEST(TableExport, EndingsAndEmptyTables)
{
    const Table empty;
    EXPECT_EQ(TableExport::tsv(empty), "");
    EXPECT_EQ(TableExport::markdown(empty, 1), "");
    EXPECT_EQ(TableExport::markdown(table(2, 0, {}), 1), "");
    EXPECT_EQ(TableExport::csvFileData(empty), "\xEF\xBB\xBF\r\n");
    EXPECT_EQ(TableExport::tsv(table(2, 0, {})), "\n");
    const Table one = table(1, 2, {Cell{0, 0, 1, 1, "a"}, Cell{0, 1, 1, 1, " b"}});
    EXPECT_EQ(TableExport::tsv(one), "a\t b");
    EXPECT_EQ(TableExport::csvFileData(one), bom + "a, b\r\n");
    EXPECT_EQ(TableExport::markdown(one, 0), "| a | b |\n| --- | --- |\n");

    // Stacked cells read exactly as the grid joins them.
    const Table stacked = table(1, 2, {Cell{0, 0, 1, 1, ""}, Cell{0, 0, 1, 1, "b"}, Cell{0, 1, 1, 1, "a"},
                                       Cell{0, 1, 1, 1, ""}, Cell{0, 1, 1, 1, "c"}});
    const auto g = stacked.grid();
    EXPECT_EQ(TableExport::tsv(stacked), g[0][0] + "\t" + g[0][1]);
    EXPECT_EQ(TableExport::csvFileData(stacked), bom + g[0][0] + "," + g[0][1] + "\r\n");
}

TEST(TableExport, MarkdownLabels)
{
    const struct {
        const char* name;
        Table table;
        int headerRows;
        std::string wantLabels;
    } cases[] = {
        {"repeated text kept once, blanks and tabs trimmed",
         table(3, 2, {Cell{0, 0, 1, 1, "Qty"}, Cell{1, 0, 1, 1, " \tQty\t"}, Cell{0, 1, 1, 1, "A"},
                      Cell{1, 1, 1, 1, "B"}}),
         2, "| Qty | A / B |"},
        {"an empty text between two equal ones is skipped, so they fold",
         table(4, 1, {Cell{0, 0, 1, 1, "X"}, Cell{2, 0, 1, 1, "X"}}), 3, "| X |"},
        {"line ends are not trimmed, they become blanks",
         table(2, 1, {Cell{0, 0, 1, 1, "\nName"}}), 1, "|  Name |"},
        {"a spanned header spreads only into empty slots",
         table(2, 3, {Cell{0, 0, 1, 3, "Span"}, Cell{0, 2, 1, 1, "Own"}}), 1, "| Span | Span | Own |"},
        {"a spanned cell below the header rows does not spread",
         table(2, 2, {Cell{0, 0, 1, 1, "a"}, Cell{1, 0, 1, 2, "b"}}), 1, "| a |  |"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string md = TableExport::markdown(c.table, c.headerRows);
        EXPECT_EQ(md.substr(0, md.find('\n')), c.wantLabels);
    }
}

TEST(CSV, EscapeAndWrite)
{
    const struct {
        std::string in, want;
    } cases[] = {
        {"", ""}, {" lead", " lead"}, {"a,b", "\"a,b\""}, {"say \"x\"", "\"say \"\"x\"\"\""},
        {"a\nb", "\"a\nb\""}, {"a\rb", "\"a\rb\""}, {"tab\there", "tab\there"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(CSV::escape(c.in), c.want);
    }
    EXPECT_EQ(CSV::write({}), "");
    EXPECT_EQ(CSV::write({{"a", "b,c"}, {""}}), "a,\"b,c\"\n\n");
}

TEST(CSV, Parse)
{
    using Rows = std::vector<std::vector<std::string>>;
    const struct {
        std::string in;
        Rows want;
    } cases[] = {
        {"a\"b,c\"d", {{"ab,cd"}}},
        {"\"\"", {}},
        {"", {}},
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"\"x\"\"y\"", {{"x\"y"}}},
        {"\"open,\nstill", {{"open,\nstill"}}},
        {"a\n\nb", {{"a"}, {""}, {"b"}}},
        {"a\n", {{"a"}}},
        {"a,", {{"a", ""}}},
        {"\"q\"z,1", {{"qz", "1"}}},
        {"\"q\"\nr", {{"q"}, {"r"}}},
        {"Việt,\"ế\"", {{"Việt", "ế"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(CSV::parse(c.in), c.want);
    }
}

TEST(CSV, WriteThenParseGivesTheRows)
{
    const char* pieces[] = {"a", ",", "\"", "\r", "\n", " "};
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::vector<std::string>> rows(random() % 4);
        for (auto& row : rows) {
            row.resize(1 + random() % 3);
            for (auto& field : row)
                for (unsigned n = random() % 5; n > 0; --n)
                    field += pieces[random() % 6];
        }
        // A lone empty field on the last row cannot be told from no row at all.
        if (!rows.empty() && rows.back().size() == 1 && rows.back()[0].empty())
            rows.back()[0] = "a";
        SCOPED_TRACE(CSV::write(rows));
        EXPECT_EQ(CSV::parse(CSV::write(rows)), rows);
    }
}

TEST(TableExport, InvalidUTF8NeverReachesTheOutput)
{
    const Table t = table(2, 2, {Cell{0, 0, 1, 1, "bad\xFF"}, Cell{0, 1, 1, 1, "\xC3"}, Cell{1, 0, 1, 2, "\xE1\xBA"}});
    for (const std::string& out : {TableExport::tsv(t), TableExport::html(t, 1), TableExport::csvFileData(t),
                                   TableExport::markdown(t, 1)}) {
        SCOPED_TRACE(out);
        EXPECT_TRUE(Unicode::isValid(out));
        EXPECT_NE(out.find("bad\xEF\xBF\xBD"), std::string::npos);
    }
}

// ---- Read back by real consumers ----

namespace {

// Python's readers print what they read as JSON.
const char* csvReader = R"(import csv, io, json, sys
data = open(sys.argv[1], 'rb').read()
print(json.dumps(list(csv.reader(io.StringIO(data.decode('utf-8-sig'), newline='')))))
)";

const char* tsvReader = R"(import csv, io, json, sys
text = open(sys.argv[1], 'rb').read().decode('utf-8')
print(json.dumps(list(csv.reader(io.StringIO(text, newline=''), delimiter='\t', quoting=csv.QUOTE_NONE))))
)";

// Expands the spans back into a grid: each slot is [tag, text] for a written element
// and null for a slot covered by another's span.
const char* htmlReader = R"(import json, sys
from html.parser import HTMLParser
class Reader(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows, self.cell = [], None
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == 'tr': self.rows.append([])
        elif tag in ('td', 'th'):
            self.cell = [tag, '', int(a.get('rowspan', 1)), int(a.get('colspan', 1))]
            self.rows[-1].append(self.cell)
        elif tag == 'br' and self.cell is not None: self.cell[1] += '\n'
    def handle_endtag(self, tag):
        if tag in ('td', 'th'): self.cell = None
    def handle_data(self, data):
        if self.cell is not None: self.cell[1] += data
r = Reader()
r.feed(open(sys.argv[1], 'rb').read().decode('utf-8'))
rows, cols = len(r.rows), int(sys.argv[2])
grid = [[False] * cols for _ in range(rows)]
for y, row in enumerate(r.rows):
    x = 0
    for tag, text, rs, cs in row:
        while grid[y][x] is not False: x += 1
        for dy in range(rs):
            for dx in range(cs):
                grid[y + dy][x + dx] = None
        grid[y][x] = [tag, text]
        x += cs
print(json.dumps(grid))
)";

// Table cells of cmark-gfm's HTML, row by row.
const char* renderedTableReader = R"(import json, sys
from html.parser import HTMLParser
class Reader(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows, self.cell = [], None
    def handle_starttag(self, tag, attrs):
        if tag == 'tr': self.rows.append([])
        elif tag in ('td', 'th'): self.cell = ''
    def handle_endtag(self, tag):
        if tag in ('td', 'th'): self.rows[-1].append(self.cell); self.cell = None
    def handle_data(self, data):
        if self.cell is not None: self.cell += data
r = Reader()
r.feed(sys.stdin.read())
print(json.dumps(r.rows))
)";

nlohmann::json readBack(const ExternalTool::ScratchDir& dir, const char* script, const std::string& file,
                        std::vector<std::string> extra = {})
{
    std::vector<std::string> argv = {ExternalTool::python, dir.write("reader.py", script), file};
    argv.insert(argv.end(), extra.begin(), extra.end());
    const auto outcome = ExternalTool::run(argv);
    EXPECT_EQ(outcome.status, 0);
    return nlohmann::json::parse(outcome.out, nullptr, false);
}

}  // namespace

TEST(TableExportConsumers, PythonCSVReadsTheGrid)
{
    ASSERT_TRUE(ExternalTool::installed(ExternalTool::python));
    ExternalTool::ScratchDir dir;
    const Table t = kitchenSink();
    const auto read = readBack(dir, csvReader, dir.write("t.csv", TableExport::csvFileData(t)));
    EXPECT_EQ(read, nlohmann::json(t.grid()));
}

TEST(TableExportConsumers, PythonReadsTheTSVAsFlatGrid)
{
    ASSERT_TRUE(ExternalTool::installed(ExternalTool::python));
    ExternalTool::ScratchDir dir;
    const Table t = kitchenSink();
    auto want = t.grid();
    for (auto& row : want)
        for (auto& s : row)
            s = flat(s);
    EXPECT_EQ(readBack(dir, tsvReader, dir.write("t.tsv", TableExport::tsv(t))), nlohmann::json(want));
}

TEST(TableExportConsumers, HTMLParserRebuildsTheSlots)
{
    ASSERT_TRUE(ExternalTool::installed(ExternalTool::python));
    ExternalTool::ScratchDir dir;
    for (int headerRows : {0, 1, 2}) {
        SCOPED_TRACE(headerRows);
        const Table t = kitchenSink();
        const auto grid = t.grid();
        // Covered: (0,1) by the merged header, (2,0) by the row span clipped at the grid.
        nlohmann::json want = nlohmann::json::array();
        for (int r = 0; r < t.rows; ++r) {
            nlohmann::json row = nlohmann::json::array();
            for (int c = 0; c < t.cols; ++c) {
                if ((r == 0 && c == 1) || (r == 2 && c == 0))
                    row.push_back(nullptr);
                else
                    row.push_back({r < headerRows ? "th" : "td", grid[r][c]});
            }
            want.push_back(row);
        }
        const auto file = dir.write("t.html", TableExport::html(t, headerRows));
        EXPECT_EQ(readBack(dir, htmlReader, file, {std::to_string(t.cols)}), want);
    }
}

TEST(TableExportConsumers, CmarkGFMRendersTheMarkdownTable)
{
    ASSERT_TRUE(ExternalTool::installed(ExternalTool::python));
    ASSERT_TRUE(ExternalTool::installed(ExternalTool::cmark));
    ExternalTool::ScratchDir dir;
    const Table t = kitchenSink();
    const auto grid = t.grid();
    for (int headerRows : {1, 2}) {
        SCOPED_TRACE(headerRows);
        const auto rendered = ExternalTool::run({ExternalTool::cmark, "-e", "table", dir.write("t.md", TableExport::markdown(t, headerRows))});
        ASSERT_EQ(rendered.status, 0);
        const std::string htmlFile = dir.write("t.html", rendered.out);
        const auto read = ExternalTool::run({ExternalTool::python, dir.write("reader.py", renderedTableReader)}, htmlFile);
        ASSERT_EQ(read.status, 0);
        const auto rows = nlohmann::json::parse(read.out);

        nlohmann::json want = nlohmann::json::array();
        want.push_back(headerRows == 1
                           ? nlohmann::json{"Khách hàng", "Khách hàng", "Số tiền, \"VND\""}
                           : nlohmann::json{"Khách hàng / A B C", "Khách hàng / x|y\\z &<>", "Số tiền, \"VND\" / 1,250"});
        for (int r = headerRows; r < t.rows; ++r) {
            nlohmann::json row = nlohmann::json::array();
            for (const auto& s : grid[r])
                row.push_back(flat(s));
            want.push_back(row);
        }
        EXPECT_EQ(rows, want);
    }
}
