#include <gtest/gtest.h>

#include "model/Pertgra.h"
#include "support/Netbuilder.h"

namespace {

TEST(TidyNetwork, NodesTakeTheRowsOfTheirSingleWorks)
{
    struct Case {
        const char* what;
        int32_t nodeRow;
        int32_t inRow;         // -1: no entering work
        const char* inKind;
        int32_t outRow;        // -1: no leaving work
        const char* outKind;
        int32_t want;
    };
    const char* real = WorkKind::Real;
    const char* mile = WorkKind::Milestone;
    const Case cases[] = {
        {"between two works on other rows: the leaving work's row", 5, 2, real, 3, real, 3},
        {"on the entering work's row: still the leaving one's", 2, 2, real, 3, real, 3},
        {"on the leaving work's row it stays", 3, 2, real, 3, real, 3},
        {"other rows, leaving milestone: unchanged", 5, 2, real, 3, mile, 5},
        {"on a row of its works, leaving milestone: the entering row", 3, 2, real, 3, mile, 2},
        {"end node: the entering work's row", 4, 1, real, -1, real, 1},
        {"end node of a milestone keeps its row", 4, 1, mile, -1, real, 4},
        {"start node: the leaving work's row", 4, -1, real, 2, real, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TNetBuilder b;
        // Other works keep the tested node's neighbours from being lone milestones.
        b.Work('P', 'Q', 1);
        if (c.inRow >= 0) {
            b.Work('P', 'N', 1, c.inKind)->row = c.inRow;
        }
        if (c.outRow >= 0) {
            b.Work('N', 'R', 1, c.outKind)->row = c.outRow;
            b.Work('Q', 'R', 1);
        }
        b.N('N')->row = c.nodeRow;
        b.net->TidyNetwork();
        EXPECT_EQ(b.N('N')->row, c.want);
    }
}

TEST(TidyNetwork, NodesWithSeveralWorksKeepTheirRows)
{
    TNetBuilder b;
    b.Work('A', 'N', 1)->row = 1;
    b.Work('B', 'N', 1)->row = 2;
    b.Work('N', 'C', 1)->row = 3;
    b.Work('N', 'D', 1)->row = 4;
    b.N('N')->row = 7;
    b.net->TidyNetwork();
    EXPECT_EQ(b.N('N')->row, 7);
}

}
