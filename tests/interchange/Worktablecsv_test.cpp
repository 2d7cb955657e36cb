#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "file/Prtstream.h"
#include "interchange/Worktablecsv.h"
#include "model/Pertgra.h"
#include "support/Netbuilder.h"

namespace {

// A plain RFC 4180 reader: quoted fields may hold commas, doubled quotes and line breaks.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false, any = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
            any = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
            any = true;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
            any = false;
            ++i;
        } else {
            EXPECT_NE(c, '\n') << "bare line feed outside quotes";
            field += c;
            any = true;
        }
    }
    EXPECT_FALSE(quoted) << "unterminated quote";
    if (any || !row.empty()) ADD_FAILURE() << "last line not ended by CR LF";
    return rows;
}

struct Sample {
    TNetBuilder b;
    Sample()
    {
        b.Work('a', 'b', 3);
        b.Work('b', 'c', 2.5f);
        b.Work('a', 'c', 1);
        b.Work('c', 'd', 0, WorkKind::Dummy);
        b.Work('c', 'e', 4);
        b.Place();
        b.W("ab")->data->name = "基础,开挖 \"一段\"";
        b.W("bc")->data->name = "多行\n说明";
        b.W("ac")->data->name = " 垫层 ";
        b.W("ab")->data->groupName = "土建";
        Trecsource r;
        r.number = "R1";
        r.name = "钢筋工";
        r.unit = "工日";
        r.dailyAmount = 5;
        b.W("ce")->data->resources.push_back(r);
        int no = 1;
        for (const char* n : {"ab", "bc", "ac", "ce"}) b.W(n)->data->workNo = no++;
        b.net->InvalidateWorkNumbers();
        b.net->Recalculate();
    }
};

TEST(WorkTableCsv, ParsesBackToEveryField)
{
    Sample s;
    const std::string bytes = WorkTableCsv(*s.b.net, TCsvEncoding::Utf8Bom);
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    const auto rows = ParseCsv(bytes.substr(3));
    ASSERT_EQ(rows.size(), 5u);   // captions and four works; the dummy has no row
    EXPECT_EQ(rows[0], WorkTableCsvCaptions());
    const std::vector<Tedge*> works = WorkTableRows(*s.b.net);
    ASSERT_EQ(works.size(), 4u);
    for (size_t i = 0; i < works.size(); ++i)
        EXPECT_EQ(rows[i + 1], WorkTableFields(*s.b.net, *works[i])) << "row " << i + 1;
    EXPECT_EQ(rows[1][1], "基础,开挖 \"一段\"");
    EXPECT_EQ(rows[2][1], "多行\n说明");
    EXPECT_EQ(rows[3][1], " 垫层 ");
    EXPECT_EQ(rows[1][12], "土建");
    EXPECT_EQ(rows[4][13], "钢筋工 5工日");
    EXPECT_EQ(rows[2][2], "2.50");
    // a-b-c-e is critical: 3 + 2.5 + 4; a-c has float 4.5.
    EXPECT_EQ(rows[1][11], "是");
    EXPECT_EQ(rows[3][11], "否");
    EXPECT_EQ(rows[3][9], "4.50");
}

TEST(WorkTableCsv, QuotesOnlyWhereNeeded)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"plain", "plain"},   {"", ""},           {"a,b", "\"a,b\""},
                 {"say \"x\"", "\"say \"\"x\"\"\""}, {"a\r\nb", "\"a\r\nb\""}, {" s ", " s "}};
    for (const auto& c : cases) EXPECT_EQ(CsvField(c.in), c.out) << c.in;
}

TEST(WorkTableCsv, GbkOnRequest)
{
    Sample s;
    bool all = false;
    const std::string gbk = WorkTableCsv(*s.b.net, TCsvEncoding::Gbk, &all);
    EXPECT_TRUE(all);
    EXPECT_NE(gbk.substr(0, 3), "\xEF\xBB\xBF");
    const std::string utf8 = WorkTableCsv(*s.b.net, TCsvEncoding::Utf8Bom);
    EXPECT_EQ(Cp936ToUtf8(gbk), utf8.substr(3));

    s.b.W("ab")->data->name = "\xF0\x9F\x98\x80";   // beyond code page 936
    const std::string path = ::testing::TempDir() + "/gbk.csv";
    std::string problem;
    EXPECT_TRUE(ExportWorkTableCsv(*s.b.net, path, TCsvEncoding::Gbk, problem));
    EXPECT_NE(problem.find("GBK"), std::string::npos);
    std::ifstream in(path, std::ios::binary);
    std::stringstream read;
    read << in.rdbuf();
    const auto rows = ParseCsv(Cp936ToUtf8(read.str()));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1][1], "?");
}

TEST(WorkTableCsv, UnwritablePathFails)
{
    Sample s;
    std::string problem;
    EXPECT_FALSE(ExportWorkTableCsv(*s.b.net, "/nonexistent-dir/x.csv", TCsvEncoding::Utf8Bom,
                                    problem));
    EXPECT_FALSE(problem.empty());
}

}  // namespace
